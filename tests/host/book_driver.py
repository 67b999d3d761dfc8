#!/usr/bin/env python3
"""Runs the viewer on a book whose movie is a stand-in script, under Wine, and
checks what the stand-in player journalled.

The journal has one entry per line: "<seq> #<instance> <host class> <text>".
The expected file lists entries without their sequence number, in the order
they must appear (other entries may come between them). Lines between "{" and
"}" may appear in any order among themselves (answers whose order comes from
the file system). A line starting with "!" must appear nowhere. A "FAIL" entry
always fails the run; so does a script that never reaches END. With
--ends-itself the movie closes the viewer: the viewer must then end by
itself within the timeout with exit code 0 (a fault in its clean-up leaves
it hanging in the crash dialog or ends it with another code), and END is
not required.
"""
import argparse
import os
import signal
import subprocess
import sys
import time


def win_path(path):
    return subprocess.run(["winepath", "-w", path], capture_output=True, text=True, check=True).stdout.strip()


def read_journal(path):
    try:
        with open(path, encoding="utf-8") as f:
            return [line.rstrip("\n").split(" ", 1)[1] for line in f if " " in line]
    except FileNotFoundError:
        return []


def parse_expected(path):
    """Returns (steps, forbidden): each step is a list of entries; a step of
    more than one entry is an unordered group."""
    steps, forbidden, group = [], [], None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("# "):
                continue
            if line == "{":
                group = []
            elif line == "}":
                steps.append(group)
                group = None
            elif line.startswith("!"):
                forbidden.append(line[1:])
            elif group is not None:
                group.append(line)
            else:
                steps.append([line])
    return steps, forbidden


def check(entries, steps, forbidden, end_required=True):
    problems = [f"journal has {e!r}" for e in entries if e.split(" ", 2)[-1].startswith("FAIL")]
    if end_required and not any(e.endswith(" END") for e in entries):
        problems.append("the script never reached END")
    for bad in forbidden:
        if any(bad in e for e in entries):
            problems.append(f"journal has forbidden {bad!r}")
    pos = 0
    for step in steps:
        wanted = list(step)
        start = pos
        while wanted and pos < len(entries):
            if entries[pos] in wanted:
                wanted.remove(entries[pos])
            pos += 1
        if wanted:
            problems.append(f"missing after entry {start}: {wanted!r}")
            pos = start
    return problems


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--viewer", required=True, help="the viewer's .exe (a Linux path)")
    ap.add_argument("--journal", required=True)
    ap.add_argument("--expected", required=True)
    ap.add_argument("--timeout", type=float, default=30)
    ap.add_argument("--shots", help="where the player leaves the photographs a script asks for")
    ap.add_argument("--ends-itself", action="store_true",
                    help="the movie closes the viewer: it must end by itself, with exit code 0")
    ap.add_argument("args", nargs="*", help="the viewer's command line")
    opts = ap.parse_args()

    if os.path.exists(opts.journal):
        os.remove(opts.journal)
    env = dict(os.environ, STANDIN_JOURNAL=win_path(opts.journal))
    if opts.shots:
        os.makedirs(opts.shots, exist_ok=True)
        env["STANDIN_SHOTS"] = win_path(opts.shots)
    viewer = subprocess.Popen(["wine", opts.viewer] + opts.args, cwd=os.path.dirname(opts.viewer), env=env,
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + opts.timeout
    while time.monotonic() < deadline:
        entries = read_journal(opts.journal)
        stop = viewer.poll() is not None or any(" FAIL" in e for e in entries)
        if stop or (not opts.ends_itself and any(e.endswith(" END") for e in entries)):
            break
        time.sleep(0.1)
    time.sleep(0.3)  # entries written just after END (destroy on close)
    exit_code = viewer.poll()
    if exit_code is None:
        viewer.send_signal(signal.SIGKILL)
        viewer.wait()

    entries = read_journal(opts.journal)
    steps, forbidden = parse_expected(opts.expected)
    problems = check(entries, steps, forbidden, end_required=not opts.ends_itself)
    if opts.ends_itself and exit_code is None:
        problems.append(f"the viewer was still running {opts.timeout:g} s after it started")
    elif opts.ends_itself and exit_code != 0:
        problems.append(f"the viewer ended with exit code {exit_code}")
    if problems:
        print("journal:")
        for e in entries:
            print("  " + e)
        for p in problems:
            print("FAILED: " + p)
        return 1
    print(f"book passed: {len(entries)} journal entries checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())
