# Installs the programs with what a desktop needs to offer them: the desktop
# entry, the MIME type of car files, the icon in every size, the AppStream
# description and the man pages. All of them share one reverse-DNS id.
include(GNUInstallDirs)

set(TORQLET_APP_ID io.github.torqlet.Torqlet)
set(TORQLET_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS torqlet torqlet-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${TORQLET_PACKAGING_DIR}/${TORQLET_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TORQLET_PACKAGING_DIR}/${TORQLET_APP_ID}.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/torqlet-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${TORQLET_APP_ID}.png)
endforeach()

# The texts that name the version take it from project() and the release date.
configure_file(${TORQLET_PACKAGING_DIR}/${TORQLET_APP_ID}.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/packaging/${TORQLET_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${TORQLET_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Manual pages and the Debian changelog are installed compressed, as Debian
# wants them: gzip -9 -n, which leaves out the name and time of the file so
# that the package is the same from build to build.
set(TORQLET_PACKAGE_MAINTAINER
  "Quorvex Torqlet developers <maintainers@users.noreply.c-seed-cf862248.example>"
  CACHE STRING "Maintainer field of the Debian package")
set(compressed "")
foreach(page torqlet.1 torqlet-cli.1 changelog.Debian)
  configure_file(${TORQLET_PACKAGING_DIR}/${page}.in ${PROJECT_BINARY_DIR}/packaging/${page} @ONLY)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${page}.gz
    COMMAND gzip -9 -n -f -k ${PROJECT_BINARY_DIR}/packaging/${page}
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/${page}
    COMMENT "Compressing ${page}")
  list(APPEND compressed ${PROJECT_BINARY_DIR}/packaging/${page}.gz)
endforeach()
add_custom_target(torqlet_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${PROJECT_BINARY_DIR}/packaging/torqlet.1.gz ${PROJECT_BINARY_DIR}/packaging/torqlet-cli.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TORQLET_PACKAGING_DIR}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/torqlet)
install(FILES ${TORQLET_PACKAGING_DIR}/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME torqlet)
