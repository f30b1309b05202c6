"""The four arenas: tile grids drawn as text, turned into walls, flags and pads.

Map legend (one character per 100 x 100 tile, top row first):
  '#' wall   '.' floor   'F' flag centre (its 3 x 3 patch must be floor)
  'S' paint refill pad   'B' Blue player start   'R' Red player start
Tile centres lie on odd multiples of 50, so every wall and flag edge lies on a
multiple of 100 and the players' start positions fall on tile centres.
"""


def _blank(cols, rows):
    g = [["." for _ in range(cols)] for _ in range(rows)]
    for c in range(cols):
        g[0][c] = g[rows - 1][c] = "#"
    for r in range(rows):
        g[r][0] = g[r][cols - 1] = "#"
    return g


def _box(g, c0, r0, w, h, ch="#"):
    for r in range(r0, r0 + h):
        for c in range(c0, c0 + w):
            g[r][c] = ch


def _mirror(g, c0, r0, w, h):
    """Place a block and its copy mirrored through the arena centre."""
    rows, cols = len(g), len(g[0])
    _box(g, c0, r0, w, h)
    _box(g, cols - c0 - w, rows - r0 - h, w, h)


class Level:
    def __init__(self, number, cols, rows, x0, y0, theme, blue, red, grid):
        self.number = number
        self.cols, self.rows = cols, rows
        self.x0, self.y0 = x0, y0          # centre of the top-left tile
        self.theme = theme                 # "grass" or "stone"
        self.blue, self.red = blue, red    # player start positions
        self.grid = grid

    def centre(self, c, r):
        return (float(self.x0 + 100 * c), float(self.y0 - 100 * r))

    def cell_of(self, x, y):
        return (int(round((x - self.x0) / 100.0)), int(round((self.y0 - y) / 100.0)))

    def tiles(self, ch):
        return [(c, r) for r in range(self.rows) for c in range(self.cols)
                if self.grid[r][c] == ch]

    def wall_rects(self):
        """Wall tiles merged into rectangles (c0, r0, w, h)."""
        used = [[False] * self.cols for _ in range(self.rows)]
        rects = []
        for r in range(self.rows):
            c = 0
            while c < self.cols:
                if self.grid[r][c] != "#" or used[r][c]:
                    c += 1
                    continue
                w = 0
                while c + w < self.cols and self.grid[r][c + w] == "#" and not used[r][c + w]:
                    w += 1
                h = 1
                while r + h < self.rows and all(
                        self.grid[r + h][cc] == "#" and not used[r + h][cc]
                        for cc in range(c, c + w)):
                    h += 1
                for rr in range(r, r + h):
                    for cc in range(c, c + w):
                        used[rr][cc] = True
                rects.append((c, r, w, h))
                c += w
        return rects


def _place_starts(level):
    for ch, pos in (("B", level.blue), ("R", level.red)):
        c, r = level.cell_of(*pos)
        assert level.grid[r][c] == ".", (level.number, ch, pos)
        level.grid[r][c] = ch
    return level


def level0():
    # quick match: a square arena, four pillars, one central flag
    g = _blank(24, 24)
    _mirror(g, 5, 5, 2, 2)
    _mirror(g, 17, 5, 2, 2)
    _mirror(g, 10, 3, 4, 1)
    g[12][12] = "F"
    g[12][3] = g[12][20] = "S"
    g[2][12] = g[21][12] = "S"
    return _place_starts(Level(0, 24, 24, -1150, 1150, "grass",
                               (-250.0, -950.0), (350.0, -950.0), g))


def level1():
    # diagonal duel: two L-shaped walls, two flags on the other diagonal
    g = _blank(22, 20)
    _mirror(g, 6, 4, 1, 5)
    _mirror(g, 6, 4, 4, 1)
    _box(g, 10, 9, 2, 2)
    g[4][17] = "F"
    g[15][4] = "F"
    g[2][2] = g[17][19] = "S"
    g[10][5] = g[9][16] = "S"
    return _place_starts(Level(1, 22, 20, -1050, 950, "stone",
                               (-750.0, 450.0), (650.0, -550.0), g))


def level2():
    # split start: a central wall divides the upper half, flags left and right
    g = _blank(26, 22)
    _box(g, 12, 1, 2, 8)
    _box(g, 5, 12, 3, 1)
    _box(g, 18, 12, 3, 1)
    _box(g, 11, 14, 4, 1)
    g[9][5] = "F"
    g[9][20] = "F"
    g[18][13] = "F"
    g[2][3] = g[2][22] = "S"
    g[19][3] = g[19][22] = "S"
    return _place_starts(Level(2, 26, 22, -1250, 1050, "stone",
                               (-250.0, 750.0), (250.0, 750.0), g))


def level3():
    # the big field: a broken cross in the middle, three flags
    g = _blank(28, 24)
    _box(g, 13, 4, 2, 5)
    _box(g, 13, 15, 2, 5)
    _box(g, 4, 11, 6, 2)
    _box(g, 18, 11, 6, 2)
    g[11][13] = "F"
    g[5][5] = "F"
    g[18][22] = "F"
    g[2][25] = g[21][2] = "S"
    g[6][21] = g[17][7] = "S"
    return _place_starts(Level(3, 28, 24, -1350, 1150, "grass",
                               (-750.0, -550.0), (250.0, 550.0), g))


LEVELS = [level0(), level1(), level2(), level3()]
