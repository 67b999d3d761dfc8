#!/usr/bin/env python3
"""Appends an installer to a program: the installer's bytes, then their count
in 4 bytes, big-endian. Run on a freshly linked program only (each run
appends again)."""
import sys


def main():
    program, installer = sys.argv[1], sys.argv[2]
    with open(installer, "rb") as f:
        payload = f.read()
    if not payload.startswith(b"MZ"):
        sys.exit(f"{installer} is not a program")
    with open(program, "ab") as f:
        f.write(payload)
        f.write(len(payload).to_bytes(4, "big"))


if __name__ == "__main__":
    main()
