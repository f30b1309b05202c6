"""Draws every image the game reads into DATA_DIR/img.

usage: gen_images.py DATA_DIR
Sheets are authored upright: cell n sits at row n // columns and column
n % columns, row 0 being the top row of pixels of the file.
"""
import math
import os
import random
import subprocess
import sys

from PIL import Image, ImageChops, ImageDraw

import assets
import chars
import paint
from chars import NAMES, Pose, draw_character, pose_for, projectile
from gfx import (Cell, sheet, save_png, ease_out, back_out, shade, with_alpha, INK,
                 WHITE, CREAM, GOLD, GOLD_DARK, BLUE, BLUE_LIGHT, BLUE_DARK, RED,
                 RED_LIGHT, RED_DARK, PANEL, PANEL_LIGHT, GREY, TEAM)
from levels import LEVELS

OUT = None
TITLE = "PELLWICK!"


def out(name, img):
    save_png(img, os.path.join(OUT, name))


def grid_sheet(name, draw):
    s = assets.sheet(name)
    img = sheet(s[1], s[2], s[3], s[4], draw)
    if name.endswith(".dds"):
        write_dds(img, name)
    else:
        out(name, img)
    return img


def write_dds(img, name):
    tmp = os.path.join(OUT, name + ".tmp.png")
    save_png(img, tmp)
    dst = os.path.join(OUT, name)
    subprocess.run(["convert", tmp, "-define", "dds:compression=none",
                    "-define", "dds:mipmaps=0", dst], check=True)
    os.remove(tmp)


# ---- shared pieces ------------------------------------------------------------

def panel(c, x0, y0, x1, y1, fill=PANEL, edge=GOLD, r=None, w=None):
    r = r if r is not None else min(x1 - x0, y1 - y0) * 0.12
    w = w if w is not None else max(2.0, min(c.w, c.h) / 120)
    c.rect(x0, y0, x1, y1, INK, INK, 0, radius=r)
    c.rect(x0 + w, y0 + w, x1 - w, y1 - w, fill, edge, w, radius=max(1, r - w))


def button(c, cx, cy, w, h, label, lit):
    fill = GOLD if lit else PANEL_LIGHT
    txt = INK if lit else WHITE
    panel(c, cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2, fill,
          WHITE if lit else shade(PANEL_LIGHT, 1.5), r=h * 0.3)
    c.text_fit(cx, cy + h * 0.04, label, h * 0.62, w * 0.9, fill=txt,
               stroke=(WHITE if lit else INK), stroke_w=h * 0.03)
    if lit:
        s = h * 0.22
        for side in (-1, 1):
            x = cx + side * (w / 2 + s * 1.6)
            c.poly([(x - side * s, cy - s), (x + side * s * 0.2, cy), (x - side * s, cy + s)], GOLD)


def splats(c, seed, n, colours, area=None, rmin=0.03, rmax=0.09, alpha=255):
    rnd = random.Random(seed)
    x0, y0, x1, y1 = area or (0, 0, c.w, c.h)
    for _ in range(n):
        col = with_alpha(rnd.choice(colours), alpha)
        cx, cy = rnd.uniform(x0, x1), rnd.uniform(y0, y1)
        r = rnd.uniform(rmin, rmax) * min(c.w, c.h)
        c.circle(cx, cy, r, col, None, 0)
        for _ in range(6):
            a = rnd.uniform(0, 2 * math.pi)
            d = r * rnd.uniform(0.9, 1.5)
            c.circle(cx + d * math.cos(a), cy + d * math.sin(a), r * rnd.uniform(0.12, 0.3), col, None, 0)


def arena_bg(c, seed, dim=1.0):
    """A painted arena floor seen from above, used behind menus."""
    c.rect(0, 0, c.w, c.h, shade((92, 140, 84, 255), dim), None, 0)
    t = max(c.w, c.h) / 16
    for i in range(int(c.w / t) + 1):
        for j in range(int(c.h / t) + 1):
            if (i + j) % 2:
                c.rect(i * t, j * t, (i + 1) * t, (j + 1) * t, shade((84, 130, 78, 255), dim), None, 0)
    splats(c, seed, 26, [shade(BLUE, dim), shade(RED, dim)], rmin=0.04, rmax=0.1)


def title_word(c, cx, cy, px, wobble=0.0, colours=(BLUE, RED)):
    """The game's name, letter by letter in alternating team colours."""
    f_w = [c_ for c_ in TITLE]
    from gfx import font
    fnt = font(px * 4)
    widths = [fnt.getlength(ch) / 4 for ch in f_w]
    total = sum(widths) + px * 0.04 * (len(f_w) - 1)
    x = cx - total / 2
    for i, ch in enumerate(f_w):
        dy = math.sin(wobble + i * 0.9) * px * 0.06
        col = colours[i % 2]
        c.text(x + widths[i] / 2 + px * 0.05, cy + dy + px * 0.06, ch, px, fill=INK, stroke=INK,
               stroke_w=px * 0.09)
        c.text(x + widths[i] / 2, cy + dy, ch, px, fill=col, stroke=WHITE, stroke_w=px * 0.06)
        x += widths[i] + px * 0.04


CONTROLS = [
    ("MOVE", "Gamepad: left stick"),
    ("", "P1 keys: W / S forward, back    A / D turn"),
    ("", "P2 keys: Up / Down forward, back    Left / Right turn"),
    ("SHOOT", "Gamepad: right trigger"),
    ("SKILL", "Gamepad: left trigger    Keys: G (P1), O (P2)"),
    ("PAUSE", "Gamepad: Start or Back    Key: Esc"),
    ("MENUS", "Gamepad: D-pad or stick, A choose, B back"),
]
# The last lines of the controls page: the menus' keys differ between the
# title and the pause menu, so each line says whose keys it names.
TITLE_MENU_KEYS = "Title keys: arrows, Space choose, Backspace back, Enter play"
PAUSE_MENU_KEYS = "Pause menu keys: arrows, Enter choose and back"

RULES = ["Walk to paint the floor in your team's colour.",
         "Refill paint at the glowing pads. Stand alone on a flag to capture it.",
         "When time runs out, the team with more painted floor wins!"]


def fitting_size(lines, px, max_w):
    """The largest size up to px at which every line fits in max_w."""
    from gfx import font
    while px > 6 and max(font(px * 4).getlength(t) for t in lines) / 4 > max_w:
        px -= 0.5
    return px


def controls_page(c, x0, y0, x1, y1, menu_keys, title="HOW TO PLAY"):
    """menu_keys: the lines that name the menus' keys, after the controls."""
    panel(c, x0, y0, x1, y1)
    w, h = x1 - x0, y1 - y0
    c.text(x0 + w / 2, y0 + h * 0.09, title, h * 0.11, fill=GOLD)
    size = fitting_size(RULES, h * 0.05, w * 0.9)
    for i, line in enumerate(RULES):
        c.text(x0 + w / 2, y0 + h * (0.2 + 0.065 * i), line, size, fill=CREAM, stroke_w=size * 0.08)
    controls = CONTROLS + [("", keys) for keys in menu_keys]
    size = fitting_size([v for k, v in controls], h * 0.045, w * 0.7)
    step = 0.068 if len(controls) <= 7 else 0.062
    for i, (k, v) in enumerate(controls):
        y = y0 + h * (0.42 + step * i)
        if k:
            c.rect(x0 + w * 0.04, y - h * 0.03, x0 + w * 0.2, y + h * 0.03, GOLD, INK, 2, radius=h * 0.02)
            c.text(x0 + w * 0.12, y, k, h * 0.045, fill=INK, stroke=None)
        c.text(x0 + w * 0.24, y, v, size, fill=WHITE, stroke_w=size * 0.08, anchor="lm")


# ---- individual images ----------------------------------------------------------

def draw_default():
    img = sheet(1, 1, 128, 128, lambda c, n: (
        c.rect(4, 4, 124, 124, (200, 60, 200, 255), INK, 4, radius=14),
        c.text(64, 68, "?", 90, fill=WHITE)))
    out("default.png", img)


def draw_loading():
    def d(c, n):
        # The game draws the three cells over each other, centred: the
        # name sits in the logo's upper band, the ball spins in the middle
        # and the caption pulses in the lower band.
        if n == 0:
            c.circle(128, 128, 118, PANEL, GOLD, 6)
            splats(c, 3, 8, [BLUE, RED], area=(40, 30, 216, 96), rmin=0.03, rmax=0.05)
            title_word(c, 128, 66, 42)
        elif n == 1:
            c.circle(128, 128, 30, WHITE, INK, 4)
            for k, col in enumerate((BLUE, RED, GOLD)):
                a0 = k * 120
                c.d.pieslice(c.box(100, 100, 156, 156), a0, a0 + 80, fill=col)
            c.circle(128, 128, 30, None, INK, 4)
            c.circle(128, 128, 9, WHITE, INK, 3)
        else:
            c.text(128, 194, "LOADING...", 40, fill=WHITE)
    out("LoadingScreen.png", sheet(3, 1, 256, 256, d))


def draw_logos():
    def zt(c, n):
        splats(c, 11, 14, [BLUE, RED], area=(60, 40, c.w - 60, c.h - 40), rmin=0.08, rmax=0.16)
        title_word(c, c.w / 2, c.h / 2, c.h * 0.62)
    grid_sheet("Splash_screen_ZT.png", zt)

    def studio(c, n):
        cx, cy = c.w / 2, c.h * 0.42
        c.circle(cx, cy, c.w * 0.3, PANEL, GOLD, 8)
        # a crossed brush and roller
        c.thick_line([(cx - 110, cy + 110), (cx + 90, cy - 90)], (150, 95, 45, 255), 22, INK, 5)
        c.poly([(cx + 70, cy - 120), (cx + 130, cy - 60), (cx + 100, cy - 30), (cx + 40, cy - 90)], BLUE)
        c.thick_line([(cx + 110, cy + 110), (cx - 90, cy - 90)], (150, 95, 45, 255), 22, INK, 5)
        c.poly([(cx - 70, cy - 120), (cx - 130, cy - 60), (cx - 100, cy - 30), (cx - 40, cy - 90)], RED)
        c.text(cx, c.h * 0.86, "PELLWICK TEAM", c.h * 0.11, fill=WHITE)
    grid_sheet("StudioLog.png", studio)

    def pad(c, n):
        cx, cy = c.w / 2, c.h * 0.42
        c.ellipse(cx - 120, cy + 30, 90, 110, (70, 74, 96, 255), INK, 7)
        c.ellipse(cx + 120, cy + 30, 90, 110, (70, 74, 96, 255), INK, 7)
        c.rect(cx - 170, cy - 90, cx + 170, cy + 70, (90, 94, 120, 255), INK, 7, radius=70)
        c.circle(cx - 100, cy - 10, 30, (50, 52, 70, 255), INK, 5)
        c.circle(cx + 40, cy + 40, 26, (50, 52, 70, 255), INK, 5)
        c.rect(cx - 30, cy - 30, cx - 10, cy + 30, WHITE, INK, 3)
        c.rect(cx - 50, cy - 10, cx + 10, cy + 10, WHITE, INK, 3)
        for (dx, dy, col) in ((100, -40, (80, 200, 80, 255)), (130, -10, RED), (70, -10, BLUE), (100, 20, GOLD)):
            c.circle(cx + dx, cy + dy - 20, 14, col, INK, 4)
        c.text(cx, c.h * 0.86, "SUPPORTS GAMEPADS", c.h * 0.11, fill=WHITE)
    grid_sheet("SupportsController.png", pad)


OPTION_LIT = (16, 18, 34, 255)   # the highlighted options line, dark under the gold digits
MENU_ITEMS = ["PLAY", "QUICK MATCH", "OPTIONS", "INFO", "QUIT"]  # top to bottom
ITEM_ROW = {4: "PLAY", 3: "QUICK MATCH", 2: "OPTIONS", 1: "INFO", 0: "QUIT"}


TITLE_X = 0.3   # the title screen's left column (name and buttons)


def menu_buttons(c, lit_item):
    for i, label in enumerate(MENU_ITEMS):
        item = 4 - i
        button(c, c.w * TITLE_X, c.h * (0.5 + 0.095 * i), c.w * 0.3, c.h * 0.078, label, item == lit_item)


def confirm_panel(c, question, yes, no):
    """The title's confirmations: Space or A answers yes, Backspace or B no."""
    x0, x1 = c.w * 0.56, c.w * 0.96
    panel(c, x0, c.h * 0.38, x1, c.h * 0.68)
    c.text_fit((x0 + x1) / 2, c.h * 0.46, question, c.h * 0.08, (x1 - x0) * 0.9, fill=GOLD)
    for ax, word, keys in ((0.3, yes, "SPACE / A"), (0.7, no, "BACKSPACE / B")):
        c.text(x0 + (x1 - x0) * ax, c.h * 0.55, word, c.h * 0.065, fill=WHITE)
        c.text_fit(x0 + (x1 - x0) * ax, c.h * 0.62, keys, c.h * 0.04, (x1 - x0) * 0.38, fill=CREAM)


def options_panel(c, x0, y0, x1, y1, fullscreen, volume_lit, keys, lines=((0.42, 0.09), (0.7, 0.16))):
    """Window line and volume line; lines gives each line's centre and half
    height as fractions of the panel.  The game draws the volume digits (in
    gold) on the volume line, between the arrows, so the highlighted line is
    dark with a gold edge.  keys: (window, back) key names for the footer."""
    panel(c, x0, y0, x1, y1)
    w, h = x1 - x0, y1 - y0
    c.text(x0 + w / 2, y0 + h * 0.14, "OPTIONS", h * 0.14, fill=GOLD)
    rows = [("WINDOW", "FULL SCREEN" if fullscreen else "WINDOWED"), ("VOLUME", "")]
    for i, (k, v) in enumerate(rows):
        y = y0 + h * lines[i][0]
        hh = h * lines[i][1]
        lit = (i == 1) == volume_lit
        if lit:
            c.rect(x0 + w * 0.06, y - hh, x1 - w * 0.06, y + hh, OPTION_LIT, GOLD, 5, radius=h * 0.05)
        else:
            c.rect(x0 + w * 0.06, y - hh, x1 - w * 0.06, y + hh, PANEL_LIGHT, INK, 2, radius=h * 0.05)
        fill = CREAM if lit else WHITE
        c.text(x0 + w * 0.1, y, k, h * 0.12, fill=fill, anchor="lm")
        if v:
            c.text(x1 - w * 0.1, y, v, h * 0.11, fill=fill, anchor="rm")
        else:
            for ax, arrow in ((0.47, "<"), (0.9, ">")):
                c.text(x0 + w * ax, y, arrow, h * 0.12, fill=fill)
    window_keys, back_keys = keys
    foot = y0 + h * (lines[1][0] + lines[1][1] + 1.0) / 2
    c.text_fit(x0 + w / 2, foot, "%s: WINDOW    ARROWS: VOLUME    %s: BACK" % (window_keys, back_keys),
               h * 0.06, w * 0.88, fill=CREAM)


def draw_main_menu():
    def d(c, n):
        if n == 0:
            arena_bg(c, 5, 0.75)
            return
        if 30 <= n <= 34:
            k = n - 30
            title_word(c, c.w * TITLE_X, c.h * 0.24, c.h * (0.17 + 0.008 * math.sin(k * 1.25)), wobble=k * 1.25)
            return
        row, frame = divmod(n, 5)
        item = {1: 0, 2: 1, 3: 2, 4: 3, 5: 4}.get(row)
        if item is None or (item in (0, 1, 3, 4) and frame > 1) or frame > 4:
            return False
        menu_buttons(c, item)
        if frame == 0:
            return
        if item == 0:
            confirm_panel(c, "QUIT THE GAME?", "YES", "NO")
        elif item == 1:
            controls_page(c, c.w * 0.5, c.h * 0.06, c.w * 0.99, c.h * 0.94,
                          [TITLE_MENU_KEYS, PAUSE_MENU_KEYS])
        elif item == 2:
            # the volume digits are drawn near (0.855 W, 0.46 to 0.54 H)
            options_panel(c, c.w * 0.6, c.h * 0.14, c.w * 0.98, c.h * 0.66, frame >= 3,
                          frame in (2, 4), ("SPACE / A", "BACKSPACE / B"),
                          lines=((0.35, 0.08), (0.67, 0.17)))
        elif item == 3:
            confirm_panel(c, "START A QUICK MATCH?", "GO", "BACK")
        else:
            return
    grid_sheet("MainMenu_FullSpriteSheet.png", d)


def draw_select_screen():
    def bg(c, n):
        t = ease_out(n / 5.0)
        c.rect(0, 0, c.w, c.h, (30, 30, 44, 255), None, 0)
        half = c.w / 2 * t
        c.poly([(0, 0), (half + 40, 0), (half - 40, c.h), (0, c.h)], BLUE_DARK, INK, 4)
        c.poly([(c.w, 0), (c.w - half + 40, 0), (c.w - half - 40, c.h), (c.w, c.h)], RED_DARK, INK, 4)
        if n >= 2:
            a = int(90 * ease_out((n - 1) / 4.0))
            splats(c, 21, 7, [BLUE], area=(0, 0, c.w * 0.35, c.h), rmin=0.05, rmax=0.1, alpha=a)
            splats(c, 22, 7, [RED], area=(c.w * 0.65, 0, c.w, c.h), rmin=0.05, rmax=0.1, alpha=a)
        if n >= 3:
            c.text(c.w * 0.2, c.h * 0.9, "BLUE TEAM", c.h * 0.07, fill=BLUE_LIGHT)
            c.text(c.w * 0.8, c.h * 0.9, "RED TEAM", c.h * 0.07, fill=RED_LIGHT)
            # each player's keys along the bottom
            c.rect(0, c.h * 0.952, c.w, c.h, (16, 16, 28, 225), None, 0)
            for cx, keys in ((0.17, "P1 KEYS:  A / D PICK    SPACE READY    X BACK"),
                             (0.5, "P2 KEYS:  LEFT / RIGHT PICK    DOWN READY    UP BACK"),
                             (0.83, "PADS:  D-PAD OR STICK PICK    A READY    B BACK    BACK: QUIT")):
                c.text_fit(c.w * cx, c.h * 0.976, keys, c.h * 0.028, c.w * 0.31, fill=CREAM)
    grid_sheet("CharacterSelect_BG_Animated.png", bg)

    def selector(c, n):
        k = n % 4 + 1
        side = n // 4           # 0 on Red, 1 on Blue, 2 centre
        col, light, dark = TEAM[{0: 2, 1: 1, 2: 0}[side]]
        panel(c, 20, 30, c.w - 20, c.h - 30, with_alpha(dark, 230), light, r=30)
        c.text(c.w / 2, c.h / 2, "P%d" % k, c.h * 0.45, fill=WHITE)
        for sdir in (-1, 1):
            x = c.w / 2 + sdir * c.w * 0.36
            c.poly([(x, c.h / 2 - 22), (x + sdir * 22, c.h / 2), (x, c.h / 2 + 22)], GOLD)
    grid_sheet("PlayerCharacterSelection_FullSpritesheet.png", selector)

    def vs(c, n):
        c.star(100, 100, 96, 70, 12, GOLD, INK, 4)
        c.text(100, 104, "VS", 110, fill=WHITE)
    grid_sheet("VS_Icon.png", vs)

    def header(c, n):
        panel(c, 10, 20, c.w - 10, c.h - 20, r=40)
        c.text(c.w / 2, c.h / 2 + 4, "CHOOSE YOUR CHARACTER", c.h * 0.5, fill=GOLD)
    grid_sheet("CharacterSelect_Icon.png", header)

    order = ["Archer", "Knight", "Pirate", "Viking", "Samurai", "Maid"]

    def portraits(c, n):
        row, frame = divmod(n, 12)
        if row >= 6:
            team, r = 1, 11 - row
        else:
            team, r = 2, 5 - row
        name = order[r]
        col, light, dark = TEAM[team]
        # A row played once comes to rest on frame 0: frame 0 is the whole
        # portrait, frames 1 to 11 slide the character in.
        step = 10 if frame == 0 else frame - 1
        t = back_out(step / 10.0)
        c.rect(0, 0, c.w, c.h, dark, None, 0)
        c.circle(c.w * 0.5, c.h * 0.5, c.h * 0.46 * max(0.05, ease_out(step / 5.0)), col, INK, 3)
        draw_character(c, name, c.w * (0.5 - 0.6 * (1 - t)), c.h * 0.47, c.h / 120.0 * 0.95, Pose())
        c.text(c.w / 2, c.h * 0.88, name.upper(), c.h * 0.17, fill=WHITE)
        c.rect(1, 1, c.w - 1, c.h - 1, None, INK, 3)
    grid_sheet("CharacterPortraits_FullSpritesheet.dds", portraits)

    def ready(c, n):
        col, light, dark = TEAM[1 if n == 0 else 2]
        cx, cy = c.w / 2, c.h / 2
        c.poly([(cx - 150, cy - 30), (cx + 150, cy - 55), (cx + 150, cy + 30), (cx - 150, cy + 55)],
               GOLD, INK, 4)
        c.text(cx, cy + 2, "READY!", 70, fill=col, stroke=WHITE, stroke_w=4)
    grid_sheet("ReadyIcon_FullSpritesheet.png", ready)

    def maps(c, n):
        level = {1: LEVELS[1], 0: LEVELS[2], 2: LEVELS[3]}[n]
        number = {1: 1, 0: 2, 2: 3}[n]
        c.rect(0, 0, c.w, c.h, (24, 24, 36, 255), None, 0)
        panel(c, 10, 10, c.w - 10, c.h - 10, r=20)
        t = min((c.w * 0.8) / level.cols, (c.h * 0.62) / level.rows)
        ox = c.w / 2 - t * level.cols / 2
        oy = c.h * 0.2
        floor = (110, 160, 96, 255) if level.theme == "grass" else (150, 146, 136, 255)
        wall = (50, 80, 50, 255) if level.theme == "grass" else (70, 66, 64, 255)
        for r in range(level.rows):
            for cc in range(level.cols):
                ch = level.grid[r][cc]
                colr = wall if ch == "#" else floor
                c.rect(ox + cc * t, oy + r * t, ox + (cc + 1) * t, oy + (r + 1) * t, colr, None, 0)
        for (cc, r) in level.tiles("F"):
            c.rect(ox + (cc - 1) * t, oy + (r - 1) * t, ox + (cc + 2) * t, oy + (r + 2) * t, GOLD, INK, 2)
        for (cc, r) in level.tiles("S"):
            c.circle(ox + (cc + 0.5) * t, oy + (r + 0.5) * t, t * 0.45, WHITE, INK, 1.5)
        for ch, colr in (("B", BLUE), ("R", RED)):
            for (cc, r) in level.tiles(ch):
                c.circle(ox + (cc + 0.5) * t, oy + (r + 0.5) * t, t * 0.7, colr, INK, 2)
        c.rect(ox, oy, ox + level.cols * t, oy + level.rows * t, None, INK, 3)
        c.text(c.w / 2, c.h * 0.1, "ARENA %d" % number, c.h * 0.12, fill=GOLD)
        # keyboard play takes keys; with pads only pad 1 picks and starts
        for y, keys in ((0.87, "KEYBOARD:  LEFT / RIGHT OR A / D PICK    ENTER PLAY    X (P1) OR UP (P2) BACK"),
                        (0.92, "PADS:  PAD 1 D-PAD OR STICK PICK    A OR START PLAY    B BACK")):
            c.text_fit(c.w / 2, c.h * y, keys, c.h * 0.04, c.w * 0.86, fill=CREAM)
    grid_sheet("MapSelection_FullSpriteSheet.png", maps)

    def deny(c, n):
        c.rect(0, 0, c.w, c.h, (20, 20, 30, 170), None, 0, radius=16)
        c.thick_line([(c.w * 0.3, c.h * 0.2), (c.w * 0.7, c.h * 0.8)], RED, 26, INK, 5)
        c.thick_line([(c.w * 0.7, c.h * 0.2), (c.w * 0.3, c.h * 0.8)], RED, 26, INK, 5)
        c.text(c.w / 2, c.h / 2, "TAKEN", c.h * 0.22, fill=WHITE)
    grid_sheet("570x870_CharacteSelect_deny.png", deny)


def draw_pause():
    def quit_(c, n):
        panel(c, 6, 6, c.w - 6, c.h - 6)
        c.text(c.w / 2, c.h * 0.3, "QUIT?", c.h * 0.22, fill=GOLD)   # shown in a match and on the select screen
        button(c, c.w * 0.3, c.h * 0.68, c.w * 0.3, c.h * 0.2, "YES", n == 0)
        button(c, c.w * 0.7, c.h * 0.68, c.w * 0.3, c.h * 0.2, "NO", n == 1)
    grid_sheet("Pause_Quit.png", quit_)

    grid_sheet("Pause_Overlay.png", lambda c, n: c.rect(0, 0, c.w, c.h, (10, 10, 20, 165), None, 0))

    def menu(c, n):
        # shown centred at x 350 and 1000 wide, 1200 high: the left 15 % and
        # the top and bottom eighths lie off a 900-high screen
        x0, x1, y0, y1 = c.w * 0.22, c.w * 0.94, c.h * 0.17, c.h * 0.83
        cx = (x0 + x1) / 2
        panel(c, x0, y0, x1, y1)
        c.text(cx, y0 + c.h * 0.08, "PAUSED", c.h * 0.085, fill=GOLD)
        for i, label in enumerate(["RESUME", "HOW TO PLAY", "OPTIONS", "QUIT"]):
            button(c, cx, y0 + c.h * (0.2 + 0.11 * i), (x1 - x0) * 0.66, c.h * 0.075, label, i == n)
        c.text_fit(cx, y0 + c.h * 0.6, "UP / DOWN: MOVE    ENTER / A: CHOOSE    ESC / START: RESUME",
                   c.h * 0.03, (x1 - x0) * 0.86, fill=CREAM)
    grid_sheet("Pause_Menu.png", menu)

    grid_sheet("Pause_HowToPlay.png", lambda c, n: controls_page(c, 4, 4, c.w - 4, c.h - 4, [PAUSE_MENU_KEYS]))

    def opts(c, n):
        # the volume digits are drawn about 0.045 W right of the centre and
        # 0.0575 H off it, on the volume line
        options_panel(c, 6, 6, c.w - 6, c.h - 6, n >= 2, n in (1, 3), ("RIGHT SHIFT / A", "ENTER / B"),
                      lines=((0.3, 0.09), (0.6, 0.17)))
    grid_sheet("PauseOptions_FullSpritesheet.png", opts)


FACE_CELLS = {"Samurai": 1, "Maid": 3, "Archer": 6, "Knight": 12, "Pirate": 14, "Viking": 16}


def draw_hud():
    def strip(c, n):
        # the strip lies along the bottom of the screen; the clock is written
        # in black on the light plate in its middle, the white team scores on
        # the two score bars, which stand on the blue and the red field
        top = c.h * 0.42
        pl, pr = c.w * 0.43, c.w * 0.57
        c.poly([(0, top), (c.w, top), (c.w, c.h), (0, c.h)], PANEL, INK, 2)
        c.rect(c.w * 0.29, top + 3, pl - 14, c.h, BLUE_DARK, None, 0)
        c.rect(pr + 14, top + 3, c.w * 0.71, c.h, RED_DARK, None, 0)
        c.line([(0, top + 1.5), (c.w, top + 1.5)], GOLD, 2)
        c.poly([(pl - 12, c.h + 2), (pl, 3), (pr, 3), (pr + 12, c.h + 2)], CREAM, INK, 2.5)
        c.line([(pl + 3, 6.5), (pr - 3, 6.5)], GOLD, 2)
    grid_sheet("GameplayUI_Viewport_Overlay.png", strip)

    def bar(c, n):
        panel(c, 4, 8, c.w - 4, c.h - 8, (20, 22, 40, 150), WHITE, r=24, w=4)
    grid_sheet("ScoreBar_SpriteSheet.png", bar)

    face_of = {v: (k, 1) for k, v in FACE_CELLS.items()}
    face_of.update({v + 1: (k, 2) for k, v in FACE_CELLS.items()})
    # The cell is drawn at its portrait's place; the game puts the paint bar
    # (220 x 34, layer 61) 69 px right of and 40 px below the cell's centre,
    # under the panel block (layers 65 to 68), and the ready mark (layer 57)
    # under the block too: the block has holes for the face and the bar and
    # the ready label sits above the block.
    fx, fy, fr = 70, 100, 62     # face circle
    bx0, bx1, by0, by1 = 159, 379, 113, 147   # paint bar slot

    def hud(c, n):
        if n == 0:
            # the panel block: a frame with holes for the face and the paint bar
            c.poly([(fx, 70), (392, 88), (392, 166), (fx, 170)], PANEL, INK, 3)
            c.d.ellipse(c.box(fx - fr, fy - fr, fx + fr, fy + fr), fill=(0, 0, 0, 0))
            c.d.rectangle(c.box(bx0, by0, bx1, by1), fill=(0, 0, 0, 0))
            c.circle(fx, fy, fr, None, INK, 8)
            c.circle(fx, fy, fr - 4, None, GOLD, 4)
            c.rect(bx0, by0, bx1, by1, None, INK, 4)
            c.rect(bx0 - 3, by0 - 3, bx1 + 3, by1 + 3, None, GOLD, 2.5)
            c.text(bx0 + 2, by0 - 16, "PAINT", 22, fill=CREAM, anchor="lm")
        elif n == 11:
            c.circle(fx, fy, fr + 6, None, (255, 230, 90, 255), 9)
            c.star(fx + 55, 38, 26, 14, 8, GOLD, INK, 3)
            c.text(fx + 55, 40, "!", 26, fill=INK, stroke=None)
            c.text(bx0 + 110, 44, "SKILL READY", 30, fill=GOLD)
        elif n in face_of:
            name, team = face_of[n]
            col, light, dark = TEAM[team]
            c.rect(bx0, by0, bx1, by1, (15, 15, 25, 255), None, 0)
            c.circle(fx, fy, fr, col, None, 0)
            c.circle(fx, fy, fr * 0.8, light, None, 0)
            draw_character(c, name, fx - 4, fy, 1.05, Pose())
        else:
            return False
    grid_sheet("GameplayUI_SpritesheetCb_Full.png", hud)

    def fuel(c, n):
        col = (255, 214, 60, 255) if n == 0 else (255, 255, 255, 255)
        c.rect(0, 0, c.w, c.h, col, None, 0)
        c.rect(0, 0, c.w, c.h * 0.35, shade(col, 1.15), None, 0)
        c.rect(0, c.h * 0.75, c.w, c.h, shade(col, 0.8), None, 0)
    grid_sheet("PaitnBar_FullSpriteSheet.png", fuel)


def countdown_cell(c, label, s, colour):
    """A big label drawn at s times its settled size."""
    px = c.h * 0.8 * max(0.05, s)
    c.text(c.w / 2 + px * 0.04, c.h / 2 + px * 0.05, label, px, fill=INK, stroke=INK, stroke_w=px * 0.1)
    c.text(c.w / 2, c.h / 2, label, px, fill=colour, stroke=WHITE, stroke_w=px * 0.07)


def draw_match_flow():
    steps = {4: ("3", RED), 3: ("2", GOLD), 2: ("1", BLUE), 1: ("GO!", (90, 220, 90, 255)),
             0: ("GO!", (90, 220, 90, 255))}

    def count(c, n):
        row, col = divmod(n, 6)
        if col == 5:
            return False
        label, colour = steps[row]
        # each label pops in over five frames (overshoot, settle); "GO!" then holds
        scale = [0.45, 1.18, 0.94, 1.0, 1.0][col] if row else 1.0
        if row == 0:
            c.star(c.w / 2, c.h / 2, c.h * (0.42 + 0.02 * col), c.h * 0.28, 14, GOLD, INK, 2)
        countdown_cell(c, label, scale, colour)
    grid_sheet("GameStart_FullSpriteSheet.png", count)

    # the win screen: 14-18 shared intro (the Red row holds 18 one frame
    # longer), 19-20 and 7-13 Blue, 0-6 Red; each row rests on a cell of its
    # own team's colour
    def win(c, n):
        if n in (14, 15, 16, 17, 18):
            t = (n - 13) / 5.0
            team_col = GOLD
        elif n in (19, 20):
            t = 1.0
            team_col = BLUE
        elif 7 <= n <= 13:
            t = 1.0
            team_col = BLUE
        else:
            t = 1.0
            team_col = RED
        dark = (16, 16, 28, 255)
        c.rect(0, 0, c.w, c.h, dark, None, 0)
        ray = tuple(int(dark[i] * 0.7 + team_col[i] * 0.3) for i in range(3)) + (255,)
        rays = 18
        for i in range(rays):
            a0 = i * 360.0 / rays + n * 4
            if i % 2 == 0:
                c.d.pieslice(c.box(-c.w, -c.w * 0.9, 2 * c.w, 2.1 * c.w * 0.5 + c.w * 0.6),
                             a0, a0 + 360.0 / rays, fill=ray)
        s = ease_out(t)
        panel(c, c.w * (0.5 - 0.4 * s), c.h * 0.06, c.w * (0.5 + 0.4 * s), c.h * 0.3,
              shade(team_col, 0.5) if team_col != GOLD else PANEL, WHITE)
        if s > 0.6:
            label = "WINNER!" if (team_col == GOLD or n in (19, 20)) else "WINNER!"
            c.text(c.w / 2, c.h * 0.18, label, c.h * 0.17 * s, fill=GOLD if team_col != GOLD else WHITE)
        splats(c, n if n < 14 else 99, 6 if s > 0.5 else 0, [team_col], area=(0, c.h * 0.35, c.w, c.h))
        # the score plate: the game writes "NN %" at its centre
        panel(c, c.w * 0.665, c.h * 0.765, c.w * 0.81, c.h * 0.875, PANEL, GOLD)
        c.text(c.w * 0.7375, c.h * 0.735, "FLOOR PAINTED", c.h * 0.045, fill=CREAM)
    grid_sheet("WinScreen_FullSpriteSheet.png", win)

    seq = [9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2]

    def timeover(c, n):
        k = seq.index(n)
        s = [0.3, 0.7, 1.15, 0.95, 1.0, 1.05, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0][k]
        shine = k - 6 if k >= 6 else -1
        w, h = c.w * 0.46 * s, c.h * 0.3 * s
        c.poly([(c.w / 2 - w, c.h / 2 - h), (c.w / 2 + w, c.h / 2 - h * 1.2), (c.w / 2 + w, c.h / 2 + h),
                (c.w / 2 - w, c.h / 2 + h * 1.2)], RED, INK, 4)
        c.text(c.w / 2, c.h / 2, "TIME OVER", c.h * 0.3 * s, fill=WHITE)
        if 0 <= shine < 6:
            x = c.w * (0.1 + 0.16 * shine)
            c.poly([(x, c.h * 0.22), (x + 20, c.h * 0.22), (x - 10, c.h * 0.78), (x - 30, c.h * 0.78)],
                   (255, 255, 255, 110), None, 0)
    grid_sheet("GameOverTimeOver_FullSpriteSheet.png", timeover)

    portrait_cells = {4: "Archer", 5: "Knight", 6: "Pirate", 7: "Viking", 3: "Samurai", 2: "Maid"}

    def plates(c, n):
        cx, cy, r = c.w * 0.27, c.h * 0.5, c.h * 0.36
        if n in (0, 1):
            col, light, dark = TEAM[1 if n == 0 else 2]
            panel(c, c.w * 0.1, c.h * 0.2, c.w * 0.97, c.h * 0.8, col, WHITE)
            c.text(c.w * 0.7, c.h * 0.5, ("BLUE" if n == 0 else "RED") + " TEAM", c.h * 0.2, fill=WHITE)
            c.d.ellipse(c.box(cx - r, cy - r, cx + r, cy + r), fill=(0, 0, 0, 0))
            c.circle(cx, cy, r + 4, None, INK, 10)
            c.circle(cx, cy, r + 4, None, GOLD, 6)
        elif n in portrait_cells:
            c.circle(cx, cy, r, (250, 240, 220, 255), INK, 3)
            # the figure stays inside its round frame, clear of the team's name
            figure = Cell(c.w, c.h)
            draw_character(figure, portrait_cells[n], cx, cy, r / 52.0, Pose())
            mask = Image.new("L", figure.img.size, 0)
            ImageDraw.Draw(mask).ellipse(c.box(cx - r, cy - r, cx + r, cy + r), fill=255)
            figure.img.putalpha(ImageChops.multiply(figure.img.getchannel("A"), mask))
            c.paste(figure, 0, 0)
        else:
            return False
    grid_sheet("GameOverPortraits_FullSpriteSheet.png", plates)


def draw_skill_objects():
    raise_cells = list(range(0, 11)) + list(range(23, 34))
    fall_cells = list(range(11, 22)) + list(range(34, 45))

    def wall(c, n):
        # seen from above: the wall rises out of the floor (it widens and its
        # top comes into the light) and later crumbles back into it
        if n in raise_cells:
            h = ease_out((raise_cells.index(n) + 1) / 22.0)
            crack = 0
        elif n in fall_cells:
            h = 1.0 - fall_cells.index(n) / 21.0
            crack = 2
        elif n == 45:
            h, crack = 1.0, 1
        else:
            h, crack = 1.0, 0
        if h <= 0.02:
            return
        stone = (150, 142, 134, 255) if crack != 1 else (220, 120, 90, 255)
        if crack == 2:
            stone = shade(stone, 0.75 + 0.25 * h)
        half = c.w / 2 * (0.45 + 0.55 * h) - 2
        x0, x1 = c.w / 2 - half, c.w / 2 + half
        top, bot = c.h * 0.5 * (1 - h) * 0.15 + 2, c.h - 2 - c.h * 0.5 * (1 - h) * 0.15
        # dust ring while it moves
        if h < 1.0:
            c.rect(1, top, c.w - 1, bot, (190, 180, 165, int(120 * (1 - h))), None, 0, radius=6)
        c.rect(x0, top, x1, bot, with_alpha(stone, int(255 * min(1.0, 0.35 + h))), INK, 2, radius=4)
        c.rect(x0 + 4, top + 4, x1 - 4, bot - 4, shade(stone, 1.0 + 0.25 * h), None, 0, radius=3)
        bh = (bot - top) / 7
        for i in range(1, 7):
            y = top + i * bh
            c.line([(x0 + 2, y), (x1 - 2, y)], shade(stone, 0.7), 1.2)
        if crack:
            col = INK if crack == 2 else (120, 20, 20, 255)
            c.line([(c.w * 0.3, top + 20), (c.w * 0.65, top + 50), (c.w * 0.35, top + 90),
                    (c.w * 0.65, top + 130), (c.w * 0.4, bot - 20)], col, 1.8)
    grid_sheet("300px_blockwall_animation_2x23.dds", wall)

    def mine(c, n):
        if n >= 8:
            k = n - 8
            c.circle(50, 50, 30, (70, 72, 80, 255), INK, 3)
            for a in range(0, 360, 45):
                x, y = 50 + 34 * math.cos(math.radians(a)), 50 + 34 * math.sin(math.radians(a))
                c.circle(x, y, 5, (110, 110, 120, 255), INK, 2)
            lit = k % 4 < 2
            c.circle(50, 50, 10, (255, 60, 40, 255) if lit else (110, 30, 30, 255), INK, 2)
            if lit:
                c.circle(50, 50, 16, (255, 80, 60, 80), None, 0)
        else:
            t = (n + 1) / 8.0
            r = 12 + 36 * ease_out(t)
            a = int(255 * (1 - t * 0.8))
            c.star(50, 50, r, r * 0.6, 10, (255, 170, 40, a), INK if n < 6 else None, 2, rot=n * 11)
            c.circle(50, 50, r * 0.5, (255, 240, 140, a), None, 0)
    grid_sheet("100px_explodingmine_4x4.png", mine)

    def buff(c, n):
        if n != 4:
            return False
        c.circle(64, 64, 48, (110, 40, 150, 200), INK, 3)
        c.circle(64, 58, 26, (235, 230, 240, 255), INK, 3)
        c.circle(54, 56, 7, INK, None, 0)
        c.circle(74, 56, 7, INK, None, 0)
        c.rect(54, 76, 74, 88, (235, 230, 240, 255), INK, 3)
    grid_sheet("BuffSpritesheet_AnimationFull.png", buff)

    def lockdown(c, n):
        cx, cy = c.w / 2, c.h / 2
        if n == 0:
            # the pointer: an arrow pointing +x
            c.circle(cx, cy, 16, GOLD, INK, 3)
            c.poly([(cx + 10, cy - 16), (cx + 64, cy), (cx + 10, cy + 16)], GOLD, INK, 3)
            return
        t = n / 31.0
        ring = c.w * 0.48
        # the locked 3 x 3 block: a bold frame and the lines between its cells
        # over a faint wash, so the paint just laid and whoever stands there
        # still show through
        c.rect(cx - ring, cy - ring, cx + ring, cy + ring, (255, 200, 60, int(10 + 25 * t)), None, 0, radius=10)
        c.rect(cx - ring, cy - ring, cx + ring, cy + ring, None, INK, 5, radius=10)
        c.rect(cx - ring, cy - ring, cx + ring, cy + ring, None, GOLD, 3, radius=10)
        for k in (-1, 1):
            x = cx + k * ring / 3
            c.line([(x, cy - ring), (x, cy + ring)], (255, 215, 90, int(60 + 120 * t)), 1.5)
            c.line([(cx - ring, x - cx + cy), (cx + ring, x - cx + cy)], (255, 215, 90, int(60 + 120 * t)), 1.5)
        # the block drops in from above as a shadow, and a small padlock
        # snaps onto the frame's top edge, just inside it
        s = ease_out(min(1.0, t * 1.5))
        if s < 1.0:
            b = c.w * 0.3 * (1.0 - 0.7 * s)
            c.rect(cx - b, cy - b, cx + b, cy + b, (40, 36, 48, int(90 * (1.0 - s))), None, 0, radius=8)
        if t > 0.5:
            lx, ly = cx, cy - ring + 14
            c.arc(lx, ly - 6, 7, 180, 360, INK, 5)
            c.arc(lx, ly - 6, 7, 180, 360, (200, 200, 210, 255), 2.5)
            c.rect(lx - 10, ly - 6, lx + 10, ly + 9, GOLD, INK, 2.5, radius=3)
            c.circle(lx, ly + 1.5, 2.5, INK, None, 0)
    grid_sheet("300x300px_LockDown_casting_animation.png", lockdown)

    def bleed(c, n):
        w, h = c.w, c.h
        c.d.chord(c.box(-w * 0.6, 4, w * 0.95, h - 4), -75, 75, fill=(200, 20, 50, 230), outline=INK, width=8)
        c.d.chord(c.box(-w * 0.6 - 10, 20, w * 0.75, h - 20), -75, 75, fill=(0, 0, 0, 0))
        for i in range(3):
            y = h * (0.3 + 0.2 * i) + (n * 7 % 13)
            c.line([(w * 0.1, y), (w * 0.45, y)], (255, 150, 160, 200), 2)
    grid_sheet("150x500_samuraiBleed_wave_4x1.png", bleed)

    def mopskill(c, n):
        w, h = c.w, c.h
        wob = math.sin(n / 10.0 * 2 * math.pi)
        c.thick_line([(0, h / 2), (w * 0.45, h / 2)], (150, 95, 45, 255), 8, INK, 2)
        c.ellipse(w * 0.55, h / 2, w * 0.16, h * 0.42, (215, 220, 230, 255), INK, 3)
        for i in range(9):
            y = h * (0.14 + 0.09 * i)
            c.thick_line([(w * 0.62, y), (w * 0.9 + 6 * wob * ((-1) ** i), y + 4 * wob)], (236, 240, 248, 255),
                         7, INK, 1.5)
        for j in range(4):
            c.circle(w * (0.2 + 0.2 * ((n + j) % 4)), h * (0.1 + 0.25 * j), 5, (190, 230, 255, 220), INK, 1)
    grid_sheet("500x400_maidbrushskill_animation.png", mopskill)

    labels = ["SKILL!", "POW!", "GO GO!"]
    colours = [GOLD, (255, 120, 200, 255), (120, 230, 255, 255)]

    def popup(c, n):
        row, k = divmod(n, 8)
        t = (k + 1) / 8.0
        s = back_out(min(1.0, t * 2))
        a = 1.0 if k < 6 else (8 - k) / 3.0
        r = 56 * s
        c.star(64, 64, r, r * 0.62, 12, with_alpha(colours[row], int(255 * a)), INK, 3)
        c.text(64, 66, labels[row], 30 * s, fill=with_alpha(WHITE, int(255 * a)))
    grid_sheet("SkillActvated_FullSpriteSheet.png", popup)


def draw_editor():
    def cursor(c, n):
        # the cursor object is centred on the mouse: the arrow's tip is the
        # centre of the image
        c.poly([(32, 32), (32, 60), (39, 53), (45, 63), (50, 60), (44, 50), (54, 49)], WHITE, INK, 2.5)
        c.circle(32, 32, 3, GOLD, INK, 1.5)
    grid_sheet("Cursor.png", cursor)

    def icons(c, n):
        c.rect(2, 2, 62, 62, PANEL_LIGHT, INK, 2, radius=10)
        if n == 0:
            c.poly([(20, 12), (20, 48), (29, 40), (35, 54), (41, 51), (35, 38), (46, 38)], WHITE, INK, 2)
        elif n == 1:
            for a in (0, 90, 180, 270):
                ca, sa = math.cos(math.radians(a)), math.sin(math.radians(a))
                c.thick_line([(32, 32), (32 + 16 * ca, 32 + 16 * sa)], WHITE, 4, INK, 1.5)
                c.poly([(32 + 26 * ca, 32 + 26 * sa), (32 + 16 * ca - 7 * sa, 32 + 16 * sa + 7 * ca),
                        (32 + 16 * ca + 7 * sa, 32 + 16 * sa - 7 * ca)], WHITE, INK, 1.5)
        elif n == 2:
            c.arc(32, 32, 18, 40, 330, INK, 9)
            c.arc(32, 32, 18, 42, 328, WHITE, 5)
            c.poly([(44, 8), (56, 22), (40, 26)], WHITE, INK, 1.5)
        elif n == 3:
            c.rect(12, 28, 36, 52, None, WHITE, 4)
            c.thick_line([(26, 38), (48, 16)], WHITE, 4, INK, 1.5)
            c.poly([(52, 12), (50, 28), (36, 14)], WHITE, INK, 1.5)
        elif n in (4, 5):
            if n == 5:
                for i in range(2):
                    for j in range(2):
                        c.rect(8 + 14 * i, 30 + 14 * j, 20 + 14 * i, 42 + 14 * j,
                               BLUE if (i + j) % 2 else RED, INK, 1.5)
            c.thick_line([(48, 10), (28, 34)], (150, 95, 45, 255), 6, INK, 1.5)
            c.poly([(26, 30), (34, 38), (22, 52), (12, 52), (14, 42)], BLUE, INK, 2)
        else:
            c.poly([(14, 40), (36, 14), (54, 30), (32, 56)], (255, 140, 170, 255), INK, 2)
            c.poly([(14, 40), (24, 28), (42, 44), (32, 56)], WHITE, INK, 2)
    grid_sheet("64px_enginefunction_icons.png", icons)


def draw_characters():
    for name in NAMES:
        def d(c, n, name=name):
            row, i = divmod(n, 8)
            if row == 2 and i >= 6:
                return False
            draw_character(c, name, 54, 64, 1.0, pose_for(row, i))
        grid_sheet(name + "_Sheet.png", d)

    def shadow(c, n):
        c.ellipse(66, 68, 44, 48, (0, 0, 0, 110), None, 0)
        c.blur_shadow(3)
    grid_sheet("CharacterShadow.png", shadow)

    def status(c, n):
        row, k = divmod(n, 8)
        t = k / 8.0
        if row == 1:     # archer mark: a target over the player
            r = 40 + 6 * math.sin(t * 2 * math.pi)
            c.circle(64, 64, r, None, (255, 80, 60, 255), 5)
            c.circle(64, 64, r * 0.45, None, (255, 80, 60, 255), 4)
            for a in (0, 90, 180, 270):
                ca, sa = math.cos(math.radians(a)), math.sin(math.radians(a))
                c.thick_line([(64 + ca * r * 0.7, 64 + sa * r * 0.7), (64 + ca * r * 1.25, 64 + sa * r * 1.25)],
                             (255, 80, 60, 255), 4, INK, 1)
        elif row == 3:   # stun: stars turning round the head
            c.circle(64, 64, 40, None, with_alpha(GOLD, 120), 3)
            for j in range(3):
                a = t * 2 * math.pi + j * 2 * math.pi / 3
                c.star(64 + 40 * math.cos(a), 64 + 40 * math.sin(a), 17, 7, 5, GOLD, INK, 2.5)
        elif row == 5:   # bleed tick: red drops
            for j in range(4):
                y = 24 + ((k * 8 + j * 23) % 80)
                c.ellipse(34 + 20 * j, y, 7, 10, (210, 20, 40, 235), INK, 2)
        elif row == 6:   # bleed start: a slash burst
            s = ease_out((k + 1) / 8.0)
            a = int(255 * (1 - 0.6 * t))
            c.thick_line([(64 - 50 * s, 64 + 40 * s), (64 + 50 * s, 64 - 40 * s)], (220, 20, 50, a), 10 * s + 2, INK, 2)
            c.thick_line([(64 - 40 * s, 64 - 40 * s), (64 + 40 * s, 64 + 40 * s)], (255, 110, 120, a), 6 * s + 2, INK, 1.5)
        else:
            return False
    grid_sheet("StatusEffects.png", status)

    def cast(c, n):
        row, k = divmod(n, 8)
        if row == 2:
            return False
        t = (k + 1) / 8.0 if row == 0 else (8 - k) / 8.0
        r = 20 + 40 * ease_out(t)
        a = int(255 * (1 - max(0, t - 0.6) * 2))
        c.circle(64, 64, r, None, (120, 230, 120, a), 6)
        for j in range(6):
            ang = j * 60 + k * 10
            ca, sa = math.cos(math.radians(ang)), math.sin(math.radians(ang))
            c.thick_line([(64 + ca * r * 0.6, 64 + sa * r * 0.6), (64 + ca * r, 64 + sa * r)], (200, 255, 200, a), 3, None)
    grid_sheet("ArcherCast.png", cast)

    for name in ("Arrow", "CannonBall", "Fist", "Katana", "Lance", "Mop"):
        grid_sheet(name + ".png", lambda c, n, name=name: projectile(c, name, n))


def draw_arena_objects():
    for pi, name in enumerate(("P1Icon.png", "P2Icon.png")):
        def icon(c, n, label="P%d" % (pi + 1)):
            row, k = divmod(n, 2)
            col, light, dark = TEAM[1 + row]
            c.poly([(20, 20), (76, 20), (76, 62), (56, 62), (48, 80), (40, 62), (20, 62)], col, INK, 3)
            c.text(48, 42, label, 34, fill=WHITE)
            if k == 1:
                c.poly([(30, 18), (34, 4), (42, 13), (48, 2), (54, 13), (62, 4), (66, 18)], GOLD, INK, 2.5)
        grid_sheet(name, icon)

    def flag(c, n):
        row, k = divmod(n, 4)
        col, light, dark = TEAM[row]
        c.circle(64, 64, 50, with_alpha(col, 60), with_alpha(col, 200), 3)
        wave = math.sin(k / 4.0 * 2 * math.pi) * 6
        c.poly([(60, 40), (104, 38 + wave), (100, 62 - wave), (108, 86 + wave), (60, 80)], col, INK, 3)
        c.circle(60, 60, 9, (150, 95, 45, 255), INK, 3)
        c.circle(60, 60, 4, GOLD, None, 0)
    grid_sheet("Flag.png", flag)

    def capture(c, n):
        t = (n + 1) / 8.0
        r = 20 + 42 * ease_out(t)
        a = int(255 * (1 - t * 0.7))
        c.circle(64, 64, r, None, with_alpha(GOLD, a), 5)
        for j in range(8):
            ang = math.radians(j * 45 + n * 8)
            c.star(64 + r * math.cos(ang), 64 + r * math.sin(ang), 7, 3, 4, with_alpha(WHITE, a), None, 0)
    grid_sheet("FlagCapture.png", capture)

    def ornament(c, n):
        col, light, dark = TEAM[1 + n]
        c.circle(64, 64, 58, None, with_alpha(col, 200), 6)
        for j in range(4):
            a = math.radians(j * 90)
            c.poly([(64 + 56 * math.cos(a - 0.2), 64 + 56 * math.sin(a - 0.2)),
                    (64 + 44 * math.cos(a), 64 + 44 * math.sin(a)),
                    (64 + 56 * math.cos(a + 0.2), 64 + 56 * math.sin(a + 0.2))], light, INK, 2)
    grid_sheet("FlagOrnament.png", ornament)

    def pad(c, n):
        row, k = divmod(n, 8)
        t = k / 8.0
        glow = 0.5 + 0.5 * math.sin(t * 2 * math.pi)
        if row == 1:
            c.circle(64, 64, 56, with_alpha(GOLD, int(60 + 80 * glow)), None, 0)
        fill = 1.0 if row == 1 else max(0.0, 1 - (k + 1) / 8.0)
        c.circle(64, 64, 44, (60, 60, 80, 255), INK, 3)
        # a paint bucket seen from above: rim and paint surface
        c.circle(64, 64, 30, (200, 200, 210, 255), INK, 3)
        if fill > 0:
            c.d.pieslice(c.box(38, 38, 90, 90), 90, 270, fill=BLUE)
            c.d.pieslice(c.box(38, 38, 90, 90), -90, 90, fill=RED)
            c.circle(64, 64, 26 * fill, None, INK, 0)
        if row == 0:
            for j in range(6):
                ang = math.radians(j * 60 + 20)
                d = 30 + 40 * t
                c.circle(64 + d * math.cos(ang), 64 + d * math.sin(ang), 7 * (1 - t) + 1,
                         BLUE if j % 2 else RED, INK, 1.5)
    grid_sheet("SpawnPoint.png", pad)


def draw_particles():
    def puff(name, colour, spiky):
        def d(c, n):
            if spiky:
                c.star(32, 32, 28, 10, 8, colour, None, 0)
                c.circle(32, 32, 10, WHITE, None, 0)
            else:
                c.circle(32, 32, 24, colour, None, 0)
                c.circle(26, 26, 10, shade(colour, 1.2), None, 0)
            c.blur_shadow(1)
        out(name, sheet(1, 1, 64, 64, d))
    puff("Effect_03.png", (190, 180, 165, 220), False)
    puff("Effect_09.png", (255, 160, 40, 255), True)
    puff("HitSpark.png", (255, 240, 150, 255), True)
    puff("PaintBurst.png", (255, 255, 255, 230), False)


def main(data):
    global OUT
    OUT = os.path.join(data, "img")
    os.makedirs(OUT, exist_ok=True)
    draw_default()
    draw_loading()
    draw_logos()
    draw_main_menu()
    draw_select_screen()
    draw_pause()
    draw_hud()
    draw_match_flow()
    draw_skill_objects()
    draw_editor()
    draw_characters()
    draw_arena_objects()
    draw_particles()
    paint.draw_floor(os.path.join(OUT, assets.FLOOR), assets.sheet(assets.FLOOR))
    paint.draw_paint_atlas(os.path.join(OUT, "carpetBomb2.png"))


if __name__ == "__main__":
    main(sys.argv[1])
