#!/usr/bin/env bash
# Installs the Debian packages that building and testing Torqlet needs, but only
# those that are missing, so a fresh machine needs nothing done by hand.
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  # Translations: lupdate and lrelease with their CMake functions, and Qt's
  # own translations of its buttons and dialogs.
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libmuparser-dev
  # The chart window: Qt Charts draws it, Qt SVG saves it as SVG.
  qt6-charts-dev qt6-svg-dev
  libgtest-dev googletest
  fonts-dejavu-core
  util-linux
  # The install test: validators of the desktop files, the MIME database and
  # the man page formatter.
  python3 desktop-file-utils appstream shared-mime-info groff-base
  # The Debian package: dpkg-shlibdeps derives its dependencies, CPack needs
  # file, lintian judges the package.
  dpkg-dev file lintian
)
if [ "${TORQLET_WITH_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests check that the file format ignores a decimal-comma locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q 'install ok installed'; then
    $sudo apt-get install -y -q --no-install-recommends locales
  fi
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
