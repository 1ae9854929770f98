# What `cmake --install` puts where, and the packages CPack makes of it: a Debian package from
# the linux preset, a zip from the windows preset. scripts/package.sh builds both.
include(GNUInstallDirs)

set(VAROKIN_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(VAROKIN_PACKAGING_BINARY ${PROJECT_BINARY_DIR}/packaging)

set(CPACK_PACKAGE_NAME varokin)
set(CPACK_PACKAGE_VENDOR "The Varokin authors")
set(CPACK_PACKAGE_CONTACT "${VAROKIN_CONTACT}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "switch Total Annihilation's mods on and off")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Packages hold only what the install rules name, stripped, in directories anyone may read.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  # Everything in the zip's top folder: "Extract all" already makes a folder of the zip's name.
  install(TARGETS Varokin varokin-console RUNTIME DESTINATION .)
  configure_file(${VAROKIN_PACKAGING_SOURCE}/windows/README.txt.in
                 ${VAROKIN_PACKAGING_BINARY}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${VAROKIN_PACKAGING_BINARY}/LICENSE.txt @ONLY
                 NEWLINE_STYLE CRLF)
  install(FILES ${VAROKIN_PACKAGING_BINARY}/README.txt ${VAROKIN_PACKAGING_BINARY}/LICENSE.txt
          DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Varokin-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  install(TARGETS varokin-console RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARGET varokin)
    install(TARGETS varokin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()

  set(share ${CMAKE_INSTALL_DATADIR})
  install(FILES ${VAROKIN_PACKAGING_SOURCE}/varokin.desktop DESTINATION ${share}/applications
          RENAME ${VAROKIN_APP_ID}.desktop)
  foreach(size 48 128 256)
    install(FILES ${VAROKIN_PACKAGING_SOURCE}/icons/varokin-${size}.png
            DESTINATION ${share}/icons/hicolor/${size}x${size}/apps RENAME varokin.png)
  endforeach()
  install(FILES ${VAROKIN_PACKAGING_SOURCE}/icons/varokin.svg
          DESTINATION ${share}/icons/hicolor/scalable/apps)
  install(FILES ${VAROKIN_PACKAGING_SOURCE}/varokin-mime.xml DESTINATION ${share}/mime/packages
          RENAME varokin.xml)
  configure_file(${VAROKIN_PACKAGING_SOURCE}/varokin.metainfo.xml.in
                 ${VAROKIN_PACKAGING_BINARY}/varokin.metainfo.xml @ONLY)
  install(FILES ${VAROKIN_PACKAGING_BINARY}/varokin.metainfo.xml DESTINATION ${share}/metainfo
          RENAME ${VAROKIN_APP_ID}.metainfo.xml)

  # The Debian changelog wants a date as `date -R` writes it.
  execute_process(COMMAND date -u -R -d "${VAROKIN_RELEASE_DATE} 12:00"
                  OUTPUT_VARIABLE VAROKIN_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  configure_file(${VAROKIN_PACKAGING_SOURCE}/debian/copyright.in
                 ${VAROKIN_PACKAGING_BINARY}/copyright @ONLY)
  configure_file(${VAROKIN_PACKAGING_SOURCE}/debian/changelog.in
                 ${VAROKIN_PACKAGING_BINARY}/changelog @ONLY)
  set(docdir ${share}/doc/varokin)
  install(FILES ${VAROKIN_PACKAGING_BINARY}/copyright DESTINATION ${docdir})
  install(FILES ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/THIRD-PARTY.md
          DESTINATION ${docdir})

  # Man pages and the changelog are installed compressed, as Debian keeps them; -n leaves the
  # name and time out, so the same sources give the same bytes.
  set(compressed)
  foreach(page varokin varokin-console)
    configure_file(${VAROKIN_PACKAGING_SOURCE}/man/${page}.6.in ${VAROKIN_PACKAGING_BINARY}/${page}.6
                   @ONLY)
    list(APPEND compressed ${page}.6)
  endforeach()
  list(APPEND compressed changelog)
  set(gzipped)
  foreach(file ${compressed})
    add_custom_command(OUTPUT ${VAROKIN_PACKAGING_BINARY}/${file}.gz
                       COMMAND gzip -9nkf ${file}
                       DEPENDS ${VAROKIN_PACKAGING_BINARY}/${file}
                       WORKING_DIRECTORY ${VAROKIN_PACKAGING_BINARY})
    list(APPEND gzipped ${VAROKIN_PACKAGING_BINARY}/${file}.gz)
  endforeach()
  add_custom_target(varokin_compressed_docs ALL DEPENDS ${gzipped})
  install(FILES ${VAROKIN_PACKAGING_BINARY}/varokin.6.gz
                ${VAROKIN_PACKAGING_BINARY}/varokin-console.6.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${VAROKIN_PACKAGING_BINARY}/changelog.gz DESTINATION ${docdir})

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  # Not "games": Debian keeps that for games in /usr/games, and Varokin is a tool beside one.
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
  # The first line of the description is CPACK_PACKAGE_DESCRIPTION_SUMMARY.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Varokin switches installed Total Annihilation modifications on and off: one
Total Conversion, up to 32 Mutators, one AI, and unit archives and packs of
them, by nothing but renames inside the game's folder. It remembers what it
switched, checks the installation, saves and restores snapshots, and
launches the game through Wine.")
  # The Qt libraries it links, as dpkg-shlibdeps finds them; Wine runs the game, not Varokin.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wine)
endif()

include(CPack)
