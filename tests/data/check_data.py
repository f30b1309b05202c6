"""Checks what only the data files show (the loaders' test, test_data,
reads everything through the game's own code): the arenas' geometry (walls
enclose the floor, starts, flags and spawn points stand on open tiles, flag
capture cells are tile centres, the tile map's wall list is the level's), the
paint atlas's cells join, the portrait sheet's row order, the font licence,
that every text file (the asset lists above all) ends with a line end, and
the size of the folder.

usage: /usr/bin/python3 check_data.py DATA_DIR
Prints one line per failed check and ends with "N passed, M failed";
the exit status is non-zero when a check failed.
"""
import json
import math
import os
import struct
import sys

DATA = None
RESULTS = [0, 0]


def check(cond, what):
    RESULTS[0 if cond else 1] += 1
    if not cond:
        print("FAIL: " + what)
    return cond


def path(*p):
    return os.path.join(DATA, *p)


def load(*p):
    with open(path(*p)) as fh:
        return json.load(fh)


# level number -> (Blue start, Red start)
STARTS = {0: ((-250, -950), (350, -950)), 1: ((-750, 450), (650, -550)),
          2: ((-250, 750), (250, 750)), 3: ((-750, -550), (250, 550))}
PLAYER_TYPES = (6, 7, 8, 15, 18, 19)
WALL_TYPE = 14

# paint autotile: (quarter, code) -> team 1 cell; team 2 is 4 less
AUTOTILE = {
    (0, "11"): 60, (0, "21"): 62, (0, "12"): 55, (0, "22"): 44, (0, "33"): 39,
    (1, "11"): 61, (1, "12"): 62, (1, "21"): 63, (1, "22"): 45, (1, "33"): 39,
    (2, "11"): 52, (2, "12"): 54, (2, "21"): 55, (2, "22"): 36, (2, "33"): 39,
    (3, "11"): 53, (3, "21"): 54, (3, "12"): 63, (3, "22"): 37, (3, "33"): 39,
}
# the two edges of each quarter, in code order, and its inner corner
QUAD_EDGES = {0: ("left", "top"), 1: ("top", "right"), 2: ("bottom", "left"), 3: ("right", "bottom")}
INNER = {0: ("right", "bottom"), 1: ("left", "bottom"), 2: ("right", "top"), 3: ("left", "top")}


def png_alpha(fname):
    """(w, h, alpha(x, y)) of an image, read with Debian's PIL."""
    from PIL import Image
    img = Image.open(fname).convert("RGBA")
    return img.width, img.height, img.load()


class Grid:
    """The floor of a tile map: 100-unit tiles from the top-left centre."""

    def __init__(self, tm):
        self.rows, self.cols = tm["row"], tm["col"]
        self.x0, self.y0 = tm["m_data1"][0], tm["m_data1"][1]

    def snap(self, x, y):
        """The tile index under (x, y), as the floor grid computes it, or None."""
        c, r = (x - self.x0) / 100.0, (self.y0 - y) / 100.0
        if not (-0.5 <= c < self.cols - 0.5 and -0.5 <= r < self.rows - 0.5):
            return None
        return int(math.floor(r + 0.5)) * self.cols + int(math.floor(c + 0.5))

    def centre(self, i):
        return self.x0 + 100 * (i % self.cols), self.y0 - 100 * (i // self.cols)


def cells_of_box(x, y, hw, hh, step):
    """Centres of the step-sized cells covering a box."""
    ny, nx = int(round(2 * hh / step)), int(round(2 * hw / step))
    return [(x - hw + step * (i + 0.5), y - hh + step * (j + 0.5)) for j in range(ny) for i in range(nx)]


def check_level(n):
    label = "savefile%d" % n
    doc = load("objects", "savefile%d.json" % n)
    tm = load("objects", "TilemapJsons", "Level_%d.json" % n)[0]
    g = Grid(tm)
    walls = [r for r in doc if r["GameObject"] == WALL_TYPE]
    blocked = set()
    for w in walls:
        hw, hh = w["VXAABB"][:2]
        x, y = w["position"]
        check(hw % 50 == 0 and hh % 50 == 0 and (x - hw) % 100 == 0 and (y - hh) % 100 == 0,
              "%s: %s covers whole tiles" % (label, w["g_name"]))
        tiles = [g.snap(cx, cy) for cx, cy in cells_of_box(x, y, hw, hh, 50)]
        check(None not in tiles, "%s: %s lies on the grid" % (label, w["g_name"]))
        blocked.update(t for t in tiles if t is not None)
    ring = [r * g.cols + c for r in range(g.rows) for c in range(g.cols)
            if r in (0, g.rows - 1) or c in (0, g.cols - 1)]
    check(all(i in blocked for i in ring), "%s: walls enclose the arena (every border tile)" % label)
    aabb = tm.get("AABB", [])
    listed = {aabb[i]: (aabb[i + 1], aabb[i + 2]) for i in range(0, len(aabb) - 2, 3)}
    check(listed == {w["g_name"]: tuple(w["VXAABB"][:2]) for w in walls},
          "Level_%d: AABB list names the save file's walls" % n)

    def on_floor(x, y):
        i = g.snap(x, y)
        return i is not None and i not in blocked

    flag_tiles = set()
    for rec in doc:
        name, (x, y) = rec["g_name"], rec["position"]
        if rec["GameObject"] in PLAYER_TYPES or "VXFlagCom" in rec or "VXSpPointComponent" in rec:
            check(on_floor(x, y), "%s: %s stands inside the arena on open floor" % (label, name))
        if "VXFlagCom" in rec:
            hw, hh = rec["VXAABB"][:2]
            cells = cells_of_box(x, y, hw, hh, rec["scaleX"])
            tiles = [g.snap(cx, cy) for cx, cy in cells]
            check(cells and all(t is not None and g.centre(t) == (int(cx), int(cy))
                                for t, (cx, cy) in zip(tiles, cells)),
                  "%s: every capture cell of %s is a tile centre" % (label, name))
            flag_tiles.update(t for t in tiles if t is not None)
    for side, (x, y) in zip(("Blue", "Red"), STARTS[n]):
        check(on_floor(x, y) and g.snap(x, y) not in flag_tiles,
              "%s: %s start (%d, %d) is on open floor off the flags" % (label, side, x, y))


def check_paint_atlas():
    w, h, px = png_alpha(path("img", "carpetBomb2.png"))
    cw, ch = w // 8, h // 8

    def cell_alpha(n):
        x0, y0 = (n % 8) * cw, (n // 8) * ch
        return [[px[x0 + i, y0 + j][3] for i in range(cw)] for j in range(ch)]

    check(all(a == 0 for r in cell_alpha(0) for a in r), "paint atlas cell 0 is transparent")
    for team, shift in ((1, 0), (2, 4)):
        for (q, code), cell in AUTOTILE.items():
            a = cell_alpha(cell - shift)
            edges = {"top": a[0], "bottom": a[-1], "left": [r[0] for r in a], "right": [r[-1] for r in a]}

            def inner_half(e):
                """The half of an edge next to the quarter's inner corner (the
                tile centre); the other half may meet an open edge."""
                line, half = edges[e], len(edges[e]) // 2
                near_end = INNER[q][0] == "right" if e in ("top", "bottom") else INNER[q][1] == "bottom"
                return line[half:] if near_end else line[:half]

            ok = all(v == 255 for e in INNER[q] for v in inner_half(e))
            for c, e in zip(code, QUAD_EDGES[q]):
                ok = ok and (all(v == 255 for v in inner_half(e)) if c in "23" else max(edges[e]) == 0)
            if code == "22":
                ok = ok and {0: a[0][0], 1: a[0][-1], 2: a[-1][0], 3: a[-1][-1]}[q] == 0
            check(ok, "paint cell %d (team %d, quarter %d, code %s) joins its neighbours"
                  % (cell - shift, team, q, code))

    def middle(n):
        x0, y0 = (n % 8) * cw, (n // 8) * ch
        return px[x0 + cw // 2, y0 + ch // 2][:3]
    b, r = middle(39), middle(35)
    check(b[2] > b[0] + 80 and r[0] > r[2] + 80, "team 1 paint is blue and team 2 paint is red")


def check_portrait_rows():
    """The portrait sheet holds the Red rows at the top of the file and the
    Blue rows below; a flipped file would show each team the other's."""
    with open(path("img", "CharacterPortraits_FullSpritesheet.dds"), "rb") as fh:
        data = fh.read()
    height, width = struct.unpack("<II", data[12:20])
    bits = struct.unpack("<I", data[88:92])[0]
    masks = struct.unpack("<IIII", data[92:108])

    def pixel(x, y):
        off = 128 + (y * width + x) * (bits // 8)
        v = int.from_bytes(data[off:off + bits // 8], "little")
        return [(v & m) >> ((m & -m).bit_length() - 1) if m else 255 for m in masks]
    top, bottom = pixel(8, 8), pixel(8, height - 9)
    check(top[0] > top[2] + 60 and bottom[2] > bottom[0] + 60,
          "the portrait sheet is stored top row first (Red rows at the top, Blue at the bottom)")


def check_block_bomb_wash():
    """The block bomb rests on cell 31 of its sheet for 20 s over the cells it
    has just painted, with the Viking often still on its centre: inside its
    frame it may tint them but not hide them."""
    w, h, alpha = png_alpha(path("img", "300x300px_LockDown_casting_animation.png"))
    cw, ch = w // 8, h // 4
    x0, y0 = (31 % 8) * cw, (31 // 8) * ch
    inner = [alpha[x, y][3] for x in range(x0 + cw // 8, x0 + cw * 7 // 8)
             for y in range(y0 + ch // 8, y0 + ch * 7 // 8)]
    share = sum(a > 128 for a in inner) / float(len(inner))
    check(share < 0.05, "the resting block bomb leaves its cells showing (%.0f%% covered)" % (share * 100))
    edge = [alpha[x0 + cw // 2, y][3] for y in range(y0, y0 + ch // 16)]
    check(max(edge) == 255, "the resting block bomb's frame is drawn")


def check_win_portraits_clear_the_label():
    """On the win screen a portrait cell lies over its plate: nothing of the
    figure may reach the team's name right of the round frame."""
    w, h, alpha = png_alpha(path("img", "GameOverPortraits_FullSpriteSheet.png"))
    cw, ch = w // 4, h // 2
    for n in (2, 3, 4, 5, 6, 7):
        x0, y0 = (n % 4) * cw, (n // 4) * ch
        right = x0 + int(cw * 0.27 + ch * 0.36) + 4  # past the frame and its outline
        stray = sum(alpha[x, y][3] > 0 for x in range(right, x0 + cw) for y in range(y0, y0 + ch))
        check(stray == 0, "portrait cell %d stays inside its frame (%d pixels beyond)" % (n, stray))


def check_text_files_end_with_a_line_end():
    """A line appended to a list (or any text file) by a shell starts a line
    of its own only when the file ends with a line end."""
    for root, _, files in os.walk(DATA):
        for f in sorted(files):
            if os.path.splitext(f)[1] in (".txt", ".json", ".vert", ".frag"):
                with open(os.path.join(root, f), "rb") as fh:
                    text = fh.read()
                name = os.path.relpath(os.path.join(root, f), DATA)
                check(text.endswith(b"\n"), "%s ends with a line end" % name)


def main(data):
    global DATA
    DATA = data
    for n in range(4):
        check_level(n)
    check_paint_atlas()
    check_portrait_rows()
    check_block_bomb_wash()
    check_win_portraits_clear_the_label()
    check_text_files_end_with_a_line_end()
    lic = path("font", "OFL.txt")
    check(os.path.isfile(lic) and "Open Font License" in open(lic).read(),
          "the font's Open Font License text ships beside it")
    total = sum(os.path.getsize(os.path.join(root, f)) for root, _, files in os.walk(DATA) for f in files)
    check(total < 30 * 1024 * 1024, "data folder is under 30 MB (%.1f MB)" % (total / 1048576.0))
    print("%d passed, %d failed" % tuple(RESULTS))
    return 1 if RESULTS[1] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "data"))
