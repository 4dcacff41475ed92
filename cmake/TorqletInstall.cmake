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
foreach(page torqlet torqlet-cli)
  configure_file(${TORQLET_PACKAGING_DIR}/${page}.1.in ${PROJECT_BINARY_DIR}/packaging/${page}.1 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
