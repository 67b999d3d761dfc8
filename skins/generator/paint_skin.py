"""TPaint: the test skin of section painting. One section per kind of
background (plain, gradient, texture, texture with gradient, masked overlay,
JPEG pattern, transparent, half transparent), bordered sections with keyed,
masked and PNG border images, and corner images.

Master bitmap (128 x 32):
  (0,0)-(36,12)     PANEL border, 3 keyed states of 12 x 12, widths 3
  (0,12)-(36,24)    GROUPBOX border, 3 keyed states of 12 x 12, widths 2
  (36,0)-(84,32)    BUTTON border, 3 states of 16 x 16 over a mask row, widths 4
  (84,0)-(96,16)    BUTTON corner images, 3 keyed states of 4 x 4 each
  (96,0)-(104,8)    TEXPANEL PATTERN, (104,0)-(112,8) its HOTPATTERN
  (112,0)-(118,6)   MIXPANEL PATTERN
  (96,8)-(102,20)   DOTPANEL HOTPATTERN: a 6 x 6 dot over its mask row"""

from canvas import Canvas, KEY, hstack, vstack
from skinbuild import Skin
from test_skins import jpeg_picture, state_colour, states
import formats

NAME = "TPaint"


def rgb_color(r, g, b):
    """A skin colour value (0x00BBGGRR) of r, g, b."""
    return r | (g << 8) | (b << 16)


def gradient(c1, c2, mode):
    """One whole stop from c1 to c2 (r, g, b): mode 0 vertical, 1 horizontal."""
    return "%d;%d;100;%d;0" % (rgb_color(*c1), rgb_color(*c2), mode)


def checker(size, a, b, cell=2):
    img = Canvas(size, size, a)
    for y in range(size):
        for x in range(size):
            if (x // cell + y // cell) % 2:
                img.put(x, y, b)
    return img


def stripes(size, a, b):
    img = Canvas(size, size, a)
    for y in range(size):
        for x in range(size):
            if (x + y) % 4 < 2:
                img.put(x, y, b)
    return img


def masked_rounded(k, w, h, count=3):
    """States over a mask row: a dark edge, a face per state, fuchsia corner
    triangles; the mask lets a quarter of what lies under the image show
    through the edge, keeps the face opaque and lets the centre show 3/8."""
    cells, masks = [], []
    for s in range(count):
        img = Canvas(w, h, state_colour(k, s))
        mask = Canvas(w, h, (0, 0, 0))
        for y in range(h):
            for x in range(w):
                edge = x == 0 or y == 0 or x == w - 1 or y == h - 1
                if edge:
                    img.put(x, y, (30, 30, 60))
                    mask.put(x, y, (64, 64, 64))
                elif 4 <= x < w - 4 and 4 <= y < h - 4:
                    mask.put(x, y, (96, 96, 96))
                dx, dy = min(x, w - 1 - x), min(y, h - 1 - y)
                if dx + dy < 2:
                    img.put(x, y, KEY)
                    mask.put(x, y, (255, 255, 255))
        cells.append(img)
        masks.append(mask)
    return vstack(hstack(*cells), hstack(*masks))


def corner_glyph(k):
    """Three keyed 4 x 4 states: a solid square with its outer pixel cut."""
    cells = []
    for s in range(3):
        c = Canvas(4, 4, state_colour(k, s))
        c.put(0, 0, KEY)
        cells.append(c)
    return hstack(*cells)


def dot_texture():
    """A masked 6 x 6 texture: a dark dot (mask 0) on see-through ground (mask 255)."""
    img, mask = Canvas(6, 6, (200, 200, 200)), Canvas(6, 6, (255, 255, 255))
    for y in range(1, 5):
        for x in range(1, 5):
            if (x, y) not in ((1, 1), (4, 1), (1, 4), (4, 4)):
                img.put(x, y, (40, 60, 120))
                mask.put(x, y, (0, 0, 0))
    return vstack(img, mask)


def frame_png():
    """Three 12 x 12 states of a keyed frame as RGBA: opaque but for corner
    triangles of fuchsia with alpha 0 (the key colour of a PNG border)."""
    rgba = bytearray()
    for y in range(12):
        for x in range(36):
            s, cx = divmod(x, 12)
            dx, dy = min(cx, 11 - cx), min(y, 11 - y)
            if dx + dy < 2:
                rgba += bytes((255, 0, 255, 0))
            elif min(dx, dy) < 4:
                rgba += bytes(state_colour(17, s) + (255,))
            else:
                rgba += bytes((250, 250, 240, 255))
    return formats.png_rgba(36, 12, rgba)


def files():
    s = Skin("Master.bmp", atlas_width=128)
    g = "GLOBALINFO"
    s.set(g, "VERSION", "6.4")
    s.set(g, "MASTERBITMAP", "MASTER.BMP", True)
    s.keys(g, AUTHOR="Project test skins", DESCRIPTION="Section backgrounds of every kind", COLOR=rgb_color(224, 216, 208))

    s.keys("PANEL", COLOR=rgb_color(200, 208, 216), HOTCOLOR=rgb_color(216, 224, 232))
    s.border("PANEL", "BORDERSMASK", states(21, 12, 12), 3, (3, 3, 3, 3), 0, at=(0, 0))
    s.keys("GROUPBOX", COLOR=rgb_color(200, 208, 216), TRANSPARENCY=100)
    s.border("GROUPBOX", "BORDERSMASK", states(22, 12, 12), 3, (2, 2, 2, 2), 0, at=(0, 12))
    s.keys("GRADPANEL", COLOR=rgb_color(180, 190, 200), HOTCOLOR=rgb_color(180, 190, 200), GRADIENTPERCENT=100,
           GRADIENTDATA=gradient((250, 250, 255), (60, 90, 160), 0), HOTGRADIENTPERCENT=100,
           HOTGRADIENTDATA=gradient((255, 220, 120), (200, 60, 40), 1))
    s.keys("TEXPANEL", COLOR=rgb_color(40, 80, 40), HOTCOLOR=rgb_color(40, 80, 40), IMAGEPERCENT=30,
           HOTIMAGEPERCENT=100)
    s.texture("TEXPANEL", "PATTERN", checker(8, (240, 240, 200), (120, 160, 200)), 0, at=(96, 0))
    s.texture("TEXPANEL", "HOTPATTERN", stripes(8, (250, 200, 160), (160, 100, 80)), 0, at=(104, 0))
    s.keys("MIXPANEL", COLOR=rgb_color(255, 255, 255), HOTCOLOR=rgb_color(255, 240, 0), IMAGEPERCENT=40,
           GRADIENTPERCENT=40, GRADIENTDATA=gradient((40, 40, 140), (140, 40, 40), 1), HOTIMAGEPERCENT=20,
           HOTGRADIENTPERCENT=60, HOTGRADIENTDATA=gradient((20, 120, 60), (240, 240, 240), 0))
    s.texture("MIXPANEL", "PATTERN", checker(6, (230, 230, 230), (90, 90, 90), 3), 0, at=(112, 0))
    s.keys("DOTPANEL", COLOR=rgb_color(230, 220, 170), HOTCOLOR=rgb_color(230, 220, 170))
    s.texture("DOTPANEL", "HOTPATTERN", dot_texture(), 10, mask_type=1, at=(96, 8))
    s.keys("JPGPANEL", COLOR=rgb_color(0, 0, 0), IMAGEPERCENT=100, HOTIMAGEPERCENT=100)
    s.set("JPGPANEL", "PATTERN", "BANDS.JPG", True)
    s.set("JPGPANEL", "HOTPATTERN", "TILE.JPG", True)
    s.keys("TRANS", COLOR=rgb_color(255, 0, 0), HOTCOLOR=rgb_color(255, 0, 0), TRANSPARENCY=100, HOTTRANSPARENCY=100)
    s.keys("HALF", COLOR=rgb_color(200, 40, 40), HOTCOLOR=rgb_color(40, 40, 200), TRANSPARENCY=50,
           HOTTRANSPARENCY=30)
    s.keys("BUTTON", COLOR=rgb_color(210, 210, 200), HOTCOLOR=rgb_color(230, 230, 190))
    s.border("BUTTON", "BORDERSMASK", masked_rounded(23, 16, 16), 3, (4, 4, 4, 4), 4, mask_type=1, at=(36, 0))
    for i, key in enumerate(("IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT")):
        s.glyph("BUTTON", key, corner_glyph(24 + i), 3, at=(84, 4 * i))
    s.keys("PNGPANEL", COLOR=rgb_color(240, 240, 230), HOTCOLOR=rgb_color(240, 240, 230))
    s.set("PNGPANEL", "BORDERSMASK", "!FRAME.PNG!3!0!0!0004!0004!0004!0004", True)

    s.add_file("Frame.png", frame_png())
    s.add_file("Bands.jpg", jpeg_picture(300, 5))
    s.add_file("Tile.jpg", jpeg_picture(40, 11))
    return s.folder_files(master_height=32)
