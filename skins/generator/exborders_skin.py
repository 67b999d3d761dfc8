"""TExBorders: the default skin with extended borders, for the tests of the
border window: a frame 8 pixels wide, a title 34 pixels high, and a shadow
image (EXBORDER, two states: inactive, active) whose margins less the
FORMOFFSET give the shadow's sides (16, 12, 16, 16). The viewer's own skin
keeps none of this."""

import default_skin
import formats

NAME = "TExBorders"
SIDES = (20, 16, 20, 20)  # the image's margins: left, top, right, bottom
OFFSET = 4  # how far the frame's edge lies inside them
CELL = 48


def shadow_state(strength, tint):
    """One CELL x CELL state: a dark frame whose alpha falls off outwards."""
    left, top, right, bottom = (s - OFFSET for s in SIDES)
    inner = (left, top, CELL - right, CELL - bottom)
    rows = []
    for y in range(CELL):
        row = []
        for x in range(CELL):
            cx, cy = x + 0.5, y + 0.5
            dx = (inner[0] - cx) / left if cx < inner[0] else (cx - inner[2]) / right if cx > inner[2] else 0.0
            dy = (inner[1] - cy) / top if cy < inner[1] else (cy - inner[3]) / bottom if cy > inner[3] else 0.0
            d = min(1.0, (dx * dx + dy * dy) ** 0.5)
            a = int(round(255 * strength * (1.0 - d) ** 2))
            row.append((tint[0], tint[1], tint[2], a))
        rows.append(row)
    return rows


def states_png(states, width, height):
    """An EXBORDER picture: the states (rows of RGBA pixels, width x height
    each) side by side."""
    rgba = bytearray()
    for y in range(height):
        for st in states:
            for px in st[y]:
                rgba += bytes(px)
    return formats.png_rgba(width * len(states), height, rgba)


def exborder_png():
    return states_png([shadow_state(0.35, (30, 36, 48)), shadow_state(0.6, (16, 28, 60))], CELL, CELL)


def files():
    s = default_skin.build()
    s.keys("GLOBALINFO", BORDERWIDTH=8, TITLEHEIGHT=34, FORMOFFSET=OFFSET)
    s.set("GLOBALINFO", "EXBORDER", "!EXBORDER.PNG!2!0!0!%04d!%04d!%04d!%04d" % SIDES, True)
    s.add_file("ExBorder.png", exborder_png())
    return s.folder_files()
