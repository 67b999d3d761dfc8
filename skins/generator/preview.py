#!/usr/bin/env python3
"""A rough picture of a window drawn from the default skin's pieces, without
the library: for judging the artwork while drawing it.

  preview.py OUT.png

Nine-part borders are stretched, keyed pixels let the background through, text
is shown as bars."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import default_skin as d  # noqa: E402
import formats  # noqa: E402
from canvas import Canvas, KEY, mix  # noqa: E402


def state_cell(img, count, state):
    w = img.width // count
    cell = Canvas(w, img.height)
    for y in range(img.height):
        for x in range(w):
            cell.put(x, y, img.get(state * w + x, y))
    return cell


def put(dst, x, y, c):
    if c != KEY:
        dst.put(x, y, c)


def stretch(dst, src, sx0, sy0, sx1, sy1, dx0, dy0, dx1, dy1):
    if sx1 <= sx0 or sy1 <= sy0:
        return
    for y in range(dy0, dy1):
        sy = sy0 + (y - dy0) * (sy1 - sy0) // max(1, dy1 - dy0)
        for x in range(dx0, dx1):
            sx = sx0 + (x - dx0) * (sx1 - sx0) // max(1, dx1 - dx0)
            put(dst, x, y, src.get(sx, sy))


def nine(dst, skin, section, key, state, x0, y0, w, h):
    img, count, widths, mode = skin.images[(section, key)]
    if mode & 2 and state == 0:
        return
    c = state_cell(img, count, min(state, count - 1))
    wl, wt, wr, wb = widths
    cw, ch = c.width, c.height
    xs = [(0, wl, x0, x0 + wl), (wl, cw - wr, x0 + wl, x0 + w - wr), (cw - wr, cw, x0 + w - wr, x0 + w)]
    ys = [(0, wt, y0, y0 + wt), (wt, ch - wb, y0 + wt, y0 + h - wb), (ch - wb, ch, y0 + h - wb, y0 + h)]
    for j, (sy0, sy1, dy0, dy1) in enumerate(ys):
        for i, (sx0, sx1, dx0, dx1) in enumerate(xs):
            if i == 1 and j == 1 and not mode & 4:
                continue
            stretch(dst, c, sx0, sy0, sx1, sy1, dx0, dy0, dx1, dy1)


def glyph(dst, skin, section, key, state, x0, y0):
    img, count, _, _ = skin.images[(section, key)]
    c = state_cell(img, count, state)
    for y in range(c.height):
        for x in range(c.width):
            put(dst, x0 + x, y0 + y, c.get(x, y))
    return c.width, c.height


def text(dst, x, y, w, colour):
    dst.fill(x, y, x + w, y + 2, mix(colour, dst.get(x, y), 0.2))


def window(skin, out, x0, y0, w, h, active):
    out.fill(x0 + 4, y0 + 20, x0 + w - 4, y0 + h - 4, d.BG)
    nine(out, skin, "FORM", "BORDERSMASK", int(active), x0, y0, w, h)
    nine(out, skin, "FORMTITLE", "BORDERSMASK", int(active), x0, y0, w, 26)
    text(out, x0 + 10, y0 + 12, 90, d.TITLE_TEXT_ACTIVE if active else d.TITLE_TEXT_INACTIVE)
    bx = x0 + w - 4
    for name in ("CLOSE", "MAX", "MIN"):
        bx -= 28 + 1
        glyph(out, skin, "GLOBALINFO", "BICON" + name, 1 if (name == "MAX" and active) else 0, bx, y0 + 3)


def main(path):
    skin = d.build()
    out = Canvas(560, 380, (96, 104, 116))
    window(skin, out, 250, 20, 290, 140, False)
    x0, y0, w, h = 12, 40, 420, 320
    window(skin, out, x0, y0, w, h, True)
    cx, cy = x0 + 14, y0 + 40
    for i, st in enumerate((0, 1, 2)):
        nine(out, skin, "BUTTON", "BORDERSMASK", st, cx + i * 92, cy, 84, 26)
        text(out, cx + i * 92 + 24, cy + 12, 36, d.TEXT)
    cy += 40
    nine(out, skin, "EDIT", "BORDERSMASK", 0, cx, cy, 180, 24)
    out.fill(cx + 2, cy + 2, cx + 178, cy + 22, d.WHITE)
    text(out, cx + 8, cy + 11, 70, d.TEXT)
    out.fill(cx + 194, cy, cx + 374, cy + 24, d.WHITE)
    nine(out, skin, "EDIT", "BORDERSMASK", 1, cx + 194, cy, 180, 24)
    nine(out, skin, "COMBOBTN", "BORDERSMASK", 1, cx + 354, cy + 2, 18, 20)
    glyph(out, skin, "COMBOBOX", "GLYPHMASK", 1, cx + 357, cy + 7)
    cy += 40
    nine(out, skin, "GROUPBOX", "BORDERSMASK", 0, cx, cy, 180, 100)
    out.fill(cx + 8, cy - 2, cx + 70, cy + 3, d.BG)
    text(out, cx + 12, cy, 50, d.ACCENT_DARK)
    for i, (key, st) in enumerate((("BOXCHECKED", 0), ("BOXUNCHECKED", 1), ("RADIOCHECKED", 0),
                                   ("RADIOUNCHECKED", 0))):
        glyph(out, skin, "GLOBALINFO", key, st, cx + 12, cy + 14 + i * 21)
        text(out, cx + 34, cy + 21 + i * 21, 80, d.TEXT)
    # Tabs over a page.
    px = cx + 194
    out.fill(px, cy + 20, px + 180, cy + 100, d.PAPER)
    nine(out, skin, "PAGECONTROL", "BORDERSMASK", 0, px, cy + 19, 180, 81)
    for i, st in enumerate((2, 0, 1)):
        nine(out, skin, "TABTOP", "BORDERSMASK", st, px + 2 + i * 58, cy + (0 if st == 2 else 3), 58,
             20 if st == 2 else 17)
    # A vertical scroll bar at the client's right.
    sx, sy, sh = x0 + w - 4 - 17, y0 + 26, h - 30
    nine(out, skin, "SCROLLBAR1V", "BORDERSMASK", 0, sx, sy, 17, sh)
    nine(out, skin, "SCROLLBTNTOP", "BORDERSMASK", 0, sx, sy, 17, 17)
    glyph(out, skin, "SCROLLBTNTOP", "GLYPHMASK", 0, sx + 4, sy + 4)
    nine(out, skin, "SCROLLBTNBOTTOM", "BORDERSMASK", 1, sx, sy + sh - 17, 17, 17)
    glyph(out, skin, "SCROLLBTNBOTTOM", "GLYPHMASK", 1, sx + 4, sy + sh - 13)
    nine(out, skin, "SCROLLSLIDERV", "BORDERSMASK", 1, sx + 1, sy + 60, 15, 70)
    glyph(out, skin, "SCROLLSLIDERV", "GLYPHMASK", 1, sx + 4, sy + 91)
    # A popup menu with a hot item.
    mx, my = x0 + 230, y0 + 215
    out.fill(mx, my, mx + 150, my + 92, d.PAPER)
    out.fill(mx + 2, my + 2, mx + 26, my + 90, (238, 242, 247))
    nine(out, skin, "MAINMENU", "BORDERSMASK", 0, mx, my, 150, 92)
    for i in range(4):
        nine(out, skin, "MENUITEM", "BORDERSMASK", 1 if i == 1 else 0, mx + 3, my + 4 + i * 21, 144, 21)
        text(out, mx + 34, my + 14 + i * 21, 70, (24, 48, 80) if i == 1 else d.TEXT)
    # A hint.
    hx, hy = cx + 20, y0 + h - 40
    out.fill(hx, hy, hx + 140, hy + 24, (246, 249, 252))
    nine(out, skin, "HINT", "BORDERSMASK", 0, hx, hy, 140, 24)
    text(out, hx + 10, hy + 11, 100, d.TEXT)
    rgba = bytearray()
    for i in range(0, len(out.px), 3):
        rgba += out.px[i:i + 3] + b"\xff"
    with open(path, "wb") as f:
        f.write(formats.png_rgba(out.width, out.height, rgba))


if __name__ == "__main__":
    main(sys.argv[1])
