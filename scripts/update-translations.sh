#!/usr/bin/env bash
# Brings translations/*.ts up to date with the sources: new texts are added as
# unfinished, texts no longer in the sources are dropped. Translate the new
# entries (with Qt Linguist, `linguist translations/torqlet_de.ts`, or in the
# file itself) before committing; the test translations_up_to_date fails
# while any entry is missing or unfinished.
#
# usage: scripts/update-translations.sh [TS-FILE...]   (default: translations/*.ts)
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(translations/*.ts)
"$lupdate" -silent -I . -locations none -no-obsolete app base core helperlib model ui tools -ts "${files[@]}"
