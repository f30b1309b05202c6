"""Renders every sheet of the texture list (plus the images loaded by path)
with its cell numbers overlaid, into one PNG for checking at a glance.

usage: contact_sheet.py DATA_DIR OUT.png [NAME_FILTER]
Cell n is labelled at row n // columns, column n % columns from the top left.
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import assets  # noqa: E402

WIDTH = 1800
PANEL_MAX_H = 420


def read_list(data):
    with open(os.path.join(data, "objects", "texturelist.txt")) as fh:
        tokens = fh.read().split()
    return [(tokens[i], int(tokens[i + 1]), int(tokens[i + 2]))
            for i in range(0, len(tokens) - 2, 3)]


def load(path):
    if path.endswith(".dds"):
        import subprocess
        import tempfile
        with tempfile.TemporaryDirectory() as tmp:
            png = os.path.join(tmp, "x.png")
            subprocess.run(["convert", path, png], check=True)
            return Image.open(png).convert("RGBA")
    return Image.open(path).convert("RGBA")


def checker(w, h, s=16):
    img = Image.new("RGBA", (w, h), (90, 90, 100, 255))
    d = ImageDraw.Draw(img)
    for y in range(0, h, s):
        for x in range(0, w, s):
            if (x // s + y // s) % 2:
                d.rectangle([x, y, x + s - 1, y + s - 1], fill=(120, 120, 130, 255))
    return img


def panel(data, name, cols, rows, font):
    img = load(os.path.join(data, "img", name))
    scale = min(1.0, (WIDTH - 20) / img.width, PANEL_MAX_H / img.height)
    w, h = max(1, int(img.width * scale)), max(1, int(img.height * scale))
    view = checker(w, h)
    view.alpha_composite(img.resize((w, h), Image.LANCZOS))
    d = ImageDraw.Draw(view)
    cw, ch = w / cols, h / rows
    for n in range(cols * rows):
        r, c = divmod(n, cols)
        x, y = c * cw, r * ch
        d.rectangle([x, y, x + cw - 1, y + ch - 1], outline=(255, 255, 0, 255))
        d.text((x + 3, y + 2), str(n), fill=(255, 255, 0, 255), font=font,
               stroke_width=2, stroke_fill=(0, 0, 0, 255))
    out = Image.new("RGBA", (WIDTH, h + 30), (30, 30, 36, 255))
    ImageDraw.Draw(out).text((10, 4), "%s  %dx%d  (%dx%d px)" % (name, cols, rows, img.width, img.height),
                             fill=(255, 255, 255, 255), font=font)
    out.alpha_composite(view, (10, 26))
    return out


def main(data, dst, flt=None):
    try:
        font = ImageFont.truetype(os.path.join(data, "font", "Bangers.ttf"), 16)
    except OSError:
        font = ImageFont.load_default()
    entries = read_list(data)
    entries += [("carpetBomb2.png", 8, 8), ("LoadingScreen.png", 3, 1)]
    entries += [(n, 1, 1) for n in assets.INSTANCE_IMAGES
                if n not in ("carpetBomb2.png", "LoadingScreen.png")]
    panels = [panel(data, n, c, r, font) for n, c, r in entries if not flt or flt in n]
    total = sum(p.height for p in panels)
    sheet = Image.new("RGBA", (WIDTH, total), (30, 30, 36, 255))
    y = 0
    for p in panels:
        sheet.alpha_composite(p, (0, y))
        y += p.height
    sheet.convert("RGB").save(dst)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else None)
