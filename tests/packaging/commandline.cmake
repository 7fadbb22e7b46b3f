# tessaro's command line as a set maker's script uses it: --check and --list on
# good and broken files, --help and --version, and the refusals that never open
# a window.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(expect status output)
    # A refusal that opened a window instead would wait there: the time limit
    # makes it a failure.
    execute_process(COMMAND ${TESSARO} ${ARGN} TIMEOUT 60 RESULT_VARIABLE got OUTPUT_VARIABLE out
        ERROR_VARIABLE err)
    if(NOT got STREQUAL status)
        message(FATAL_ERROR "tessaro ${ARGN}: exit ${got}, expected ${status}\n${out}${err}")
    endif()
    string(FIND "${out}${err}" "${output}" at)
    if(at LESS 0)
        message(FATAL_ERROR "tessaro ${ARGN}: no \"${output}\" in\n${out}${err}")
    endif()
endfunction()

file(WRITE ${WORK_DIR}/scores.ini "[set.dat]\r\nLevel1=PASS,12,5120\r\nLevel2=PASS,12\r\n")
file(WRITE ${WORK_DIR}/good.ccf "\"C:\\SETS\\A.DAT\"\r\n\"144\"\r\n\"149\"\r\n\"good.ccf\"\r\n")

expect(0 "" --check ${DATA}/ccx/written/demo-set.ccx ${WORK_DIR}/good.ccf)
expect(1 "${WORK_DIR}/scores.ini:3: level 2 has 2 fields" --check ${WORK_DIR}/scores.ini)
expect(1 "${DATA}/ccx/missing-end.ccx:" --check ${DATA}/ccx/missing-end.ccx)
expect(1 "${DATA}/ccx/mistyped-page.ccx:15: this line is not part of the set and will be dropped on save"
    --check ${DATA}/ccx/mistyped-page.ccx)
expect(1 "tessaro: cannot read ${WORK_DIR}/missing.ccx" --check ${WORK_DIR}/missing.ccx)
expect(2 "--check needs at least one file" --check)
expect(2 "Unknown option 'bogus'" --bogus)
expect(0 "Usage:" --help)
expect(0 "Usage:" --help-all)
expect(0 "tessaro 0." --version)
expect(1 "tessaro: cannot read ${WORK_DIR}/missing.dat" ${WORK_DIR}/missing.dat)

# Level sets, by extension or by signature; a refused file leaves the program
# folder as it was.
set(sets ${DATA}/levelset)
file(COPY_FILE ${sets}/lynx-set.dat ${WORK_DIR}/renamed)
file(WRITE ${WORK_DIR}/notes.dat "shopping list\n")
file(WRITE ${WORK_DIR}/notes.ccf "\"${WORK_DIR}/notes.dat\"\r\n\"144\"\r\n\"149\"\r\n\"n.ccf\"\r\n")
expect(0 "" --check ${sets}/lynx-set.dat ${WORK_DIR}/renamed)
expect(1 "${sets}/repeated-number.ccl: level 2 (offset 73): the level's number 1 is also level 1's"
    --check ${sets}/repeated-number.ccl)
expect(1 "notes.dat: offset 0: the file does not start" --check ${WORK_DIR}/notes.dat)
expect(0 "2\tLevel 2\tAAAC\t102" --list ${WORK_DIR}/renamed)
expect(0 "2\tSecond" --list ${DATA}/ccx/written/demo-set.ccx)
expect(1 "notes.dat: offset 0: the file does not start" --list ${WORK_DIR}/notes.ccf)
execute_process(COMMAND ${TESSARO} --list ${WORK_DIR}/notes.ccf OUTPUT_VARIABLE out ERROR_QUIET)
if(out)
    message(FATAL_ERROR "--list of an unreadable set printed on standard output:\n${out}")
endif()
expect(1 "tessaro: cannot read ${WORK_DIR}/missing.dat" --list ${WORK_DIR}/missing.dat)
expect(2 "--list needs one file" --list)
set(ENV{TESSARO_HOME} ${WORK_DIR}/home)
file(MAKE_DIRECTORY ${WORK_DIR}/home)
expect(2 "tessaro: ${WORK_DIR}/scores.ini is not a level set (it does not start with a level-set signature)"
    ${WORK_DIR}/scores.ini)
expect(2 "tessaro: ${WORK_DIR}/notes.dat is not a level set" ${WORK_DIR}/notes.ccf)
file(GLOB written ${WORK_DIR}/home/*)
if(written)
    message(FATAL_ERROR "a refused file wrote ${written}")
endif()

# The manual page names every option --help shows.
execute_process(COMMAND ${TESSARO} --help OUTPUT_VARIABLE help)
string(REGEX MATCHALL "(^|[\n ,])--?[a-z][-a-z]*" options "${help}")
file(READ ${MANPAGE} manual)
string(REPLACE "\\-" "-" manual "${manual}")
foreach(option ${options})
    string(REGEX REPLACE "^[\n ,]" "" option "${option}")
    string(REGEX MATCH "[^-a-z]${option}[^-a-z]" found "${manual}")
    if(NOT found)
        message(FATAL_ERROR "the manual page lacks ${option}")
    endif()
endforeach()
