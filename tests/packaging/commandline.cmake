# tessaro's command line as a set maker's script uses it: --check on good and
# broken files, --help and --version, and the refusals that never open a window.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(expect status output)
    execute_process(COMMAND ${TESSARO} ${ARGN} RESULT_VARIABLE got OUTPUT_VARIABLE out
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
expect(2 "is not a level set (.dat, .ccl), CCF or CCX file" ${WORK_DIR}/scores.ini)

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
