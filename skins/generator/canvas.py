"""A small RGB pixel canvas and the shapes skins are drawn from: gradients,
rounded panels with keyed corners or a coverage mask, and pixel glyphs."""

KEY = (255, 0, 255)  # transparent pixels of keyed images


def mix(a, b, t):
    """a moved towards b by t (0..1), rounded."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Canvas:
    def __init__(self, width, height, fill=KEY):
        self.width, self.height = width, height
        self.px = bytearray(bytes(fill) * (width * height))

    def get(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.px[i:i + 3])

    def put(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            i = (y * self.width + x) * 3
            self.px[i:i + 3] = bytes(c)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.put(x, y, c)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        h = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            self.fill(x0, y, x1, y + 1, mix(top, bottom, (y - y0) / h))

    def blit(self, src, x, y):
        for sy in range(src.height):
            i = sy * src.width * 3
            j = ((y + sy) * self.width + x) * 3
            self.px[j:j + src.width * 3] = src.px[i:i + src.width * 3]

    def rotated(self):
        """A quarter turn clockwise."""
        out = Canvas(self.height, self.width)
        for y in range(self.height):
            for x in range(self.width):
                out.put(self.height - 1 - y, x, self.get(x, y))
        return out

    def flipped(self):
        """Upside down."""
        out = Canvas(self.width, self.height)
        for y in range(self.height):
            out.px[y * self.width * 3:(y + 1) * self.width * 3] = \
                self.px[(self.height - 1 - y) * self.width * 3:(self.height - y) * self.width * 3]
        return out

    def mirrored(self):
        """Left to right."""
        out = Canvas(self.width, self.height)
        for y in range(self.height):
            for x in range(self.width):
                out.put(self.width - 1 - x, y, self.get(x, y))
        return out


def hstack(*canvases):
    """State images side by side (state 0 first)."""
    out = Canvas(sum(c.width for c in canvases), max(c.height for c in canvases))
    x = 0
    for c in canvases:
        out.blit(c, x, 0)
        x += c.width
    return out


def vstack(*canvases):
    out = Canvas(max(c.width for c in canvases), sum(c.height for c in canvases))
    y = 0
    for c in canvases:
        out.blit(c, 0, y)
        y += c.height
    return out


# ---- Rounded shapes -------------------------------------------------------------------------

_SUB = [(i + 0.5) / 4 for i in range(4)]


def _inside(px, py, w, h, r, corners):
    """Whether the point lies in the w x h rectangle whose corners in `corners`
    ("tl", "tr", "bl", "br") are rounded with radius r."""
    if px < 0 or py < 0 or px > w or py > h:
        return False
    for name, cx, cy in (("tl", r, r), ("tr", w - r, r), ("bl", r, h - r), ("br", w - r, h - r)):
        if name not in corners or r <= 0:
            continue
        in_x = px < cx if name[1] == "l" else px > cx
        in_y = py < cy if name[0] == "t" else py > cy
        if in_x and in_y and (px - cx) ** 2 + (py - cy) ** 2 > r * r:
            return False
    return True


def coverage(x, y, w, h, r, corners, inset=0):
    """Share (0..1) of pixel (x, y) covered by the rounded rectangle, shrunk by inset."""
    n = 0
    for sy in _SUB:
        for sx in _SUB:
            n += _inside(x + sx - inset, y + sy - inset, w - 2 * inset, h - 2 * inset, max(0, r - inset),
                         corners)
    return n / 16


ALL_CORNERS = ("tl", "tr", "bl", "br")


def panel(w, h, r, outline, face_top, face_bottom, highlight=None, corners=ALL_CORNERS, keyed=True,
          outside=KEY):
    """A rounded panel: a 1-pixel outline, a vertical face gradient and an
    optional light line inside the outline's top. Keyed panels put KEY outside
    the shape; otherwise the second result is the coverage mask (0..255, 255 =
    background) for a mask row."""
    img = Canvas(w, h)
    mask = Canvas(w, h, (0, 0, 0))
    for y in range(h):
        face = mix(face_top, face_bottom, y / max(1, h - 1))
        for x in range(w):
            a = coverage(x, y, w, h, r, corners)
            b = coverage(x, y, w, h, r, corners, 1)
            c = mix(outline, face, b)
            if highlight is not None and y <= h // 2:
                d = b - coverage(x, y, w, h, r, corners, 2)
                c = mix(c, highlight, d * 0.8)
            if keyed:
                img.put(x, y, c if a >= 0.5 else outside)
            else:
                img.put(x, y, c if a > 0 else outside)
                m = int(round(255 * (1 - a)))
                mask.put(x, y, (m, m, m))
    return img if keyed else (img, mask)


def disc(size, ring, fill, dot=None, dot_size=0):
    """A keyed round button: a ring around a filled disc, an optional centre dot."""
    img = Canvas(size, size)
    r = size / 2
    for y in range(size):
        for x in range(size):
            a = coverage(x, y, size, size, r, ALL_CORNERS)
            if a < 0.5:
                continue
            b = coverage(x, y, size, size, r, ALL_CORNERS, 1)
            c = mix(ring, fill, b)
            if dot is not None:
                k = (size - dot_size) / 2
                d = sum(1 for sy in _SUB for sx in _SUB
                        if (x + sx - r) ** 2 + (y + sy - r) ** 2 <= (dot_size / 2) ** 2) / 16
                c = mix(c, dot, d) if k >= 0 else c
            img.put(x, y, c)
    return img


def draw_pixels(img, ox, oy, rows, colours):
    """Paints a glyph given as text rows; each character names a colour in
    colours, "." leaves the pixel alone."""
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch in colours:
                img.put(ox + x, oy + y, colours[ch])


def glyph_cell(w, h, rows, colours, background=KEY):
    """A w x h cell with the glyph centred on background."""
    img = Canvas(w, h, background)
    gw, gh = max(len(r) for r in rows), len(rows)
    draw_pixels(img, (w - gw) // 2, (h - gh) // 2, rows, colours)
    return img
