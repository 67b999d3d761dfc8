#!/usr/bin/env python3
"""Runs one book test of the viewer's start-up: stages a copy of the viewer
with fixture books beside it, sets up the player control's registration and
the viewer's installer trailer as the case asks, runs book_driver.py on the
copy, then checks that no installer file was left behind.

"@STAGE@" in the expected file and in the viewer's arguments stands for the
staged folder's Windows path. The prefix's registration of the player is
always put back afterwards, so later tests find the control as before.
"""
import argparse
import os
import shutil
import subprocess
import sys

CLSID_KEY = r"HKCR\CLSID\{D27CDB6E-AE6D-11cf-96B8-444553540000}\InprocServer32"
PLAYER_DIR = r"C:\windows\system32\Macromed\Flash"
PLAYER = PLAYER_DIR + r"\Flash10s.ocx"
OLD_PLAYER = PLAYER_DIR + r"\Flash9f.ocx"


def wine(*args):
    subprocess.run(["wine", *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False)


def unix_path(win):
    return subprocess.run(["winepath", "-u", win], capture_output=True, text=True, check=True).stdout.strip()


def win_path(path):
    return subprocess.run(["winepath", "-w", path], capture_output=True, text=True, check=True).stdout.strip()


def set_registration(kind, bin_dir):
    if kind == "none":
        # A fresh machine: no control registered and no control file.
        wine("regsvr32", "/u", "/s", PLAYER)
        wine("reg", "delete", CLSID_KEY.rsplit("\\", 1)[0], "/f")
        if os.path.exists(unix_path(PLAYER)):
            os.remove(unix_path(PLAYER))
    elif kind == "version9":
        # An older control that still works: registered under a version-9 name.
        shutil.copyfile(os.path.join(bin_dir, "Flash10s.ocx"), unix_path(OLD_PLAYER))
        wine("reg", "add", CLSID_KEY, "/ve", "/d", OLD_PLAYER, "/f")


def restore_registration(bin_dir):
    target = unix_path(PLAYER)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    shutil.copyfile(os.path.join(bin_dir, "Flash10s.ocx"), target)
    wine("regsvr32", "/s", PLAYER)
    old = unix_path(OLD_PLAYER)
    if os.path.exists(old):
        os.remove(old)


def damage_trailer(exe, kind):
    with open(exe, "r+b") as f:
        f.seek(-4, os.SEEK_END)
        if kind == "huge":
            f.write((0xFFFFFFF0).to_bytes(4, "big"))
        elif kind == "not-a-program":
            # In bounds, but the bytes there are the installer's tail, not a program.
            f.write((16).to_bytes(4, "big"))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--viewer", required=True)
    ap.add_argument("--stage", required=True)
    ap.add_argument("--fixture", action="append", default=[], help="folders copied beside the viewer, in order")
    ap.add_argument("--expected", required=True)
    ap.add_argument("--registration", choices=["as-is", "none", "version9"], default="as-is")
    ap.add_argument("--trailer", choices=["intact", "huge", "not-a-program"], default="intact")
    ap.add_argument("--shots", help="where the player leaves the photographs a script asks for")
    ap.add_argument("--ends-itself", action="store_true", help="the movie closes the viewer (see book_driver.py)")
    ap.add_argument("args", nargs="*")
    opts = ap.parse_args()

    bin_dir = os.path.dirname(os.path.abspath(opts.viewer))
    stage = os.path.abspath(opts.stage)
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(stage)
    for fixture in opts.fixture:
        shutil.copytree(fixture, stage, dirs_exist_ok=True)
    exe = os.path.join(stage, "viewer.exe")
    shutil.copyfile(opts.viewer, exe)
    if opts.trailer != "intact":
        damage_trailer(exe, opts.trailer)

    stage_win = win_path(stage).rstrip("\\")
    with open(opts.expected, encoding="utf-8") as f:
        expected = f.read().replace("@STAGE@", stage_win)
    expected_file = os.path.join(stage, "expected.txt")
    with open(expected_file, "w", encoding="utf-8") as f:
        f.write(expected)
    args = [a.replace("@STAGE@", stage_win) for a in opts.args]

    installer = unix_path(r"C:\temp\flash10.exe")
    if os.path.exists(installer):
        os.remove(installer)
    try:
        set_registration(opts.registration, bin_dir)
        driver = os.path.join(os.path.dirname(os.path.abspath(__file__)), "book_driver.py")
        shots = ["--shots", opts.shots] if opts.shots else []
        ends = ["--ends-itself"] if opts.ends_itself else []
        rc = subprocess.run([sys.executable, driver, "--viewer", exe, "--journal", os.path.join(stage, "journal.txt"),
                             "--expected", expected_file, *shots, *ends, "--", *args]).returncode
    finally:
        if opts.registration != "as-is":
            restore_registration(bin_dir)
    if os.path.exists(installer):
        print("FAILED: the installer was left at C:\\temp\\flash10.exe")
        rc = 1
    return rc


if __name__ == "__main__":
    sys.exit(main())
