#!/usr/bin/env python3
"""Writes a large packed skin for the loading benchmark (not committed: the
output grows with the scale).

  large_skin.py SCALE OUT.asz

The default skin's sections are repeated SCALE times (copy i of section X is
X_i, its PARENTCLASS the copy of its parent), each copy with its own cell of
a master bitmap of 512 x 460 pixels per copy (the default master, 256 x 230,
in the cell's corner; four cells to a row) and its own copy of every separate
image file. So sections, master pixels and own images all grow with SCALE."""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import default_skin  # noqa: E402
import formats  # noqa: E402

CELL_W, CELL_H, PER_ROW = 512, 460, 4


def read_bmp24(data):
    """(width, height, rows top-down as BGR bytes) of a 24-bit bottom-up BMP."""
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = [data[offset + (height - 1 - y) * stride:][:width * 3] for y in range(height)]
    return width, height, rows


def write_bmp24(width, height, rows):
    stride = (width * 3 + 3) & ~3
    pad = b"\0" * (stride - width * 3)
    pixels = b"".join(bytes(rows[height - 1 - y]) + pad for y in range(height))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def moved(value, dx, dy, i, files):
    """An image value moved by (dx, dy) in the master, or naming copy i of its file."""
    if value[:1] in "@^~":
        c = value[0]
        parts = value.split(c)
        for k, d in ((1, dx), (2, dy), (3, dx), (4, dy)):
            parts[k] = "%04d" % (int(parts[k]) + d)
        return c.join(parts)
    if value[:1] == "!":
        parts = value.split("!")
        name = parts[1]
        stem, ext = os.path.splitext(name)
        parts[1] = "%s_%d%s" % (stem, i, ext)
        files.add(name)
        return "!".join(parts)
    return value


def build(scale):
    skin = default_skin.build()
    originals = {k.upper(): v for k, v in skin.folder_files().items()}
    sections = skin.sections
    names = {s.upper() for s in sections}
    width, height, master = read_bmp24(originals["MASTER.BMP"])
    cols = min(scale, PER_ROW)
    rows_of_cells = (scale + PER_ROW - 1) // PER_ROW
    big_w, big_h = CELL_W * cols, CELL_H * rows_of_cells
    big = [bytearray(b"\xff\x00\xff" * big_w) for _ in range(big_h)]
    lines = []
    used_files = set()
    for i in range(scale):
        dx, dy = CELL_W * (i % PER_ROW), CELL_H * (i // PER_ROW)
        for y in range(height):
            big[dy + y][3 * dx:3 * (dx + width)] = master[y]
        for section, keys in sections.items():
            if section.upper() == "GLOBALINFO":
                if i == 0:
                    lines.append("[%s]" % section)
                    lines += ["%s=%s" % kv for kv in keys]
                continue
            lines.append("[%s]" % (section if i == 0 else "%s_%d" % (section, i)))
            for key, value in keys:
                if key.upper() == "PARENTCLASS" and value.upper() in names and i > 0:
                    value = "%s_%d" % (value, i)
                elif i > 0:
                    value = moved(value, dx, dy, i, used_files)
                lines.append("%s=%s" % (key, value))
    files = dict(originals)
    files["MASTER.BMP"] = write_bmp24(big_w, big_h, big)
    for i in range(1, scale):
        for name in used_files:
            stem, ext = os.path.splitext(name)
            files["%s_%d%s" % (stem, i, ext)] = originals[name.upper()]
    files["OPTIONS.DAT"] = ("\r\n".join(lines) + "\r\n").encode("ascii")
    return files


def main():
    scale, out = int(sys.argv[1]), sys.argv[2]
    files = build(scale)
    # The container keeps the default skin's names for its own files.
    names = {k.upper(): k for k in default_skin.build().folder_files()}
    with open(out, "wb") as f:
        f.write(formats.asz({names.get(k, k): v for k, v in files.items()}))


if __name__ == "__main__":
    main()
