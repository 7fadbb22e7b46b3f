# A normal install: the program, its desktop entry, AppStream metainfo, icon
# and file types, and the README with the user guide; CPack makes a .deb and a
# .tar.gz of the same layout.
include(GNUInstallDirs)

set(TESSARO_APP_ID org.tessaro.Tessaro)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS tessaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${packaging}/${TESSARO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${TESSARO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/${TESSARO_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging}/${TESSARO_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${TESSARO_APP_ID}.xml)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/user-guide.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaro)
# Debian wants the change log and the manual page compressed, and a copyright
# file beside the docs.
set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND gzip -9nc ${packaging}/changelog > ${changelog}
    DEPENDS ${packaging}/changelog)
set(manpage ${PROJECT_BINARY_DIR}/tessaro.1.gz)
add_custom_command(OUTPUT ${manpage}
    COMMAND gzip -9nc ${packaging}/tessaro.1 > ${manpage}
    DEPENDS ${packaging}/tessaro.1)
add_custom_target(tessaro_changelog ALL DEPENDS ${changelog} ${manpage})
install(FILES ${manpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${changelog} ${packaging}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaro)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaro
        FILES_MATCHING PATTERN "*.png")

# The program as the .deb ships it: built with the distribution's hardening
# flags (fortified functions, stack protector, read-only relocations bound
# at start). Optimisation and debug information stay with the build type.
option(TESSARO_HARDENING "Build the program with dpkg-buildflags' hardening flags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(TESSARO_HARDENING AND DPKG_BUILDFLAGS AND NOT TESSARO_SANITIZE)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags EXCLUDE REGEX "^(-g|-O[0-9s]?|-ffile-prefix-map=.*)$")
        set(hardening_${kind} ${flags})
    endforeach()
    foreach(target tessaro_core tessaro_gui tessaro)
        target_compile_options(${target} PRIVATE ${hardening_CPPFLAGS} ${hardening_CXXFLAGS})
    endforeach()
    target_link_options(tessaro PRIVATE ${hardening_LDFLAGS})
endif()

set(CPACK_PACKAGE_NAME tessaro)
set(CPACK_PACKAGE_VENDOR "Tessaro")
set(CPACK_PACKAGE_CONTACT "Tessaro developers <tessaro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Launcher and toolbox for Chip's Challenge level sets")
# One string (lines end in \n): CMake would join several into a list, with
# ";" between them.
set(CPACK_PACKAGE_DESCRIPTION "Tessaro plays custom level sets of Chip's Challenge,\n\
keeps one score section for each set, edits scores, and writes Tile World\n\
DAC, CCF and CCX files.")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SVG window icon is drawn by Qt's SVG plugins, which no library link names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Tile World plays any set without the original game; Wine runs the game only
# with its 32-bit part, which a plain "wine" does not bring.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tworld")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
include(CPack)
