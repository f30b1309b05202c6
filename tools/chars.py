"""The six characters seen from above, facing +x (right), and their weapons."""
import math

from gfx import INK, WHITE, GOLD, GOLD_DARK, shade

SKIN = (240, 196, 160, 255)
STEEL = (185, 190, 205, 255)
STEEL_DARK = (110, 115, 135, 255)
WOOD = (150, 95, 45, 255)
BLACK = (45, 42, 52, 255)

OUTFIT = {
    "Archer": (70, 160, 70, 255),
    "Knight": (112, 82, 164, 255),
    "Pirate": (130, 72, 40, 255),
    "Viking": (150, 100, 58, 255),
    "Samurai": (84, 64, 150, 255),
    "Maid": (48, 46, 62, 255),
}

NAMES = ["Archer", "Knight", "Pirate", "Viking", "Samurai", "Maid"]


class Pose:
    def __init__(self, step=0.0, bob=0.0, thrust=0.0, swing=0.0, flash=False):
        self.step = step      # -1..1 walking phase (feet)
        self.bob = bob        # breathing, -1..1
        self.thrust = thrust  # weapon forward offset in units
        self.swing = swing    # weapon swing angle in degrees
        self.flash = flash    # muzzle flash / impact


def pose_for(row, i):
    """row 0 idle (8 frames), 1 walk (8), 2 attack (6)."""
    if row == 0:
        return Pose(bob=math.sin(i / 8.0 * 2 * math.pi))
    if row == 1:
        return Pose(step=math.sin(i / 8.0 * 2 * math.pi), bob=0.3)
    thrust = [-6, -10, 18, 22, 10, 2][i]
    swing = [-50, -70, 10, 55, 40, 10][i]
    return Pose(thrust=thrust, swing=swing, flash=(i in (2, 3)))


class Frame:
    """Maps character units (x forward, y to the right side, about 100 units
    across) onto a Cell."""

    def __init__(self, cell, cx, cy, k):
        self.c, self.cx, self.cy, self.k = cell, cx, cy, k

    def p(self, x, y):
        return (self.cx + x * self.k, self.cy + y * self.k)

    def ell(self, x, y, rx, ry, fill, w=2.0):
        px, py = self.p(x, y)
        self.c.ellipse(px, py, rx * self.k, ry * self.k, fill, INK, w * self.k)

    def poly(self, pts, fill, w=2.0):
        self.c.poly([self.p(x, y) for x, y in pts], fill, INK, w * self.k)

    def stroke(self, pts, fill, width, w=2.0):
        self.c.thick_line([self.p(x, y) for x, y in pts], fill, width * self.k,
                          INK, w * self.k)

    def rot(self, x, y, ox, oy, deg):
        a = math.radians(deg)
        dx, dy = x - ox, y - oy
        return (ox + dx * math.cos(a) - dy * math.sin(a), oy + dx * math.sin(a) + dy * math.cos(a))


def _feet(f, pose):
    s = pose.step * 9
    f.ell(4 + s, -14, 9, 6, BLACK)
    f.ell(4 - s, 14, 9, 6, BLACK)


def _body(f, name, pose, width=34, depth=22):
    ry = width + pose.bob * 1.2
    f.ell(-2, 0, depth, ry, OUTFIT[name])
    # a soft light from the upper left
    f.ell(-6, -ry * 0.3, depth * 0.55, ry * 0.45, shade(OUTFIT[name], 1.16), 0)


def _hands(f, name, pose, left=(16, -28), right=(16, 28), colour=SKIN, r=7):
    sw = pose.step * 5
    f.ell(left[0] - sw, left[1], r, r, colour)
    f.ell(right[0] + sw, right[1], r, r, colour)


def archer(f, pose):
    _feet(f, pose)
    # quiver on the back
    f.poly([(-30, 6), (-18, 10), (-14, 24), (-28, 24)], WOOD)
    for dy in (10, 15, 20):
        f.stroke([(-30, dy), (-38, dy - 2)], WHITE, 2.5, 1.2)
    _body(f, "Archer", pose)
    # bow held in front with the left hand, string pulled by the right
    pull = max(0.0, -pose.thrust) * 1.2
    f.c.arc(*f.p(8, 0), 38 * f.k, -62, 62, INK, 7 * f.k)
    f.c.arc(*f.p(8, 0), 38 * f.k, -60, 60, WOOD, 4 * f.k)
    top, bot = f.p(8 + 38 * math.cos(math.radians(-60)), 38 * math.sin(math.radians(-60))), \
        f.p(8 + 38 * math.cos(math.radians(60)), 38 * math.sin(math.radians(60)))
    nock = f.p(22 - pull, 0)
    f.c.line([top, nock, bot], (240, 240, 230, 255), 1.2 * f.k)
    if pose.thrust < 0 or pose.thrust == 0:
        f.stroke([(20 - pull, 0), (54 - pull, 0)], WOOD, 2.5, 1.2)
        f.poly([(54 - pull, -4), (62 - pull, 0), (54 - pull, 4)], STEEL, 1.2)
    _hands(f, "Archer", pose, left=(40, -8), right=(20 - pull, 6))
    # green hood with its point behind
    f.poly([(-24, 0), (-6, -14), (10, -12), (18, 0), (10, 12), (-6, 14)], (50, 125, 55, 255))
    f.ell(4, 0, 13, 13, (60, 140, 64, 255))
    f.ell(12, 0, 5, 8, SKIN, 1.2)


def knight(f, pose):
    _feet(f, pose)
    _body(f, "Knight", pose, 36, 24)
    # kite shield on the left side
    f.poly([(-6, -30), (16, -28), (24, -36), (16, -44), (-6, -42)], (205, 165, 70, 255))
    f.stroke([(-2, -36), (18, -36)], (150, 40, 60, 255), 2.5, 0.8)
    # lance under the right arm
    t = pose.thrust * 0.5
    f.stroke([(-30 + t, 24), (40 + t, 24)], WOOD, 6)
    f.poly([(36 + t, 15), (66 + t, 24), (36 + t, 33)], STEEL)
    f.ell(34 + t, 24, 4, 11, STEEL_DARK, 1.5)
    _hands(f, "Knight", pose, left=(14, -22), right=(12 + t * 0.5, 24), colour=STEEL_DARK)
    # helmet with a plume and a visor slit
    f.ell(2, 0, 17, 17, STEEL)
    f.poly([(-22, -4), (6, -4), (6, 4), (-22, 4)], (245, 245, 240, 255), 1.5)
    f.stroke([(13, -8), (13, 8)], INK, 2.5, 0.5)


def pirate(f, pose):
    _feet(f, pose)
    _body(f, "Pirate", pose)
    f.ell(8, 0, 10, 16, (235, 230, 215, 255), 1.5)   # shirt front
    # hand cannon in the right hand
    r = -min(pose.thrust, 0) * 0.6 if pose.thrust < 0 else (-6 if pose.flash else 0)
    f.stroke([(6 + r, 22), (50 + r, 22)], (70, 70, 80, 255), 13)
    f.ell(52 + r, 22, 5, 8, (50, 50, 60, 255), 1.5)
    f.ell(8 + r, 22, 5, 9, GOLD_DARK, 1.5)
    if pose.flash:
        f.c.star(*f.p(66, 22), 14 * f.k, 6 * f.k, 7, (255, 210, 60, 255), INK, 1.5 * f.k, rot=0)
    _hands(f, "Pirate", pose, left=(14, -24), right=(12 + r, 22))
    # tricorn hat: three corners, gold trim, a skull
    f.ell(2, 0, 13, 13, SKIN)
    f.poly([(22, 0), (-14, -22), (-10, 0), (-14, 22)], (35, 32, 40, 255))
    f.c.line([f.p(20, 0), f.p(-12, -20)], GOLD, 1.5 * f.k)
    f.c.line([f.p(20, 0), f.p(-12, 20)], GOLD, 1.5 * f.k)
    f.ell(0, 0, 4.5, 4.5, WHITE, 1.0)


def viking(f, pose):
    _feet(f, pose)
    _body(f, "Viking", pose, 40, 26)
    f.ell(-6, 0, 18, 32, (200, 170, 120, 255), 1.5)   # fur collar
    # big fists; the right one punches
    t = max(pose.thrust, -6)
    _hands(f, "Viking", pose, left=(22, -26), right=(22 + t * 1.3, 24), colour=(170, 110, 60, 255), r=11)
    # orange beard forward, round helmet with two horns
    f.ell(16, 0, 11, 12, (230, 120, 40, 255))
    horn = (245, 235, 205, 255)
    f.poly([(-4, -12), (-2, -26), (-10, -40), (-16, -44), (-6, -44), (6, -32), (8, -12)], horn)
    f.poly([(-4, 12), (-2, 26), (-10, 40), (-16, 44), (-6, 44), (6, 32), (8, 12)], horn)
    f.ell(0, 0, 15, 15, STEEL)
    f.stroke([(-15, 0), (15, 0)], STEEL_DARK, 3, 1.0)


def samurai(f, pose):
    _feet(f, pose)
    _body(f, "Samurai", pose)
    # katana: the blade swings around the right hand
    hx, hy = 16, 24
    a = pose.swing
    tip = f.rot(hx + 58, hy, hx, hy, a)
    hilt = f.rot(hx - 10, hy, hx, hy, a)
    guard = f.rot(hx + 4, hy, hx, hy, a)
    f.stroke([hilt, guard], BLACK, 5)
    f.stroke([guard, tip], (225, 232, 240, 255), 4)
    f.ell(guard[0], guard[1], 4, 4, GOLD, 1.2)
    _hands(f, "Samurai", pose, left=(hx - 2, 14), right=(hx, hy))
    # wide straw hat
    f.ell(0, 0, 26, 26, (222, 190, 120, 255))
    f.c.circle(*f.p(0, 0), 15 * f.k, None, (200, 40, 60, 255), 3 * f.k)
    for a in range(0, 360, 45):
        ca, sa = math.cos(math.radians(a)), math.sin(math.radians(a))
        f.c.line([f.p(17 * ca, 17 * sa), f.p(25 * ca, 25 * sa)], (170, 130, 70, 255), 1.2 * f.k)
    f.ell(0, 0, 5, 5, (190, 150, 80, 255), 1.2)


def maid(f, pose):
    _feet(f, pose)
    _body(f, "Maid", pose)
    f.ell(10, 0, 11, 22, WHITE, 1.5)                  # apron
    # mop held forward in both hands, sweeping sideways on attack
    a = pose.swing * 0.5
    base = (0, 10)
    end = f.rot(52, 8, base[0], base[1], a)
    f.stroke([base, end], WOOD, 5)
    hx, hy = end
    f.ell(hx + 4, hy, 9, 16, (210, 215, 225, 255))
    for dy in (-10, -4, 2, 8):
        f.stroke([(hx + 6, hy + dy), (hx + 14, hy + dy + 1)], (230, 232, 240, 255), 3, 1.0)
    _hands(f, "Maid", pose, left=(18, -4), right=(30, 10))
    # brown hair with two pigtails and a white frilled headband
    f.ell(-12, -16, 8, 8, (120, 70, 40, 255))
    f.ell(-12, 16, 8, 8, (120, 70, 40, 255))
    f.ell(0, 0, 15, 15, (130, 78, 44, 255))
    f.poly([(4, -14), (10, -6), (10, 6), (4, 14), (8, 0)], WHITE, 1.5)
    f.ell(13, 0, 4, 7, SKIN, 1.0)


DRAW = {"Archer": archer, "Knight": knight, "Pirate": pirate, "Viking": viking,
        "Samurai": samurai, "Maid": maid}


def draw_character(cell, name, cx, cy, k, pose=None):
    DRAW[name](Frame(cell, cx, cy, k), pose or Pose())


# ---- projectiles, drawn facing +x in a cell of w x h ----------------------

def projectile(cell, name, frame):
    w, h = cell.w, cell.h
    f = Frame(cell, w / 2, h / 2, min(w, h) / 64.0)
    spin = frame * 90
    if name == "Arrow":
        f.k = h / 40.0
        for i in range(3):
            f.stroke([(-40 - 6 * i - frame * 2, -6 + 6 * i), (-28 - 6 * i, -6 + 6 * i)],
                     (255, 255, 255, 150), 1.2, 0)
        f.stroke([(-24, 0), (20, 0)], WOOD, 3, 1.2)
        f.poly([(18, -6), (32, 0), (18, 6)], STEEL, 1.5)
        f.poly([(-26, 0), (-32, -7), (-22, -7), (-18, 0), (-22, 7), (-32, 7)], (240, 80, 70, 255), 1.2)
    elif name == "CannonBall":
        for i in range(3):
            f.ell(-20 - 9 * i, (frame % 2) * 2 - 1, 8 - 2 * i, 8 - 2 * i, (200, 200, 200, 140 - 40 * i), 0)
        f.ell(4, 0, 20, 20, (55, 55, 66, 255), 2.5)
        a = math.radians(spin + 45)
        f.ell(4 - 8 * math.cos(a), -8 * math.sin(a), 5, 5, (140, 140, 155, 255), 0)
    elif name == "Fist":
        for i in range(3):
            f.stroke([(-30 - 8 * i, -14 + 14 * i), (-14 - 4 * i, -14 + 14 * i)], (255, 240, 200, 170), 2, 0)
        f.ell(6, 0, 20 + frame % 2, 18 + frame % 2, (255, 200, 80, 120), 0)
        f.ell(4, 0, 16, 15, (170, 110, 60, 255), 2.5)
        for dy in (-9, -3, 3, 9):
            f.ell(16, dy, 5, 3.5, (190, 130, 75, 255), 1.5)
    elif name == "Katana":
        f.k = h / 50.0
        a = spin
        pts = [f.rot(x, y, 0, 0, a) for x, y in ((-34, 0), (34, 0))]
        f.c.arc(*f.p(-10, 0), 36 * f.k, -60, 60, (220, 60, 90, 180), 5 * f.k)
        f.stroke(pts, (225, 232, 240, 255), 4, 1.5)
        g = f.rot(-14, 0, 0, 0, a)
        f.ell(g[0], g[1], 4, 4, GOLD, 1.2)
    elif name == "Lance":
        f.k = h / 40.0
        for i in range(3):
            f.stroke([(-60 + 4 * frame, -10 + 10 * i), (-40 + 4 * frame, -10 + 10 * i)], (255, 255, 255, 140), 1.5, 0)
        f.stroke([(-30, 0), (20, 0)], WOOD, 6, 1.5)
        f.poly([(14, -9), (52, 0), (14, 9)], STEEL, 2)
        f.ell(12, 0, 4, 11, STEEL_DARK, 1.5)
    elif name == "Mop":
        f.k = h / 64.0
        f.stroke([(-40, 0), (8, 0)], WOOD, 5, 1.5)
        f.ell(16, 0, 14, 26, (210, 215, 225, 255), 2)
        for i, dy in enumerate((-18, -9, 0, 9, 18)):
            wob = 3 * math.sin((frame + i) * 1.6)
            f.stroke([(22, dy), (36 + wob, dy + wob * 0.5)], (235, 238, 245, 255), 4, 1.2)
        for j in range(2):
            f.ell(-10 - 14 * j, 14 - 28 * ((frame + j) % 2), 4, 4, (190, 230, 255, 200), 0.8)
