#!/usr/bin/env python3
"""Runs one book test (book_case.py) with what the viewer's services need
around it: the microphone stand-in and the MP3 encoder beside the staged
viewer, the logging stub program, extra environment, and the prefix's
temporary folder. Afterwards it checks the recordings left there and what
the stub logged.

"@TEMP@" in the expected file stands for the prefix's temporary folder
(with its trailing "\\"). Options of this script come before "--"; the
rest goes to book_case.py unchanged (but for --expected, rewritten here).
"""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ACROBAT_KEY = r"HKCU\Software\Adobe\Acrobat Reader\9.0\InstallPath"


def wine_temp_folder():
    out = subprocess.run(["wine", "cmd", "/c", "echo %TEMP%"], capture_output=True, text=True,
                         stdin=subprocess.DEVNULL).stdout.strip().splitlines()
    folder = out[-1].strip() if out else ""
    return folder if folder.endswith("\\") else folder + "\\"


def unix_path(win):
    return subprocess.run(["winepath", "-u", win], capture_output=True, text=True, check=True).stdout.strip()


def check_recording(path):
    """Problems of one recording: it must be MPEG audio closed by an ID3v1 record."""
    if not os.path.exists(path):
        return [f"{path} is missing"]
    with open(path, "rb") as f:
        data = f.read()
    problems = []
    if len(data) <= 128 or data[-128:-125] != b"TAG":
        problems.append(f"{path} does not end with an ID3v1 record ({len(data)} bytes)")
    if len(data) < 2 or data[0] != 0xFF or (data[1] & 0xE0) != 0xE0:
        problems.append(f"{path} does not start with an MPEG audio frame")
    return problems


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", required=True, help="the folder of the built programs")
    ap.add_argument("--audio", action="store_true", help="the microphone stand-in and the encoder beside the viewer")
    ap.add_argument("--logargs", action="store_true", help="the logging stub program beside the viewer")
    ap.add_argument("--acrobat", action="store_true",
                    help="the stub as Acrobat Reader 9 in the stage's Reader folder, registered for the user")
    ap.add_argument("--env", action="append", default=[], help="NAME=VALUE for the viewer")
    ap.add_argument("--recordings", type=int, default=-1,
                    help="micrec1.mp3 .. micrecN.mp3 must be complete afterwards, and no other")
    ap.add_argument("--log-lines", help="a file of lines the stub's log must hold, in order")
    opts, rest = ap.parse_known_args()
    if rest and rest[0] == "--":
        rest = rest[1:]

    # The stage is made by book_case.py; files to add go in as one more fixture.
    extra = tempfile.mkdtemp(prefix="kvb-host-case-")
    log_file = os.path.join(extra, "stub.log")
    try:
        overrides = os.environ.get("WINEDLLOVERRIDES", "")
        if opts.audio:
            shutil.copy(os.path.join(opts.bin, "dsound_standin", "dsound.dll"), extra)
            shutil.copy(os.path.join(opts.bin, "lame_enc.dll"), extra)
            overrides = (overrides + ";" if overrides else "") + "dsound=n,b"
        if opts.logargs:
            shutil.copy(os.path.join(opts.bin, "logargs.exe"), extra)
        fixture_dir = os.path.join(extra, "files")
        os.makedirs(fixture_dir)
        for name in os.listdir(extra):
            if name.endswith((".dll", ".exe")):
                shutil.move(os.path.join(extra, name), fixture_dir)
        stage = os.path.abspath(rest[rest.index("--stage") + 1])
        stage_win = subprocess.run(["winepath", "-w", stage], capture_output=True,
                                   text=True).stdout.strip().rstrip("\\")
        if opts.acrobat:
            os.makedirs(os.path.join(fixture_dir, "Reader"))
            shutil.copy(os.path.join(opts.bin, "logargs.exe"), os.path.join(fixture_dir, "Reader", "AcroRd32.exe"))
            subprocess.run(["wine", "reg", "add", ACROBAT_KEY, "/ve", "/d", stage_win + "\\Reader", "/f"],
                           stdin=subprocess.DEVNULL, capture_output=True)

        env_log = subprocess.run(["winepath", "-w", log_file], capture_output=True, text=True).stdout.strip()
        os.environ["WINEDLLOVERRIDES"] = overrides
        os.environ["LOGARGS_LOG"] = env_log
        for pair in opts.env:
            name, value = pair.split("=", 1)
            os.environ[name] = value
        os.environ["WINEDEBUG"] = os.environ.get("WINEDEBUG", "-all")

        temp = wine_temp_folder()
        temp_unix = unix_path(temp)
        for old in glob.glob(os.path.join(temp_unix, "micrec*.mp3")):
            os.remove(old)

        # The expected file with the temporary folder filled in.
        args = list(rest)
        i = args.index("--expected")
        with open(args[i + 1], encoding="utf-8") as f:
            expected = f.read().replace("@TEMP@", temp)
        expected_file = os.path.join(extra, "expected.txt")
        with open(expected_file, "w", encoding="utf-8") as f:
            f.write(expected)
        args[i + 1] = expected_file
        sep = args.index("--") if "--" in args else len(args)
        args[sep:sep] = ["--fixture", fixture_dir]

        rc = subprocess.run([sys.executable, os.path.join(HERE, "book_case.py"), *args]).returncode

        problems = []
        if opts.recordings >= 0:
            made = sorted(os.path.basename(p) for p in glob.glob(os.path.join(temp_unix, "micrec*.mp3")))
            wanted = sorted(f"micrec{n}.mp3" for n in range(1, opts.recordings + 1))
            if made != wanted:
                problems.append(f"recordings {made}, wanted {wanted}")
            for name in wanted:
                problems += check_recording(os.path.join(temp_unix, name))
            for p in glob.glob(os.path.join(temp_unix, "micrec*.mp3")):
                os.remove(p)
        if opts.log_lines:
            with open(opts.log_lines, encoding="utf-8") as f:
                wanted_lines = [l.rstrip("\n") for l in f if l.strip() and not l.startswith("# ")]
            try:
                with open(log_file, encoding="utf-8") as f:
                    logged = [l.rstrip("\n") for l in f]
            except FileNotFoundError:
                logged = []
            pos = 0
            for line in wanted_lines:
                line = line.replace("@STAGE@", stage_win)
                while pos < len(logged) and logged[pos] != line:
                    pos += 1
                if pos == len(logged):
                    problems.append(f"the stub's log lacks {line!r} (log: {logged!r})")
                    break
                pos += 1
        for p in problems:
            print("FAILED: " + p)
        return rc if rc else (1 if problems else 0)
    finally:
        if opts.acrobat:
            subprocess.run(["wine", "reg", "delete", r"HKCU\Software\Adobe", "/f"], stdin=subprocess.DEVNULL,
                           capture_output=True)
        shutil.rmtree(extra, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
