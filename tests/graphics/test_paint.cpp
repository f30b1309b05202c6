// The paint splat over plain data: autotiled atlas cells, refusals, team
// counters, fuel, the last-painted-tile rule, and counts that always equal
// the floor.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "graphics/VXInstanceSet.h"
#include "graphics/VXPaintMap.h"

using namespace FrameWork;

namespace {

// A floor of rows x columns blank cells with its paint quarter-tiles.
struct Floor {
    Floor(int32_t rowCount, int32_t columnCount)
        : rows(rowCount), columns(columnCount), set("carpetBomb2.png", 0) {
        FillAutotileTables();
        cells.resize(static_cast<size_t>(rows * columns));
        set.ComputeFrames(8, 8);
        for (int32_t k = 0; k < rows * columns * 4; ++k) {
            set.m_data1.push_back({0.0f, 0.0f, 54.0f, 54.0f});
            set.m_data2.push_back({1.0f, 1.0f, 1.0f, 0.0f});
            set.AddFrameIndex(0);
        }
        counts[0] = counts[1] = 0;
        target.cells = &cells;
        target.paintSet = &set;
        target.columns = columns;
        target.lastTiles = &lastTiles;
        target.teamTileCount = counts;
        target.playSplat = [this] { ++splatSounds; };
    }

    int32_t Tile(int32_t row, int32_t column) const { return row * columns + column; }
    VXPaintCell& Cell(int32_t row, int32_t column) {
        return cells[static_cast<size_t>(Tile(row, column))];
    }
    std::string Code(int32_t row, int32_t column, int q) {
        const VXPaintQuadrant& quad = Cell(row, column).quadrants[q];
        return std::string{quad.code[0], quad.code[1]};
    }
    int32_t Atlas(int32_t row, int32_t column, int q) {
        return Cell(row, column).quadrants[q].atlasCell;
    }

    // Paints with a fresh inactive painter, so the last-tile rule never
    // refuses; returns the splat's answer.
    int32_t Paint(int32_t team, int32_t row, int32_t column, int32_t type = 6) {
        VXPainter p;
        p.objectType = type;
        p.active = false;
        p.team = team;
        return VXPaintMap::Paint(p, Tile(row, column), target);
    }

    int32_t rows;
    int32_t columns;
    std::vector<VXPaintCell> cells;
    VXInstanceSet set;
    std::vector<int32_t> lastTiles;
    int32_t counts[2];
    int splatSounds = 0;
    VXPaintTarget target;
};

}  // namespace

// Painted tiles join their neighbours of the same team: each case paints
// tiles (team, row, column) in order, then reads quadrant codes and atlas
// cells (-1: not checked).  Team 2's cells are team 1's less 4.
TEST(Paint, TilesJoinTheirNeighboursOfTheSameTeam) {
    struct Quad {
        int32_t row, column, q;
        const char* code;
        int32_t atlas;
    };
    const struct {
        const char* what;
        std::vector<std::array<int32_t, 3>> paints;
        std::vector<Quad> quads;
    } cases[] = {
        // clang-format off
        {"lone tiles: four open corners", {{1, 1, 1}, {2, 3, 3}},
         {{1, 1, 0, "11", 60}, {1, 1, 1, "11", 61}, {1, 1, 2, "11", 52}, {1, 1, 3, "11", 53},
          {3, 3, 0, "11", 56}, {3, 3, 3, "11", 49}}},
        {"side by side", {{2, 2, 1}, {2, 2, 2}},
         {{2, 1, 1, "12", 58}, {2, 1, 3, "21", 50}, {2, 2, 0, "21", 58}, {2, 2, 2, "12", 50},
          {2, 1, 0, "11", 56}, {2, 2, 3, "11", 49}}},
        {"one above the other", {{1, 1, 1}, {1, 2, 1}},
         {{1, 1, 2, "21", -1}, {1, 1, 3, "12", -1}, {2, 1, 0, "12", -1}, {2, 1, 1, "21", -1}}},
        {"a two by two block fills its inner corners", {{1, 2, 2}, {1, 2, 3}, {1, 3, 2}, {1, 3, 3}},
         {{2, 2, 3, "33", 39}, {2, 3, 2, "33", 39}, {3, 2, 1, "33", 39}, {3, 3, 0, "33", 39},
          {2, 2, 0, "11", 60}, {3, 3, 3, "11", 53}}},
        {"taking the middle of a block cuts its neighbours back",
         {{1, 2, 2}, {1, 2, 3}, {1, 2, 4}, {1, 3, 2}, {1, 3, 3}, {1, 3, 4}, {1, 4, 2}, {1, 4, 3},
          {1, 4, 4}, {2, 3, 3}},
         {{2, 2, 3, "22", -1}, {2, 4, 2, "22", -1}, {4, 2, 1, "22", -1}, {4, 4, 0, "22", -1},
          {2, 3, 2, "12", 54}, {2, 3, 3, "21", -1}, {3, 2, 1, "21", -1}, {3, 2, 3, "12", -1},
          {3, 4, 0, "12", -1}, {4, 3, 0, "21", -1}, {3, 3, 0, "11", 56}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Floor floor(7, 7);
        for (const auto& [team, row, column] : c.paints)
            ASSERT_EQ(floor.Paint(team, row, column), floor.Tile(row, column));
        for (const Quad& q : c.quads) {
            EXPECT_EQ(floor.Code(q.row, q.column, q.q), q.code)
                << q.row << "," << q.column << " q" << q.q;
            if (q.atlas < 0) continue;
            EXPECT_EQ(floor.Atlas(q.row, q.column, q.q), q.atlas)
                << q.row << "," << q.column << " q" << q.q;
            // The quarter-tile instance shows the quadrant's atlas cell.
            const size_t k =
                static_cast<size_t>(floor.Tile(q.row, q.column)) * 4 + static_cast<size_t>(q.q);
            EXPECT_EQ(floor.set.texOffsets[k], floor.set.FrameOffset(q.atlas));
        }
        EXPECT_EQ(floor.splatSounds, static_cast<int>(c.paints.size()));
    }
}

TEST(Paint, RefusalsChangeNothing) {
    Floor floor(4, 4);
    floor.Cell(0, 0).wallBlocked = 1;
    floor.Cell(0, 1).blocked = 1;
    floor.Cell(0, 2).flagCell = 1;
    floor.Paint(1, 1, 1);
    floor.Paint(2, 2, 2);
    const auto before = floor.cells;
    const int sounds = floor.splatSounds;

    EXPECT_EQ(floor.Paint(1, 0, 0), -1);               // wall tile
    EXPECT_EQ(floor.Paint(1, 0, 1), -1);               // locked tile
    EXPECT_EQ(floor.Paint(1, 0, 2), -1);               // flag tile, ordinary painter
    EXPECT_EQ(floor.Paint(1, 1, 1), -1);               // own team
    EXPECT_EQ(floor.Paint(1, 3, 3, kEraserType), -1);  // eraser on unpainted
    EXPECT_EQ(floor.Paint(1, 1, 1, kEraserType), -1);  // eraser on own team
    EXPECT_EQ(floor.Paint(1, 0, 2, kEraserType), -1);  // eraser on a flag tile
    floor.Cell(0, 3).wallBlocked = 1;
    EXPECT_EQ(floor.Paint(2, 0, 3, kFlagPainterType), -1);  // flag painter off its flag

    EXPECT_EQ(floor.counts[0] + floor.counts[1], 2);
    EXPECT_EQ(floor.splatSounds, sounds);
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(floor.cells[k + 4].team, before[k + 4].team);
    // Tiles off the table are refused without touching anything.
    VXPainter p;
    p.active = false;
    p.team = 1;
    EXPECT_EQ(VXPaintMap::Paint(p, -1, floor.target), -1);
    EXPECT_EQ(VXPaintMap::Paint(p, 16, floor.target), -1);
    EXPECT_EQ(floor.counts[0], 1);
}

TEST(Paint, EraserClearsAnEnemyTileAndLowersOnlyItsCount) {
    Floor floor(4, 4);
    floor.Paint(2, 1, 1);
    floor.Paint(2, 1, 2);
    ASSERT_EQ(floor.counts[1], 2);
    ASSERT_EQ(floor.Paint(1, 1, 1, kEraserType), floor.Tile(1, 1));
    EXPECT_EQ(VXPaintMap::GetTilePattern(floor.Cell(1, 1)), "00000000");
    for (int q = 0; q < 4; ++q)
        EXPECT_EQ(floor.set.m_data2[static_cast<size_t>(floor.Tile(1, 1)) * 4 + q][3], 0.0f);
    EXPECT_EQ(floor.counts[0], 0);
    EXPECT_EQ(floor.counts[1], 1);
    // The neighbour it was joined to is cut loose.
    EXPECT_EQ(floor.Code(1, 2, 0), "11");
    EXPECT_EQ(floor.Code(1, 2, 2), "11");
}

TEST(Paint, PlayerStandingStillPaintsOnceAndSpendsFuelOnce) {
    Floor floor(4, 4);
    floor.lastTiles = {-1, -1};
    int32_t fuel = 10;
    VXPainter p;
    p.objectType = 6;
    p.active = true;
    p.team = 1;
    p.serial = 0;
    p.paintFuel = &fuel;
    EXPECT_EQ(VXPaintMap::Paint(p, 5, floor.target), 5);
    EXPECT_EQ(VXPaintMap::Paint(p, 5, floor.target), -1);
    EXPECT_EQ(fuel, 9);
    // Another player is refused on the first player's last tile too.
    int32_t otherFuel = 10;
    VXPainter other = p;
    other.team = 2;
    other.serial = 1;
    other.paintFuel = &otherFuel;
    EXPECT_EQ(VXPaintMap::Paint(other, 5, floor.target), -1);
    // Once both have moved on, the tile can change hands and come back.
    EXPECT_EQ(VXPaintMap::Paint(p, 6, floor.target), 6);
    EXPECT_EQ(VXPaintMap::Paint(other, 5, floor.target), 5);
    EXPECT_EQ(VXPaintMap::Paint(p, 5, floor.target), -1);  // the other's last tile
    EXPECT_EQ(VXPaintMap::Paint(other, 7, floor.target), 7);
    EXPECT_EQ(VXPaintMap::Paint(p, 5, floor.target), 5);
    EXPECT_EQ(fuel + otherFuel, 7 + 8);
    // At a match's start the list holds the player numbers 1, 2, ...: those
    // tiles are refused until overwritten; bad serials never write the list.
    floor.lastTiles = {1, 2};
    EXPECT_EQ(VXPaintMap::Paint(p, 2, floor.target), -1);
    p.serial = -3;
    EXPECT_EQ(VXPaintMap::Paint(p, 4, floor.target), -1);
    EXPECT_EQ(floor.lastTiles, (std::vector<int32_t>{1, 2}));
}

TEST(Paint, MarkedPainterPaintsAndScoresForTheOtherTeam) {
    Floor floor(4, 4);
    VXPainter p;
    p.active = false;
    p.objectType = 6;
    p.team = 1;
    p.swapTeam = true;
    EXPECT_EQ(VXPaintMap::Paint(p, 5, floor.target), 5);
    EXPECT_EQ(floor.cells[5].team, 2);
    EXPECT_EQ(floor.cells[5].quadrants[0].atlasCell, 56);
    EXPECT_EQ(floor.counts[0], 0);
    EXPECT_EQ(floor.counts[1], 1);
    // It can paint over its own team's tile, which then changes hands.
    floor.Paint(1, 0, 0);
    EXPECT_EQ(VXPaintMap::Paint(p, 0, floor.target), 0);
    EXPECT_EQ(floor.counts[0], 0);
    EXPECT_EQ(floor.counts[1], 2);
}

TEST(Paint, FlagStrokesTakeAndClearFlagTiles) {
    Floor floor(4, 4);
    for (int32_t c = 0; c < 3; ++c) {
        floor.Cell(1, c).flagCell = 1;
        floor.Cell(1, c).wallBlocked = 1;
    }
    EXPECT_EQ(floor.Paint(1, 1, 0, kFlagPainterType), floor.Tile(1, 0));
    EXPECT_EQ(floor.Paint(1, 1, 1, kFlagPainterType), floor.Tile(1, 1));
    EXPECT_EQ(floor.counts[0], 2);
    // Flag tiles join each other.
    EXPECT_EQ(floor.Code(1, 0, 1), "12");
    // Team 2 takes a flag tile: the tile changes hands in both counts.
    EXPECT_EQ(floor.Paint(2, 1, 1, kFlagPainterType), floor.Tile(1, 1));
    EXPECT_EQ(floor.counts[0], 1);
    EXPECT_EQ(floor.counts[1], 1);
    EXPECT_EQ(floor.Code(1, 0, 1), "11");
    // Team 0 clears it and lowers its owner's count.
    EXPECT_EQ(floor.Paint(0, 1, 1, kFlagPainterType), floor.Tile(1, 1));
    EXPECT_EQ(floor.Cell(1, 1).team, 0);
    EXPECT_EQ(floor.counts[1], 0);
    // A flag stroke does not join ordinary tiles next to the flag.
    floor.Paint(1, 2, 0);
    EXPECT_EQ(floor.Code(1, 0, 2), "11");
    EXPECT_EQ(floor.Code(2, 0, 0), "11");
}

TEST(Paint, CountsEqualARecountAfterManyRandomSplats) {
    Floor floor(12, 14);
    std::mt19937 random(20261206);
    auto pick = [&](int n) { return static_cast<int32_t>(random() % static_cast<unsigned>(n)); };
    // Walls, locked tiles and a flag area, as a level has them.
    for (int32_t k = 0; k < 14; ++k)
        floor.cells[static_cast<size_t>(pick(12 * 14))].wallBlocked = 1;
    for (int32_t k = 0; k < 6; ++k) floor.cells[static_cast<size_t>(pick(12 * 14))].blocked = 1;
    for (int32_t r = 5; r < 7; ++r)
        for (int32_t c = 6; c < 9; ++c) {
            floor.Cell(r, c).flagCell = 1;
            floor.Cell(r, c).wallBlocked = 1;
        }
    floor.lastTiles = {1, 2, 3, 4};
    int32_t fuel = 1 << 30;
    int painted = 0;
    for (int step = 0; step < 100000; ++step) {
        VXPainter p;
        const int kind = pick(10);
        p.objectType = kind < 7 ? 6 + pick(3) : kind == 7 ? kEraserType : kFlagPainterType;
        p.team = p.objectType == kFlagPainterType ? pick(3) : 1 + pick(2);
        p.swapTeam = pick(8) == 0;
        p.active = pick(4) != 0;
        p.serial = pick(4);
        p.paintFuel = &fuel;
        if (VXPaintMap::Paint(p, pick(12 * 14), floor.target) >= 0) ++painted;
        if (step % 997 == 0) floor.lastTiles[static_cast<size_t>(pick(4))] = -1;
    }
    int32_t recount[3] = {0, 0, 0};
    for (size_t k = 0; k < floor.cells.size(); ++k) {
        const VXPaintCell& cell = floor.cells[k];
        ASSERT_GE(cell.team, 0);
        ASSERT_LE(cell.team, 2);
        ++recount[cell.team];
        EXPECT_EQ(cell.painted, cell.team != 0 ? 1 : 0);
        for (int q = 0; q < 4; ++q) {
            // The drawn quarter-tiles follow the cell table.
            EXPECT_EQ(floor.set.m_data2[k * 4 + q][3], cell.painted ? 1.0f : 0.0f);
            if (cell.painted) {
                EXPECT_EQ(floor.set.m_data3Index[k * 4 + q], cell.quadrants[q].atlasCell);
            }
        }
    }
    EXPECT_GT(painted, 1000);
    EXPECT_EQ(floor.counts[0], recount[1]);
    EXPECT_EQ(floor.counts[1], recount[2]);
    EXPECT_EQ(fuel, (1 << 30) - painted);
}
