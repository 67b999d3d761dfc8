#!/usr/bin/env python3
"""The skin generator rebuilds every committed skin file and shadow image byte
for byte, leaves no committed file unaccounted for, and the skins keep the
loaders' authoring rules (capital names, codes inside the master bitmap,
VERSION at most 6.99 except in the skin made to break it)."""

import argparse
import filecmp
import os
import re
import struct
import subprocess
import sys
import tempfile

GENERATED = ["skins/test", "skins/default", "skin/engine/resources"]
NOT_GENERATED = {"skin/engine/resources/skin_engine.rc", "skin/engine/resources/README.md"}
CODE = re.compile(r"^[@^~](\d{4})[@^~](\d{4})[@^~](\d{4})[@^~](\d{4})")


def files_under(root, rel):
    out = set()
    for dirpath, _, names in os.walk(os.path.join(root, rel)):
        for n in names:
            out.add(os.path.relpath(os.path.join(dirpath, n), root).replace(os.sep, "/"))
    return out


def compare(source, fresh):
    problems = []
    committed = set().union(*(files_under(source, r) for r in GENERATED)) - NOT_GENERATED
    made = set().union(*(files_under(fresh, r) for r in GENERATED))
    for rel in sorted(made - committed):
        problems.append("generated but not committed: " + rel)
    for rel in sorted(committed - made):
        problems.append("committed but not generated: " + rel)
    for rel in sorted(made & committed):
        if not filecmp.cmp(os.path.join(source, rel), os.path.join(fresh, rel), shallow=False):
            problems.append("differs from the generator's output: " + rel)
    return problems, made


def bmp_size(path):
    with open(path, "rb") as f:
        head = f.read(26)
    return struct.unpack("<ii", head[18:26])


def ini(path):
    sections, current = [], None
    for line in open(path, encoding="cp1252").read().split("\r\n"):
        if line.startswith("["):
            current = (line[1:-1], [])
            sections.append(current)
        elif "=" in line:
            k, v = line.split("=", 1)
            current[1].append((k, v))
    return sections


def lint(folder):
    """The authoring rules of one folder skin."""
    problems = []
    sections = ini(os.path.join(folder, "Options.dat"))
    files = {n.upper(): n for n in os.listdir(folder)}
    values = {(s, k): v for s, pairs in sections for k, v in pairs}
    master = values.get(("GLOBALINFO", "MASTERBITMAP"))
    size = bmp_size(os.path.join(folder, files[master])) if master else None
    version = values.get(("GLOBALINFO", "VERSION"))
    if version is not None and float(version) > 6.99 and not folder.endswith("Version7"):
        problems.append("VERSION above 6.99")
    for s, pairs in sections:
        for k, v in pairs:
            where = "%s: [%s] %s" % (os.path.basename(folder), s, k)
            if (s != s.upper() or k != k.upper()) and s != "MIXEDCASE":
                problems.append(where + ": section and key names are written in capitals")
            m = CODE.match(v)
            if m and size:
                l, t, r, b = map(int, m.groups())
                if not (0 <= l < r <= size[0] and 0 <= t < b <= abs(size[1])):
                    problems.append(where + ": rectangle outside the master bitmap")
            if v.startswith("!"):
                name = v.split("!")[1]
                if name == name.upper() and name not in files:
                    problems.append(where + ": no file " + name)
            if v[:1] not in "@^~!#" and not any(e in v.upper() for e in (".BMP", ".JPG", ".JPEG", ".PNG")):
                if "#" in v:
                    problems.append(where + ": a plain value holds '#'")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--screenshots", help="where to leave a preview of the default skin")
    args = parser.parse_args()
    source = args.source
    if args.screenshots:
        os.makedirs(args.screenshots, exist_ok=True)
        subprocess.run([sys.executable, os.path.join(source, "skins", "generator", "preview.py"),
                        os.path.join(args.screenshots, "default-skin-preview.png")], check=True)
    with tempfile.TemporaryDirectory() as fresh:
        subprocess.run([sys.executable, os.path.join(source, "skins", "generator", "make_skins.py"),
                        "--out", fresh], check=True)
        problems, made = compare(source, fresh)
        again = tempfile.mkdtemp(dir=fresh)
        subprocess.run([sys.executable, os.path.join(source, "skins", "generator", "make_skins.py"),
                        "--out", again], check=True)
        for rel in sorted(made):
            if not filecmp.cmp(os.path.join(fresh, rel), os.path.join(again, rel), shallow=False):
                problems.append("two runs differ: " + rel)
    for base in ("skins/test", "skins/default"):
        for name in sorted(os.listdir(os.path.join(source, base))):
            folder = os.path.join(source, base, name)
            if os.path.isdir(folder):
                problems += lint(folder)
    for p in problems:
        print(p)
    print("%d generated files checked, %d problems" % (len(made), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
