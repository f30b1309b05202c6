"""The floor atlas and the 8 x 8 paint atlas of quarter tiles.

Each painted floor tile is drawn as four 54 x 54 quarters centred 25 units off
the tile centre; the atlas cell of a quarter is chosen by its two edge codes.
All quarters are cut from one shape description so that joined edges meet
the neighbouring quarter's paint without a seam.
"""
import math
import random

from PIL import Image, ImageFilter, ImageChops

from gfx import Cell, sheet, save_png, shade, with_alpha, INK, GOLD, BLUE, RED, BLUE_DARK, RED_DARK

CELL_PX = 64          # atlas cell size
QUARTER = 54.0        # quarter size in world units
INSET = 7.0           # paint edge inset from an open tile edge
RADIUS = 14.0         # rounding of an outer corner
RIM = 3.5             # dark rim width
SS = 4

# (quadrant, code) -> team 1 atlas cell; team 2 uses the cell minus 4
AUTOTILE = {
    (0, "11"): 60, (0, "21"): 62, (0, "12"): 55, (0, "22"): 44, (0, "33"): 39,
    (1, "11"): 61, (1, "12"): 62, (1, "21"): 63, (1, "22"): 45, (1, "33"): 39,
    (2, "11"): 52, (2, "12"): 54, (2, "21"): 55, (2, "22"): 36, (2, "33"): 39,
    (3, "11"): 53, (3, "21"): 54, (3, "12"): 63, (3, "22"): 37, (3, "33"): 39,
}


def shape_of(q, code):
    """Edge states in the top-left quarter's orientation: (side at x=0, side at y=0)."""
    a, b = code
    if q == 0:
        return a, b
    if q == 1:
        return b, a
    if q == 2:
        return b, a
    return a, b


def inside(x, y, vert, horiz):
    """Paint coverage at (x, y), tile corner at the origin, x and y into the tile."""
    if vert == "3" or horiz == "3":
        return True
    if vert == "2" and horiz == "2":
        return not (x < INSET and y < INSET)
    if vert == "2":
        return y >= INSET
    if horiz == "2":
        return x >= INSET
    if x < INSET or y < INSET:
        return False
    cx = cy = INSET + RADIUS
    if x < cx and y < cy:
        return (x - cx) ** 2 + (y - cy) ** 2 <= RADIUS ** 2
    return True


def quarter_image(q, code, colour, rim):
    vert, horiz = shape_of(q, code)
    margin = 8.0
    n = int(round((QUARTER + 2 * margin) / QUARTER * CELL_PX * SS))
    scale = (QUARTER + 2 * margin) / n
    mask = Image.new("L", (n, n), 0)
    px = mask.load()
    for j in range(n):
        y = -2.0 - margin + (j + 0.5) * scale
        for i in range(n):
            x = -2.0 - margin + (i + 0.5) * scale
            if inside(x, y, vert, horiz):
                px[i, j] = 255
    rim_px = int(round(RIM / scale))
    inner = mask.filter(ImageFilter.MinFilter(2 * rim_px + 1))
    border = ImageChops.subtract(mask, inner)
    img = Image.new("RGBA", (n, n), with_alpha(colour, 0))
    img.paste(colour, (0, 0), inner)
    img.paste(rim, (0, 0), border)
    off = int(round(margin / scale))
    size = n - 2 * off
    img = img.crop((off, off, off + size, off + size)).resize((CELL_PX, CELL_PX), Image.LANCZOS)
    if q in (1, 3):
        img = img.transpose(Image.FLIP_LEFT_RIGHT)
    if q in (2, 3):
        img = img.transpose(Image.FLIP_TOP_BOTTOM)
    return img


def draw_paint_atlas(path):
    atlas = Image.new("RGBA", (8 * CELL_PX, 8 * CELL_PX), (0, 0, 0, 0))
    done = {}
    for team, colour, rim, shift in ((1, BLUE, BLUE_DARK, 0), (2, RED, RED_DARK, 4)):
        for (q, code), cell in sorted(AUTOTILE.items()):
            img = quarter_image(q, code, colour, rim)
            n = cell - shift
            if n in done:
                assert done[n] == img.tobytes(), "atlas cell %d drawn two ways" % n
                continue
            done[n] = img.tobytes()
            atlas.paste(img, ((n % 8) * CELL_PX, (n // 8) * CELL_PX))
    save_png(atlas, path)


# ---- floor -------------------------------------------------------------------

GRASS = (104, 150, 92, 255)
STONE = (176, 170, 156, 255)


def _base(c, colour, seed, kind):
    c.rect(0, 0, c.w, c.h, colour, None, 0)
    rnd = random.Random(seed)
    if kind == "grass":
        for _ in range(26):
            x, y = rnd.uniform(8, c.w - 8), rnd.uniform(8, c.h - 8)
            col = shade(colour, rnd.choice((0.88, 1.1)))
            for dx in (-3, 0, 3):
                c.line([(x + dx, y + 4), (x + dx * 1.6, y - 4)], col, 1.6)
    else:
        for _ in range(14):
            x, y = rnd.uniform(8, c.w - 8), rnd.uniform(8, c.h - 8)
            c.circle(x, y, rnd.uniform(2, 5), shade(colour, rnd.choice((0.92, 1.06))), None, 0)
    # tile seam: the tile is drawn 104 units wide, so its outer 2 units overlap
    m = c.w * 2 / 104.0
    c.rect(m, m, c.w - m, c.h - m, None, shade(colour, 0.82), 2.5)


def draw_floor(path, spec):
    name, cols, rows, cw, ch = spec

    def d(c, n):
        kind = "grass" if n in (0, 1, 2, 3, 8, 9, 12, 14) else "stone"
        colour = GRASS if kind == "grass" else STONE
        if n in (0, 4):
            _base(c, colour, n, kind)
        elif n in (1, 2, 3, 5, 6, 7, 9, 11):
            _base(c, shade(colour, 0.96 + 0.03 * (n % 3)), n, kind)
            if kind == "grass" and n in (2, 9):
                rnd = random.Random(n)
                for _ in range(3):
                    x, y = rnd.uniform(20, 108), rnd.uniform(20, 108)
                    c.circle(x, y, 5, (250, 240, 200, 255), INK, 1.2)
                    c.circle(x, y, 2, GOLD, None, 0)
            if kind == "stone" and n in (6, 11):
                c.line([(40, 52), (52, 62), (50, 76)], shade(colour, 0.8), 1.5)
        elif n in (8, 10):
            _base(c, colour, n, kind)
            m = 12
            for i in range(8):
                t0, t1 = i / 8.0, (i + 0.5) / 8.0
                L = c.w - 2 * m
                for (x0, y0, x1, y1) in ((m + L * t0, m, m + L * t1, m), (m + L * t0, c.h - m, m + L * t1, c.h - m),
                                         (m, m + L * t0, m, m + L * t1), (c.w - m, m + L * t0, c.w - m, m + L * t1)):
                    c.line([(x0, y0), (x1, y1)], GOLD, 4)
        elif n == 12:
            # a hedge seen from above
            c.rect(0, 0, c.w, c.h, (40, 84, 46, 255), None, 0)
            rnd = random.Random(12)
            for _ in range(16):
                x, y = rnd.uniform(14, 114), rnd.uniform(14, 114)
                c.circle(x, y, rnd.uniform(16, 24), (58, 110, 60, 255), (30, 60, 34, 255), 2)
            for _ in range(10):
                x, y = rnd.uniform(14, 114), rnd.uniform(14, 114)
                c.circle(x, y, 6, (86, 146, 80, 255), None, 0)
        elif n == 13:
            # a stone block wall seen from above
            c.rect(0, 0, c.w, c.h, (96, 90, 92, 255), None, 0)
            c.rect(6, 6, c.w - 6, c.h - 6, (128, 122, 124, 255), INK, 3, radius=6)
            c.line([(6, c.h / 2), (c.w - 6, c.h / 2)], INK, 2)
            c.line([(c.w / 2, 6), (c.w / 2, c.h / 2)], INK, 2)
            c.line([(c.w / 4, c.h / 2), (c.w / 4, c.h - 6)], INK, 2)
            c.line([(3 * c.w / 4, c.h / 2), (3 * c.w / 4, c.h - 6)], INK, 2)
        elif n in (14, 15):
            _base(c, colour, n, kind)
            c.circle(c.w / 2, c.h / 2, 48, shade(colour, 0.85), INK, 2)
            c.circle(c.w / 2, c.h / 2, 40, colour, None, 0)
    save_png(sheet(cols, rows, cw, ch, d), path)
