#!/usr/bin/env python3
"""The PNG corpus of the PNG reader's tests (run through make_fixtures.py).

png/ok_*.png     valid files: every colour type and bit depth, interlaced and
                 not, written by the encoder below (every row filter type in
                 turn), plus some written by ImageMagick; palettes with tRNS,
                 gamma, split image data. Each has png/ok_*.ref, its decoding
                 by libpng (png_reference.c).
png/edge_*.png   valid-but-odd files the tests check by hand (no .ref).
png/bad_*.png    malformed files, one fault each.
"""
import os
import struct
import subprocess
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "png")
MAGIC = b"\x89PNG\r\n\x1a\n"
IM = "/usr/bin/convert-im6.q16"

ADAM7 = [(0, 0, 8, 8), (0, 4, 8, 8), (4, 0, 8, 4), (0, 2, 4, 4), (2, 0, 4, 2), (0, 1, 2, 2), (1, 0, 2, 1)]
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def chunk(kind, data, crc=None):
    if crc is None:
        crc = zlib.crc32(kind + data) & 0xFFFFFFFF
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)


def ihdr(w, h, depth, ctype, interlace=0, compression=0):
    return chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, depth, ctype, compression, 0, interlace))


def sample(x, y, c, depth, seed=0):
    """A smooth pattern with some detail, every value of the depth reachable."""
    top = (1 << depth) - 1
    v = (x * 7 + y * 13 + c * 29 + seed * 3 + ((x * y + c) % 5) * 11) % (top + 1 if top < 255 else 251)
    if depth == 16:
        v = (v * 257 + (x * 131 + y * 17 + c * 977) % 257) & 0xFFFF
    return v


def pack_row(values, depth):
    if depth == 16:
        return b"".join(struct.pack(">H", v) for v in values)
    if depth == 8:
        return bytes(values)
    out, acc, bits = bytearray(), 0, 0
    for v in values:
        acc = (acc << depth) | v
        bits += depth
        if bits == 8:
            out.append(acc)
            acc, bits = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, row, prev, bpp):
    out = bytearray()
    for i, v in enumerate(row):
        a = row[i - bpp] if i >= bpp else 0
        b = prev[i] if prev else 0
        c = prev[i - bpp] if prev and i >= bpp else 0
        pred = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
        out.append((v - pred) & 0xFF)
    return bytes([kind]) + bytes(out)


def image_data(w, h, depth, ctype, interlace, pixel, filters):
    """Filtered scan lines; pixel(x, y) -> tuple of samples; filters(n) -> type of row n."""
    ch = CHANNELS[ctype]
    bpp = max(1, ch * depth // 8)
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    raw, n = bytearray(), 0
    for (r0, c0, rs, cs) in passes:
        cols = list(range(c0, w, cs))
        if not cols:
            continue
        prev = None
        for y in range(r0, h, rs):
            vals = [s for x in cols for s in pixel(x, y)]
            row = pack_row(vals, depth)
            raw += filter_row(filters(n), row, prev, bpp)
            prev, n = row, n + 1
    return bytes(raw)


def png(w, h, depth, ctype, interlace=0, before=b"", pixel=None, filters=lambda n: n % 5, after=b"",
        split=0, level=6):
    if pixel is None:
        ch = CHANNELS[ctype]
        pixel = lambda x, y: tuple(sample(x, y, c, depth) for c in range(ch))
    z = zlib.compress(image_data(w, h, depth, ctype, interlace, pixel, filters), level)
    parts = [z[i:i + split] for i in range(0, len(z), split)] if split else [z]
    return (MAGIC + ihdr(w, h, depth, ctype, interlace) + before + b"".join(chunk(b"IDAT", p) for p in parts) +
            after + chunk(b"IEND", b""))


def palette(n):
    return chunk(b"PLTE", b"".join(bytes(((i * 37) & 255, (i * 91 + 40) & 255, (255 - i * 13) & 255))
                                   for i in range(n)))


def gamma(g):
    return chunk(b"gAMA", struct.pack(">I", g))


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def valid_files():
    depths = {0: [1, 2, 4, 8, 16], 2: [8, 16], 3: [1, 2, 4, 8], 4: [8, 16], 6: [8, 16]}
    for ctype, ds in depths.items():
        for depth in ds:
            for il in (0, 1):
                before = palette(1 << min(depth, 8) if depth < 8 else 200) if ctype == 3 else b""
                pix = None
                if ctype == 3:
                    n = (1 << depth) if depth < 8 else 200
                    pix = lambda x, y, n=n: ((x * 3 + y * 5 + (x * y) % 7) % n,)
                write("ok_c%d_d%d_%s.png" % (ctype, depth, "i" if il else "n"),
                      png(37, 23, depth, ctype, il, before=before, pixel=pix))
    # Sizes where interlace passes are empty or a single pixel.
    write("ok_c6_d8_tiny_i.png", png(1, 1, 8, 6, 1))
    write("ok_c2_d8_3x2_i.png", png(3, 2, 8, 2, 1))
    write("ok_c0_d1_9x1_i.png", png(9, 1, 1, 0, 1))
    # Every row Up-filtered: the first row of each pass must see zeros above it.
    write("ok_c2_d8_up_i.png", png(19, 17, 8, 2, 1, filters=lambda n: 2))
    # Paeth and Average only, more bytes per pixel.
    write("ok_c6_d16_paeth_n.png", png(21, 9, 16, 6, 0, filters=lambda n: 4 - (n % 2)))
    # Palettes with tRNS, gamma, image data split over many chunks.
    write("ok_c3_d8_trns_n.png", png(30, 20, 8, 3, 0, before=palette(200) + chunk(b"tRNS", bytes(range(0, 250, 5))),
                                     pixel=lambda x, y: ((x * 7 + y) % 200,)))
    write("ok_c3_d2_trns_i.png", png(13, 11, 2, 3, 1, before=palette(3) + chunk(b"tRNS", b"\x00\x80"),
                                     pixel=lambda x, y: ((x + y) % 3,)))
    write("ok_c2_d8_gamma_n.png", png(33, 7, 8, 2, 0, before=gamma(45455)))
    write("ok_c6_d16_gamma_i.png", png(17, 15, 16, 6, 1, before=gamma(100000)))
    write("ok_c0_d8_gamma_n.png", png(16, 16, 8, 0, 0, before=gamma(45455)))
    write("ok_c2_d8_split_n.png", png(40, 30, 8, 2, 0, split=37, level=1))
    # The same picture written by ImageMagick, an encoder that is not ours.
    try:
        base = os.path.join(OUT, "im_base.png")
        subprocess.run([IM, "-size", "41x27", "-seed", "7", "plasma:fractal", base], check=True)
        jobs = {
            "ok_im_rgb16_n.png": ["-define", "png:color-type=2", "-depth", "16"],
            "ok_im_rgb8_i.png": ["-define", "png:color-type=2", "-depth", "8", "-interlace", "PNG"],
            "ok_im_gray16_n.png": ["-colorspace", "gray", "-depth", "16", "-define", "png:color-type=0"],
            "ok_im_pal_n.png": ["-colors", "12", "-define", "png:color-type=3"],
            "ok_im_rgba8_i.png": ["(", "+clone", "-fx", "i/w", ")", "-alpha", "off", "-compose", "copy_opacity",
                                  "-composite", "-define", "png:color-type=6", "-depth", "8", "-interlace", "PNG"],
        }
        for name, args in jobs.items():
            subprocess.run([IM, base] + args + ["-define", "png:exclude-chunk=date,time", os.path.join(OUT, name)],
                           check=True)
        os.remove(base)
    except (OSError, subprocess.CalledProcessError) as e:
        print("ImageMagick files skipped:", e)


def edge_files():
    g8 = lambda x, y: ((x * 16 + y) & 255,)
    write("edge_lowercase_chunks.png", MAGIC + ihdr(8, 8, 8, 0) +
          chunk(b"idat", zlib.compress(image_data(8, 8, 8, 0, 0, g8, lambda n: 0))) + chunk(b"iend", b""))
    write("edge_empty_idat_after.png", png(8, 8, 8, 0, pixel=g8, after=chunk(b"IDAT", b"")))
    write("edge_text_after_idat.png", png(8, 8, 8, 0, pixel=g8, after=chunk(b"tEXt", b"Comment\0after")))
    write("edge_filter5.png", png(4, 3, 8, 0, pixel=g8, filters=lambda n: 0))  # patched below
    data = bytearray(open(os.path.join(OUT, "edge_filter5.png"), "rb").read())
    raw = bytearray(image_data(4, 3, 8, 0, 0, g8, lambda n: 0))
    raw[5] = 5  # row 1: unknown filter type, bytes kept as stored
    write("edge_filter5.png", MAGIC + ihdr(4, 3, 8, 0) + chunk(b"IDAT", zlib.compress(bytes(raw))) +
          chunk(b"IEND", b""))
    write("edge_trns300.png", png(4, 4, 8, 3, before=palette(16) + chunk(b"tRNS", bytes(i % 256 for i in range(300))),
                                  pixel=lambda x, y: (x + 4 * y,)))
    write("edge_trns3.png", png(4, 4, 8, 3, before=palette(16) + chunk(b"tRNS", b"\x01\x02\x03"),
                                pixel=lambda x, y: (x + 4 * y,)))
    write("edge_bkgd200.png", png(4, 4, 8, 0, before=chunk(b"bKGD", struct.pack(">H", 200)), pixel=g8))
    write("edge_bkgd_short_rgb.png", png(4, 4, 8, 2, before=chunk(b"bKGD", b"\x07")))
    write("edge_trns_gray.png", png(4, 4, 8, 0, before=chunk(b"tRNS", struct.pack(">H", 77)), pixel=g8))
    write("edge_trns_rgb16.png", png(4, 4, 16, 2, before=chunk(b"tRNS", struct.pack(">HHH", 65535, 0, 32896))))
    write("edge_rgb_with_plte.png", png(5, 5, 8, 2, before=palette(8)))
    write("edge_indexed_no_plte.png", png(6, 2, 8, 3, pixel=lambda x, y: (x * 40 + y,)))
    write("edge_gray2.png", png(4, 1, 2, 0, pixel=lambda x, y: (x,)))
    # Image data that ends early: rows after the data keep what they held.
    full = zlib.compress(image_data(8, 8, 8, 0, 0, g8, lambda n: 0))
    write("edge_truncated_idat.png", MAGIC + ihdr(8, 8, 8, 0) + chunk(b"IDAT", full[:len(full) // 2]) +
          chunk(b"IEND", b""))
    # A big picture for the speed comparison.
    write("bench_rgba_1024.png", png(1024, 768, 8, 6, 0, pixel=lambda x, y: (x & 255, y & 255, (x ^ y) & 255,
                                                                          (x + y) & 255)))


def bad_files():
    g8 = lambda x, y: ((x * 16 + y) & 255,)
    good = png(8, 8, 8, 0, pixel=g8)
    idat = chunk(b"IDAT", zlib.compress(image_data(8, 8, 8, 0, 0, g8, lambda n: 0)))
    iend = chunk(b"IEND", b"")
    write("bad_signature.png", b"\x89PNX\r\n\x1a\n" + good[8:])
    write("bad_first_not_ihdr.png", MAGIC + chunk(b"tEXt", b"a\0b") + good[8:])
    h13 = struct.pack(">IIBBBBB", 8, 8, 8, 0, 0, 0, 0)
    write("bad_ihdr_len12.png", MAGIC + chunk(b"IHDR", h13[:12]) + idat + iend)
    write("bad_ihdr_len14.png", MAGIC + chunk(b"IHDR", h13 + b"\0") + idat + iend)
    write("bad_width0.png", MAGIC + ihdr(0, 8, 8, 0) + idat + iend)
    write("bad_compression1.png", MAGIC + ihdr(8, 8, 8, 0, compression=1) + idat + iend)
    write("bad_plte_len10.png", MAGIC + ihdr(8, 8, 8, 3) + chunk(b"PLTE", b"\1" * 10) + idat + iend)
    write("bad_crc_idat.png", MAGIC + ihdr(8, 8, 8, 0) + chunk(b"IDAT", zlib.compress(
        image_data(8, 8, 8, 0, 0, g8, lambda n: 0)), crc=0x12345678) + iend)
    write("bad_crc_ihdr.png", MAGIC + chunk(b"IHDR", h13, crc=1) + idat + iend)
    write("bad_colortype5.png", MAGIC + ihdr(8, 8, 8, 5) + idat + iend)
    write("bad_rgb_depth4.png", MAGIC + ihdr(8, 8, 4, 2) + idat + iend)
    # The zlib data ends in the middle of row 5.
    write("bad_extra_data.png", MAGIC + ihdr(8, 8, 8, 0) + chunk(b"IDAT", zlib.compress(
        image_data(8, 8, 8, 0, 0, g8, lambda n: 0)[:4 * 9 + 4])) + iend)
    write("bad_trailing_input.png", MAGIC + ihdr(8, 8, 8, 0) + chunk(b"IDAT", zlib.compress(
        image_data(8, 8, 8, 0, 0, g8, lambda n: 0)) + b"junk") + iend)
    z = bytearray(zlib.compress(image_data(8, 8, 8, 0, 0, g8, lambda n: 0)))
    z[2] = 0xFF  # an invalid block type
    write("bad_deflate.png", MAGIC + ihdr(8, 8, 8, 0) + chunk(b"IDAT", bytes(z)) + iend)
    write("bad_critical_chunk.png", MAGIC + ihdr(8, 8, 8, 0) + chunk(b"ABCD", b"x") + idat + iend)
    write("bad_plte_after_idat.png", MAGIC + ihdr(8, 8, 8, 0) + idat + chunk(b"PLTE", b"\0" * 3) + iend)
    write("bad_no_iend.png", MAGIC + ihdr(8, 8, 8, 0) + idat)
    write("bad_chunk_len_2g.png", MAGIC + ihdr(8, 8, 8, 0) + struct.pack(">I", 0x80000000) + b"IDAT" + b"\0" * 16)
    write("bad_chunk_len_beyond.png", MAGIC + ihdr(8, 8, 8, 0) + struct.pack(">I", 0x40000000) + b"IDAT" + b"\0" * 16)
    write("bad_width_2g.png", MAGIC + ihdr(0x80000000, 1, 8, 0) + idat + iend)
    write("bad_pixels_cap.png", MAGIC + ihdr(100000, 100000, 8, 0) + idat + iend)


def reference_all():
    tool = os.path.join(OUT, "png_reference")
    subprocess.run(["cc", "-O2", "-o", tool, os.path.join(HERE, "png_reference.c"), "-lpng"], check=True)
    try:
        for name in sorted(os.listdir(OUT)):
            if name.startswith("ok_") and name.endswith(".png"):
                subprocess.run([tool, os.path.join(OUT, name), os.path.join(OUT, name[:-4] + ".ref")], check=True)
    finally:
        os.remove(tool)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name in os.listdir(OUT):
        os.remove(os.path.join(OUT, name))
    valid_files()
    edge_files()
    bad_files()
    reference_all()


if __name__ == "__main__":
    main()
