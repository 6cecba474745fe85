# Installing the program: the executable, its desktop entry, icons, software-centre listing and
# manual page, and the machine-wide registry hive with the uninstall entry that marks a copy as
# installed. The program finds that hive at ../share/dimmetric/system.reg from its own folder, so
# a copy in the build tree or in an unpacked folder has none and is portable. `cpack` makes a
# Debian package of the same files with the documents Debian asks for.
include(GNUInstallDirs)

set(DIMMETRIC_APPSTREAM_ID "example.brackenway.dimmetric")
set(DIMMETRIC_DEBIAN_REVISION 1)
set(DIMMETRIC_PACKAGE_VERSION ${PROJECT_VERSION}-${DIMMETRIC_DEBIAN_REVISION})
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(pictures ${CMAKE_SOURCE_DIR}/forms/pictures)
set(generated ${CMAKE_BINARY_DIR}/packaging)
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/dimmetric)

install(TARGETS dimmetric RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cpack, `cmake --install --strip`) also drops the compiler's notes, as
# Debian's own packages do.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/dimmetric\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()")

install(FILES ${packaging}/dimmetric.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 32 48 128 256)
    set(picture ${pictures}/dimmetric-${size}.png)
    if(size EQUAL 32)
        set(picture ${pictures}/dimmetric.png)
    endif()
    install(FILES ${picture} RENAME dimmetric.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${pictures}/dimmetric.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

configure_file(${packaging}/dimmetric.metainfo.xml.in
    ${generated}/${DIMMETRIC_APPSTREAM_ID}.metainfo.xml @ONLY NEWLINE_STYLE UNIX)
install(FILES ${generated}/${DIMMETRIC_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

configure_file(${packaging}/system.reg.in ${generated}/system.reg @ONLY NEWLINE_STYLE UNIX)
install(FILES ${generated}/system.reg DESTINATION ${CMAKE_INSTALL_DATADIR}/dimmetric)

# The manual page and the Debian changelog, compressed as Debian wants them (gzip -9, no name or
# time stamp inside, so the same text gives the same bytes).
configure_file(${packaging}/dimmetric.1 ${generated}/dimmetric.1 @ONLY NEWLINE_STYLE UNIX)
configure_file(${packaging}/changelog.Debian.in ${generated}/changelog.Debian @ONLY NEWLINE_STYLE UNIX)
set(compressed)
foreach(document dimmetric.1 changelog.Debian)
    add_custom_command(OUTPUT ${generated}/${document}.gz
        COMMAND gzip -9nkf ${generated}/${document}
        DEPENDS ${generated}/${document}
        COMMENT "Compressing ${document}" VERBATIM)
    list(APPEND compressed ${generated}/${document}.gz)
endforeach()
add_custom_target(dimmetric_package_documents ALL DEPENDS ${compressed})
install(FILES ${generated}/dimmetric.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/changelog.Debian.gz DESTINATION ${docdir})
configure_file(${packaging}/copyright.in ${generated}/copyright @ONLY NEWLINE_STYLE UNIX)
install(FILES ${generated}/copyright DESTINATION ${docdir})
install(FILES ${packaging}/dimmetric.lintian-overrides RENAME dimmetric
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dimmetric)
set(CPACK_PACKAGE_VENDOR Brackenway)
set(CPACK_PACKAGE_CONTACT "Brackenway <${DIMMETRIC_MAKER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Memory details at your finger tips")
file(READ ${packaging}/description CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_HOMEPAGE_URL "https://${DIMMETRIC_SERVER_HOST}/dimmetric")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${DIMMETRIC_DEBIAN_REVISION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The HTTP transport needs libcurl's protocol lists by name and its quick exit (7.87 and later):
# the computed dependency on libcurl4 is raised to that version (PackageShlibs.cmake).
set(CPACK_DIMMETRIC_LIBCURL_DEPENDS "libcurl4 (>= 7.87)")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageShlibs.cmake)
set(CPACK_STRIP_FILES ON)
# TLS for the update check and the links download; without it they fall back to plain HTTP.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libssl3)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
