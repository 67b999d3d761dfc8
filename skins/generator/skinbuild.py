"""Collects a skin: its sections and keys in order, the images placed in the
master bitmap, and its separate files; turns them into the folder's files.

Image values are written in the fixed-width codes the loader reads:
  @LLLL@TTTT@RRRR@BBBB@C@M                              glyph
  ^LLLL^TTTT^RRRR^BBBB^wwww^tttt^rrrr^bbbb^C^M^D^W      border
  ~LLLL~TTTT~RRRR~BBBB~DD[~M]                           texture
Rectangles are (left, top, right, bottom) with right and bottom exclusive."""

from canvas import Canvas, KEY, vstack
import formats

# Loader limits a skin must keep to (see skins/README.md).
_FORBIDDEN_IN_PLAIN = ("#", ".BMP", ".JPG", ".JPEG")


class Skin:
    def __init__(self, master_file=None, atlas_width=256, atlas_fill=KEY):
        self.master_file = master_file  # name in the folder, e.g. "Master.bmp"
        self.atlas_width = atlas_width
        self.atlas_fill = atlas_fill
        self.sections = {}  # name -> [(key, value)], in order
        self.files = {}  # separate files: name -> bytes
        self.placed = []  # (x, y, canvas)
        self.images = {}  # (section, key) -> (canvas, count, widths or None, draw mode), for previews
        self._shelf_x = self._shelf_y = self._shelf_h = 0
        self._bottom = 0

    # ---- Sections and values ----------------------------------------------------------------

    def set(self, section, key, value, image=False):
        value = str(value)
        if not image:
            upper = value.upper()
            assert not any(f in upper for f in _FORBIDDEN_IN_PLAIN) and (value[:1] == "" or value[:1] not in "@^~!"), \
                (section, key, value)
        self.sections.setdefault(section, []).append((key, value))

    def keys(self, section, **values):
        """Plain keys in the given order (COLOR=..., FONTCOLOR=...)."""
        self.sections.setdefault(section, [])
        for k, v in values.items():
            self.set(section, k, v)

    # ---- Master bitmap ------------------------------------------------------------------------

    def place(self, img, at=None):
        """Puts img in the master bitmap (at a given spot, or on the next free
        shelf) and returns its rectangle."""
        if at is None:
            if self._shelf_x + img.width > self.atlas_width:
                self._shelf_y += self._shelf_h + 1
                self._shelf_x = self._shelf_h = 0
            at = (self._shelf_x, self._shelf_y)
            self._shelf_x += img.width + 1
            self._shelf_h = max(self._shelf_h, img.height)
        x, y = at
        assert x + img.width <= self.atlas_width
        self.placed.append((x, y, img))
        self._bottom = max(self._bottom, y + img.height)
        return (x, y, x + img.width, y + img.height)

    def glyph(self, section, key, img, count, mask_type=0, at=None):
        l, t, r, b = self.place(img, at)
        self.images[(section, key)] = (img, count, None, 0)
        self.set(section, key, "@%04d@%04d@%04d@%04d@%d@%d" % (l, t, r, b, count, mask_type), True)

    def border(self, section, key, img, count, widths, draw_mode, mask_type=0, border_width=0, at=None):
        l, t, r, b = self.place(img, at)
        self.images[(section, key)] = (img, count, widths, draw_mode)
        wl, wt, wr, wb = widths
        self.set(section, key, "^%04d^%04d^%04d^%04d^%04d^%04d^%04d^%04d^%d^%d^%d^%d" %
                 (l, t, r, b, wl, wt, wr, wb, count, mask_type, draw_mode, border_width), True)

    def texture(self, section, key, img, fill_mode, mask_type=None, at=None):
        l, t, r, b = self.place(img, at)
        v = "~%04d~%04d~%04d~%04d~%02d" % (l, t, r, b, fill_mode)
        if mask_type is not None:
            v += "~%d" % mask_type
        self.set(section, key, v, True)

    def master(self, height=None):
        h = height or self._bottom
        out = Canvas(self.atlas_width, h, self.atlas_fill)
        for x, y, img in self.placed:
            out.blit(img, x, y)
        return out

    # ---- Separate files -------------------------------------------------------------------------

    def add_file(self, name, data):
        self.files[name] = data

    def options_text(self):
        lines = []
        for name, pairs in self.sections.items():
            lines.append("[%s]" % name)
            lines += ["%s=%s" % kv for kv in pairs]
            lines.append("")
        return ("\r\n".join(lines)).encode("cp1252")

    def folder_files(self, master_height=None):
        """Every file of the skin folder: Options.dat, the master bitmap, the rest."""
        out = {"Options.dat": self.options_text()}
        if self.master_file:
            m = self.master(master_height)
            out[self.master_file] = formats.bmp24(m.width, m.height, m.px)
        out.update(self.files)
        return out


def masked(img, mask):
    """An image row over its mask row (MaskType 1)."""
    return vstack(img, mask)


def bmp_of(img):
    return formats.bmp24(img.width, img.height, img.px)
