# Each subsystem folder holds its core files and its window files side by side.
# tessaro_subsystem() adds the core files (everything but *window.h/.cpp) to
# tessaro_core and the window files to tessaro_gui, so a new file in a folder
# needs no CMake change.
function(tessaro_subsystem)
    file(GLOB sources CONFIGURE_DEPENDS
        "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    set(core_sources ${sources})
    list(FILTER core_sources EXCLUDE REGEX "window\\.(h|cpp)$")
    set(gui_sources ${sources})
    list(FILTER gui_sources INCLUDE REGEX "window\\.(h|cpp)$")
    if(core_sources)
        target_sources(tessaro_core PRIVATE ${core_sources})
    endif()
    if(gui_sources AND TESSARO_BUILD_GUI)
        target_sources(tessaro_gui PRIVATE ${gui_sources})
    endif()
endfunction()

# Test sources mirror src/: window tests (*window_test.cpp and everything under
# tests/app and tests/gui) go into gui_tests, the rest into core_tests.
function(tessaro_collect_tests core_var gui_var)
    file(GLOB_RECURSE all CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp")
    set(gui ${all})
    list(FILTER gui INCLUDE REGEX "(window_test\\.cpp$)|(/app/)|(/gui/)")
    set(core ${all})
    list(FILTER core EXCLUDE REGEX "(window_test\\.cpp$)|(/app/)|(/gui/)")
    set(${core_var} ${core} PARENT_SCOPE)
    set(${gui_var} ${gui} PARENT_SCOPE)
endfunction()
