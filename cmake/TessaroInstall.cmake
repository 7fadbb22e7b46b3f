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

set(CPACK_PACKAGE_NAME tessaro)
set(CPACK_PACKAGE_VENDOR "Tessaro")
set(CPACK_PACKAGE_CONTACT "Tessaro developers <tessaro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Launcher and toolbox for Chip's Challenge level sets")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessaro plays custom level sets of Chip's Challenge with the original\n"
    "game, keeps one score section for each set, edits scores, and writes\n"
    "Tile World DAC, CCF and CCX files.")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine")
include(CPack)
