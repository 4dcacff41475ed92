#!/usr/bin/env python3
"""Installs a build tree into a temporary prefix and checks what a desktop
finds there: the programs, the desktop entry, the MIME package, the icons,
the AppStream file and the man pages, judged by the desktop's own validators.

usage: check-install.py CMAKE BUILD_DIR VERSION
"""
import gzip
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

APP_ID = "io.github.torqlet.Torqlet"
MIME_TYPE = "application/x-car-information"
ICON_SIZES = (16, 32, 48, 64, 128, 256)
MIME_NS = "{http://www.freedesktop.org/standards/shared-mime-info}"
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def expected_files():
    files = {"bin/torqlet", "bin/torqlet-cli",
             "share/applications/%s.desktop" % APP_ID,
             "share/mime/packages/%s.xml" % APP_ID,
             "share/metainfo/%s.metainfo.xml" % APP_ID,
             "share/man/man1/torqlet.1.gz", "share/man/man1/torqlet-cli.1.gz",
             "share/doc/torqlet/copyright", "share/doc/torqlet/changelog.Debian.gz",
             "share/lintian/overrides/torqlet"}
    files |= {"share/icons/hicolor/%dx%d/apps/%s.png" % (s, s, APP_ID) for s in ICON_SIZES}
    return files


def installed_files(prefix):
    found = set()
    for folder, _, names in os.walk(prefix):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), prefix))
    return found


def desktop_entry(path):
    entry = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                entry[key] = value
    return entry


def check_programs(prefix, version):
    for name in ("torqlet", "torqlet-cli"):
        check(os.access(os.path.join(prefix, "bin", name), os.X_OK), "bin/%s is not executable" % name)
    for name, shown in (("torqlet-cli", "torqlet-cli"), ("torqlet", "Quorvex Torqlet")):
        result = run([os.path.join(prefix, "bin", name), "--version"],
                     env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        check(result.returncode == 0 and result.stdout == "%s %s\n" % (shown, version),
              "installed %s --version gave status %d, output %r, errors %r"
              % (name, result.returncode, result.stdout, result.stderr))


def check_desktop_entry(path):
    # Hints count too: they name entries that menus misplace.
    result = run(["desktop-file-validate", path])
    check(result.returncode == 0 and result.stdout == "" and result.stderr == "",
          "desktop-file-validate:\n" + result.stdout + result.stderr)
    entry = desktop_entry(path)
    check(entry.get("Exec", "").split()[0] == "torqlet", "desktop entry does not run torqlet")
    check(entry.get("Icon") == APP_ID, "desktop entry names icon %r" % entry.get("Icon"))
    check(MIME_TYPE in entry.get("MimeType", "").split(";"), "desktop entry lacks " + MIME_TYPE)


def check_mime_package(path, prefix):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as error:
        check(False, "MIME package is not well-formed: %s" % error)
        return
    types = root.findall(MIME_NS + "mime-type")
    check(root.tag == MIME_NS + "mime-info" and [t.get("type") for t in types] == [MIME_TYPE],
          "MIME package does not define exactly " + MIME_TYPE)
    for mime in types:
        globs = [g.get("pattern") for g in mime.findall(MIME_NS + "glob")]
        check(globs == ["*.gci"], "MIME type has globs %r" % globs)
        languages = {c.get(XML_LANG) for c in mime.findall(MIME_NS + "comment")}
        check(languages == {None, "de"}, "MIME comments in languages %r" % languages)
    # The desktop's own tool must read it and map the extension to the type.
    database = os.path.join(prefix, "share", "mime")
    result = run(["update-mime-database", database],
                 env=dict(os.environ, XDG_DATA_DIRS=os.path.join(prefix, "share")))
    check(result.returncode == 0 and result.stderr == "", "update-mime-database:\n" + result.stderr)
    globs_file = os.path.join(database, "globs2")
    check(os.path.exists(globs_file) and "%s:*.gci" % MIME_TYPE in open(globs_file).read(),
          "update-mime-database did not map *.gci to " + MIME_TYPE)


def check_metainfo(path, version):
    # Infos count too (a missing content rating is one); pedantic notes do not,
    # as the id's capitals are intended.
    result = run(["appstreamcli", "validate", "--no-net", path])
    notes = [line for line in result.stdout.splitlines() if line[:3] in ("E: ", "W: ", "I: ")]
    check(result.returncode == 0 and not notes,
          "appstreamcli validate:\n" + result.stdout + result.stderr)
    root = ET.parse(path).getroot()
    check(root.findtext("id") == APP_ID, "AppStream id is %r" % root.findtext("id"))
    check(root.findtext("launchable") == APP_ID + ".desktop", "AppStream launchable is wrong")
    provided = sorted(e.text for e in root.find("provides"))
    check(provided == [MIME_TYPE, "torqlet", "torqlet-cli"], "AppStream provides %r" % provided)
    releases = [r.get("version") for r in root.iter("release")]
    check(releases == [version], "AppStream releases %r, expected %s" % (releases, version))


def check_icons(prefix):
    for size in ICON_SIZES:
        path = os.path.join(prefix, "share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, APP_ID))
        with open(path, "rb") as f:
            head = f.read(24)
        check(head[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", head[16:24]) == (size, size),
              "icon at %d pixels is not a %dx%d PNG" % (size, size, size))


def check_man_pages(prefix, version):
    for name in ("torqlet", "torqlet-cli"):
        path = os.path.join(prefix, "share/man/man1/%s.1.gz" % name)
        with gzip.open(path, "rt", encoding="utf-8") as f:
            page = f.read()
        title = page.splitlines()[0] if page else ""
        check(title.startswith(".TH ") and ('"Quorvex Torqlet %s"' % version) in title,
              "%s.1 does not name version %s: %r" % (name, version, title))
        check("Licensed under the MIT licence." in page, "%s.1 does not name the licence" % name)
        result = run(["groff", "-man", "-ww", "-z", "-Tutf8"], input=page,
                     env=dict(os.environ, LC_ALL="C.UTF-8"))
        check(result.returncode == 0 and result.stderr == "", "groff on %s.1:\n%s" % (name, result.stderr))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    cmake, build, version = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="torqlet-install-") as prefix:
        result = run([cmake, "--install", build, "--prefix", prefix])
        if not check(result.returncode == 0, "cmake --install failed:\n" + result.stdout + result.stderr):
            return 1
        found, wanted = installed_files(prefix), expected_files()
        check(found == wanted, "missing: %s; unexpected: %s"
              % (sorted(wanted - found) or "none", sorted(found - wanted) or "none"))
        if wanted <= found:
            check_programs(prefix, version)
            check_desktop_entry(os.path.join(prefix, "share/applications/%s.desktop" % APP_ID))
            check_metainfo(os.path.join(prefix, "share/metainfo/%s.metainfo.xml" % APP_ID), version)
            check_icons(prefix)
            check_man_pages(prefix, version)
            check_mime_package(os.path.join(prefix, "share/mime/packages/%s.xml" % APP_ID), prefix)
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
