#!/usr/bin/env python3
"""Writes every skin of the project and the skinning library's shadow images.

  make_skins.py [--out ROOT]

ROOT is the source tree (default: the one this script lies in). Written:
  ROOT/skins/test/<Name>/...  and  ROOT/skins/test/<Name>.asz     test skins
  ROOT/skins/test/CommonSections.txt                                extra sections
  ROOT/skins/default/<Name>/... and ROOT/skins/default/<Name>.asz  the viewer's skin
  ROOT/skin/engine/resources/acSHDA.png, acSHDI.png                shadow templates
The output depends on nothing but this code: running it twice gives the same bytes."""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import default_skin  # noqa: E402
import exborders_skin  # noqa: E402
import exdrawmode_skin  # noqa: E402
import formats  # noqa: E402
import paint_skin  # noqa: E402
import shadows  # noqa: E402
import test_skins  # noqa: E402


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_skin(folder, name, files):
    """The folder skin and its packed copy beside it; stale files are removed."""
    target = os.path.join(folder, name)
    if os.path.isdir(target):
        for old in os.listdir(target):
            if old not in files:
                os.remove(os.path.join(target, old))
    for fname, data in files.items():
        write(os.path.join(target, fname), data)
    write(os.path.join(folder, name + ".asz"), formats.asz(files))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.dirname(os.path.dirname(here)))
    root = parser.parse_args().out

    for name, files in test_skins.skins().items():
        write_skin(os.path.join(root, "skins", "test"), name, files)
    write_skin(os.path.join(root, "skins", "test"), paint_skin.NAME, paint_skin.files())
    write_skin(os.path.join(root, "skins", "test"), exborders_skin.NAME, exborders_skin.files())
    write_skin(os.path.join(root, "skins", "test"), exdrawmode_skin.NAME, exdrawmode_skin.files())
    write(os.path.join(root, "skins", "test", "CommonSections.txt"), test_skins.COMMON_SECTIONS)
    write_skin(os.path.join(root, "skins", "default"), default_skin.NAME, default_skin.files())
    for fname, data in shadows.files().items():
        write(os.path.join(root, "skin", "engine", "resources", fname), data)


if __name__ == "__main__":
    main()
