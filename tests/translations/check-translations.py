#!/usr/bin/env python3
"""Fails when a committed translation is out of date with the sources (an
lupdate run over a copy changes it) or has an entry without a translation.
usage: check-translations.py SOURCE_DIR LUPDATE"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

source, lupdate = sys.argv[1:3]
failures = []
folder = os.path.join(source, "translations")
for name in sorted(os.listdir(folder)):
    if not name.endswith(".ts"):
        continue
    committed = os.path.join(folder, name)
    with open(committed, encoding="utf-8") as f:
        text = f.read()
    with tempfile.TemporaryDirectory() as temp:
        copy = os.path.join(temp, name)
        shutil.copy(committed, copy)
        subprocess.run([os.path.join(source, "scripts/update-translations.sh"), copy],
                       check=True, env=dict(os.environ, LUPDATE=lupdate))
        with open(copy, encoding="utf-8") as f:
            updated = f.read()
    if updated != text:
        failures.append("%s is out of date with the sources: run scripts/update-translations.sh "
                        "and translate what it adds" % name)
    for source_text in re.findall(r"<source>(.*?)</source>\s*<translation type=\"unfinished\"",
                                  text, re.S):
        failures.append("%s: no translation of %r" % (name, source_text))
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
