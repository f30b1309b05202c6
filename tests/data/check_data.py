"""Checks the game data folder as files: lists, image formats, the font's
licence, save-file layout, level geometry, prefabs and tile maps.

usage: /usr/bin/python3 check_data.py DATA_DIR
Prints one line per failed check and ends with "N passed, M failed";
the exit status is non-zero when a check failed.
"""
import json
import math
import os
import struct
import sys
import zlib

DATA = None
RESULTS = [0, 0]


def check(cond, what):
    if cond:
        RESULTS[0] += 1
    else:
        RESULTS[1] += 1
        print("FAIL: " + what)
    return cond


def path(*p):
    return os.path.join(DATA, *p)


# ---- fixed facts of the game -------------------------------------------------

SOUND_ORDER = [
    "bgm", "PlayerToPlayerHit", "knight", "pirate", "pickup", "explode",
    "gameover", "playerDam", "melee", "select", "cantSelect", "paint",
    "MenuBGM", "wallHit", "MeeleHit", "MeeleFlyOff", "ArcherFire",
    "VikingFire", "ArcherHit", "PirateHit", "WallBlock", "LockDown",
    "CharSelect", "10SecLeft", "PaintPickup", "TimeUp", "paintSplat1",
    "paintSplat2", "paintSplat3", "whistle", "KnightHit", "SamuraiHit",
    "Matchstarted", "VikingHit", "MaidHit", "MaidSkill", "BleedSkill",
    "FlagCaptured",
]

# images the code looks up by name, with the fewest cells the code addresses
# (cell index + 1) and, where the code fixes it, the exact grid
NAMED_SHEETS = {
    "default.png": (1, None),
    "Splash_screen_ZT.png": (1, None), "StudioLog.png": (1, None),
    "SupportsController.png": (1, None),
    "MainMenu_FullSpriteSheet.png": (35, (5, None)),
    "CharacterSelect_BG_Animated.png": (6, None),
    "PlayerCharacterSelection_FullSpritesheet.png": (12, (4, 3)),
    "VS_Icon.png": (1, None), "CharacterSelect_Icon.png": (1, None),
    "CharacterPortraits_FullSpritesheet.dds": (144, (12, 12)),
    "ReadyIcon_FullSpritesheet.png": (2, None),
    "MapSelection_FullSpriteSheet.png": (3, None),
    "570x870_CharacteSelect_deny.png": (1, None),
    "Pause_Quit.png": (2, None), "Pause_Overlay.png": (1, None),
    "Pause_Menu.png": (4, None), "Pause_HowToPlay.png": (1, None),
    "PauseOptions_FullSpritesheet.png": (4, None),
    "GameplayUI_Viewport_Overlay.png": (1, None),
    "ScoreBar_SpriteSheet.png": (1, None),
    "GameplayUI_SpritesheetCb_Full.png": (18, None),
    "PaitnBar_FullSpriteSheet.png": (2, None),
    "GameStart_FullSpriteSheet.png": (29, (6, None)),
    "WinScreen_FullSpriteSheet.png": (21, (7, 3)),
    "GameOverTimeOver_FullSpriteSheet.png": (12, (3, 4)),
    "GameOverPortraits_FullSpriteSheet.png": (8, None),
    "300px_blockwall_animation_2x23.dds": (46, (23, 2)),
    "100px_explodingmine_4x4.png": (24, None),
    "BuffSpritesheet_AnimationFull.png": (5, None),
    "300x300px_LockDown_casting_animation.png": (32, None),
    "150x500_samuraiBleed_wave_4x1.png": (4, (4, 1)),
    "500x400_maidbrushskill_animation.png": (10, None),
    "SkillActvated_FullSpriteSheet.png": (24, (8, 3)),
    "Cursor.png": (1, None),
    "64px_enginefunction_icons.png": (7, (7, 1)),
}

TYPE_NAME = {6: "Pirate", 7: "Viking", 8: "Knight", 15: "Archer", 18: "Samurai", 19: "Maid"}

# level number -> (Blue start, Red start)
STARTS = {0: ((-250, -950), (350, -950)), 1: ((-750, 450), (650, -550)),
          2: ((-250, 750), (250, 750)), 3: ((-750, -550), (250, 550))}

RESERVED = (["Wall 1", "Wall 2", "Wall 3", "Curse", "bMine", "bMinePointer", "bMine2",
             "bMinePointer2", "BleedPrj", "CleanUp_Mop", "Popup", "Popup2", "mouse"]
            + ["Mine%d" % i for i in range(1, 10)] + ["Player%d" % i for i in range(1, 7)])

# paint autotile: (quadrant, code) -> team 1 cell; team 2 is 4 less
AUTOTILE = {
    (0, "11"): 60, (0, "21"): 62, (0, "12"): 55, (0, "22"): 44, (0, "33"): 39,
    (1, "11"): 61, (1, "12"): 62, (1, "21"): 63, (1, "22"): 45, (1, "33"): 39,
    (2, "11"): 52, (2, "12"): 54, (2, "21"): 55, (2, "22"): 36, (2, "33"): 39,
    (3, "11"): 53, (3, "21"): 54, (3, "12"): 63, (3, "22"): 37, (3, "33"): 39,
}
# the two edges of each quadrant, in code order
QUAD_EDGES = {0: ("left", "top"), 1: ("top", "right"), 2: ("bottom", "left"), 3: ("right", "bottom")}


# ---- image reading (independent of the generators) ------------------------------

def png_info(fname):
    """(width, height, bit depth, colour type, interlace) from the IHDR chunk."""
    with open(fname, "rb") as fh:
        head = fh.read(33)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", head[16:29])
    return w, h, depth, ctype, interlace


def dds_info(fname):
    """(width, height, uncompressed, bits per pixel) of a DDS file."""
    with open(fname, "rb") as fh:
        head = fh.read(128)
    if len(head) < 128 or head[:4] != b"DDS ":
        return None
    height, width = struct.unpack("<II", head[12:20])
    pf_flags, fourcc, bits = struct.unpack("<I4sI", head[80:92])
    uncompressed = bool(pf_flags & 0x40) and not (pf_flags & 0x4)
    return width, height, uncompressed, bits


def png_pixels(fname):
    """Decodes an 8-bit RGBA non-interlaced PNG: (w, h, rows of bytes)."""
    with open(fname, "rb") as fh:
        data = fh.read()
    pos, idat, w = 8, b"", 0
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            w, h = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    raw = zlib.decompress(idat)
    stride, bpp = w * 4, 4
    rows, prev = [], bytearray(stride)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pr = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pr) & 255
        rows.append(bytes(line))
        prev = line
    return w, h, rows


def image_size(name):
    fname = path("img", name)
    if not os.path.isfile(fname):
        return None
    if name.endswith(".dds"):
        info = dds_info(fname)
        if not check(info is not None and info[2] and info[3] in (24, 32),
                     "%s is an uncompressed DDS file" % name):
            return None
        return info[:2]
    info = png_info(fname)
    if not check(info is not None and info[2] == 8 and info[3] == 6 and info[4] == 0,
                 "%s is an 8-bit RGBA non-interlaced PNG" % name):
        return None
    return info[:2]


# ---- lists --------------------------------------------------------------------

def check_lists():
    tl = path("objects", "texturelist.txt")
    entries = []
    if check(os.path.isfile(tl), "texturelist.txt exists"):
        tokens = open(tl).read().split()
        for i in range(0, len(tokens) - 2, 3):
            name, c, r = tokens[i], tokens[i + 1], tokens[i + 2]
            ok = check(c.isdigit() and r.isdigit() and int(c) > 0 and int(r) > 0,
                       "texture list entry %s has positive columns and rows" % name)
            if ok:
                entries.append((name, int(c), int(r)))
        check(len(entries) <= 149, "texture list holds at most 149 entries")
        names = [e[0] for e in entries]
        check(len(names) == len(set(names)), "texture list names are unique")
    grids = {}
    for name, cols, rows in entries:
        grids[name] = (cols, rows)
        image_size(name)
    for name, (cells, fixed) in NAMED_SHEETS.items():
        if not check(name in grids, "texture list names %s" % name):
            continue
        cols, rows = grids[name]
        check(cols * rows >= cells, "%s has at least %d cells" % (name, cells))
        if fixed:
            fc, fr = fixed
            check(cols == fc and (fr is None or rows == fr),
                  "%s has the grid the game addresses (%s x %s)" % (name, fc, fr))

    al = path("objects", "audiolist.txt")
    if check(os.path.isfile(al), "audiolist.txt exists"):
        text = open(al).read()
        check(text == text.rstrip(), "audiolist.txt ends without whitespace")
        names = text.split()
        check([os.path.splitext(n)[0] for n in names] == SOUND_ORDER,
              "audiolist.txt names the 38 sounds in their fixed order")
    return grids


def read_texture_names():
    tl = path("objects", "texturelist.txt")
    if not os.path.isfile(tl):
        return []
    return open(tl).read().split()[0::3]


def check_font():
    lic = path("font", "OFL.txt")
    check(os.path.isfile(lic) and "Open Font License" in open(lic).read(),
          "the font's Open Font License text ships beside it")


# ---- object files -------------------------------------------------------------

def is_f(v):
    return isinstance(v, float)


def is_i(v):
    return isinstance(v, int) and not isinstance(v, bool)


def f32(v):
    """The value a C float holds for v."""
    return struct.unpack("<f", struct.pack("<f", v))[0]


def f32_exact(v):
    return f32(v) == v


def numbers(v):
    if isinstance(v, list):
        for x in v:
            yield from numbers(x)
    elif isinstance(v, dict):
        for x in v.values():
            yield from numbers(x)
    elif is_f(v):
        yield v


def check_text_layout(fname, text, records):
    label = os.path.relpath(fname, DATA)
    check(text.startswith("[{\n") and text.endswith("\n}]\n"),
          "%s is written as [{ ... }] and one line end" % label)
    check(text.count("\n},{\n") == len(records) - 1,
          "%s separates records with },{" % label)
    lines = text.split("\n")
    check(all(not ln.endswith(" ") and "\t" not in ln for ln in lines),
          "%s has no trailing spaces or tabs" % label)
    check(all((len(ln) - len(ln.lstrip(" "))) % 4 == 0 for ln in lines),
          "%s is indented by four spaces" % label)
    check(all(f32_exact(v) for v in numbers(records)),
          "%s holds only values a float keeps exactly" % label)


def parse_pairs(arr, start):
    """label, value, label, value ... from index start."""
    out = {}
    for i in range(start, len(arr) - 1, 2):
        if isinstance(arr[i], str):
            out[arr[i]] = arr[i + 1]
    return out


def check_sprite(label, block, grids):
    ok = (isinstance(block, list) and len(block) >= 11 and all(is_f(x) for x in block[:4])
          and is_i(block[4]) and isinstance(block[5], bool) and is_i(block[6])
          and is_i(block[7]) and is_i(block[8]) and is_i(block[9]) and isinstance(block[10], str))
    if not check(ok, "%s: sprite block layout" % label):
        return None
    count, tex = block[7], block[10]
    rows = []
    if count > 0:
        if check(len(block) == 12 and isinstance(block[11], list), "%s: sprite rows list present" % label):
            lst = block[11]
            for i in range(0, len(lst) - 1, 2):
                rows.append(lst[i + 1])
            check([lst[i] for i in range(0, len(lst), 2)] == [str(i) for i in range(len(rows))]
                  and all(isinstance(r, list) and r and all(is_i(c) for c in r) for r in rows),
                  "%s: sprite rows are labelled 0.. and hold cell numbers" % label)
            check(len(rows) == count, "%s: sprite row count matches its rows" % label)
    else:
        check(len(block) == 11, "%s: no rows list without rows" % label)
    if check(tex in grids, "%s: texture %s is in the texture list" % (label, tex)):
        cols, nrows = grids[tex]
        check((block[8], block[9]) == (cols, nrows), "%s: sprite block carries %s's grid" % (label, tex))
        check(all(0 <= c < cols * nrows for r in rows for c in r),
              "%s: every cell lies within %s" % (label, tex))
    check(1 <= block[6] <= 60, "%s: frames per second 1..60" % label)
    return rows


def check_record(label, rec, grids, is_prefab=False):
    keys = list(rec.keys())
    ok = keys[:3] == ["GameObject", "g_name", "m_active"] and is_i(rec["GameObject"]) \
        and isinstance(rec["g_name"], str) and isinstance(rec["m_active"], bool)
    tail = ["position", "rotationX", "rotationY", "rotationZ", "scaleX", "scaleY"]
    ok = ok and keys[-6:] == tail
    check(ok, "%s: record keys in writer order" % label)
    if not ok:
        return {}
    pos = rec["position"]
    check(isinstance(pos, list) and len(pos) == 2 and all(is_f(v) for v in pos)
          and all(is_f(rec[k]) for k in tail[1:]), "%s: placement numbers are floats" % label)
    order = ["VXSpriteComponent", "VXRigidBody", "VXCircleCollider", "VXAABB",
             "VXShootLogicComponent", "EnemyAIComponent", "VXBulletComponent",
             "VXParticleEmitter", "VXTrapComponent", "VXSpPointComponent",
             "VXWallLogicCom", "VXFlagCom", "VXPlayerLogic"]
    blocks = [k for k in keys[3:-6] if k != "MY PARENT"]
    check(all(b in order for b in blocks) and blocks == sorted(blocks, key=order.index),
          "%s: known blocks in component order" % label)
    if "MY PARENT" in rec:
        check(keys[-7] == "MY PARENT", "%s: MY PARENT stands before position" % label)
    info = {"rows": None}
    if "VXSpriteComponent" in rec:
        info["rows"] = check_sprite(label, rec["VXSpriteComponent"], grids)
    if "VXRigidBody" in rec:
        b = rec["VXRigidBody"]
        pairs = parse_pairs(b, 3)
        check(all(is_f(x) for x in b[:3]) and set(pairs) == {"Acceleration", "Velocity", "Position", "AccumForce"}
              and all(len(v) == 3 and all(is_f(x) for x in v) for v in pairs.values()),
              "%s: rigid body block layout" % label)
    if "VXAABB" in rec:
        b = rec["VXAABB"]
        ok = len(b) == 6 and is_f(b[0]) and is_f(b[1]) and b[0] > 0 and b[1] > 0 and b[2] == "Min" and b[4] == "Max"
        check(ok, "%s: AABB block with float half extents" % label)
        if ok:
            info["aabb"] = (b[0], b[1])
    if "VXParticleEmitter" in rec:
        b = rec["VXParticleEmitter"]
        ok = (len(b) == 7 and is_i(b[0]) and is_i(b[1]) and isinstance(b[2], str) and is_i(b[3])
              and is_f(b[4]) and is_i(b[5]) and is_f(b[6]))
        if check(ok, "%s: particle emitter block layout" % label):
            check(os.path.isfile(path("img", b[2])), "%s: emitter image %s exists" % (label, b[2]))
            info["emitter_max"] = b[3]
    if "VXPlayerLogic" in rec:
        b = rec["VXPlayerLogic"]
        check(len(b) == 15 and all(is_f(x) for x in b[:4]) and not isinstance(b[4], list)
              and is_i(b[4]) and isinstance(b[7], bool) and b[11] == "ForceToAdd" and b[13] == "PlayerKey"
              and len(b[14]) == 7, "%s: player logic block without ClonedObj" % label)
    if "VXBulletComponent" in rec:
        b = rec["VXBulletComponent"]
        check(len(b) == 4 and is_i(b[0]) and is_i(b[3]), "%s: bullet block layout" % label)
    if "VXSpPointComponent" in rec:
        b = rec["VXSpPointComponent"]
        check(len(b) == 2 and is_f(b[0]) and is_i(b[1]), "%s: spawn point block layout" % label)
    for k in ("VXFlagCom", "VXTrapComponent"):
        if k in rec:
            check(rec[k] == [], "%s: %s is an empty array" % (label, k))
    return info


def load_json(fname):
    text = open(fname).read()
    try:
        return text, json.loads(text)
    except ValueError:
        return text, None


def check_prefabs(grids):
    folder = path("objects", "prefabs")
    if not check(os.path.isdir(folder), "prefab folder exists"):
        return
    listing = sorted(os.listdir(folder))
    for name in listing:
        fname = os.path.join(folder, name)
        text, doc = load_json(fname)
        if not check(isinstance(doc, list) and len(doc) == 1, "%s holds one record" % name):
            continue
        check_text_layout(fname, text, doc)
        rec = doc[0]
        check_record(name, rec, grids, True)
        check(all(k in rec for k in ("VXRigidBody", "VXAABB")), "%s has a rigid body and an AABB" % name)


def load_tilemap(n):
    fname = path("objects", "TilemapJsons", "Level_%d.json" % n)
    if not check(os.path.isfile(fname), "tile map Level_%d exists" % n):
        return None
    text, doc = load_json(fname)
    if not check(isinstance(doc, list) and len(doc) == 1 and isinstance(doc[0], dict),
                 "Level_%d.json holds exactly one instance set" % n):
        return None
    return doc[0]


def check_tilemap(n, tm, grids):
    label = "Level_%d" % n
    keys = ["row", "col", "_name", "_texColumns", "_texRows", "_count", "_depth",
            "m_default1", "m_default2", "m_default3", "m_data1", "m_data2", "m_data3Index"]
    if not check(all(k in tm for k in keys), "%s has every member" % label):
        return None
    rows, cols, count = tm["row"], tm["col"], tm["_count"]
    check(all(tm[k] is True for k in ("m_default1", "m_default2", "m_default3")), "%s: flags are true" % label)
    full = (rows * cols == count == len(tm["m_data3Index"]) and len(tm["m_data1"]) == 4 * count
            and len(tm["m_data2"]) == 4 * count)
    if not check(full, "%s: _count = row*col = tiles = frames" % label):
        return None
    pts = [(tm["m_data1"][4 * i], tm["m_data1"][4 * i + 1]) for i in range(count)]
    x0, y0 = pts[0]
    grid_ok = all(pts[r * cols + c] == (x0 + 100 * c, y0 - 100 * r) for r in range(rows) for c in range(cols))
    check(grid_ok, "%s: tiles form a full 100-unit grid from the top-left, row by row" % label)
    check(all(v % 100 == 50 or v % 100 == -50 for p in pts for v in p),
          "%s: tile centres lie on odd multiples of 50" % label)
    img = tm["_name"]
    size = image_size(img)
    check(size is not None, "%s: floor image %s exists" % (label, img))
    if img in grids:
        check(grids[img] == (tm["_texColumns"], tm["_texRows"]), "%s: floor grid matches the texture list" % label)
    return dict(rows=rows, cols=cols, x0=x0, y0=y0, name=img)


def snap(g, x, y):
    """The tile index under (x, y), as the floor grid computes it, or None off the grid."""
    c = (x - g["x0"]) / 100.0
    r = (g["y0"] - y) / 100.0
    ci, ri = int(math.floor(c + 0.5)), int(math.floor(r + 0.5))
    if not (0 <= ci < g["cols"] and 0 <= ri < g["rows"]) or not (-0.5 <= c < g["cols"] - 0.5) \
            or not (-0.5 <= r < g["rows"] - 0.5):
        return None
    return ri * g["cols"] + ci


def check_level(n, grids, floor_names):
    fname = path("objects", "savefile%d.json" % n)
    label = "savefile%d" % n
    if not check(os.path.isfile(fname), "%s.json exists" % label):
        return
    text, doc = load_json(fname)
    if not check(isinstance(doc, list) and doc and all(isinstance(r, dict) for r in doc),
                 "%s parses to an array of records" % label):
        return
    check_text_layout(fname, text, doc)
    infos, by_name, children = [], {}, {}
    for i, rec in enumerate(doc):
        info = check_record("%s[%d] %s" % (label, i, rec.get("g_name")), rec, grids)
        infos.append(info)
        name = rec.get("g_name")
        if "MY PARENT" in rec:
            check(rec["MY PARENT"] in by_name, "%s: parent of %s comes before it" % (label, name))
            children.setdefault(rec["MY PARENT"], []).append(rec)
        check(name not in by_name, "%s: object name %s is unique" % (label, name))
        by_name.setdefault(name, rec)
        check(rec.get("m_active") is True, "%s: %s is active" % (label, name))
        check(name not in RESERVED and not str(name).endswith("_cloned"),
              "%s: %s is not a name the game creates itself" % (label, name))
    info_of = {r.get("g_name"): inf for r, inf in zip(doc, infos)}

    tm = load_tilemap(n)
    g = check_tilemap(n, tm, grids) if tm else None
    if g is None:
        return
    floor_names.append(g["name"])
    cols, rows = g["cols"], g["rows"]
    walls = [r for r in doc if r["GameObject"] == 14]
    blocked = set()
    for w in walls:
        hw, hh = info_of[w["g_name"]].get("aabb", (0, 0))
        x, y = w["position"]
        ok = hw % 50 == 0 and hh % 50 == 0 and (x - hw) % 100 == 0 and (y - hh) % 100 == 0
        check(ok, "%s: %s covers whole tiles" % (label, w["g_name"]))
        yy = y - hh + 25
        inside = True
        while yy < y + hh + 25:
            xx = x - hw + 25
            while xx < x + hw + 25:
                i = snap(g, xx, yy)
                if i is None:
                    inside = False
                else:
                    blocked.add(i)
                xx += 50
            yy += 50
        check(inside, "%s: %s lies on the grid" % (label, w["g_name"]))
    ring = [r * cols + c for r in range(rows) for c in range(cols)
            if r in (0, rows - 1) or c in (0, cols - 1)]
    check(all(i in blocked for i in ring), "%s: walls enclose the arena (every border tile)" % label)
    aabb = tm.get("AABB", [])
    listed = {aabb[i]: (aabb[i + 1], aabb[i + 2]) for i in range(0, len(aabb) - 2, 3)}
    check(listed == {w["g_name"]: tuple(w["VXAABB"][:2]) for w in walls},
          "Level_%d: AABB list names the save file's walls" % n)

    def on_floor(x, y):
        i = snap(g, x, y)
        return i is not None and i not in blocked

    for side, (x, y) in zip(("Blue", "Red"), STARTS[n]):
        check(on_floor(x, y), "%s: %s start (%d, %d) is inside on open floor" % (label, side, x, y))
    flag_tiles = set()
    for rec in doc:
        name = rec["g_name"]
        if "VXFlagCom" in rec:
            check(rec["GameObject"] not in (5, 14) and rec["GameObject"] not in TYPE_NAME,
                  "%s: flag %s has a plain object type" % (label, name))
            check(len(info_of[name].get("rows") or []) >= 3 and "VXAABB" in rec,
                  "%s: flag %s has rows 0-2 and a capture box" % (label, name))
            check(len(children.get(name, [])) >= 3, "%s: flag %s has marker and two ornaments" % (label, name))
            sx, sy = rec["scaleX"], rec["scaleY"]
            hw, hh = rec["VXAABB"][:2]
            x, y = rec["position"]
            cx, cy = int(2 * hw / sx), int(2 * hh / sy)
            found = []
            yy = (y - hh) - sy * 0.5
            for _ in range(cy):
                yy += sy
                xx = (x - hw) - sx * 0.5
                for _ in range(cx):
                    xx += sx
                    i = snap(g, xx, yy)
                    ok = i is not None and (int(g["x0"] + 100 * (i % cols)), int(g["y0"] - 100 * (i // cols))) \
                        == (int(xx), int(yy))
                    found.append(ok)
                    if ok:
                        flag_tiles.add(i)
            check(cx * cy > 0 and all(found), "%s: every capture cell of %s is a tile centre" % (label, name))
        if "VXSpPointComponent" in rec:
            check(len(info_of[name].get("rows") or []) >= 2 and "VXAABB" in rec
                  and info_of[name].get("emitter_max", 0) >= 50,
                  "%s: spawn point %s has rows 0-1, a box and an emitter of 50+" % (label, name))
            check(on_floor(*rec["position"]), "%s: spawn point %s stands on open floor" % (label, name))
    for rec in doc:
        if rec["GameObject"] in TYPE_NAME or "VXFlagCom" in rec:
            check(on_floor(*rec["position"]), "%s: %s stands inside the arena" % (label, rec["g_name"]))
    for side, (x, y) in zip(("Blue", "Red"), STARTS[n]):
        check(snap(g, x, y) not in flag_tiles, "%s: %s start is off the flags" % (label, side))


def check_paint_atlas():
    name = "carpetBomb2.png"
    size = image_size(name)
    if not check(size is not None and size[0] % 8 == 0 and size[1] % 8 == 0,
                 "%s exists with an 8x8 grid" % name):
        return
    w, h, rows = png_pixels(path("img", name))
    cw, ch = w // 8, h // 8

    def alpha(x, y):
        return rows[y][4 * x + 3]

    def cell_alpha(n):
        x0, y0 = (n % 8) * cw, (n // 8) * ch
        return [[alpha(x0 + i, y0 + j) for i in range(cw)] for j in range(ch)]

    check(all(a == 0 for r in cell_alpha(0) for a in r), "paint atlas cell 0 is transparent")
    for team, shift in ((1, 0), (2, 4)):
        for (q, code), cell in AUTOTILE.items():
            a = cell_alpha(cell - shift)
            edges = {"top": a[0], "bottom": a[-1], "left": [r[0] for r in a], "right": [r[-1] for r in a]}
            inner = {0: ("right", "bottom"), 1: ("left", "bottom"), 2: ("right", "top"), 3: ("left", "top")}[q]

            def inner_half(e):
                """The half of an edge line next to the quarter's inner corner
                (the tile centre); the other half may meet an open edge."""
                line = edges[e]
                half = len(line) // 2
                if e in ("top", "bottom"):
                    return line[half:] if inner[0] == "right" else line[:half]
                return line[half:] if inner[1] == "bottom" else line[:half]

            ok = True
            for e in inner:
                ok = ok and all(v == 255 for v in inner_half(e))
            for ch_, e in zip(code, QUAD_EDGES[q]):
                if ch_ in "23":
                    ok = ok and all(v == 255 for v in inner_half(e))
                else:
                    ok = ok and max(edges[e]) == 0
            if code == "22":
                corner = {0: a[0][0], 1: a[0][-1], 2: a[-1][0], 3: a[-1][-1]}[q]
                ok = ok and corner == 0
            check(ok, "paint cell %d (team %d, quarter %d, code %s) joins its neighbours" % (cell - shift, team, q, code))
    # the two teams' paint differ in colour
    def mean(n):
        x0, y0 = (n % 8) * cw, (n // 8) * ch
        px = [rows[y0 + ch // 2][4 * (x0 + cw // 2) + k] for k in range(3)]
        return px
    b, r = mean(39), mean(35)
    check(b[2] > b[0] + 80 and r[0] > r[2] + 80, "team 1 paint is blue and team 2 paint is red")


def dds_pixel(name, x, y):
    """(r, g, b, a) of pixel (x, y) of an uncompressed DDS, y = 0 the first row
    stored in the file."""
    with open(path("img", name), "rb") as fh:
        data = fh.read()
    width = struct.unpack("<I", data[16:20])[0]
    bits = struct.unpack("<I", data[88:92])[0]
    masks = struct.unpack("<IIII", data[92:108])
    bpp = bits // 8
    off = 128 + (y * width + x) * bpp
    v = int.from_bytes(data[off:off + bpp], "little")

    def chan(m):
        if not m:
            return 255
        shift = (m & -m).bit_length() - 1
        return (v & m) >> shift
    return tuple(chan(m) for m in masks)


def check_dds_orientation():
    """The portrait sheet holds the Red rows at the top of the file (sheet
    rows 0 to 5) and the Blue rows below (rows 6 to 11); a flipped file would
    show each team the other's portraits."""
    name = "CharacterPortraits_FullSpritesheet.dds"
    info = dds_info(path("img", name))
    if not info or not info[2]:
        return
    w, h = info[:2]
    top = dds_pixel(name, 8, 8)
    bottom = dds_pixel(name, 8, h - 9)
    check(top[0] > top[2] + 60 and bottom[2] > bottom[0] + 60,
          "%s is stored top row first (Red rows at the top, Blue at the bottom)" % name)


def check_misc(floor_names):
    for name in ("default.png", "LoadingScreen.png", "Effect_03.png", "Effect_09.png"):
        check(image_size(name) is not None, "%s exists and decodes" % name)
    check(len(set(floor_names)) == 1, "all tile maps share one floor image name")
    check(bool(floor_names) and floor_names[0] in read_texture_names(),
          "the floor image is in the texture list (for the editor's tile picker)")
    total = 0
    for root, _, files in os.walk(DATA):
        total += sum(os.path.getsize(os.path.join(root, f)) for f in files)
    check(total < 30 * 1024 * 1024, "data folder is under 30 MB (%.1f MB)" % (total / 1048576.0))


def main(data):
    global DATA
    DATA = data
    grids = check_lists()
    check_font()
    check_prefabs(grids)
    floor_names = []
    for n in range(4):
        check_level(n, grids, floor_names)
    check_paint_atlas()
    check_dds_orientation()
    check_misc(floor_names)
    print("%d passed, %d failed" % tuple(RESULTS))
    return 1 if RESULTS[1] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "data"))
