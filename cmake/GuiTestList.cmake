# Run by ctest before the tests (see tests/CMakeLists.txt): asks gui_tests for
# its window test classes and adds one test per class. The list is asked again
# whenever gui_tests is newer than it, so a class added to any test file shows
# up after the next build with no step by hand.
#
# Expects TESSARO_GUI_TESTS (the executable) and TESSARO_GUI_TEST_LIST (where
# the generated tests are kept).
if(NOT EXISTS "${TESSARO_GUI_TESTS}")
    # Reported by ctest as a test whose executable is missing.
    add_test(gui_tests_NOT_BUILT "${TESSARO_GUI_TESTS}")
    return()
endif()
if(NOT EXISTS "${TESSARO_GUI_TEST_LIST}" OR
   "${TESSARO_GUI_TESTS}" IS_NEWER_THAN "${TESSARO_GUI_TEST_LIST}")
    execute_process(COMMAND "${TESSARO_GUI_TESTS}" --list
        OUTPUT_VARIABLE classes RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${TESSARO_GUI_TESTS} --list failed (${result})")
    endif()
    string(REGEX MATCHALL "[A-Za-z0-9_]+" classes "${classes}")
    set(tests "")
    foreach(class IN LISTS classes)
        string(APPEND tests
            "add_test(gui.${class} \"${TESSARO_GUI_TESTS}\" ${class})\n"
            "set_tests_properties(gui.${class} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)\n")
    endforeach()
    file(WRITE "${TESSARO_GUI_TEST_LIST}" "${tests}")
endif()
include("${TESSARO_GUI_TEST_LIST}")
