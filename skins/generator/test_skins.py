"""The small test skins: T1, which uses every value code, file kind and loader
rule once at a known place, and its variants that each break one rule.

T1's master bitmap (256 x 64) holds flat colours, so tests can probe state i
of an image by its colour:
  (0,0)-(48,16)     BUTTON border, 3 keyed states, fuchsia corners
  (48,0)-(96,32)    COMBOBTN border, 3 states over a mask row
  (96,0)-(120,24)   PANEL texture
  (96,24)-(144,32)  COMBOBTN textures (PATTERN, HOTPATTERN)
  (124,0)-(163,13)  COMBOBOX arrow, 3 states of 13 x 13
  (163,0)-(241,13)  RADIOCHECKED, RADIOUNCHECKED
  (0,16)-(48,32)    TABTOP border (widths from BorderWidth 3)
  (124,13)-(244,29) SCROLLBTNLEFT arrow and border, SCROLLSLIDERH border; EDIT
                    borrows (173,17)-(180,24) with one side width only
  (0,32)-(234,58)   title icons (13 x 13 and 9 x 9), BOXCHECKED, BOXUNCHECKED
  (135,45)-(183,61) SCROLLBAR1H border; (0,56)-(16,64) its texture"""

from canvas import Canvas, KEY, hstack, vstack, draw_pixels
from skinbuild import Skin, bmp_of
import formats

GREY = (128, 128, 128)


def state_colour(k, state):
    """A distinct flat colour for state `state` of image number k."""
    return ((37 * k + 60 * state + 40) % 200 + 30, (91 * k + 25) % 200 + 30, (53 * k + 80 * state) % 200 + 30)


def flat_border(w, h, edge, face, corner=2):
    """A keyed border state: a 1-pixel edge, a flat face, fuchsia corner triangles."""
    img = Canvas(w, h, face)
    for x in range(w):
        img.put(x, 0, edge)
        img.put(x, h - 1, edge)
    for y in range(h):
        img.put(0, y, edge)
        img.put(w - 1, y, edge)
    for i in range(corner):
        for j in range(corner - i):
            for x, y in ((i, j), (w - 1 - i, j), (i, h - 1 - j), (w - 1 - i, h - 1 - j)):
                img.put(x, y, KEY)
    return img


def states(k, w, h, count=3, corner=2):
    return hstack(*[flat_border(w, h, (0, 0, 0), state_colour(k, s), corner) for s in range(count)])


def masked_states(k, w, h, count=3):
    """States over a mask row: the mask marks a 2-pixel round-off at each corner."""
    img = hstack(*[Canvas(w, h, state_colour(k, s)) for s in range(count)])
    mask = Canvas(w * count, h, (0, 0, 0))
    for s in range(count):
        for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
            mask.put(s * w + x, y, (255, 255, 255))
            img.put(s * w + x, y, (255, 255, 255))
    return vstack(img, mask)


ICON_SHAPES = {
    "CLOSE": ["x...x", ".x.x.", "..x..", ".x.x.", "x...x"],
    "MAX": ["xxxxx", "x...x", "x...x", "x...x", "xxxxx"],
    "MIN": [".....", ".....", ".....", ".....", "xxxxx"],
    "NORM": [".xxxx", ".x..x", "xxxxx", "x..x.", "xxxx."],
    "HELP": [".xxx.", "x...x", "..xx.", ".....", "..x.."],
}


def title_icon(k, size, shape):
    """Three states: a grey glyph on fuchsia, then on two coloured squares."""
    cells = []
    for s in range(3):
        c = Canvas(size, size, KEY if s == 0 else state_colour(k, s))
        draw_pixels(c, (size - 5) // 2, (size - 5) // 2, shape, {"x": GREY if s == 0 else (255, 255, 255)})
        cells.append(c)
    return hstack(*cells)


def glyph_png():
    """Three 16 x 16 states with alpha: a coloured disc on white pixels of alpha 0."""
    rgba = bytearray()
    for y in range(16):
        for x in range(48):
            s, cx = divmod(x, 16)
            d2 = (cx - 7.5) ** 2 + (y - 7.5) ** 2
            if d2 > 49:
                rgba += bytes((255, 255, 255, 0))
            else:
                r, g, b = state_colour(20, s)
                rgba += bytes((r, g, b, 255 if d2 < 30 else 128))
    return formats.png_rgba(48, 16, rgba)


def exborder_png():
    """Two 40 x 40 states of a soft frame, for extended borders."""
    rgba = bytearray()
    for y in range(40):
        for x in range(80):
            s, cx = divmod(x, 40)
            edge = min(cx, y, 39 - cx, 39 - y)
            a = 0 if edge >= 12 else int(200 * (edge + 1) / 12)
            rgba += bytes((40, 60, 90 + 60 * s, a))
    return formats.png_rgba(80, 40, rgba)


def jpeg_picture(size, seed):
    """Soft diagonal bands; smooth, so the JPEG stays small."""
    rgb = bytearray()
    for y in range(size):
        for x in range(size):
            t = ((x + y + seed) % 64) / 64
            rgb += bytes((int(120 + 80 * t), int(150 + 50 * t), int(200 - 40 * t)))
    return formats.jpeg(size, size, rgb)


def t1():
    s = Skin("Master.bmp", atlas_width=256)
    g = "GLOBALINFO"
    s.set(g, "VERSION", "6.4")
    s.set(g, "MASTERBITMAP", "MASTER.BMP", True)
    s.keys(g, AUTHOR="Project test skins", DESCRIPTION="Every value code once, flat colours",
           COLOR=15790320, FONTCOLOR=0, HOTCOLOR=16777215, BORDERCOLOR=8421504,
           BIKEEPHUE=1, BISPACE=2, BIRIGHT=3, BITOP=4, SHADOW1COLOR=0, SHADOW1OFFSET=1, SHADOW1BLUR=-1,
           SHADOW1TRANSPARENCY=50)
    for i, name in enumerate(("CLOSE", "MAX", "MIN", "NORM", "HELP")):
        s.glyph(g, "BICON" + name, title_icon(i + 1, 13, ICON_SHAPES[name]), 3, at=(i * 39, 32))
        s.glyph(g, "SICON" + name, title_icon(i + 6, 9, ICON_SHAPES[name]), 3, at=(i * 27, 45))
    s.glyph(g, "BOXCHECKED", states(11, 13, 13, corner=0), 3, at=(195, 32))
    s.glyph(g, "BOXUNCHECKED", states(12, 13, 13, corner=0), 3, at=(195, 45))
    s.glyph(g, "RADIOCHECKED", states(13, 13, 13, corner=3), 3, at=(163, 0))
    s.glyph(g, "RADIOUNCHECKED", states(14, 13, 13, corner=3), 3, at=(202, 0))
    s.set(g, "TITLEBUTTON", "!GLYPH.PNG!3!0!4", True)
    s.set(g, "BICONCLOSEGLOW0", "!GLYPH.PNG!1!0!3", True)
    s.set(g, "EXBORDER", "!EXBORDER.PNG!2!0!0!0016!0012!0016!0016", True)

    s.keys("BUTTON", COLOR=12632256, HOTCOLOR=16763904, FONTCOLOR=128, HOTFONTCOLOR=32768,
           FADINGENABLED="TRUE", FADINGITERATIONS=4, SHOWFOCUS="TRUE")
    s.border("BUTTON", "BORDERSMASK", states(1, 16, 16), 3, (4, 4, 4, 4), 5, at=(0, 0))
    s.keys("BUTTON_HUGE", PARENTCLASS="BUTTON")
    s.set("BUTTON_HUGE", "BORDERSMASK", "!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047", True)
    s.keys("CHILD", PARENTCLASS="BUTTON", FONTCOLOR=255)
    s.keys("SELF", PARENTCLASS="SELF", TRANSPARENCY=30)
    s.keys("CYCA", PARENTCLASS="CYCB")
    s.keys("CYCB", PARENTCLASS="CYCA")
    # Seven words: one whole gradient group and a cut one.
    s.keys("PANEL", COLOR=15263976, TRANSPARENCY=-1, GRADIENTPERCENT=100,
           GRADIENTDATA="16711680;255;50;0;0;65280;0")
    s.texture("PANEL", "PATTERN", Canvas(24, 24, state_colour(2, 0)), 0, at=(96, 0))
    s.keys("FORM", COLOR=15790320)
    s.set("FORM", "PATTERN", "BIG.JPG", True)
    s.set("FORM", "HOTPATTERN", "SMALL.JPG", True)
    s.border("COMBOBTN", "BORDERSMASK", masked_states(3, 16, 16), 3, (0, 0, 0, 0), 1, mask_type=1,
             border_width=2, at=(48, 0))
    s.texture("COMBOBTN", "PATTERN", Canvas(24, 8, state_colour(4, 0)), 1, at=(96, 24))
    s.texture("COMBOBTN", "HOTPATTERN", Canvas(24, 8, state_colour(4, 1)), 1, mask_type=0, at=(120, 24))
    s.keys("COMBOBOX", PARENTCLASS="EDIT")
    s.glyph("COMBOBOX", "GLYPHMASK", title_icon(5, 13, ["xxxxx", ".xxx.", "..x.."]), 3, at=(124, 0))
    s.keys("EDIT", COLOR=16777215, HOTCOLOR=16777215)
    # Widths given on one side only are kept as written.
    s.set("EDIT", "BORDERSMASK", "^0173^0017^0180^0024^0000^0000^0002^0000^1^0^1^1", True)
    s.keys("TABTOP", COLOR=15263976)
    s.border("TABTOP", "BORDERSMASK", states(6, 16, 16), 3, (0, 0, 0, 0), 1, border_width=3, at=(0, 16))
    s.keys("SCROLLBTNLEFT", RESERVEDBOOLEAN="TRUE")
    s.glyph("SCROLLBTNLEFT", "GLYPHMASK", title_icon(7, 8, ["..x", ".xx", "xxx", ".xx", "..x"]), 3,
            at=(124, 13))
    s.border("SCROLLBTNLEFT", "BORDERSMASK", states(8, 16, 16), 3, (0, 0, 0, 0), 1, at=(148, 13))
    s.keys("SCROLLSLIDERH", COLOR=12632256)
    s.border("SCROLLSLIDERH", "BORDERSMASK", states(9, 16, 16), 3, (3, 3, 3, 3), 5, at=(196, 13))
    s.keys("SCROLLBAR1H", COLOR=14737632)
    s.border("SCROLLBAR1H", "BORDERSMASK", states(10, 16, 16), 3, (2, 2, 2, 2), 5, at=(135, 45))
    s.texture("SCROLLBAR1H", "PATTERN", Canvas(16, 8, state_colour(10, 2)), 0, at=(0, 56))
    s.set("LEGACY", "BORDERSMASK", "#(0,0,30,30)(3,1,0,1)", True)
    s.set("LEGACY", "IMAGE", "LEGACY.BMP", True)
    # Keys are read without regard to case, images are found by their name as written.
    s.set("MIXEDCASE", "Color", 255)
    s.set("MIXEDCASE", "BordersMask", "^0000^0000^0048^0016^0004^0004^0004^0004^3^0^5^0", True)

    huge = masked_states(15, 48, 48)
    s.add_file("ButtonHuge.bmp", bmp_of(huge))
    s.add_file("Glyph.png", glyph_png())
    s.add_file("ExBorder.png", exborder_png())
    s.add_file("Legacy.bmp", bmp_of(masked_states(16, 8, 8)))
    s.add_file("Big.jpg", jpeg_picture(300, 0))
    s.add_file("Small.jpg", jpeg_picture(100, 17))
    return s.folder_files(master_height=64)


def no_globalinfo():
    s = Skin()
    s.keys("BUTTON", COLOR=12632256, FONTCOLOR=128)
    s.set("BUTTON", "BORDERSMASK", "^0000^0000^0048^0016^0004^0004^0004^0004^3^0^5^0", True)
    s.keys("PANEL", COLOR=15263976)
    return s.folder_files()


def bad_shadow():
    s = Skin()
    s.keys("GLOBALINFO", VERSION="6.4", SHADOW1OFFSET="two")
    s.keys("BUTTON", COLOR=12632256)
    return s.folder_files()


def lower_case():
    """File words in small letters: a packed skin finds no entry for them."""
    s = Skin()
    s.keys("GLOBALINFO", VERSION="6.4")
    s.set("GLOBALINFO", "TITLEBUTTON", "!glyph.png!3!0!4", True)
    s.keys("BUTTON_HUGE", COLOR=12632256)
    s.set("BUTTON_HUGE", "BORDERSMASK", "!buttonhuge.bmp!3!1!0!0047!0047!0047!0047", True)
    files = s.folder_files()
    files["ButtonHuge.bmp"] = bmp_of(masked_states(15, 48, 48))
    files["Glyph.png"] = glyph_png()
    return files


def version7():
    s = Skin()
    s.keys("GLOBALINFO", VERSION="7.0", AUTHOR="Project test skins")
    s.keys("BUTTON", COLOR=12632256)
    return s.folder_files()


# Merged into T1 by a manager's CommonSections: BUTTON the skin has (its
# values stay, no image is in it); EXTRA it lacks, with an image of the
# master bitmap in the older "#" form, a bitmap file and two JPEG files of
# the skin's folder (each a pattern, whatever its size); GLOBALINFO, whose
# images are never merged.
COMMON_SECTIONS = (b"[BUTTON]\r\nCOLOR=255\r\n\r\n"
                   b"[EXTRA]\r\nPARENTCLASS=BUTTON\r\nCOLOR=65280\r\n"
                   b"BORDERSMASK=#(0,16,48,32)(3,0,2,1)\r\nIMAGE=LEGACY.BMP\r\n"
                   b"PATTERN=BIG.JPG\r\nHOTPATTERN=SMALL.JPG\r\n\r\n"
                   b"[GLOBALINFO]\r\nEXTRAMASK=#(0,0,8,8)(1,0,0,1)\r\n")


def skins():
    return {"T1": t1(), "T1NoGlobalInfo": no_globalinfo(), "T1BadShadow": bad_shadow(),
            "T1LowerCase": lower_case(), "T1Version7": version7()}
