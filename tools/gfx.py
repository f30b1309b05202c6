"""Drawing toolkit shared by the image generators.

Every cell is drawn at SS times its size in a flat style with dark outlines and
scaled down, which gives smooth edges.  Coordinates passed to the helpers are
in cell pixels (before supersampling).
"""
import math
import os

from PIL import Image, ImageDraw, ImageFilter, ImageFont

SS = 4
HERE = os.path.dirname(os.path.abspath(__file__))
FONT_PATH = os.path.join(HERE, "..", "data", "font", "Bangers.ttf")

INK = (30, 24, 38, 255)
WHITE = (250, 248, 240, 255)
CREAM = (255, 238, 200, 255)
GOLD = (250, 190, 40, 255)
GOLD_DARK = (190, 120, 20, 255)
BLUE = (38, 112, 240, 255)
BLUE_LIGHT = (120, 180, 255, 255)
BLUE_DARK = (20, 55, 150, 255)
RED = (232, 48, 52, 255)
RED_LIGHT = (255, 140, 130, 255)
RED_DARK = (140, 20, 30, 255)
PANEL = (34, 36, 64, 235)
PANEL_LIGHT = (62, 66, 110, 255)
GREY = (150, 150, 160, 255)

TEAM = {1: (BLUE, BLUE_LIGHT, BLUE_DARK), 2: (RED, RED_LIGHT, RED_DARK),
        0: (GREY, WHITE, (80, 80, 90, 255))}

_fonts = {}


def font(px):
    px = int(round(px))
    if px not in _fonts:
        _fonts[px] = ImageFont.truetype(FONT_PATH, px)
    return _fonts[px]


def shade(c, f, alpha=None):
    r, g, b = [max(0, min(255, int(v * f))) for v in c[:3]]
    return (r, g, b, c[3] if alpha is None else alpha)


def with_alpha(c, a):
    return (c[0], c[1], c[2], int(a))


class Cell:
    """One supersampled drawing surface of w x h cell pixels."""

    def __init__(self, w, h, bg=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), bg)
        self.d = ImageDraw.Draw(self.img)

    def _layer(self, fill, outline=None):
        """Drawing target for one shape: the cell itself, or for a
        translucent colour a clear layer that is blended in afterwards (a
        direct draw would replace the pixels below instead of covering them)."""
        translucent = any(c is not None and len(c) == 4 and c[3] < 255 for c in (fill, outline))
        if not translucent:
            return self.d, None
        layer = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        return ImageDraw.Draw(layer), layer

    def _blend(self, layer):
        if layer is not None:
            self.img.alpha_composite(layer)

    # coordinate helpers
    @staticmethod
    def s(v):
        return v * SS

    def box(self, x0, y0, x1, y1):
        return [x0 * SS, y0 * SS, x1 * SS, y1 * SS]

    def ow(self, width):
        return max(1, int(round(width * SS)))

    # shapes: fill with a dark outline of the given width
    def ellipse(self, cx, cy, rx, ry, fill, outline=INK, width=2.0):
        d, layer = self._layer(fill, outline if width > 0 else None)
        d.ellipse(self.box(cx - rx, cy - ry, cx + rx, cy + ry), fill=fill,
                  outline=outline if width > 0 else None, width=self.ow(width))
        self._blend(layer)

    def circle(self, cx, cy, r, fill, outline=INK, width=2.0):
        self.ellipse(cx, cy, r, r, fill, outline, width)

    def rect(self, x0, y0, x1, y1, fill, outline=INK, width=2.0, radius=0):
        b = self.box(x0, y0, x1, y1)
        d, layer = self._layer(fill, outline if width > 0 else None)
        if radius:
            d.rounded_rectangle(b, radius=radius * SS, fill=fill,
                                outline=outline if width > 0 else None,
                                width=self.ow(width))
        else:
            d.rectangle(b, fill=fill, outline=outline if width > 0 else None,
                        width=self.ow(width))
        self._blend(layer)

    def poly(self, pts, fill, outline=INK, width=2.0):
        p = [(x * SS, y * SS) for x, y in pts]
        d, layer = self._layer(fill, outline if width > 0 else None)
        d.polygon(p, fill=fill)
        if outline is not None and width > 0:
            d.line(p + [p[0]], fill=outline, width=self.ow(width), joint="curve")
        self._blend(layer)

    def line(self, pts, fill=INK, width=2.0):
        d, layer = self._layer(fill)
        d.line([(x * SS, y * SS) for x, y in pts], fill=fill, width=self.ow(width),
               joint="curve")
        self._blend(layer)

    def thick_line(self, pts, fill, width, outline=INK, ow=2.0):
        """A stroke with a dark outline (drawn as a wider dark stroke below)."""
        if outline is not None:
            self.line(pts, outline, width + 2 * ow)
            for x, y in (pts[0], pts[-1]):
                self.circle(x, y, (width + 2 * ow) / 2, outline, None, 0)
        self.line(pts, fill, width)
        for x, y in (pts[0], pts[-1]):
            self.circle(x, y, width / 2, fill, None, 0)

    def arc(self, cx, cy, r, a0, a1, fill, width):
        d, layer = self._layer(fill)
        d.arc(self.box(cx - r, cy - r, cx + r, cy + r), a0, a1, fill=fill,
              width=self.ow(width))
        self._blend(layer)

    def star(self, cx, cy, r_out, r_in, n, fill, outline=INK, width=2.0, rot=-90):
        pts = []
        for i in range(2 * n):
            r = r_out if i % 2 == 0 else r_in
            a = math.radians(rot + i * 180.0 / n)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        self.poly(pts, fill, outline, width)

    def text(self, cx, cy, s, px, fill=WHITE, stroke=INK, stroke_w=None, anchor="mm"):
        if stroke_w is None:
            stroke_w = max(1.0, px / 14.0)
        self.d.text((cx * SS, cy * SS), s, font=font(px * SS), fill=fill, anchor=anchor,
                    stroke_width=int(round(stroke_w * SS)) if stroke else 0,
                    stroke_fill=stroke)

    def text_fit(self, cx, cy, s, px, max_w, **kw):
        while px > 6 and font(px * SS).getlength(s) > max_w * SS:
            px -= 1
        self.text(cx, cy, s, px, **kw)

    def paste(self, other, x, y):
        """Alpha-composite another Cell (same SS) at cell position x, y."""
        self.img.alpha_composite(other.img, (int(x * SS), int(y * SS)))

    def rotated(self, deg):
        """The drawing rotated about its centre (counter-clockwise on screen)."""
        out = Cell(self.w, self.h)
        out.img = self.img.rotate(deg, resample=Image.BICUBIC, center=None)
        out.d = ImageDraw.Draw(out.img)
        return out

    def fade(self, alpha):
        """Scale the whole drawing's opacity by alpha (0..1)."""
        a = self.img.getchannel("A").point(lambda v: int(v * alpha))
        self.img.putalpha(a)

    def blur_shadow(self, radius):
        self.img = self.img.filter(ImageFilter.GaussianBlur(radius * SS))
        self.d = ImageDraw.Draw(self.img)

    def final(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def sheet(cols, rows, cw, ch, draw, bg=(0, 0, 0, 0)):
    """Builds a sheet; draw(cell, n) paints cell n (row n // cols, col n % cols,
    row 0 at the top of the image).  draw returning False leaves it empty."""
    out = Image.new("RGBA", (cols * cw, rows * ch), (0, 0, 0, 0))
    for n in range(cols * rows):
        c = Cell(cw, ch, bg)
        if draw(c, n) is False:
            continue
        out.paste(c.final(), ((n % cols) * cw, (n // cols) * ch))
    return out


def save_png(img, path):
    img = img.convert("RGBA")
    img.save(path, "PNG", optimize=True)


def ease_out(t):
    t = max(0.0, min(1.0, t))
    return 1 - (1 - t) ** 3


def back_out(t):
    t = max(0.0, min(1.0, t))
    c = 1.70158
    return 1 + (c + 1) * (t - 1) ** 3 + c * (t - 1) ** 2
