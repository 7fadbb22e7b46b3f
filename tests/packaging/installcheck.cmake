# Installs into a scratch folder and checks the layout, then validates the
# desktop entry and the metainfo as a user's system would, and checks that the
# file types recognise a level set by its first four bytes, not by ".dat".
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/usr
    RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
set(share ${WORK_DIR}/usr/share)
foreach(file bin/tessaro share/applications/org.tessaro.Tessaro.desktop
        share/metainfo/org.tessaro.Tessaro.metainfo.xml
        share/icons/hicolor/scalable/apps/org.tessaro.Tessaro.svg
        share/mime/packages/org.tessaro.Tessaro.xml share/doc/tessaro/README.md
        share/doc/tessaro/user-guide.md share/doc/tessaro/main-window.png
        share/doc/tessaro/changelog.gz share/doc/tessaro/copyright share/man/man1/tessaro.1.gz)
    if(NOT EXISTS ${WORK_DIR}/usr/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

function(run_check)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}${err}")
    endif()
endfunction()
run_check(desktop-file-validate ${share}/applications/org.tessaro.Tessaro.desktop)
run_check(appstreamcli validate --no-net ${share}/metainfo/org.tessaro.Tessaro.metainfo.xml)

# The shared MIME database built from the installed file alone (and the
# system's base types) knows a level set with a wrong extension by its magic.
run_check(update-mime-database ${share}/mime)
file(WRITE ${WORK_DIR}/looks-like-text.txt "\xac\xaa\x02\x00levels")
file(WRITE ${WORK_DIR}/set.ccx "<levelset>")
foreach(pair "mime.cache" "globs2" "magic")
    if(NOT EXISTS ${share}/mime/${pair})
        message(FATAL_ERROR "update-mime-database wrote no ${pair}")
    endif()
endforeach()
file(READ ${share}/mime/magic magic HEX)
string(FIND "${magic}" "acaa0200" at00)
string(FIND "${magic}" "acaa0201" at01)
if(at00 LESS 0 OR at01 LESS 0)
    message(FATAL_ERROR "the magic database lacks the level set's first four bytes")
endif()
file(READ ${share}/mime/globs2 globs)
foreach(glob "application/x-chips-levelset:*.ccl" "application/x-chips-ccf:*.ccf"
        "application/x-chips-ccx:*.ccx")
    string(FIND "${globs}" "${glob}" at)
    if(at LESS 0)
        message(FATAL_ERROR "the glob list lacks ${glob}")
    endif()
endforeach()

# What a desktop's file manager is told (xdg-mime asks gio, as on GNOME), with
# only the installed types and the system's: a set renamed without extension
# is a level set, a text file named "notes.dat" is text.
file(COPY_FILE ${SOURCE_DIR}/fuzz/corpus/levelsetreader/three-levels.dat ${WORK_DIR}/myset)
file(WRITE ${WORK_DIR}/notes.dat "shopping list\n")
foreach(pair "myset=application/x-chips-levelset" "notes.dat=text/plain")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_CURRENT_DESKTOP=GNOME
        XDG_DATA_DIRS=${share}:/usr/share XDG_DATA_HOME=${WORK_DIR}/home
        xdg-mime query filetype ${WORK_DIR}/${name}
        OUTPUT_VARIABLE type OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
    if(NOT type STREQUAL expected)
        message(FATAL_ERROR "xdg-mime says ${name} is \"${type}\" (${status}), not ${expected}")
    endif()
endforeach()
