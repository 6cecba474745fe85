# Installing the program: the executable, its desktop entry and icons, and the machine-wide
# registry hive with the uninstall entry that marks a copy as installed. The program finds that
# hive at ../share/dimmetric/system.reg from its own folder, so a copy in the build tree or in an
# unpacked folder has none and is portable. `cpack` makes a Debian package of the same files.
include(GNUInstallDirs)

install(TARGETS dimmetric RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/dimmetric.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/forms/pictures/dimmetric.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
install(FILES ${CMAKE_SOURCE_DIR}/forms/pictures/dimmetric-128.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps RENAME dimmetric.png)
configure_file(${CMAKE_SOURCE_DIR}/packaging/system.reg.in ${CMAKE_BINARY_DIR}/packaging/system.reg
    @ONLY NEWLINE_STYLE UNIX)
install(FILES ${CMAKE_BINARY_DIR}/packaging/system.reg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/dimmetric PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dimmetric)
set(CPACK_PACKAGE_VENDOR Brackenway)
set(CPACK_PACKAGE_CONTACT "Brackenway <${DIMMETRIC_MAKER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Memory details at your finger tips")
set(CPACK_PACKAGE_DESCRIPTION
    "Shows the memory modules installed in the computer: slots, capacity, maker, model, type and serial number, with the memory in use.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The HTTP transport needs libcurl's protocol lists by name (7.85 and later).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.85)")
set(CPACK_STRIP_FILES ON)
# TLS for the update check and the links download; without it they fall back to plain HTTP.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libssl3)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
