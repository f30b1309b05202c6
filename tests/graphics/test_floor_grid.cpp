// The floor grid without GL: position to tile, the build from a registered
// tile map with its wall marks, the wall push, the editor's tile tools, the
// save, and the splat of a game object on the running grid.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "core/DataRoot.h"
#include "core/VXAudioManager.h"
#include "core/VXFrameContext.h"
#include "gameplay/VXComponentKinds.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameplayHooks.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXRigidBody.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/SameList.h"
#include "tests/support/TempDataTree.h"

using namespace FrameWork;

namespace {

// A 3-row, 4-column floor whose top-left tile sits at (-150, 100).
constexpr int kRows = 3;
constexpr int kColumns = 4;
constexpr float kX0 = -150.0f;
constexpr float kY0 = 100.0f;

float TileX(int column) {
    return kX0 + 100.0f * static_cast<float>(column);
}
float TileY(int row) {
    return kY0 - 100.0f * static_cast<float>(row);
}

class FloorGrid : public ::testing::Test {
protected:
    void SetUp() override {
        InstallGameplayHooks();
        graphics = VXGraphicsManager::Instance();
        graphics->instanceSets.clear();
        graphics->paintCells.clear();
        graphics->tilemaps.clear();
        graphics->tileSetNames.clear();
        VXTilemapData record;
        record.row = kRows;
        record.col = kColumns;
        record._name = "Floor.png";
        record._count = kRows * kColumns;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) {
                record.m_data1.push_back({TileX(c), TileY(r), 100.0f, 100.0f});
                record.m_data2.push_back({0.5f, 0.5f, 0.5f, 0.5f});
                record.m_data3Index.push_back(r * kColumns + c);
            }
        graphics->tilemaps["Level_7"] = record;
        floor = graphics->AddInstanceSet("Floor.png", 0);
        floor->ComputeFrames(4, 4);
        paint = graphics->AddInstanceSet("carpetBomb2.png", 0);
        paint->ComputeFrames(8, 8);
        grid = std::make_unique<VXShapeInstancer>("Level_7", nullptr);
        grid->objectLists.resize(1);
    }
    void TearDown() override {
        grid.reset();
        for (GameObject* o : objects) delete o;
        graphics->instanceSets.clear();
        graphics->paintCells.clear();
        graphics->tilemaps.clear();
        VXPaintMap::TeamTileCount[0] = VXPaintMap::TeamTileCount[1] = 0;
    }

    GameObject* MakeObject(const std::string& name, float x, float y, float w, float h,
                           bool body = false) {
        auto* o = new GameObject(w, h, 14, 1, 1, 0, x, y, name, 0, 0, 0);
        objects.push_back(o);
        auto box = std::make_shared<VXAABB>(o, o->worldMatrix, w, h);
        box->MoveTo(x, y);
        o->AddComponent(box);
        if (body) o->AddComponent(std::make_shared<VXRigidBody>(o));
        return o;
    }
    VXRigidBody* Body(GameObject* o) {
        return static_cast<VXRigidBody*>(o->GetComponent(CT_RigidBody));
    }
    int32_t Snap(float x, float y) {
        const float p[2] = {x, y};
        return grid->SnapToGrid(p);
    }
    int WallCells() {
        int n = 0;
        for (const VXPaintCell& c : graphics->paintCells) n += c.wallBlocked;
        return n;
    }

    VXGraphicsManager* graphics = nullptr;
    VXInstanceSet* floor = nullptr;
    VXInstanceSet* paint = nullptr;
    std::unique_ptr<VXShapeInstancer> grid;
    std::vector<GameObject*> objects;
};

}  // namespace

TEST_F(FloorGrid, SnapToGridMapsPositionsToTilesAndRefusesPointsOffTheGrid) {
    grid->Setup();
    // Off the grid (-1): left, right (no wrap into the next row), above,
    // below, not a number, far away.
    const struct {
        float x, y;
        int32_t tile;
    } cases[] = {// clang-format off
        {kX0, kY0, 0}, {kX0 + 149.0f, kY0, 1}, {kX0 + 150.0f, kY0, 2}, {kX0 - 0.5f, kY0, 0},
        {TileX(3), TileY(2), 11}, {TileX(1) + 30.0f, TileY(1) - 49.0f, 5}, {kX0 - 60.0f, kY0, -1},
        {TileX(3) + 60.0f, TileY(0), -1}, {kX0, kY0 + 60.0f, -1}, {kX0, TileY(2) - 60.0f, -1},
        {NAN, kY0, -1}, {1e30f, -1e30f, -1}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(Snap(c.x, c.y), c.tile) << c.x << ", " << c.y;
    EXPECT_EQ(VXShapeInstancer::SnapIndex(0, 0, 150, -250, 100, 100, 5, 5), 17);
    EXPECT_EQ(VXShapeInstancer::SnapIndex(0, 0, 0, 0, 0, 100, 5, 5), -1);
}

TEST_F(FloorGrid, SetupLaysOutTilesPaintAndCellsOnce) {
    for (int pass = 0; pass < 2; ++pass) {  // the editor builds again on reload
        grid->Setup();
        ASSERT_EQ(floor->m_data1.size(), 12u);
        EXPECT_EQ(floor->_count, 12);
        EXPECT_EQ(floor->m_data1[5][0], TileX(1));
        EXPECT_EQ(floor->texOffsets[7], floor->FrameOffset(7));
        ASSERT_EQ(paint->m_data1.size(), 48u);
        // Tile 5's quarter-tiles: top-left, top-right, bottom-left, bottom-right.
        EXPECT_EQ(paint->m_data1[20][0], TileX(1) - 25.0f);
        EXPECT_EQ(paint->m_data1[23][1], TileY(1) - 25.0f);
        EXPECT_EQ(paint->m_data2[23][3], 0.0f) << "unpainted quarters are clear";
        EXPECT_EQ(graphics->paintCells.size(), 12u);
        EXPECT_EQ(grid->walkableCells, 12);
    }
}

TEST_F(FloorGrid, WallsMarkTheTilesTheyCoverOnce) {
    // A 100 x 100 wall on tile 6 marks exactly it; a second wall on the same
    // tile counts it off once; a 200 x 100 wall covers tiles 0 and 1.
    grid->objectLists[0] = {MakeObject("Wall_1", TileX(2), TileY(1), 100, 100),
                            MakeObject("Wall_2", TileX(2), TileY(1), 60, 60),
                            MakeObject("Wall_3", TileX(0) + 50.0f, TileY(0), 200, 100),
                            MakeObject("Wall_4", 5000.0f, 5000.0f, 300, 300),
                            new GameObject(1, 1, 1, 1, 1, 0, 0, 0, "NoBox", 0, 0, 0)};
    objects.push_back(grid->objectLists[0].back());
    grid->Setup();
    for (int tile : {0, 1, 6}) EXPECT_EQ(graphics->paintCells[tile].wallBlocked, 1) << tile;
    EXPECT_EQ(WallCells(), 3);
    EXPECT_EQ(grid->walkableCells, 9);
    // Frames off the sheet are named and drawn as most tiles of their kind
    // are, or with the sheet's last frame under walls and first elsewhere.
    VXTilemapData& record = graphics->tilemaps["Level_7"];
    record.fileName = "Level_7.json";
    record.m_data3Index = {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11, -12};
    EXPECT_EQ(TestHarness::Printed([&] { grid->Setup(); }),
              " -> Tile map Level_7.json: 12 tiles have frames outside the 16 of Floor.png (-12, "
              "-11, -10, -9, -8 and 7 more); drawn with frame 15 under walls and frame 0 "
              "elsewhere\n");
    EXPECT_EQ(floor->texOffsets[6], floor->FrameOffset(15));
    EXPECT_EQ(floor->texOffsets[7], floor->FrameOffset(0));
    // Under a wall 12, open 2 (the smallest of a tie); the numbers stay.
    record.m_data3Index = {12, 12, 2, 3, 4, 5, 1000000, INT32_MIN, 8, 9, 10, 11};
    EXPECT_EQ(TestHarness::Printed([&] { grid->Setup(); }),
              " -> Tile map Level_7.json: 2 tiles have frames outside the 16 of Floor.png "
              "(-2147483648, 1000000); drawn with frame 12 under walls and frame 2 elsewhere\n");
    EXPECT_EQ(floor->texOffsets[6], floor->FrameOffset(12));
    EXPECT_EQ(floor->texOffsets[7], floor->FrameOffset(2));
    // The save lists the boxed walls of object list 0 with the floor set.
    const std::string path = ::testing::TempDir() + "pellwick_grid_Level_5.json";
    ASSERT_TRUE(grid->Save(0, kRows, kColumns, 5, ::testing::TempDir() + "pellwick_grid_Level_"));
    const std::string json = TestHarness::ReadFile(path);
    std::remove(path.c_str());
    EXPECT_NE(json.find("\"Wall_1\", 50.0, 50.0,\n            \"Wall_2\", 30.0, 30.0"),
              std::string::npos);
    EXPECT_EQ(json.find("NoBox"), std::string::npos);
    EXPECT_NE(json.find("12, 12, 2, 3, 4, 5, 1000000, -2147483648, 8, 9"), std::string::npos)
        << "frame numbers saved back:\n"
        << json;
    EXPECT_FALSE(grid->Save(0, 1, 1, 5, "/nonexistent-folder/Level_"));
    // A wall far larger than the grid covers it all without walking its
    // whole extent.
    grid->objectLists[0] = {MakeObject("Wall_5", 0.0f, 0.0f, 1e30f, 1e30f)};
    grid->Setup();
    EXPECT_EQ(grid->walkableCells, 0);
    grid->MarkWall(NAN, 0.0f, 50.0f, 50.0f);
    EXPECT_EQ(grid->walkableCells, 0);
}

TEST_F(FloorGrid, MissingTileMapOrSetLeavesTheGridEmpty) {
    grid = std::make_unique<VXShapeInstancer>("Level_404", nullptr);
    EXPECT_NE(TestHarness::Printed([&] { grid->Setup(); }).find("Level_404"), std::string::npos);
    EXPECT_TRUE(graphics->paintCells.empty());
    EXPECT_EQ(Snap(kX0, kY0), -1);
    graphics->instanceSets.clear();
    grid = std::make_unique<VXShapeInstancer>("Level_7", nullptr);
    EXPECT_NE(TestHarness::Printed([&] { grid->Setup(); }).find("Floor.png"), std::string::npos);
    EXPECT_EQ(grid->walkableCells, 0);
}

// Tiles as hand edits and tools leave them: the grid places them by
// position whatever the file declares, and a tile that cannot take a cell
// of its own is named once and skipped while the rest of the floor plays.
TEST_F(FloorGrid, TilesWithoutACellOfTheirOwnAreNamedAndSkipped) {
    VXTilemapData& record = graphics->tilemaps["Level_7"];
    record.fileName = "Level_7.json";
    const VXTilemapData shipped = record;
    const struct {
        const char* what;
        std::vector<std::array<float, 4>> extra;
        int rows;
        const char* said;
        bool listedFirst = false;
    } cases[] = {
        // clang-format off
        {"a 4th row below the declared 3 x 4", {{kX0, TileY(3), 104, 104}}, 4, ""},
        {"a copy of tile 5", {{TileX(1), TileY(1), 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 12 lies on tile 5; skipped\n"},
        {"a tile 40 units off tile 2", {{TileX(2) + 40.0f, TileY(0), 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 12 lies on tile 2; skipped\n"},
        // Skipped, it moves the grid by no fraction of a cell either.
        {"a tile 49.9 units left of tile 0", {{kX0 - 49.9f, TileY(0), 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 12 lies on tile 0; skipped\n"},
        {"a tile 49.9 units above tile 1", {{TileX(1), kY0 + 49.9f, 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 12 lies on tile 1; skipped\n"},
        {"a tile 49.9 units left of tile 0, listed first", {{kX0 - 49.9f, TileY(0), 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 0 lies on tile 1; skipped\n", true},
        {"tiles skipped for three reasons, named in tile order",
         {{TileX(1), TileY(1), 104, 104}, {1e9f, TileY(0), 104, 104}, {NAN, 0, 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 12 lies on tile 5; skipped\n -> Tile map "
         "Level_7.json: tile 13 at (1e+09, 100) lies far outside the others; skipped\n -> Tile "
         "map Level_7.json: tile 14 is not at a finite position; skipped\n"},
        {"a tile 34 cells right of the floor", {{TileX(3) + 3400.0f, TileY(0), 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 12 at (3550, 100) lies far outside the others; "
         "skipped\n"},
        {"a tile at x = 1e9", {{1e9f, TileY(0), 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 12 at (1e+09, 100) lies far outside the others; "
         "skipped\n"},
        {"tiles at -1e9, 1e38 and the float maximum",
         {{-1e9f, TileY(1), 104, 104}, {TileX(0), 1e38f, 104, 104}, {FLT_MAX, -FLT_MAX, 1, 1}}, 3,
         " -> Tile map Level_7.json: tile 12 at (-1e+09, 0) lies far outside the others; "
         "skipped\n -> Tile map Level_7.json: tile 13 at (-150, 1e+38) lies far outside the "
         "others; skipped\n -> Tile map Level_7.json: tile 14 at (3.40282e+38, -3.40282e+38) "
         "lies far outside the others; skipped\n"},
        {"a tile at no number", {{NAN, TileY(0), 104, 104}}, 3,
         " -> Tile map Level_7.json: tile 12 is not at a finite position; skipped\n"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        record = shipped;
        for (const auto& tile : c.extra) {
            const size_t at = c.listedFirst ? 0 : record.m_data1.size();
            record.m_data1.insert(record.m_data1.begin() + at, tile);
            record.m_data3Index.insert(record.m_data3Index.begin() + at, 15);
        }
        EXPECT_EQ(TestHarness::Printed([&] { grid->Setup(); }), c.said);
        const size_t tiles = c.rows == kRows ? 12u : 13u;
        ASSERT_EQ(graphics->paintCells.size(), tiles);
        EXPECT_EQ(grid->walkableCells, static_cast<int32_t>(tiles));
        EXPECT_EQ(grid->rows, c.rows);
        EXPECT_EQ(grid->columns, kColumns);
        EXPECT_EQ(grid->firstTileX, kX0);
        EXPECT_EQ(grid->firstTileY, kY0);
        EXPECT_EQ(floor->_count, static_cast<int32_t>(tiles));
        EXPECT_EQ(floor->m_data3Index.size(), tiles);
        EXPECT_EQ(paint->m_data1.size(), 4 * tiles);
        EXPECT_EQ(Snap(TileX(3), TileY(2)), 11);
        EXPECT_EQ(Snap(TileX(2), TileY(0)), 2);
    }
    // A tile 33 cells right of the floor (32 empty between) is a part of it.
    record = shipped;
    record.m_data1.push_back({TileX(3) + 3300.0f, TileY(0), 104.0f, 104.0f});
    EXPECT_EQ(TestHarness::Printed([&] { grid->Setup(); }), "");
    EXPECT_EQ(grid->columns, kColumns + 33);
    // A one-row floor with a tile ten million cells along still fits in
    // memory, but that tile is no part of the floor.
    record = shipped;
    record.m_data1.resize(kColumns);
    record.m_data1.push_back({1e9f, TileY(0), 100.0f, 100.0f});
    EXPECT_EQ(TestHarness::Printed([&] { grid->Setup(); }),
              " -> Tile map Level_7.json: tile 4 at (1e+09, 100) lies far outside the others; "
              "skipped\n");
    EXPECT_EQ(grid->rows, 1);
    EXPECT_EQ(grid->columns, kColumns);
    // A one-tile floor listed twice is one cell: painting it is all of it.
    record = shipped;
    record.m_data1.assign(2, {0.0f, 0.0f, 104.0f, 104.0f});
    EXPECT_EQ(TestHarness::Printed([&] { grid->Setup(); }),
              " -> Tile map Level_7.json: tile 1 lies on tile 0; skipped\n");
    EXPECT_EQ(graphics->paintCells.size(), 1u);
    EXPECT_EQ(grid->walkableCells, 1);
    // A floor of nothing but copies says the first few and counts the rest.
    record.m_data1.assign(30, {0.0f, 0.0f, 104.0f, 104.0f});
    const std::string said = TestHarness::Printed([&] { grid->Setup(); });
    EXPECT_NE(said.find("tile 10 lies on tile 0; skipped\n -> Tile map Level_7.json: 19 more "
                        "tiles skipped\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("tile 11 "), std::string::npos) << said;
}

// Arena 1's floor with every tile listed twice counts the cells the floor
// has, so a side that paints them all holds 100 %.
TEST_F(FloorGrid, ShippedFloorListedTwiceCountsItsCellsOnce) {
    TestHarness::TempDataTree tree;
    VXTilemapRegistry maps;
    ASSERT_TRUE(LoadTilemapFile(DataPath("objects/TilemapJsons/Level_1.json"), maps));
    VXTilemapData once = maps.at("Level_1");
    graphics->tilemaps["Level_7"] = once;
    VXInstanceSet* tiles = graphics->AddInstanceSet(once._name, 0);
    grid->Setup();
    const std::vector<int32_t> cells = grid->cellTiles;
    const int32_t walkable = grid->walkableCells;
    ASSERT_GT(walkable, 0);
    VXTilemapData twice = once;
    twice.m_data1.insert(twice.m_data1.end(), once.m_data1.begin(), once.m_data1.end());
    twice.m_data3Index.insert(twice.m_data3Index.end(), once.m_data3Index.begin(),
                              once.m_data3Index.end());
    graphics->tilemaps["Level_7"] = twice;
    TestHarness::Printed([&] { grid->Setup(); });
    EXPECT_EQ(grid->walkableCells, walkable);
    EXPECT_EQ(graphics->paintCells.size(), once.m_data1.size());
    EXPECT_TRUE(TestHarness::SameList(grid->cellTiles, cells));
    EXPECT_TRUE(TestHarness::SameList(tiles->m_data3Index, once.m_data3Index));
}

// A flag that ends with no capture cell says why, once; one with cells
// says nothing.
TEST_F(FloorGrid, FlagsWithoutCaptureCellsSayWhy) {
    graphics->tileSetNames = {"Floor.png"};
    // Tile 6 (row 1, column 2) is a hole.
    graphics->tilemaps["Level_7"].m_data1.erase(graphics->tilemaps["Level_7"].m_data1.begin() + 6);
    grid->Setup();
    g_currentInstancer = grid.get();
    GameObject* owner = MakeObject("Flag9", 0, 0, 200, 200);
    VXFlagCom flag(owner);
    const struct {
        float x, y, size, columns, rows;
        const char* said;
    } cases[] = {
        // clang-format off
        // Two tiles, 100-unit cells: found, nothing said.
        {TileX(0) - 50.0f, TileY(0) - 50.0f, 100.0f, 2.0f, 1.0f, ""},
        // 50-unit cells whose centres fall between the tiles' centres.
        {TileX(0) - 40.0f, TileY(1) - 50.0f, 50.0f, 2.0f, 2.0f,
         "(cell size 50 x 50: no cell centre lies on a tile's)"},
        // Cells too small to move a float position on: the box still
        // stands on tiles.
        {TileX(0) - 50.0f, TileY(1) - 50.0f, 1e-6f, 1e8f, 1e8f,
         "(cell size 1e-06 x 1e-06: too small to step from cell to cell at the flag's place)"},
        {TileX(0) - 50.0f, TileY(1) - 50.0f, 1e-30f, 2e32f, 2e32f,
         "(cell size 1e-30 x 1e-30: too small to step from cell to cell at the flag's place)"},
        {TileX(0) - 50.0f, TileY(1) - 50.0f, 1e9f, 2e-7f, 2e-7f,
         "(cell size 1e+09 x 1e+09: larger than the flag's box)"},
        // Over the hole, and far off the floor.
        {TileX(2) - 50.0f, TileY(1) - 50.0f, 100.0f, 1.0f, 1.0f, "(no tile under it)"},
        {5000.0f, 5000.0f, 100.0f, 3.0f, 3.0f, "(no tile under it)"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        flag.cellList.clear();
        const std::string said = TestHarness::Printed(
            [&] { flag.SetCaptureArea(c.x, c.y, c.size, c.size, 0, nullptr, c.columns, c.rows); });
        EXPECT_EQ(said, *c.said
                            ? std::string(" -> Flag \"Flag9\" has no capture cell ") + c.said + "\n"
                            : std::string());
        EXPECT_EQ(flag.cellList.empty(), *c.said != '\0');
    }
    // Cells a tenth of a unit wide fall on each of tiles 0 and 1 a hundred
    // times: a capture step each.
    flag.cellList.clear();
    EXPECT_EQ(TestHarness::Printed([&] {
                  flag.SetCaptureArea(TileX(0) - 50.0f, TileY(0) - 50.0f, 0.1f, 0.1f, 0, nullptr,
                                      2000.0f, 1000.0f);
              }),
              " -> Flag \"Flag9\" takes 200 steps (16 s alone on it) to capture: its 200 cells "
              "of 0.1 x 0.1 fall on 2 tiles\n");
    EXPECT_EQ(std::set<int>(flag.cellList.begin(), flag.cellList.end()), (std::set<int>{0, 1}));
    g_currentInstancer = nullptr;
}

TEST_F(FloorGrid, WallResponsePushesOutAndHalvesTheBounce) {
    GameObject* player = MakeObject("Player1", 0, 0, 50, 50, true);
    VXRigidBody* body = Body(player);
    body->penetrationDepth = 0.0f;
    body->contactOnX = 1;
    body->contactNormal = Vec3(1, 0, 0);
    body->Velocity = Vec3(-100, 40, 0);
    RespondToWall(player);
    EXPECT_EQ(player->position[0], 8.0f);
    EXPECT_FLOAT_EQ(body->Velocity.x, 50.0f);
    EXPECT_FLOAT_EQ(body->Velocity.y, 20.0f);
    body->penetrationDepth = -3.0f;
    body->contactOnX = 0;
    body->contactNormal = Vec3(0, 0, 0);  // a zero normal leaves the velocity's direction
    RespondToWall(player);
    EXPECT_EQ(player->position[1], -11.0f);
    EXPECT_FLOAT_EQ(body->Velocity.x, 25.0f);
}

TEST_F(FloorGrid, WallHitTestsEveryPlayerAgainstEveryWall) {
    GameObject* wall1 = MakeObject("Wall_1", 0, 0, 100, 100);
    GameObject* wall2 = MakeObject("Wall_2", 1000, 0, 100, 100);
    grid->objectLists[0] = {wall1, wall2};
    // b leans on the first wall; a runs into the second one from its right.
    GameObject* a = MakeObject("Player1", 1060, 0, 50, 50, true);
    GameObject* b = MakeObject("Player2", -60, 5, 50, 50, true);
    GameObject* d = MakeObject("Player4", 5000, 5000, 50, 50, true);
    Body(a)->Velocity = Vec3(-200, 0, 0);
    grid->WallHit(a, b, nullptr, d);
    // a: overlap 15 on x from the +x side -> pushed by 15 + 8.
    EXPECT_EQ(a->position[0], 1083.0f);
    EXPECT_FLOAT_EQ(Body(a)->Velocity.x, 100.0f);
    // b: from the -x side -> depth -15, pushed by -23.
    EXPECT_EQ(b->position[0], -83.0f);
    EXPECT_EQ(d->position[0], 5000.0f);
    // The same holds whichever argument a player comes in.
    a->position[0] = 1060.0f;
    grid->WallHit(b, nullptr, a, nullptr);
    EXPECT_EQ(a->position[0], 1083.0f);
}

TEST_F(FloorGrid, EditorToolsPaintEraseAndKeepListsTogether) {
    graphics->tileSetNames = {"Floor.png"};
    g_selectedTileSet = 0;
    g_paintCell = 3;
    floor->ClearInstances();
    grid->PaintTileCell(250.0f, 150.0f, false);  // cursor y grows downward
    ASSERT_EQ(floor->m_data1.size(), 1u);
    EXPECT_EQ(floor->m_data1[0], (Vec4f{250.0f, -150.0f, 100.0f, 100.0f}));
    grid->PaintTileCell(-30.0f, -30.0f, false);
    EXPECT_EQ(floor->m_data1[1][0], -50.0f);
    g_paintCell = 9;
    grid->PaintTileCell(210.0f, 199.0f, false);  // same cell, no overwrite: nothing
    EXPECT_EQ(floor->m_data3Index[0], 3);
    grid->PaintTileCell(210.0f, 199.0f, true);
    EXPECT_EQ(floor->texOffsets[0], floor->FrameOffset(9));
    grid->EraseTileCell(299.0f, 101.0f);
    grid->EraseTileCell(5000.0f, 5000.0f);
    g_selectedTileSet = 4;  // no selected set: nothing happens
    grid->PaintTileCell(0.0f, 0.0f, true);
    EXPECT_EQ(floor->_count, 1);
    EXPECT_EQ(floor->m_data2.size(), 1u);
    EXPECT_EQ(floor->m_data3Index, (std::vector<int32_t>{3}));
    g_selectedTileSet = 0;
}

TEST_F(FloorGrid, LevelEndEmptiesListsCountsAndThePublishedGrid) {
    grid->Setup();
    VXShapeInstancer::ClearInstanceData();
    for (const auto& set : graphics->instanceSets) {
        SCOPED_TRACE(set->_name);
        EXPECT_EQ(set->_count, 0);
        EXPECT_EQ(set->m_data1.size(), 0u);
        EXPECT_EQ(set->texOffsets.size(), 0u);
    }
    grid->Clear();
    EXPECT_TRUE(grid->objectLists.empty());
    // A deleted grid is no longer the published one.
    g_currentInstancer = grid.get();
    grid.reset();
    EXPECT_EQ(g_currentInstancer, nullptr);
    EXPECT_EQ(VXShapeInstancer::GetName(), "");
}

TEST_F(FloorGrid, SplatPaintsTheTileUnderAPlayer) {
    grid->Setup();
    g_currentInstancer = grid.get();
    GameObject* player = MakeObject("Player1", TileX(1) + 20.0f, TileY(2) - 10.0f, 50, 50);
    player->objectType = 6;
    auto logic = std::make_shared<VXPlayerLogic>(player, 6);
    player->AddComponent(logic);
    logic->team = 2;
    logic->paintFuel = 5;
    logic->serial = 0;
    g_playerNumbers.assign(1, -1);
    EXPECT_EQ(VXPaintMap::Splat(player), 9);
    EXPECT_EQ(graphics->paintCells[9].team, 2);
    EXPECT_EQ(VXPaintMap::TeamTileCount[1], 1);
    EXPECT_EQ(logic->paintFuel, 4);
    EXPECT_EQ(paint->m_data3Index[36], 56);
    // The Archer's mark (an action timer with id 0) turns the paint over.
    logic->actionTimers[0].running = 1;
    player->position[0] = TileX(2);
    EXPECT_EQ(VXPaintMap::Splat(player), 10);
    EXPECT_EQ(graphics->paintCells[10].team, 1);
    // Off the grid nothing is painted.
    player->position[0] = 9000.0f;
    EXPECT_EQ(VXPaintMap::Splat(player), -1);
    g_currentInstancer = nullptr;
    EXPECT_EQ(VXPaintMap::Splat(player), -1);
}

TEST_F(FloorGrid, ShippedLevelMarksItsWallObjects) {
    TestHarness::TempDataTree tree;
    BuildComponentFactories();
    graphics->LoadTilemap(DataPath("objects/TilemapJsons/Level_3.json"));
    graphics->AddInstanceSet("FloorTiles.png", 0);
    VXObjectManager manager;
    ASSERT_TRUE(manager.LoadObjects(DataPath("objects/savefile3.json")));
    ASSERT_FALSE(manager.walls.empty());
    grid = std::make_unique<VXShapeInstancer>("Level_3", nullptr);
    manager.CopyWallList(grid.get());
    grid->Setup();
    ASSERT_EQ(graphics->paintCells.size(), 672u);
    EXPECT_EQ(grid->walkableCells, 672 - WallCells());
    EXPECT_GT(WallCells(), 0);
    // Every boxed wall covers the tile under its centre, so no paint goes there.
    for (GameObject* wall : manager.walls) {
        if (!wall->GetAABB()) continue;
        const int32_t tile = grid->SnapToGrid(wall->position);
        if (tile < 0) continue;
        EXPECT_EQ(graphics->paintCells[static_cast<size_t>(tile)].wallBlocked, 1) << wall->g_name;
    }
}

// The grid's two cues through the level's sound map: "wallHit" when a player
// is pushed out of a wall, "paintSplat2" when a splat paints while the match
// runs; a map without the cue plays nothing and gains no entry.
TEST_F(FloorGrid, WallHitAndSplatPlayTheirCuesOnly) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    VXAudioManager::Destroy();
    VXAudioManager* audio = VXAudioManager::Instance();
    if (!audio->HasDevice()) GTEST_SKIP() << "no sound device, not even the dummy one";
    // Both cues on a long tone: the shipped effects last 50 and 80 ms, and
    // a loaded machine may take that long between playing and asking.
    const std::filesystem::path tone = std::filesystem::temp_directory_path() /
                                       ("pellwick_cue_" + std::to_string(getpid()) + ".wav");
    TestHarness::WriteTone(tone, 30.0);
    for (int cue = 0; cue < 2; ++cue) audio->CreateSound(tone.string());
    std::filesystem::remove(tone);  // read at once: the clips live in memory
    VXSoundMap sounds{{"wallHit", SoundCue(0)}, {"paintSplat2", SoundCue(1)}};
    grid = std::make_unique<VXShapeInstancer>("Level_7", &sounds);
    grid->Setup();
    g_currentInstancer = grid.get();
    GameObject* player = MakeObject("Player1", TileX(0), TileY(0), 50, 50, true);
    player->objectType = 6;
    auto logic = std::make_shared<VXPlayerLogic>(player, 6);
    logic->team = 1;
    player->AddComponent(logic);
    FrameContext().active = 1;
    RespondToWall(player);
    EXPECT_TRUE(audio->IsPlaying(0));
    FrameContext().active = 0;  // no splat sound while the match is not running
    EXPECT_EQ(VXPaintMap::Splat(player), 0);
    EXPECT_FALSE(audio->IsPlaying(1));
    FrameContext().active = 1;
    player->position[0] = TileX(1);
    EXPECT_EQ(VXPaintMap::Splat(player), 1);
    EXPECT_TRUE(audio->IsPlaying(1));
    audio->StopChannel(0);
    sounds.erase("wallHit");
    RespondToWall(player);
    EXPECT_FALSE(audio->IsPlaying(0));
    EXPECT_EQ(sounds.count("wallHit"), 0u);
    g_currentInstancer = nullptr;
    g_instancerSoundMap = nullptr;
    grid.reset();
    VXAudioManager::Destroy();
}
