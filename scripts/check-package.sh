#!/usr/bin/env bash
# Checks the Debian package: its files, its control fields and dependencies,
# what lintian says of it, and, when run as root, that it installs, that the installed torqlet-cli runs
# and that it removes cleanly. A torqlet package that was already installed is
# left alone: the script then only inspects.
#
# usage: scripts/check-package.sh [PACKAGE.deb]   (without one: make package)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -gt 1 ] || [[ "${1:-}" == -* ]]; then
  echo "usage: scripts/check-package.sh [PACKAGE.deb]" >&2
  exit 2
fi
if [ $# -eq 1 ]; then
  deb=$1
else
  make --no-print-directory package
  deb=$(ls -t "${BUILD:-build}"/torqlet_*.deb | head -n 1)
fi
[ -f "$deb" ] || { echo "no package at $deb" >&2; exit 1; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

id=io.github.torqlet.Torqlet
version=$(sed -n 's/^project(Torqlet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# Control fields: name, version from the project, and the shared libraries
# that dpkg-shlibdeps found.
field() { dpkg-deb --field "$deb" "$1"; }
dpkg-deb --info "$deb" >/dev/null || fail "dpkg-deb cannot read $deb"
[ "$(field Package)" = torqlet ] || fail "package name is '$(field Package)'"
[[ "$(field Version)" == "$version"-* ]] || fail "version $(field Version) is not $version"
depends=$(field Depends)
for library in libqt6widgets6 libmuparser; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
ok "torqlet $(field Version), Depends: $depends"

# Files: exactly the programs and the desktop files under /usr.
expected=(
  ./usr/bin/torqlet ./usr/bin/torqlet-cli
  ./usr/share/applications/$id.desktop
  ./usr/share/mime/packages/$id.xml
  ./usr/share/metainfo/$id.metainfo.xml
  ./usr/share/man/man1/torqlet.1.gz ./usr/share/man/man1/torqlet-cli.1.gz
  ./usr/share/doc/torqlet/copyright ./usr/share/doc/torqlet/changelog.Debian.gz
  ./usr/share/lintian/overrides/torqlet
)
for size in 16 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
listed=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$listed" = "$wanted" ]; then
  ok "${#expected[@]} files"
else
  fail "files differ from the expected list:"
  diff <(echo "$wanted") <(echo "$listed") >&2 || true
fi

# Debian's own judge: no error and no warning.
if lintian_out=$(lintian --fail-on error,warning "$deb" 2>&1); then
  ok "lintian finds nothing to complain about"
else
  fail "lintian:"
  echo "$lintian_out" >&2
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: installing the package is left out"
elif dpkg-query -W -f='${Status}' torqlet 2>/dev/null | grep -q 'install ok installed'; then
  echo "torqlet is already installed on this machine: installing the package is left out"
else
  # Whatever happens below, the package goes again.
  trap 'dpkg --purge torqlet >/dev/null || echo "FAIL: dpkg --purge torqlet" >&2' EXIT
  if dpkg -i "$deb" >/dev/null; then
    ok "dpkg -i $deb"
    shown=$(/usr/bin/torqlet-cli --version) || fail "/usr/bin/torqlet-cli --version failed"
    [ "$shown" = "torqlet-cli $version" ] && ok "/usr/bin/torqlet-cli --version: $shown" ||
      fail "/usr/bin/torqlet-cli --version printed '$shown'"
    # dpkg's trigger of shared-mime-info makes *.gci known to the desktop.
    if [ -f /usr/share/mime/globs2 ]; then
      grep -q '^[0-9]*:application/x-car-information:\*\.gci' /usr/share/mime/globs2 &&
        ok "*.gci is application/x-car-information in the MIME database" ||
        fail "the MIME database does not know *.gci"
    fi
  else
    fail "dpkg -i $deb"
  fi
  trap - EXIT
  if dpkg --purge torqlet >/dev/null && [ ! -e /usr/bin/torqlet-cli ]; then
    ok "dpkg --purge torqlet"
  else
    fail "dpkg --purge torqlet left /usr/bin/torqlet-cli"
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package $deb is fine"
