// The paint splat over plain data: refusals, team counters, fuel, and the
// autotiling of a tile and its eight neighbours.
#include "graphics/VXPaintMap.h"

#include "graphics/VXInstanceSet.h"

#include <algorithm>

namespace FrameWork {

VXAutotileTable g_autotileTeam1;
VXAutotileTable g_autotileTeam2;
const char* const kPaintSetName = "carpetBomb2.png";
int32_t VXPaintMap::TeamTileCount[2] = {0, 0};

void FillAutotileTables() {
    struct Entry {
        int32_t quadrant;
        const char* code;
        int32_t cell;  // team 1; team 2 is four cells lower
    };
    static const Entry kEntries[] = {
        {0, "11", 60}, {0, "21", 62}, {0, "12", 55}, {0, "22", 44}, {0, "33", 39},
        {1, "11", 61}, {1, "12", 62}, {1, "21", 63}, {1, "22", 45}, {1, "33", 39},
        {2, "11", 52}, {2, "12", 54}, {2, "21", 55}, {2, "22", 36}, {2, "33", 39},
        {3, "11", 53}, {3, "21", 54}, {3, "12", 63}, {3, "22", 37}, {3, "33", 39},
    };
    for (const Entry& e : kEntries) {
        g_autotileTeam1[e.quadrant].emplace(e.code, e.cell);
        g_autotileTeam2[e.quadrant].emplace(e.code, e.cell - 4);
    }
}

std::string VXPaintMap::MakeCode(char a, char b) {
    return std::string{a, b};
}

std::string VXPaintMap::GetTilePattern(const VXPaintCell& cell) {
    std::string pattern;
    for (int q : {0, 1, 3, 2}) {
        pattern += cell.quadrants[q].code[0];
        pattern += cell.quadrants[q].code[1];
    }
    return pattern;
}

void VXPaintMap::SetTilePattern(VXPaintCell& cell, const char* pattern, VXAutotileTable& table) {
    static const int kOrder[4] = {0, 1, 3, 2};
    for (int k = 0; k < 4; ++k) {
        cell.quadrants[kOrder[k]].code[0] = pattern[2 * k];
        cell.quadrants[kOrder[k]].code[1] = pattern[2 * k + 1];
    }
    for (int q = 0; q < 4; ++q) {
        const VXPaintQuadrant& quad = cell.quadrants[q];
        cell.quadrants[q].atlasCell = table[q][MakeCode(quad.code[0], quad.code[1])];
    }
}

namespace {

// A quadrant character: quadrant number and character number.
struct Edge {
    int q;
    int c;
};

// The four side neighbours, in splat order, with the two characters of the
// neighbour and of the painted tile that face each other.
struct Side {
    int dRow;
    int dCol;
    Edge neighbour[2];
    Edge self[2];
};
const Side kSides[4] = {
    {-1, 0, {{2, 0}, {3, 1}}, {{0, 1}, {1, 0}}},  // up
    {0, 1, {{0, 0}, {2, 1}}, {{1, 1}, {3, 0}}},   // right
    {0, -1, {{1, 1}, {3, 0}}, {{0, 0}, {2, 1}}},  // left
    {1, 0, {{0, 1}, {1, 0}}, {{2, 0}, {3, 1}}},   // down
};

// The four corners: the diagonal tile and its quadrant at the corner, the
// painted tile's quadrant there, and the two side neighbours (index into
// kSides) with their quadrant at the corner and the character of the edge
// that faces the diagonal tile.
struct Corner {
    int dRow;
    int dCol;
    int diagonalQuadrant;
    int selfQuadrant;
    int side[2];
    Edge sideEdge[2];
};
const Corner kCorners[4] = {
    {-1, -1, 3, 0, {0, 2}, {{2, 1}, {1, 0}}},  // up-left: up, left
    {-1, 1, 2, 1, {0, 1}, {{3, 0}, {0, 1}}},   // up-right: up, right
    {1, -1, 1, 2, {2, 3}, {{3, 1}, {0, 0}}},   // down-left: left, down
    {1, 1, 0, 3, {1, 3}, {{2, 0}, {1, 1}}},    // down-right: right, down
};

VXAutotileTable& TableOf(int32_t team) {
    return team == 2 ? g_autotileTeam2 : g_autotileTeam1;
}

void Reapply(VXPaintCell& cell, VXAutotileTable& table) {
    VXPaintMap::SetTilePattern(cell, VXPaintMap::GetTilePattern(cell).c_str(), table);
}

char& CharAt(VXPaintCell& cell, Edge e) {
    return cell.quadrants[e.q].code[e.c];
}
bool Is(const VXPaintQuadrant& q, char a, char b) {
    return q.code[0] == a && q.code[1] == b;
}
void Raise(char& c) {
    if (c < '3') ++c;
}
void Lower(char& c) {
    if (c > '1') --c;
}

class Splatter {
public:
    Splatter(const VXPainter& p, int32_t tile, VXPaintTarget& t)
        : painter(p), target(t), cells(*t.cells), i(tile) {}

    int32_t Run();

private:
    // The tile `dRow` rows and `dCol` columns away (the target's neighbour,
    // or plain index arithmetic); -1 when it lies outside the table.
    int32_t Neighbour(int dRow, int dCol) const {
        const int64_t n = target.neighbour ? target.neighbour(i, dRow, dCol)
                                           : static_cast<int64_t>(i) +
                                                 static_cast<int64_t>(dRow) * target.columns + dCol;
        return n >= 0 && n < static_cast<int64_t>(cells.size()) ? static_cast<int32_t>(n) : -1;
    }
    bool Processable(const VXPaintCell& n) const {
        return n.flagCell ? flagStroke : painter.objectType != kFlagPainterType;
    }
    void Count(int32_t team, int32_t delta) {
        if (target.teamTileCount && (team == 1 || team == 2))
            target.teamTileCount[team - 1] += delta;
    }
    void SetQuadrantColours(int32_t cell, float alpha);
    void SidePass();
    void CornerPass();
    void Refresh();

    const VXPainter& painter;
    VXPaintTarget& target;
    std::vector<VXPaintCell>& cells;
    int32_t i;
    bool flagStroke = false;
    bool wasPainted = false;
    int32_t oldTeam = 0;
    int32_t newTeam = 0;
};

int32_t Splatter::Run() {
    if (i < 0 || static_cast<size_t>(i) >= cells.size()) return -1;
    VXPaintCell& c = cells[static_cast<size_t>(i)];
    const bool eraser = painter.objectType == kEraserType;
    const bool flagPainter = painter.objectType == kFlagPainterType;

    int32_t t = painter.team;
    if (painter.swapTeam) t = t == 1 ? 2 : 1;

    // A player does not paint again the tile it or another player painted
    // last; an inactive painter (the level's helper painters) always may.
    if (!flagPainter && target.lastTiles) {
        std::vector<int32_t>& last = *target.lastTiles;
        const int32_t s = painter.serial;
        const bool known = std::find(last.begin(), last.end(), i) != last.end();
        if (s >= 0 && static_cast<size_t>(s) < last.size() && !known) {
            last[static_cast<size_t>(s)] = i;
        } else if (painter.active) {
            return -1;
        }
    }

    flagStroke = flagPainter && c.flagCell;
    if (!flagStroke && (c.blocked || c.wallBlocked)) return -1;
    if (eraser && (c.team == t || c.team == 0 || c.flagCell)) return -1;
    if (!flagPainter && (c.team == t || c.flagCell)) return -1;
    if (!painter.swapTeam) {
        const int32_t own = painter.team == 1 || painter.team == 2 ? painter.team : 0;
        if (c.team == own) return -1;
    }

    VXAutotileTable& table = TableOf(t);
    wasPainted = c.team != 0;
    oldTeam = c.team;
    newTeam = (t == 1 || t == 2) && !eraser ? t : 0;

    // The tile moves from its old owner to its new one, so each counter
    // always equals the number of tiles of that team.
    if (oldTeam != newTeam) {
        Count(oldTeam, -1);
        Count(newTeam, +1);
    }
    if (target.playSplat) target.playSplat();
    if (painter.paintFuel) --*painter.paintFuel;

    if (newTeam == 0) {
        VXPaintMap::SetTilePattern(c, "00000000", table);
        c.painted = 0;
        c.team = 0;
        SetQuadrantColours(i, 0.0f);
    } else {
        VXPaintMap::SetTilePattern(c, "11111111", table);
        c.painted = 1;
        c.team = newTeam;
    }

    SidePass();
    CornerPass();
    Refresh();
    return i;
}

void Splatter::SetQuadrantColours(int32_t cell, float alpha) {
    if (!target.paintSet) return;
    std::vector<Vec4f>& colours = target.paintSet->m_data2;
    for (int q = 0; q < 4; ++q) {
        const size_t k = static_cast<size_t>(cell) * 4 + static_cast<size_t>(q);
        if (k < colours.size()) colours[k] = {1.0f, 1.0f, 1.0f, alpha};
    }
}

void Splatter::SidePass() {
    VXPaintCell& c = cells[static_cast<size_t>(i)];
    VXAutotileTable& table = TableOf(newTeam);
    for (const Side& side : kSides) {
        const int32_t ni = Neighbour(side.dRow, side.dCol);
        if (ni < 0) continue;
        VXPaintCell& n = cells[static_cast<size_t>(ni)];
        if (!Processable(n)) continue;
        if (newTeam != 0 && n.team == newTeam) {
            // Join the two tiles along their common edge.
            for (Edge e : side.neighbour) Raise(CharAt(n, e));
            Reapply(n, table);
            for (Edge e : side.self) Raise(CharAt(c, e));
            Reapply(c, table);
        } else if (wasPainted && n.team != 0 && n.team == oldTeam) {
            // Cut the old owner's neighbour loose from this tile.
            for (Edge e : side.neighbour) {
                char& ch = CharAt(n, e);
                if (ch >= '2') ch = '1';
            }
            Reapply(n, TableOf(n.team));
        }
    }
}

void Splatter::CornerPass() {
    VXPaintCell& c = cells[static_cast<size_t>(i)];
    for (const Corner& corner : kCorners) {
        const int32_t di = Neighbour(corner.dRow, corner.dCol);
        if (di < 0) continue;
        VXPaintCell& d = cells[static_cast<size_t>(di)];
        if (!Processable(d)) continue;
        VXPaintCell* sides[2] = {nullptr, nullptr};
        for (int k = 0; k < 2; ++k) {
            const int32_t si = Neighbour(kSides[corner.side[k]].dRow, kSides[corner.side[k]].dCol);
            if (si >= 0) sides[k] = &cells[static_cast<size_t>(si)];
        }
        VXPaintQuadrant& dq = d.quadrants[corner.diagonalQuadrant];
        VXPaintQuadrant& cq = c.quadrants[corner.selfQuadrant];
        if (newTeam != 0 && d.team == newTeam) {
            // All four tiles round the corner are one team: an inner corner.
            if (!Is(dq, '2', '2') || !Is(cq, '2', '2')) continue;
            VXAutotileTable& table = TableOf(newTeam);
            dq.code[0] = dq.code[1] = '3';
            cq.code[0] = cq.code[1] = '3';
            Reapply(d, table);
            Reapply(c, table);
            for (int k = 0; k < 2; ++k) {
                if (!sides[k] || sides[k]->team != newTeam) continue;
                const int q = corner.sideEdge[k].q;
                Raise(sides[k]->quadrants[q].code[0]);
                Raise(sides[k]->quadrants[q].code[1]);
                Reapply(*sides[k], table);
            }
        } else if (wasPainted && d.team != 0 && d.team == oldTeam) {
            if (!Is(dq, '3', '3')) continue;
            VXAutotileTable& table = TableOf(d.team);
            dq.code[0] = dq.code[1] = '2';
            Reapply(d, table);
            for (int k = 0; k < 2; ++k) {
                if (!sides[k] || sides[k]->team != d.team) continue;
                Lower(CharAt(*sides[k], corner.sideEdge[k]));
                Reapply(*sides[k], table);
            }
        }
    }
}

void Splatter::Refresh() {
    VXInstanceSet* set = target.paintSet;
    if (!set) return;
    const size_t limit =
        std::min({set->m_data2.size(), set->texOffsets.size(), set->m_data3Index.size()});
    for (size_t k = 0; k < cells.size(); ++k) {
        if (!cells[k].painted) continue;
        for (int q = 0; q < 4; ++q) {
            const size_t n = k * 4 + static_cast<size_t>(q);
            if (n >= limit) return;
            const int32_t cell = cells[k].quadrants[q].atlasCell;
            set->m_data3Index[n] = cell;
            set->texOffsets[n] = set->FrameOffset(cell);
            set->m_data2[n] = {1.0f, 1.0f, 1.0f, 1.0f};
        }
    }
}

}  // namespace

int32_t VXPaintMap::Paint(const VXPainter& painter, int32_t tile, VXPaintTarget& target) {
    if (!target.cells) return -1;
    return Splatter(painter, tile, target).Run();
}

}  // namespace FrameWork
