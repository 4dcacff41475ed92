# `cmake --build BUILD --target package` makes a Debian package of what
# TorqletInstall.cmake installs. dpkg-shlibdeps derives the dependencies from
# the programs' shared libraries (Qt 6 Widgets, muParser, the C++ runtime).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torqlet)
set(CPACK_PACKAGE_VENDOR "The Quorvex Torqlet developers")
set(CPACK_PACKAGE_CONTACT "${TORQLET_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the car-information file of a driving game")
# One line per line of the control file's long description.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quorvex Torqlet opens the car-information file of a driving game (nyc.gci),"
  "shows the cars as the rows of a grid, lets you edit their physics values in"
  "place or recompute a whole selection from a term, and writes the file back"
  "in the same form."
  "torqlet-cli prints, exports and rewrites car files from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
