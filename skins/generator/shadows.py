"""The form-shadow templates of the skinning library: a dark frame whose
alpha falls off softly from the window's edge outwards. A template is cut
nine ways with the library's shadow sides (left 11, top 7, right 11, bottom
11), so the window's own rectangle is the middle and the shadow lies in the
margins; the top margin is the thinnest, as if the light came from above."""

import formats

SIDES = (11, 7, 11, 11)  # left, top, right, bottom


def template(size, strength):
    """A size x size RGBA template; strength is the alpha at the window's edge."""
    left, top, right, bottom = SIDES
    inner = (left, top, size - right, size - bottom)
    rgba = bytearray()
    for y in range(size):
        for x in range(size):
            # Distance outside the window rectangle, in units of the margin on that side.
            cx, cy = x + 0.5, y + 0.5
            dx = (inner[0] - cx) / left if cx < inner[0] else (cx - inner[2]) / right if cx > inner[2] else 0.0
            dy = (inner[1] - cy) / top if cy < inner[1] else (cy - inner[3]) / bottom if cy > inner[3] else 0.0
            d = min(1.0, (dx * dx + dy * dy) ** 0.5)
            falloff = (1.0 - d) ** 2 * (3 - 2 * (1.0 - d)) if d > 0 else 1.0  # smooth, flat at both ends
            a = int(round(255 * strength * falloff))
            rgba += bytes((8, 12, 20, a))
    return formats.png_rgba(size, size, rgba)


def files():
    """The two resources: active (stronger, 32 x 32) and inactive (31 x 31)."""
    return {"acSHDA.png": template(32, 0.42), "acSHDI.png": template(31, 0.26)}
