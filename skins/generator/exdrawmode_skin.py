"""TExDrawMode: the default skin with extended borders drawn by the skin's
border image itself (BORDERMODE 1): the image (EXBORDER, two states:
inactive, active) holds the whole frame, an opaque title band 34 pixels high
and borders 8 wide, inside a shadow FORMOFFSET (6) wide on every side. A
maximised form keeps a title of 28 in view (MAXHEIGHT) and the title's items
lie 2 pixels below its centre (CENTEROFFSET). The viewer's own skin keeps
none of this."""

import default_skin
import exborders_skin

NAME = "TExDrawMode"
OFFSET = 6  # the shadow on every side
BORDER = 8
TITLE = 34
SIDES = (OFFSET + BORDER, OFFSET + TITLE, OFFSET + BORDER, OFFSET + BORDER)  # left, top, right, bottom
WIDTH, HEIGHT = 48, 64

# Per state: the title band's top and bottom colours, the edge's highlight
# and the shadow's strength.
STATES = [
    ((132, 138, 150), (104, 110, 122), (176, 182, 192), 0.35),
    ((52, 104, 176), (24, 66, 132), (120, 164, 220), 0.6),
]


def band(top, bottom, y):
    """The title band's colour at row y (a vertical gradient)."""
    t = (y - OFFSET) / float(TITLE - 1)
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom))


def state_pixels(top, bottom, edge, strength):
    inner = (OFFSET, OFFSET, WIDTH - OFFSET, HEIGHT - OFFSET)
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            inside = inner[0] <= x < inner[2] and inner[1] <= y < inner[3]
            if not inside:
                cx, cy = x + 0.5, y + 0.5
                dx = max(inner[0] - cx, cx - inner[2], 0.0) / OFFSET
                dy = max(inner[1] - cy, cy - inner[3], 0.0) / OFFSET
                d = min(1.0, (dx * dx + dy * dy) ** 0.5)
                row.append((16, 24, 40, int(round(255 * strength * (1.0 - d) ** 2))))
            elif SIDES[0] <= x < WIDTH - SIDES[2] and SIDES[1] <= y < HEIGHT - SIDES[3]:
                row.append((0, 0, 0, 0))  # the centre: the form's own background
            elif x == inner[0] or y == inner[1] or x == inner[2] - 1 or y == inner[3] - 1:
                row.append(edge + (255,))
            elif y < SIDES[1]:
                row.append(band(top, bottom, y) + (255,))
            else:
                row.append(bottom + (255,))
        rows.append(row)
    return rows


def exborder_png():
    return exborders_skin.states_png([state_pixels(*st) for st in STATES], WIDTH, HEIGHT)


def files():
    s = default_skin.build()
    s.keys("GLOBALINFO", BORDERWIDTH=BORDER, TITLEHEIGHT=TITLE, MAXHEIGHT=28, FORMOFFSET=OFFSET, CENTEROFFSET=2,
           BORDERMODE=1)
    s.set("GLOBALINFO", "EXBORDER", "!EXBORDER.PNG!2!0!0!%04d!%04d!%04d!%04d" % SIDES, True)
    s.add_file("ExBorder.png", exborder_png())
    return s.folder_files()
