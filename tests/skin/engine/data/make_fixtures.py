#!/usr/bin/env python3
"""Makes the skin-engine test fixtures on the Linux side, independently of the
code under test.

    python3 make_fixtures.py            # everything
    python3 make_fixtures.py pack       # packed-skin fixtures only
    python3 make_fixtures.py png        # PNG corpus and reference pixels only

pack: pack_src/ (a small skin folder) and independent.asz, that folder packed
      with Python's zlib in the container layout (int32 little-endian
      "ASzf", count, then per entry name length, name, unpacked size, one zlib
      stream).
png:  png/*.png made with ImageMagick (every colour type and depth, interlaced
      and not, palettes with tRNS, gamma) and crafted with zlib + struct for the
      edge cases; png/*.ref is the reference decoding of each file by libpng
      (tool png_reference.c, built here with the host compiler): raw samples
      without any transform, see that tool for the layout.
"""
import os
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------- packed skins

def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP whose pixel (x, y) is pixel(x, y) -> (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def tiny_png():
    rows = b"".join(b"\0" + b"".join(bytes((x * 60, y * 60, 200, 255 - x * 40)) for x in range(4)) for y in range(4))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 4, 4, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def make_pack():
    src = os.path.join(HERE, "pack_src")
    os.makedirs(src, exist_ok=True)
    files = {
        "Options.dat": ("[GLOBALINFO]\r\nVERSION=6.4\r\nMASTERBITMAP=MASTER.BMP\r\n"
                        "[BUTTON]\r\nCOLOR=16777215\r\n" + "; filler line\r\n" * 200).encode("ascii"),
        "Master.bmp": bmp24(40, 20, lambda x, y: ((x * 6) & 255, (y * 12) & 255, 255 if (x + y) % 7 == 0 else 0)),
        "Glyph.Png": tiny_png(),
        "Empty.jpg": b"",
    }
    for name, data in files.items():
        with open(os.path.join(src, name), "wb") as f:
            f.write(data)
    out = bytearray(b"ASzf" + struct.pack("<i", len(files)))
    for name in ["Master.bmp", "Options.dat", "Glyph.Png", "Empty.jpg"]:
        data = files[name]
        out += struct.pack("<i", len(name)) + name.encode("ascii") + struct.pack("<i", len(data))
        out += zlib.compress(data, 6)
    with open(os.path.join(HERE, "independent.asz"), "wb") as f:
        f.write(out)


# ------------------------------------------------------------------- PNG corpus

def main(argv):
    what = set(argv[1:]) or {"pack", "png"}
    if "pack" in what:
        make_pack()
    if "png" in what:
        import make_png_corpus  # noqa: F401 (kept beside this script)
        make_png_corpus.main()


if __name__ == "__main__":
    sys.path.insert(0, HERE)
    main(sys.argv)
