"""Writes the asset lists, the four save files, the prefabs and the tile maps.

usage: gen_objects.py DATA_DIR
"""
import os
import sys

import assets
from assets import grid, FLOOR
from levels import LEVELS
from objfile import record, sprite, emitter, write_file
from prettyjson import PrettyWriter

# character name -> (object type, sheet); facing +x
CHARACTERS = [("Archer", 15), ("Knight", 8), ("Pirate", 6), ("Viking", 7),
              ("Samurai", 18), ("Maid", 19)]
CHAR_SCALE = (150.0, 150.0)
CHAR_HALF = (40.0, 40.0)

# prefab name -> scale; the folder lists them alphabetically, which gives the
# projectile of Archer, Pirate, Viking, Samurai, Knight and Maid in that order
PREFABS = [("Arrow", (96.0, 48.0)), ("CannonBall", (56.0, 56.0)),
           ("Fist", (72.0, 64.0)), ("Katana", (120.0, 60.0)),
           ("Lance", (144.0, 48.0)), ("Mop", (108.0, 72.0))]

# layers of the objects the level set-up does not renumber
LAYER_PAD, LAYER_FLAG_FX, LAYER_FLAG = 20, 22, 24
LAYER_SHADOW, LAYER_CHAR, LAYER_STATUS, LAYER_CAST = 38, 40, 44, 45


def cells(start, count):
    return list(range(start, start + count))


def character_records(name, type_, pos):
    recs = [record(type_, name, pos, CHAR_SCALE,
                   sprite=sprite(name + "_Sheet.png", grid(name + "_Sheet.png"),
                                 [cells(0, 8), cells(8, 8), cells(16, 6)],
                                 LAYER_CHAR, fps=15),
                   body=True, aabb=CHAR_HALF,
                   emitter=emitter("PaintBurst.png", 40, 1.5, 20, 30.0),
                   player=True)]
    recs.append(record(1, name + "Shadow", scale=(1.0, 1.0), parent=name,
                       sprite=sprite("CharacterShadow.png", (1, 1), [[0]],
                                     LAYER_SHADOW, fps=1, playing=False)))
    recs.append(record(1, name + "HitPE", scale=(1.0, 1.0), parent=name,
                       emitter=emitter("HitSpark.png", 30, 1.5, 12, 48.0)))
    status = grid("StatusEffects.png")
    recs.append(record(1, name + "Status", scale=(1.0, 1.0), parent=name,
                       sprite=sprite("StatusEffects.png", status,
                                     [[0], cells(8, 8), [16], cells(24, 8), [32],
                                      cells(40, 8), cells(48, 8)],
                                     LAYER_STATUS, fps=14)))
    if name == "Archer":
        recs.append(record(1, "ArcherCast", scale=(1.0, 1.0), parent=name,
                           sprite=sprite("ArcherCast.png", grid("ArcherCast.png"),
                                         [cells(0, 8), cells(8, 8), [16]],
                                         LAYER_CAST, fps=20, playing=False)))
    return recs


def flag_records(k, pos):
    name = "Flag%d" % k
    recs = [record(0, name, pos, (100.0, 100.0),
                   sprite=sprite("Flag.png", grid("Flag.png"),
                                 [cells(0, 4), cells(4, 4), cells(8, 4)],
                                 LAYER_FLAG, fps=8),
                   aabb=(150.0, 150.0), flag=True)]
    recs.append(record(1, name + "Capture", scale=(3.0, 3.0), parent=name,
                       sprite=sprite("FlagCapture.png", grid("FlagCapture.png"),
                                     [cells(0, 8)], LAYER_FLAG_FX - 1, fps=12)))
    for i, suffix in enumerate(("RingA", "RingB")):
        recs.append(record(1, name + suffix, scale=(2.2 - 0.4 * i, 2.2 - 0.4 * i),
                           parent=name,
                           sprite=sprite("FlagOrnament.png", grid("FlagOrnament.png"),
                                         [[0], [1]], LAYER_FLAG_FX + i, fps=1,
                                         playing=False)))
    return recs


def pad_record(k, pos):
    return record(13, "SpawnPoint%d" % k, pos, (100.0, 100.0),
                  sprite=sprite("SpawnPoint.png", grid("SpawnPoint.png"),
                                [cells(0, 8), cells(8, 8)], LAYER_PAD, fps=12),
                  aabb=(50.0, 50.0),
                  emitter=emitter("PaintBurst.png", 50, 10.0, 20, 35.0),
                  spawn=True)


def level_records(level):
    recs = []
    # the six characters stand in a row near the middle of the arena, on the
    # row with the most open tiles, spread evenly along it
    flags = level.tiles("F")

    def open_tiles(r):
        return [c for c in range(level.cols) if level.grid[r][c] == "."
                and all(abs(c - fc) > 1 or abs(r - fr) > 1 for (fc, fr) in flags)]
    mid = level.rows // 2
    row = max(range(mid - 3, mid + 3), key=lambda r: (len(open_tiles(r)), -abs(r - mid)))
    free = open_tiles(row)
    assert len(free) >= 6, level.number
    spots = [level.centre(free[round(i * (len(free) - 1) / 5.0)], row) for i in range(6)]
    for (name, type_), pos in zip(CHARACTERS, spots):
        recs += character_records(name, type_, pos)
    recs.append(record(12, "GameManager", (0.0, 0.0), (100.0, 100.0)))
    recs.append(record(17, "Painter", (0.0, 0.0), (50.0, 50.0)))
    corner = level.centre(1, 1)
    for i, icon in enumerate(("P1Icon", "P2Icon")):
        recs.append(record(9, icon, (corner[0] + 100.0 * i, corner[1]), (64.0, 64.0),
                           sprite=sprite(icon + ".png", grid(icon + ".png"),
                                         [[0, 1], [2, 3]], 46, fps=2, playing=False)))
    for k, (c, r) in enumerate(level.tiles("F"), 1):
        recs += flag_records(k, level.centre(c, r))
    for k, (c, r) in enumerate(level.tiles("S"), 1):
        recs.append(pad_record(k, level.centre(c, r)))
    for k, (c, r, w, h) in enumerate(level.wall_rects(), 1):
        x0, y0 = level.centre(c, r)
        cx = x0 - 50.0 + 50.0 * w
        cy = y0 + 50.0 - 50.0 * h
        recs.append(record(14, "WallCollider_%d" % k, (cx, cy), (100.0 * w, 100.0 * h),
                           aabb=(50.0 * w, 50.0 * h)))
    return recs


def prefab_record(name, scale):
    return record(5, name, (0.0, 0.0), scale,
                  sprite=sprite(name + ".png", grid(name + ".png"), [cells(0, 4)],
                                42, fps=12),
                  body=True, aabb=(25.0, 25.0), bullet=True)


# floor atlas frames (FloorTiles.png, 4 x 4)
FLOOR_FRAMES = {
    "grass": dict(floor=[0, 1, 2, 3], flag=8, wall=12, pad=14),
    "stone": dict(floor=[4, 5, 6, 7], flag=10, wall=13, pad=15),
}


def _hash(c, r, n):
    return ((c * 73856093) ^ (r * 19349663) ^ (n * 83492791)) & 0xFFFF


def tile_frames(level):
    fr = FLOOR_FRAMES[level.theme]
    flag_tiles = set()
    for (c, r) in level.tiles("F"):
        for dr in (-1, 0, 1):
            for dc in (-1, 0, 1):
                flag_tiles.add((c + dc, r + dr))
    out = []
    for r in range(level.rows):
        for c in range(level.cols):
            ch = level.grid[r][c]
            if ch == "#":
                out.append(fr["wall"])
            elif (c, r) in flag_tiles:
                out.append(fr["flag"])
            elif ch == "S":
                out.append(fr["pad"])
            else:
                h = _hash(c, r, level.number) % 10
                out.append(fr["floor"][0] if h < 6 else fr["floor"][1 + h % 3])
    return out


def write_tilemap(path, level, walls):
    w = PrettyWriter()
    w.start_array()
    w.start_object()
    count = level.rows * level.cols
    for k, v in (("row", level.rows), ("col", level.cols)):
        w.key(k); w.int(v)
    w.key("_name"); w.string(FLOOR)
    cols, rows = grid(FLOOR)
    for k, v in (("_texColumns", cols), ("_texRows", rows), ("_count", count),
                 ("_depth", 0)):
        w.key(k); w.int(v)
    for k in ("m_default1", "m_default2", "m_default3"):
        w.key(k); w.bool(True)

    def numbers(key, values, per_line, writer):
        w.key(key)
        w.start_array()
        for i, v in enumerate(values):
            w.set_single_line(i % per_line != 0)
            writer(v)
        w.set_single_line(False)
        w.end_array()

    data1 = []
    for r in range(level.rows):
        for c in range(level.cols):
            x, y = level.centre(c, r)
            data1 += [x, y, 104.0, 104.0]
    numbers("m_data1", data1, 20, w.float)
    numbers("m_data2", [1.0] * (4 * count), 20, w.float)
    numbers("m_data3Index", tile_frames(level), 10, w.int)
    w.key("AABB")
    w.start_array()
    for rec in walls:
        w.set_single_line(False)
        w.string(rec["name"])
        w.set_single_line(True)
        w.float(rec["aabb"][0])
        w.float(rec["aabb"][1])
    w.set_single_line(False)
    w.end_array()
    w.end_object()
    w.end_array()
    with open(path, "w", newline="\n") as fh:
        fh.write(w.text() + "\n")


def main(data):
    objdir = os.path.join(data, "objects")
    for sub in ("prefabs", "TilemapJsons"):
        os.makedirs(os.path.join(objdir, sub), exist_ok=True)
    with open(os.path.join(objdir, "texturelist.txt"), "w", newline="\n") as fh:
        fh.write("".join("%s %d %d\n" % s[:3] for s in assets.SHEETS))
    with open(os.path.join(objdir, "audiolist.txt"), "w", newline="\n") as fh:
        fh.write("".join(name + "\n" for name in assets.SOUNDS))
    for name in os.listdir(os.path.join(objdir, "prefabs")):
        os.remove(os.path.join(objdir, "prefabs", name))
    for name, scale in PREFABS:
        write_file(os.path.join(objdir, "prefabs", name + ".json"),
                   [prefab_record(name, scale)])
    for level in LEVELS:
        recs = level_records(level)
        write_file(os.path.join(objdir, "savefile%d.json" % level.number), recs)
        walls = [r for r in recs if r["type"] == 14]
        write_tilemap(os.path.join(objdir, "TilemapJsons", "Level_%d.json" % level.number),
                      level, walls)


if __name__ == "__main__":
    main(sys.argv[1])
