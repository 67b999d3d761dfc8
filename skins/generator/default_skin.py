"""The viewer's default skin: a calm slate-blue theme on a light, slightly
cool background. Every element the viewer shows has its section: forms and
their title bar and buttons, dialogs and the dialog panel, push buttons,
edits, combo and list boxes, check and radio boxes, group boxes, panels,
tabs, tool and status bars, scroll bars, popup and system menus, hints.

Conventions kept here: every colour that must follow a hue change is tinted
(never pure grey); outer corners are keyed in fuchsia so they cut window
regions; states are normal, hot, pressed (forms and titles: inactive,
active)."""

from canvas import Canvas, KEY, hstack, panel, disc, glyph_cell, mix, ALL_CORNERS
from skinbuild import Skin, bmp_of, masked

NAME = "Stillwater"

# ---- Palette ------------------------------------------------------------------------------------

BG = (236, 240, 245)
TEXT = (34, 43, 56)
WHITE = (255, 255, 255)
PAPER = (250, 251, 253)
LINE = (168, 180, 196)
SOFT_LINE = (196, 205, 217)
ACCENT = (62, 110, 165)
ACCENT_DARK = (40, 76, 118)
FOCUS = (92, 135, 185)

TITLE_ACTIVE = ((92, 126, 164), (72, 105, 143))
TITLE_INACTIVE = ((176, 188, 203), (160, 173, 190))
FRAME_ACTIVE = (50, 78, 110)
FRAME_INACTIVE = (128, 140, 157)
TITLE_TEXT_ACTIVE = (250, 252, 255)
TITLE_TEXT_INACTIVE = (238, 242, 247)

# (outline, face top, face bottom) per state: normal, hot, pressed.
BUTTON_STATES = [((150, 163, 181), (252, 253, 254), (229, 234, 241)),
                 ((92, 135, 185), (242, 247, 253), (214, 229, 247)),
                 ((62, 104, 152), (203, 218, 238), (221, 232, 246))]
SLIDER_STATES = [((170, 182, 199), (204, 213, 225), (192, 202, 216)),
                 ((120, 148, 184), (180, 197, 219), (166, 186, 211)),
                 ((82, 116, 160), (148, 172, 204), (136, 162, 197))]


def tc(rgb):
    """A TColor (0x00BBGGRR) as the decimal text the skin stores."""
    r, g, b = rgb
    return r | g << 8 | b << 16


def gradient(top, bottom):
    """GRADIENTDATA of one vertical stop over the whole height."""
    return "%d;%d;100;0;0" % (tc(top), tc(bottom))


# ---- Glyph shapes (x = ink) -----------------------------------------------------------------------

BIG = {
    "CLOSE": ["xx......xx", ".xx....xx.", "..xx..xx..", "...xxxx...", "....xx....", "...xxxx...",
              "..xx..xx..", ".xx....xx.", "xx......xx"],
    "MAX": ["xxxxxxxxxx", "xxxxxxxxxx"] + ["x........x"] * 6 + ["xxxxxxxxxx"],
    "MIN": ["." * 10] * 7 + ["xxxxxxxxxx"] * 2,
    "NORM": ["...xxxxxxx", "...xxxxxxx", "...x.....x", "xxxxxxx..x", "xxxxxxx..x", "x.....x..x",
             "x.....xxxx", "x.....x...", "xxxxxxx..."],
    "HELP": [".xxxxx.", "xx...xx", ".....xx", "....xx.", "...xx..", "...xx..", ".......", "...xx..",
             "...xx.."],
}
SMALL = {
    "CLOSE": ["x.....x", ".x...x.", "..x.x..", "...x...", "..x.x..", ".x...x.", "x.....x"],
    "MAX": ["xxxxxxx", "xxxxxxx"] + ["x.....x"] * 4 + ["xxxxxxx"],
    "MIN": ["......."] * 5 + ["xxxxxxx"] * 2,
    "NORM": ["..xxxxx", "..x...x", "xxxxx.x", "x...x.x", "x...xxx", "x...x..", "xxxxx.."],
    "HELP": [".xxx.", "x...x", "...x.", "..x..", "..x..", ".....", "..x.."],
}
CHECK = [".......xx", "......xxx", "x....xxx.", "xx..xxx..", "xxxxxx...", ".xxxx....", "..xx....."]
SMALL_CHECK = ["......x", ".....xx", "x...xx.", "xx.xx..", ".xxx...", "..x...."]
ARROW_DOWN = ["xxxxxxx", ".xxxxx.", "..xxx..", "...x..."]
CHEVRON_DOWN = ["x.....x", "xx...xx", ".xx.xx.", "..xxx..", "...x..."]
GRIP_H = ["x.x.x"] * 6


def rotate_rows(rows):
    """Glyph rows turned a quarter clockwise."""
    h, w = len(rows), len(rows[0])
    return ["".join(rows[h - 1 - y][x] for y in range(h)) for x in range(w)]


def three(make):
    """Three state images side by side from make(state)."""
    return hstack(*[make(s) for s in range(3)])


# ---- Pieces -------------------------------------------------------------------------------------------


def title_button(w, h, shape, close):
    """Normal: a light glyph straight on the title; hot and pressed: on a rounded plate."""
    plates = [None, (201, 88, 80) if close else (116, 148, 186), (163, 60, 54) if close else (56, 86, 122)]

    def state(s):
        img = Canvas(w, h) if plates[s] is None else panel(w, h, 3, mix(plates[s], (0, 0, 0), 0.15),
                                                           plates[s], plates[s])
        ink = (232, 238, 246) if s == 0 else WHITE
        cell = glyph_cell(w, h, shape, {"x": ink}, background=KEY)
        for y in range(h):
            for x in range(w):
                if cell.get(x, y) != KEY:
                    img.put(x, y, cell.get(x, y))
        return img
    return three(state)


def button_states(w, h, r, looks=BUTTON_STATES, corners=ALL_CORNERS):
    return three(lambda s: panel(w, h, r, looks[s][0], looks[s][1], looks[s][2],
                                 highlight=WHITE if s < 2 else None, corners=corners))


def check_box(size, mark, mark_shape):
    """A keyed box in three states, optionally marked ("check" or "grayed")."""
    def state(s):
        outline = [(132, 146, 166), FOCUS, ACCENT_DARK][s]
        face = [WHITE, (244, 248, 253), (222, 233, 247)][s]
        img = panel(size, size, 2, outline, face, mix(face, BG, 0.5))
        if mark == "check":
            ink = {"x": ACCENT_DARK if s < 2 else (30, 60, 96)}
            gw, gh = len(mark_shape[0]), len(mark_shape)
            from canvas import draw_pixels
            draw_pixels(img, (size - gw) // 2, (size - gh) // 2 + 1, mark_shape, ink)
        elif mark == "grayed":
            k = size // 4 + 1
            img.fill(k, k, size - k, size - k, (160, 174, 193))
        return img
    return three(state)


def radio(size, mark):
    def state(s):
        ring = [(132, 146, 166), FOCUS, ACCENT_DARK][s]
        face = [WHITE, (244, 248, 253), (222, 233, 247)][s]
        dots = {"check": ACCENT_DARK, "grayed": (160, 174, 193)}
        return disc(size, ring, face, dots.get(mark), size // 2 - (0 if size > 11 else 1))
    return three(state)


def glyph_states(w, h, shape, inks):
    return three(lambda s: glyph_cell(w, h, shape, {"x": inks[s]}))


def flat(w, h, colour):
    return Canvas(w, h, colour)


def frame(w, h, r, outline, inner=None, corners=ALL_CORNERS):
    """A one-state outline on a face that is never drawn (its centre is the section colour)."""
    face = inner or BG
    return panel(w, h, r, outline, face, face, corners=corners)


def tab(s, r=3):
    """A top tab: the active (pressed) state is open at the bottom and as light as the page."""
    outline = [LINE, FOCUS, LINE][s]
    top, bottom = [((226, 232, 240), (214, 222, 233)), ((242, 247, 253), (222, 233, 246)),
                   ((250, 251, 253), (250, 251, 253))][s]
    img = panel(20, 20, r, outline, top, bottom, highlight=WHITE if s == 1 else None, corners=("tl", "tr"))
    if s == 2:
        img.fill(1, 19, 19, 20, (250, 251, 253))
    return img


def form_border(s):
    """The outer frame: dark outline, then the title colour down the sides."""
    outline = [FRAME_INACTIVE, FRAME_ACTIVE][s]
    side = [TITLE_INACTIVE[1], TITLE_ACTIVE[1]][s]
    img = Canvas(16, 16)
    for y in range(16):
        for x in range(16):
            a = _cover(x, y, 16, 16, 5, ("tl", "tr"))
            if a < 0.5:
                continue
            b = _cover(x, y, 16, 16, 5, ("tl", "tr"), 1)
            img.put(x, y, mix(outline, side, b))
    # A hairline where the frame meets the client area.
    for i in range(4, 12):
        img.put(3, i, mix(side, outline, 0.35))
        img.put(12, i, mix(side, outline, 0.35))
        img.put(i, 12, mix(side, outline, 0.35))
    return img


def _cover(x, y, w, h, r, corners, inset=0):
    from canvas import coverage
    return coverage(x, y, w, h, r, corners, inset)


def form_title(s):
    top, bottom = [TITLE_INACTIVE, TITLE_ACTIVE][s]
    outline = [FRAME_INACTIVE, FRAME_ACTIVE][s]
    return panel(16, 16, 5, outline, top, bottom, highlight=mix(top, WHITE, 0.45), corners=("tl", "tr"))


def huge_button():
    """The large push button of a separate file: soft corners through a mask row."""
    imgs, masks = [], []
    for s in range(3):
        o, t, b = BUTTON_STATES[s]
        img, mask = panel(40, 40, 6, o, t, b, highlight=WHITE if s < 2 else None, keyed=False,
                          outside=BG)
        imgs.append(img)
        masks.append(mask)
    return masked(hstack(*imgs), hstack(*masks))


def grip():
    img = Canvas(12, 12)
    for x, y in ((9, 9), (9, 6), (6, 9), (9, 3), (6, 6), (3, 9)):
        img.fill(x + 1, y + 1, x + 3, y + 3, WHITE)
        img.fill(x, y, x + 2, y + 2, (140, 154, 174))
    return img


# ---- The skin ---------------------------------------------------------------------------------------


def build():
    s = Skin("Master.bmp", atlas_width=256)
    g = "GLOBALINFO"
    s.set(g, "VERSION", "6.4")
    s.set(g, "MASTERBITMAP", "MASTER.BMP", True)
    s.keys(g, AUTHOR="The viewer project", DESCRIPTION="Stillwater: calm slate blue, drawn by "
           "the project's skin generator", COLOR=tc(BG), FONTCOLOR=tc(TEXT),
           HOTCOLOR=tc(WHITE), BORDERCOLOR=tc(FRAME_ACTIVE), BISPACE=1, BIRIGHT=4, BILEFT=2, BITOP=0, BIVALIGN=0,
           BIKEEPHUE=1, SHADOW1COLOR=0, SHADOW1OFFSET=0, SHADOW1BLUR=-1, SHADOW1TRANSPARENCY=0)

    # Title bar buttons: large for forms, small for tool windows.
    for name in ("CLOSE", "MAX", "MIN", "NORM", "HELP"):
        s.glyph(g, "BICON" + name, title_button(28, 20, BIG[name], name == "CLOSE"), 3)
    s.glyph(g, "BICLOSEALONE", title_button(30, 20, BIG["CLOSE"], True), 3)
    for name in ("CLOSE", "MAX", "MIN", "NORM", "HELP"):
        s.glyph(g, "SICON" + name, title_button(18, 14, SMALL[name], name == "CLOSE"), 3)
    s.glyph(g, "TITLEBUTTON", title_button(28, 20, ["xxxx", "xxxx"], False), 3)
    s.glyph(g, "GRIPIMAGE", grip(), 1)
    for prefix, size, shape in (("BOX", 15, CHECK), ("SMALL", 11, SMALL_CHECK)):
        s.glyph(g, prefix + "CHECKED", check_box(size, "check", shape), 3)
        s.glyph(g, prefix + "UNCHECKED", check_box(size, None, shape), 3)
        s.glyph(g, prefix + "GRAYED", check_box(size, "grayed", shape), 3)
    s.glyph(g, "RADIOCHECKED", radio(15, "check"), 3)
    s.glyph(g, "RADIOUNCHECKED", radio(15, None), 3)
    s.glyph(g, "RADIOGRAYED", radio(15, "grayed"), 3)

    # Forms and dialogs. State 0 is the inactive look, state 1 the active one.
    s.keys("FORM", COLOR=tc(BG), HOTCOLOR=tc(BG), FONTCOLOR=tc(TEXT), HOTFONTCOLOR=tc(TEXT))
    s.border("FORM", "BORDERSMASK", hstack(form_border(0), form_border(1)), 2, (4, 6, 4, 4), 1)
    s.keys("FORMTITLE", COLOR=tc(TITLE_INACTIVE[1]), HOTCOLOR=tc(TITLE_ACTIVE[1]),
           FONTCOLOR=tc(TITLE_TEXT_INACTIVE), HOTFONTCOLOR=tc(TITLE_TEXT_ACTIVE),
           GRADIENTPERCENT=100, GRADIENTDATA=gradient(*TITLE_INACTIVE),
           HOTGRADIENTPERCENT=100, HOTGRADIENTDATA=gradient(*TITLE_ACTIVE))
    s.border("FORMTITLE", "BORDERSMASK", hstack(form_title(0), form_title(1)), 2, (6, 6, 6, 2), 5)
    s.keys("DIALOG", PARENTCLASS="FORM", COLOR=tc(BG))
    s.keys("MDIAREA", COLOR=tc((206, 214, 225)))

    # Push buttons and their relatives.
    s.keys("BUTTON", COLOR=tc((240, 243, 247)), HOTCOLOR=tc((228, 238, 250)), FONTCOLOR=tc(TEXT),
           HOTFONTCOLOR=tc(ACCENT_DARK), SHOWFOCUS="TRUE", FADINGENABLED="TRUE", FADINGITERATIONS=5)
    s.border("BUTTON", "BORDERSMASK", button_states(24, 24, 3), 3, (4, 4, 4, 4), 5)
    s.keys("BUTTON_HUGE", PARENTCLASS="BUTTON")
    s.set("BUTTON_HUGE", "BORDERSMASK", "!BUTTONHUGE.BMP!3!1!0!0008!0008!0008!0008", True)
    s.keys("SPEEDBUTTON", PARENTCLASS="BUTTON")
    s.keys("SPEEDBUTTON_SMALL", PARENTCLASS="BUTTON")
    s.border("SPEEDBUTTON_SMALL", "BORDERSMASK", button_states(12, 12, 2), 3, (3, 3, 3, 3), 5)
    s.keys("UPDOWNBTN", PARENTCLASS="SPEEDBUTTON_SMALL")
    s.keys("TOOLBUTTON", PARENTCLASS="BUTTON")
    # Flat until the mouse comes: state 0 is not drawn.
    s.border("TOOLBUTTON", "BORDERSMASK", button_states(16, 16, 3), 3, (4, 4, 4, 4), 7)
    s.keys("COLHEADER", PARENTCLASS="BUTTON", COLOR=tc((244, 246, 249)))
    s.border("COLHEADER", "BORDERSMASK", three(lambda st: _header(st)), 3, (2, 2, 2, 2), 5)

    # Edits, lists, combo boxes.
    s.keys("EDIT", COLOR=tc(WHITE), HOTCOLOR=tc(WHITE), FONTCOLOR=tc(TEXT), HOTFONTCOLOR=tc(TEXT))
    s.border("EDIT", "BORDERSMASK", hstack(frame(12, 12, 2, LINE, WHITE), frame(12, 12, 2, FOCUS, WHITE)),
             2, (2, 2, 2, 2), 1)
    s.keys("COMBOBOX", PARENTCLASS="EDIT")
    s.glyph("COMBOBOX", "GLYPHMASK", glyph_states(11, 11, CHEVRON_DOWN, [(96, 110, 130), ACCENT, ACCENT_DARK]), 3)
    s.keys("COMBOBTN", COLOR=tc(WHITE), HOTCOLOR=tc((228, 238, 250)))
    s.border("COMBOBTN", "BORDERSMASK", button_states(16, 16, 2), 3, (3, 3, 3, 3), 7)

    # Check and radio boxes draw their text straight on the parent.
    s.keys("CHECKBOX", TRANSPARENCY=100, HOTTRANSPARENCY=100, FONTCOLOR=tc(TEXT), HOTFONTCOLOR=tc(ACCENT_DARK))
    s.keys("RADIOBUTTON", PARENTCLASS="CHECKBOX")

    # Containers.
    s.keys("GROUPBOX", COLOR=tc(BG), TRANSPARENCY=100, FONTCOLOR=tc(ACCENT_DARK), HOTFONTCOLOR=tc(ACCENT_DARK))
    s.border("GROUPBOX", "BORDERSMASK", frame(12, 12, 3, SOFT_LINE), 1, (3, 3, 3, 3), 1)
    s.keys("PANEL", COLOR=tc(BG), FONTCOLOR=tc(TEXT))
    s.keys("PANEL_LOW", PARENTCLASS="PANEL")
    s.border("PANEL_LOW", "BORDERSMASK", frame(8, 8, 0, LINE), 1, (1, 1, 1, 1), 1)
    s.keys("PAGECONTROL", COLOR=tc(PAPER), FONTCOLOR=tc(TEXT))
    s.border("PAGECONTROL", "BORDERSMASK", frame(8, 8, 0, LINE, PAPER), 1, (1, 1, 1, 1), 1)
    for side in ("BOTTOM", "LEFT", "RIGHT"):
        s.keys("PAGECONTROL" + side, PARENTCLASS="PAGECONTROL")
    s.keys("TABSHEET", COLOR=tc(PAPER))
    s.keys("TABTOP", COLOR=tc((222, 229, 238)), HOTCOLOR=tc((232, 240, 250)), FONTCOLOR=tc(TEXT),
           HOTFONTCOLOR=tc(ACCENT_DARK))
    tabs = [tab(st) for st in range(3)]
    s.border("TABTOP", "BORDERSMASK", hstack(*tabs), 3, (3, 3, 3, 3), 5)
    for side, turn in (("BOTTOM", lambda c: c.flipped()), ("LEFT", lambda c: c.rotated().mirrored()),
                       ("RIGHT", lambda c: c.rotated())):
        s.keys("TAB" + side, PARENTCLASS="TABTOP")
        s.border("TAB" + side, "BORDERSMASK", hstack(*[turn(t) for t in tabs]), 3, (3, 3, 3, 3), 5)

    # Bars.
    s.keys("TOOLBAR", COLOR=tc((232, 237, 243)), GRADIENTPERCENT=100,
           GRADIENTDATA=gradient((246, 248, 251), (226, 232, 240)), FONTCOLOR=tc(TEXT))
    s.keys("BAR", PARENTCLASS="TOOLBAR")
    s.keys("STATUSBAR", COLOR=tc((226, 232, 240)), FONTCOLOR=tc((70, 82, 100)))
    s.keys("SPLITTER", COLOR=tc(BG))

    # Scroll bars: a quiet track, arrows that light up, a rounded thumb.
    track = [(236, 240, 245), (228, 233, 240), (218, 225, 234)]
    arrows = [(112, 124, 142), ACCENT, ACCENT_DARK]
    for half in ("1H", "2H", "1V", "2V"):
        s.keys("SCROLLBAR" + half, COLOR=tc(track[0]), HOTCOLOR=tc(track[1]))
        s.border("SCROLLBAR" + half, "BORDERSMASK", three(lambda st: flat(16, 16, track[st])), 3, (2, 2, 2, 2), 5)
    arrow_rows = {"TOP": ARROW_DOWN[::-1], "BOTTOM": ARROW_DOWN, "LEFT": rotate_rows(ARROW_DOWN),
                  "RIGHT": rotate_rows(ARROW_DOWN[::-1])}
    arrow_buttons = [((236, 240, 245),) * 3, ((176, 188, 204), (238, 242, 248), (224, 231, 240)),
                     ((128, 150, 180), (214, 224, 237), (204, 216, 232))]
    for side in ("LEFT", "RIGHT", "TOP", "BOTTOM"):
        sec = "SCROLLBTN" + side
        s.keys(sec, COLOR=tc(track[0]), HOTCOLOR=tc((232, 238, 246)))
        s.border(sec, "BORDERSMASK", button_states(16, 16, 3, arrow_buttons), 3, (3, 3, 3, 3), 5)
        s.glyph(sec, "GLYPHMASK", glyph_states(9, 9, arrow_rows[side], arrows), 3)
    grip_inks = [(240, 244, 249), WHITE, WHITE]
    for axis, rows in (("H", GRIP_H), ("V", rotate_rows(GRIP_H))):
        sec = "SCROLLSLIDER" + axis
        s.keys(sec, COLOR=tc(SLIDER_STATES[0][1]), HOTCOLOR=tc(SLIDER_STATES[1][1]))
        s.border(sec, "BORDERSMASK", button_states(16, 16, 4, SLIDER_STATES), 3, (5, 5, 5, 5), 5)
        s.glyph(sec, "GLYPHMASK", glyph_states(8, 8, rows, grip_inks), 3)

    # Popup and system menus, and hints.
    s.keys("MAINMENU", COLOR=tc(PAPER), FONTCOLOR=tc(TEXT))
    s.border("MAINMENU", "BORDERSMASK", frame(12, 12, 3, (150, 162, 178), PAPER), 1, (3, 3, 3, 3), 1,
             border_width=2)
    s.keys("MENUITEM", COLOR=tc(PAPER), HOTCOLOR=tc((214, 229, 247)), FONTCOLOR=tc(TEXT),
           HOTFONTCOLOR=tc((24, 48, 80)), TRANSPARENCY=100)
    item_looks = [(PAPER, PAPER, PAPER), ((150, 182, 222), (226, 237, 250), (210, 226, 246)),
                  ((110, 150, 200), (200, 218, 242), (214, 229, 247))]
    # A plain item is keyed through: it shows the menu's background or the menu line.
    item_images = button_states(12, 12, 3, item_looks)
    item_images.fill(0, 0, 12, 12, KEY)
    s.border("MENUITEM", "BORDERSMASK", item_images, 3, (3, 3, 3, 3), 7)
    s.keys("ICOLINE", COLOR=tc((238, 242, 247)))
    # The menu line of a form with a main menu, under the title.
    s.keys("MENULINE", COLOR=tc((226, 233, 242)), HOTCOLOR=tc((226, 233, 242)), FONTCOLOR=tc(TEXT),
           HOTFONTCOLOR=tc((24, 48, 80)))
    s.keys("HINT", COLOR=tc((246, 249, 252)), FONTCOLOR=tc(TEXT))
    s.border("HINT", "BORDERSMASK", frame(12, 12, 3, (150, 162, 178), (246, 249, 252)), 1, (3, 3, 3, 3), 1)

    s.add_file("ButtonHuge.bmp", bmp_of(huge_button()))
    return s


def _header(st):
    """A column header: flat face, a line on the right and at the bottom."""
    face = [(244, 246, 249), (232, 240, 250), (218, 228, 241)][st]
    img = Canvas(16, 16, face)
    img.fill(15, 2, 16, 14, SOFT_LINE)
    img.fill(0, 15, 16, 16, LINE)
    return img


def files():
    return build().folder_files()
