"""Byte writers for the files a skin is made of: 24-bit BMP, RGBA PNG,
baseline JPEG and the packed skin container. Every writer is a pure function
of its input, so the same picture always gives the same bytes."""

import math
import struct
import zlib


def bmp24(width, height, rgb):
    """A bottom-up 24-bit BMP of rgb (rows top first, 3 bytes R, G, B)."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        src = rgb[y * width * 3:(y + 1) * width * 3]
        row[0:width * 3:3] = src[2::3]
        row[1:width * 3:3] = src[1::3]
        row[2:width * 3:3] = src[0::3]
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_rgba(width, height, rgba):
    """An 8-bit RGBA PNG (colour type 6), no gamma chunk, filter 0 on every row."""
    raw = b"".join(b"\x00" + bytes(rgba[y * width * 4:(y + 1) * width * 4]) for y in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", ihdr) + _chunk(b"IDAT", zlib.compress(raw, 9)) +
            _chunk(b"IEND", b""))


# ---- Baseline JPEG (4:4:4, standard Huffman tables) ---------------------------------------

_ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27,
           20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
           58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63]

_LUMA_Q = [16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69,
           56, 14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81,
           104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99]
_CHROMA_Q = [17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
             99, 99, 47, 66, 99, 99, 99, 99, 99, 99] + [99] * 32

# (bits per code length 1..16, symbols) of the four standard tables.
_DC_LUMA = ([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0], list(range(12)))
_DC_CHROMA = ([0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0], list(range(12)))
_AC_LUMA = ([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d], bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a25262728"
    "292a3435363738393a434445464748494a535455565758595a636465666768696a737475767778797a83848586878889"
    "8a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2"
    "e3e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9fa"))
_AC_CHROMA = ([0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77], bytes.fromhex(
    "000102031104052131061241510761711322328108144291a1b1c109233352f0156272d10a162434e125f11718191a26"
    "2728292a35363738393a434445464748494a535455565758595a636465666768696a737475767778797a828384858687"
    "88898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9da"
    "e2e3e4e5e6e7e8e9eaf2f3f4f5f6f7f8f9fa"))


def _huffman_codes(table):
    bits, symbols = table
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[symbols[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


def _scaled_table(base, quality):
    scale = 5000 // quality if quality < 50 else 200 - quality * 2
    return [min(255, max(1, (q * scale + 50) // 100)) for q in base]


_COS = [[(math.sqrt(0.125) if u == 0 else 0.5) * math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)]
        for u in range(8)]


def _fdct(block):
    rows = [[sum(c[x] * block[y * 8 + x] for x in range(8)) for c in _COS] for y in range(8)]
    return [sum(_COS[v][y] * rows[y][u] for y in range(8)) for v in range(8) for u in range(8)]


class _BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, code, length):
        self.acc = (self.acc << length) | code
        self.n += length
        while self.n >= 8:
            byte = (self.acc >> (self.n - 8)) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)  # byte stuffing
            self.n -= 8
        self.acc &= (1 << self.n) - 1

    def flush(self):
        if self.n:
            self.put((1 << (8 - self.n)) - 1, 8 - self.n)


def _magnitude(v):
    size = abs(v).bit_length()
    return size, (v if v >= 0 else v + (1 << size) - 1)


def jpeg(width, height, rgb, quality=88):
    """A baseline JFIF JPEG of rgb, three components, no subsampling."""
    tables = [_scaled_table(_LUMA_Q, quality), _scaled_table(_CHROMA_Q, quality)]
    dc_codes = [_huffman_codes(_DC_LUMA), _huffman_codes(_DC_CHROMA)]
    ac_codes = [_huffman_codes(_AC_LUMA), _huffman_codes(_AC_CHROMA)]
    planes = [[0.0] * (width * height) for _ in range(3)]
    for i in range(width * height):
        r, g, b = rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]
        planes[0][i] = 0.299 * r + 0.587 * g + 0.114 * b - 128
        planes[1][i] = -0.168736 * r - 0.331264 * g + 0.5 * b
        planes[2][i] = 0.5 * r - 0.418688 * g - 0.081312 * b
    bw = _BitWriter()
    last_dc = [0, 0, 0]
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            for comp in range(3):
                plane, t = planes[comp], (0 if comp == 0 else 1)
                block = [plane[min(by + y, height - 1) * width + min(bx + x, width - 1)]
                         for y in range(8) for x in range(8)]
                coef = _fdct(block)
                q = [int(round(coef[_ZIGZAG[k]] / tables[t][_ZIGZAG[k]])) for k in range(64)]
                size, bits = _magnitude(q[0] - last_dc[comp])
                last_dc[comp] = q[0]
                bw.put(*dc_codes[t][size])
                if size:
                    bw.put(bits, size)
                run = 0
                for k in range(1, 64):
                    if q[k] == 0:
                        run += 1
                        continue
                    while run > 15:
                        bw.put(*ac_codes[t][0xF0])
                        run -= 16
                    size, bits = _magnitude(q[k])
                    bw.put(*ac_codes[t][(run << 4) | size])
                    bw.put(bits, size)
                    run = 0
                if run:
                    bw.put(*ac_codes[t][0x00])
    bw.flush()

    def segment(marker, data):
        return struct.pack(">BBH", 0xFF, marker, len(data) + 2) + data

    out = b"\xff\xd8" + segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    for t in range(2):
        out += segment(0xDB, bytes([t]) + bytes(tables[t][_ZIGZAG[k]] for k in range(64)))
    out += segment(0xC0, struct.pack(">BHHB", 8, height, width, 3) +
                   bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1]))
    for cls, t, table in ((0, 0, _DC_LUMA), (1, 0, _AC_LUMA), (0, 1, _DC_CHROMA), (1, 1, _AC_CHROMA)):
        out += segment(0xC4, bytes([(cls << 4) | t]) + bytes(table[0]) + bytes(table[1]))
    out += segment(0xDA, bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0]))
    return out + bytes(bw.out) + b"\xff\xd9"


# ---- Packed skin container ------------------------------------------------------------------

_PACK_ORDER = (".dat", ".bmp", ".png", ".jpg")


def pack_order(names):
    """The container's entry order: *.dat, *.bmp, *.png, *.jpg, each group by name."""
    ordered = []
    for ext in _PACK_ORDER:
        ordered += sorted(n for n in names if n.lower().endswith(ext))
    return ordered


def asz(files):
    """The "ASzf" container of files (name -> bytes), entries in pack order, each
    one zlib stream at the default level."""
    names = pack_order(files)
    out = [b"ASzf", struct.pack("<i", len(names))]
    for name in names:
        raw = name.encode("ascii")
        out += [struct.pack("<i", len(raw)), raw, struct.pack("<i", len(files[name])),
                zlib.compress(files[name], 6)]
    return b"".join(out)
