"""Game-object records and their JSON text, in the layout the game's writer uses.

A record is a dict:
  type, name, active, parent (or None), pos (x, y), rot (x, y, z), scale (x, y)
  and optional component entries, each None when absent:
  sprite   = dict(alpha, layer, playing, fps, tex, cols, rows, anim=[[cells], ...])
  body     = True            (the rigid body's constructor values are written)
  aabb     = (half_w, half_h)
  emitter  = dict(cols, rows, img, max, life, emit, scale)
  player   = True            (the player logic's constructor values are written)
  bullet   = True
  trap, spawn, flag = True

Positions and scales of children are given here in LOCAL units; the writer
converts them to world units as the game's writer does.

Blocks are written in the order the loader adds the components to an object,
which is the order the game's writer finds them in the component list.
"""
from prettyjson import PrettyWriter, f32


def record(type_, name, pos=(0.0, 0.0), scale=(100.0, 100.0), rot=0.0,
           parent=None, active=True, **comps):
    rec = dict(type=type_, name=name, active=active, parent=parent,
               pos=tuple(pos), rot=(0.0, 0.0, float(rot)), scale=tuple(scale))
    for k in ("sprite", "body", "aabb", "emitter", "player", "bullet",
              "trap", "spawn", "flag"):
        rec[k] = comps.pop(k, None)
    assert not comps, comps
    return rec


def sprite(tex, sheet, anim, layer, fps=15, playing=True, alpha=1.0):
    """sheet: (cols, rows) of the texture-list entry; anim: list of cell rows."""
    return dict(alpha=alpha, layer=layer, playing=playing, fps=fps, tex=tex,
                cols=sheet[0], rows=sheet[1], anim=[list(r) for r in anim])


def emitter(img, max_number, lifetime, emit, scale, cols=1, rows=1):
    return dict(cols=cols, rows=rows, img=img, max=max_number, life=lifetime,
                emit=emit, scale=scale)


def _triple(w, label, xyz):
    w.string(label)
    w.set_single_line(True)
    w.start_array()
    for v in xyz:
        w.float(v)
    w.end_array()
    w.set_single_line(False)


def world_of(rec, by_name):
    """World position and scale of a record (children are stored local)."""
    if rec["parent"] is None:
        return rec["pos"], rec["scale"]
    ppos, pscale = world_of(by_name[rec["parent"]], by_name)
    pos = (f32(ppos[0] + f32(pscale[0] * rec["pos"][0])),
           f32(ppos[1] + f32(pscale[1] * rec["pos"][1])))
    scale = (f32(pscale[0] * rec["scale"][0]), f32(pscale[1] * rec["scale"][1]))
    return pos, scale


def write_record(rec, by_name, out):
    w = PrettyWriter(out)
    pos, scale = world_of(rec, by_name)
    w.start_object()
    w.key("GameObject"); w.int(rec["type"])
    w.key("g_name"); w.string(rec["name"])
    w.key("m_active"); w.bool(rec["active"])
    sp = rec["sprite"]
    if sp:
        w.key("VXSpriteComponent")
        w.start_array()
        w.float(sp["alpha"])
        w.set_single_line(True)
        for _ in range(3):
            w.float(1.0)
        w.int(sp["layer"])
        w.set_single_line(False)
        w.bool(sp["playing"])
        w.set_single_line(True)
        w.int(sp["fps"])
        w.set_single_line(False)
        w.int(len(sp["anim"]))
        w.int(sp["cols"])
        w.int(sp["rows"])
        w.string(sp["tex"])
        if sp["anim"] and any(sp["anim"]):
            w.start_array()
            for i, cells in enumerate(sp["anim"]):
                w.string(str(i))
                w.set_single_line(True)
                w.start_array()
                for c in cells:
                    w.int(c)
                w.end_array()
                w.set_single_line(False)
            w.end_array()
        w.end_array()
    if rec["body"]:
        w.key("VXRigidBody")
        w.start_array()
        w.float(1.0)
        w.float(0.99)
        w.float(0.9)
        _triple(w, "Acceleration", (0.0, 0.0, 0.0))
        _triple(w, "Velocity", (0.0, 0.0, 0.0))
        _triple(w, "Position", (pos[0], pos[1], 0.0))
        _triple(w, "AccumForce", (0.0, 0.0, 0.0))
        w.end_array()
    if rec["aabb"]:
        hw, hh = rec["aabb"]
        w.key("VXAABB")
        w.start_array()
        w.float(hw)
        w.float(hh)
        _triple(w, "Min", (f32(pos[0] - hw), f32(pos[1] - hh), 0.0))
        _triple(w, "Max", (f32(pos[0] + hw), f32(pos[1] + hh), 0.0))
        w.end_array()
    if rec["bullet"]:
        w.key("VXBulletComponent")
        w.start_array()
        w.int(3)
        w.float(1000000000.0)
        w.float(1.0)
        w.int(0)
        w.end_array()
    em = rec["emitter"]
    if em:
        w.key("VXParticleEmitter")
        w.start_array()
        w.int(em["cols"])
        w.int(em["rows"])
        w.string(em["img"])
        w.int(em["max"])
        w.float(em["life"])
        w.int(em["emit"])
        w.float(em["scale"])
        w.end_array()
    if rec["trap"]:
        w.key("VXTrapComponent")
        w.start_array()
        w.end_array()
    if rec["spawn"]:
        w.key("VXSpPointComponent")
        w.start_array()
        w.set_single_line(True)
        w.float(15.0)
        w.set_single_line(False)
        w.set_single_line(True)
        w.int(0)
        w.set_single_line(False)
        w.end_array()
    if rec["flag"]:
        w.key("VXFlagCom")
        w.start_array()
        w.end_array()
    if rec["player"]:
        w.key("VXPlayerLogic")
        w.start_array()
        for v in (0.5, 1.5, 3.0, 0.0):
            w.float(v)
        w.int(0)          # paint fuel
        w.float(5.0)
        w.float(0.0)
        w.bool(True)      # can be hit
        w.int(0)          # score
        w.float(0.0)
        w.float(0.0)      # attack cooldown
        w.string("ForceToAdd")
        w.start_array()
        w.float(0.0)
        w.float(0.0)
        w.end_array()
        w.string("PlayerKey")
        w.start_array()
        for _ in range(7):
            w.int(0)
        w.end_array()
        w.end_array()
    if rec["parent"] is not None:
        w.key("MY PARENT"); w.string(rec["parent"])
    w.key("position")
    w.set_single_line(True)
    w.start_array()
    w.float(pos[0])
    w.float(pos[1])
    w.end_array()
    w.set_single_line(False)
    for k, v in zip(("rotationX", "rotationY", "rotationZ"), rec["rot"]):
        w.key(k); w.float(v)
    w.key("scaleX"); w.float(scale[0])
    w.key("scaleY"); w.float(scale[1])
    w.end_object()


def write_file(path, records):
    """A save file ([rec,rec,...]) or, with one record, a prefab file."""
    by_name = {}
    for r in records:
        if r["parent"] is not None:
            assert r["parent"] in by_name, "parent must come first: " + r["name"]
        by_name.setdefault(r["name"], r)
    out = ["["]
    written = [r for r in records if r["active"] and r["name"] != "mouse"]
    for i, r in enumerate(written):
        write_record(r, by_name, out)
        if i + 1 < len(written):
            out.append(",")
    out.append("]\n")
    with open(path, "w", newline="\n") as fh:
        fh.write("".join(out))
