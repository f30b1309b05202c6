// A match level's start and end: the players, their bindings and places, the
// hidden pools, what Free lets go of, a restart, and set-ups from broken data.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

#include "core/DataRoot.h"
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameplayHUD.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "graphics/VXTilemapData.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"
#include "tests/levels/MatchTestSupport.h"
#include "tests/support/VirtualPad.h"

namespace MatchTest {
namespace {

using Keys = std::array<int32_t, 7>;

struct LevelCase {
    int state;
    float red[2];
    float blue[2];
};
void PrintTo(const LevelCase& c, std::ostream* os) {
    *os << "state " << c.state;
}

class MatchSetup : public MatchFixture, public ::testing::WithParamInterface<LevelCase> {};

// Player 1 chose Red, so the start places are exchanged (the quick match
// draws its own line-up, player 1 on Blue).
TEST_P(MatchSetup, PlacesBindsAndPoolsThenFreesAndRestarts) {
    const LevelCase& c = GetParam();
    const bool quick = c.state == GameState::Level0;
    std::string said;
    VXMatchLevel& level = Start(c.state, LineUp(8, 2, 15, 1), &said);
    EXPECT_NE(said.find(" -> Lv 1 Initialized\n"), std::string::npos);
    GameObject* p1 = Find(level, "Player1");
    GameObject* p2 = Find(level, "Player2");
    auto at = [](GameObject* o) { return std::vector<float>(o->position, o->position + 2); };
    auto spot = [](const float* xy) { return std::vector<float>(xy, xy + 2); };
    EXPECT_EQ(at(p1), spot(quick ? c.blue : c.red));
    EXPECT_EQ(at(p2), spot(quick ? c.red : c.blue));
    EXPECT_EQ(p1->GetPlayerLogic()->team, quick ? 1 : 2);
    EXPECT_TRUE(quick || p1->objectType == 8);
    EXPECT_NE(p1->objectType, p2->objectType);
    EXPECT_EQ(p1->GetPlayerLogic()->keys, (Keys{'W', 'S', 'A', 'D', 0x20, 'G', 'Q'}));
    EXPECT_EQ(p2->GetPlayerLogic()->keys, (Keys{0x26, 0x28, 0x25, 0x27, 'I', 'O', 'P'}));
    EXPECT_EQ(p1->GetPlayerLogic()->padIndex, 4) << "no pad: the keyboard";
    for (int k = 3; k <= 6; ++k) {
        GameObject* hidden = Find(level, "Player" + std::to_string(k));
        ASSERT_TRUE(hidden && !hidden->m_active) << k;
        EXPECT_EQ(hidden->GetPlayerLogic()->paintFuel, k <= 4 ? 70 : 0);
    }
    EXPECT_EQ(level.playerList, (std::vector<GameObject*>{p1, p2}));
    EXPECT_EQ(level.statics.projectilePrefabs[15]->g_name, "Arrow");
    VXLevelObjectRecord& record = level.statics.record;
    EXPECT_EQ(record.NextWall(), Find(level, "Wall 2"));  // the rings as filed
    EXPECT_EQ(g_levelPlayers.at("Player2"), p2);
    EXPECT_TRUE(g_levelPainter->GetPlayerLogic() && !g_levelPainter->m_active);
    EXPECT_EQ(g_blockBombContext.painter, g_levelPainter);
    EXPECT_EQ(level.statics.sounds.at("bgm").loop, 1);
    EXPECT_TRUE(g_winner == 2 && g_secondsLeft == 150 && g_totalPaintCells > 0);
    GameObject* popup = Find(level, "Popup2");  // the hidden objects are drawn last
    EXPECT_EQ(static_cast<VXSpriteComponent*>(popup->GetComponent(CT_Sprite))->layer,
              g_levelLayerCounter);

    // A restart frees and starts the same instance again.
    const int32_t kind = FrameContext().lineUp[0].characterKind;
    const size_t objects = level.objectManager->objects.size();
    const std::string again = Enter(GameState::Reload);
    EXPECT_NE(again.find(" -> Lv 1 Free\n -> Lv 1 Initialized\n"), std::string::npos);
    EXPECT_EQ(level.objectManager->objects.size(), objects);
    EXPECT_TRUE(quick || Find(level, "Player1")->objectType == kind);

    // The end leaves nothing of the level behind.
    FinishRun();
    VXPhysicsManager* physics = VXPhysicsManager::Instance();
    EXPECT_TRUE(physics->aabbs.empty() && physics->obbs.empty() && physics->circles.empty() &&
                physics->bodies.empty());
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    EXPECT_TRUE(graphics->cameraTargets.empty() && graphics->paintCells.empty() &&
                graphics->emitters.empty());
    EXPECT_TRUE(record.walls.empty() && g_levelPlayers.empty() && !record.objectManager &&
                !record.soundMap && !g_levelPainter && !g_blockBombContext.objectManager &&
                !g_currentLevelObjects && !g_currentInstancer && !g_instancerSoundMap);
    EXPECT_EQ(FrameContext().lineUp.empty(), quick);
}

INSTANTIATE_TEST_SUITE_P(EachLevel, MatchSetup,
                         ::testing::Values(LevelCase{4, {350, -950}, {-250, -950}},
                                           LevelCase{0, {650, -550}, {-750, 450}},
                                           LevelCase{2, {250, 750}, {-250, 750}},
                                           LevelCase{3, {250, 550}, {-750, -550}}),
                         [](const auto& info) {
                             return "State" + std::to_string(info.param.state);
                         });

// --- Set-ups from broken data or line-ups ---------------------------------------

class BrokenData : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        const std::string file = "objects/savefile2.json";
        EditData(tree, file, "\"GameManager\"", "\"NoManager\"");
        EditData(tree, file, "\"P2Icon\"", "\"NoIcon\"");
        EditData(tree, file, "\"WallCollider_1\"", "\"Wall 1\"");  // named like a hidden wall
        EditData(tree, file, "\"scaleX\": 100.0", "\"scaleX\": 0", "\"Flag1\"");
        tree.RemoveData("objects/prefabs/Mop.json");
        tree.RemoveData("objects/prefabs/Lance.json");
        // A wall sheet smaller than the cells the walls ask for.
        EditData(tree, "objects/texturelist.txt", "300px_blockwall_animation_2x23.dds 23 2",
                 "300px_blockwall_animation_2x23.dds 2 1");
    }
};

TEST_F(BrokenData, EachMissingPieceIsReportedAndSkipped) {
    TestHarness::VirtualPad pads[2];
    std::string said;  // a Maid and a Knight, whose projectiles are gone
    VXMatchLevel& level = Start(GameState::Level2, LineUp(19, 1, 8, 2), &said);
    for (const char* missing :
         {"\"GameManager\"", "\"P2Icon\"", "\"Flag1\" has a scale of 0", "No prefab \"Mop\" in ",
          "; the Maid does not fire", "No prefab \"Lance\" in "})
        EXPECT_NE(said.find(missing), std::string::npos) << missing << " in\n" << said;
    ASSERT_FALSE(level.statics.record.walls.empty());
    GameObject* wall = level.statics.record.walls.front();
    EXPECT_TRUE(wall != Find(level, "Wall 1") && wall->GetWallLogic()) << "the new object's";
    auto* sprite = static_cast<VXSpriteComponent*>(wall->GetComponent(CT_Sprite));
    ASSERT_TRUE(sprite && !sprite->animation.frameRows.empty());
    EXPECT_EQ(sprite->animation.frameRows[0].size(), 2u) << "only the cells the sheet has";
    WaitForCountdown();
    pads[0].Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 255);
    EXPECT_TRUE(StepFrames(60));
    EXPECT_EQ(Find(level, "Mop_cloned"), nullptr) << "no prefab, no shot";
}

// --- Damaged level files, each once ----------------------------------------------

// Level 2's tile map declares 2^31 - 1 rows and columns for its 572 tiles
// and lists two more first: one at x = 1e9 and a copy of its first tile;
// its flag has a negative scale.
class DamagedTileMap : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        const std::string file = "objects/TilemapJsons/Level_2.json";
        EditData(tree, file, "\"row\": 22,", "\"row\": 2147483647,");
        EditData(tree, file, "\"col\": 26,", "\"col\": 2147483647,");
        EditData(tree, file, "\"m_data1\": [",
                 "\"m_data1\": [1e9, 1050.0, 104.0, 104.0, -1250.0, 1050.0, 104.0, 104.0,");
        EditData(tree, file, "\"m_data3Index\": [", "\"m_data3Index\": [13, 13,");
        EditData(tree, "objects/savefile2.json", "\"scaleX\": 100.0", "\"scaleX\": -100.0",
                 "\"Flag1\"");
    }
};

TEST_F(DamagedTileMap, PlaysWithoutTheTilesThatHaveNoCellOfTheirOwn) {
    const std::string loading = TestHarness::Printed([&] { StartGame(); });
    EXPECT_EQ(loading.find("Level_2.json"), std::string::npos) << loading;
    FrameContext().lineUp = LineUp(8, 1, 6, 2);
    const std::string said = Enter(GameState::Level2);
    for (const char* line :
         {" -> Tile map Level_2.json: tile 0 at (1e+09, 1050) lies far outside the others; "
          "skipped\n -> Tile map Level_2.json: tile 2 lies on tile 1; skipped\n",
          "\"Flag1\" has a negative scale (-100, 100)"})
        EXPECT_NE(said.find(line), std::string::npos) << line << " in\n" << said;
    ASSERT_TRUE(g_currentInstancer->rows == 22 && g_currentInstancer->columns == 26);
    ASSERT_EQ(VXGraphicsManager::Instance()->paintCells.size(), 572u);
    EXPECT_EQ(g_currentInstancer->firstTileX, -1250.0f);
    // Player 1 walks forward and paints the floor.
    WaitForCountdown();
    PressKey(SDL_SCANCODE_W);
    EXPECT_TRUE(StepFrames(40));
    ReleaseKey(SDL_SCANCODE_W);
    EXPECT_GT(VXPaintMap::TeamTileCount[0], 0);
}

// Level 1's floor is 400 x 400 tiles, and its first flag's box is wider
// and taller still.
class HugeFloorAndFlag : public MatchFixture {
protected:
    static constexpr int kSide = 400;
    void PrepareData(TestHarness::TempDataTree& tree) override {
        std::string positions, colours, frames;
        for (int r = 0; r < kSide; ++r)
            for (int c = 0; c < kSide; ++c) {
                const int x = 100 * c - 19950, y = 19950 - 100 * r;
                positions += (positions.empty() ? "" : ", ") + std::to_string(x) + ", " +
                             std::to_string(y) + ", 104, 104";
                colours += (colours.empty() ? "" : ", ") + std::string("1, 1, 1, 1");
                frames += (frames.empty() ? "" : ", ") + std::to_string((r + c) % 4);
            }
        const std::string side = std::to_string(kSide);
        tree.WriteData("objects/TilemapJsons/Level_1.json",
                       "[{\"row\": " + side + ", \"col\": " + side +
                           ", \"_name\": \"FloorTiles.png\", \"_texColumns\": 4, "
                           "\"_texRows\": 4, \"_count\": " +
                           std::to_string(kSide * kSide) +
                           ", \"_depth\": 0, \"m_default1\": true, \"m_default2\": true, "
                           "\"m_default3\": true, \"m_data1\": [" +
                           positions + "], \"m_data2\": [" + colours + "], \"m_data3Index\": [" +
                           frames + "], \"AABB\": []}]\n");
        EditData(tree, "objects/savefile1.json", "150.0,\n        150.0,",
                 "24950.0,\n        24950.0,", "\"Flag1\"");
    }
};

TEST_F(HugeFloorAndFlag, FlagSetUpIsLinearAndClampedToTheGrid) {
    VXMatchLevel& level = Start(GameState::Level1, LineUp(8, 1, 6, 2));
    ASSERT_TRUE(level.grid->rows == kSide && level.grid->columns == kSide);
    GameObject* object = Find(level, "Flag1");
    VXFlagCom* flag = object->GetFlag();
    // The box reaches past every side of the floor: every tile, once.
    EXPECT_EQ(flag->cellList.size(), static_cast<size_t>(kSide * kSide));
    ASSERT_FALSE(flag->cellPositions.empty());
    EXPECT_EQ(flag->cellPositions.front(), std::make_pair(-19950.0f, -19950.0f));

    // Each cell is looked up once, and only over the grid and one cell round
    // it: the box's 499 x 499 cells are clamped to the grid.
    EXPECT_GE(flag->cellsVisited, static_cast<size_t>(kSide * kSide));
    EXPECT_LE(flag->cellsVisited, static_cast<size_t>((kSide + 2) * (kSide + 2)));
    EXPECT_TRUE(StepFrames(2));
}

// The flag's cells as the plain search finds them: for each cell centre in
// turn, the first tile whose centre matches when both are truncated.
std::vector<int> PositionMatch(const VXInstanceSet& set, float x, float y, float w, float h,
                               int columns, int rows) {
    std::vector<int> cells;
    float cy = y - h * 0.5f;
    const float x0 = x - w * 0.5f;
    for (int r = 0; r < rows; ++r) {
        cy += h;
        float cx = x0;
        for (int c = 0; c < columns; ++c) {
            cx += w;
            for (size_t k = 0; k < set.m_data1.size(); ++k)
                if (std::trunc(set.m_data1[k][0]) == std::trunc(cx) &&
                    std::trunc(set.m_data1[k][1]) == std::trunc(cy)) {
                    cells.push_back(static_cast<int>(k));
                    break;
                }
        }
    }
    return cells;
}

class FlagCells : public MatchFixture {};

TEST_F(FlagCells, EachLevelsFlagsAndSmallCellsMatchTilesByPosition) {
    Start(GameState::Level1, LineUp(15, 1, 8, 2));
    for (int state : {GameState::Level1, GameState::Level0, GameState::Level2, GameState::Level3}) {
        SCOPED_TRACE(state);
        Enter(state);
        VXMatchLevel& level = Level(state);
        VXGraphicsManager* graphics = VXGraphicsManager::Instance();
        const VXInstanceSet& tiles = *graphics->FindInstanceSet(graphics->tileSetNames.at(0));
        ASSERT_FALSE(level.flags.empty());
        for (GameObject* object : level.flags) {
            const VXAABB* box = object->GetAABB();
            const float w = object->scale[0], h = object->scale[1];
            const std::vector<int> expected = PositionMatch(
                tiles, object->position[0] - box->halfWidth, object->position[1] - box->halfHeight,
                w, h, static_cast<int>(2.0f * box->halfWidth / w),
                static_cast<int>(2.0f * box->halfHeight / h));
            EXPECT_FALSE(expected.empty()) << object->g_name;
            EXPECT_EQ(object->GetFlag()->cellList, expected) << object->g_name;
        }
        if (state != GameState::Level1) continue;
        // Arena 1's floor, 22 x 20 tiles, under a flag of 50-unit cells: one
        // cell of each four sits on a tile's centre.
        ASSERT_TRUE(level.grid->columns == 22 && level.grid->rows == 20);
        VXFlagCom* flag = level.flags.front()->GetFlag();
        flag->cellList.clear();
        const float x = level.grid->firstTileX - 75.0f, y = level.grid->lastTileY - 75.0f;
        flag->SetCaptureArea(x, y, 50.0f, 50.0f, 0, &level.statics.sounds, 45.0f, 41.0f);
        EXPECT_EQ(flag->cellList.size(), 440u);
        EXPECT_EQ(flag->cellList, PositionMatch(tiles, x, y, 50.0f, 50.0f, 45, 41));
    }
}

// Arena 1's floor as the editor saves it after ERASE of one tile (row 5,
// column 3) and PAINT of one new tile right of row 5's last: one tile fewer
// before the new one, and a 23rd column with one tile.
class EditedFloor : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        const std::string file = tree.Data("objects/TilemapJsons/Level_1.json").string();
        VXTilemapRegistry maps;
        ASSERT_TRUE(LoadTilemapFile(file, maps));
        const VXTilemapData& record = maps.at("Level_1");
        VXInstanceSet set(record._name.c_str(), record._depth);
        set._texColumns = record._texColumns;
        set._texRows = record._texRows;
        set.m_data1 = record.m_data1;
        set.m_data2 = record.m_data2;
        set.m_data3Index = record.m_data3Index;
        const auto erased = static_cast<std::ptrdiff_t>(kErased);
        set.m_data1.erase(set.m_data1.begin() + erased);
        set.m_data2.erase(set.m_data2.begin() + erased);
        set.m_data3Index.erase(set.m_data3Index.begin() + erased);
        set.m_data1.push_back({kNew[0], kNew[1], 100.0f, 100.0f});
        set.m_data2.push_back({1.0f, 1.0f, 1.0f, 1.0f});
        set.m_data3Index.push_back(3);
        set._count = static_cast<int32_t>(set.m_data1.size());
        ASSERT_TRUE(WriteTilemapFile(file, 20, 23, {&set}, {{}}));
    }
    static constexpr size_t kErased = 5 * 22 + 3;
    static constexpr float kNew[2] = {1150.0f, 450.0f};
};

TEST_F(EditedFloor, PaintLandsUnderThePainterAndTheHoleTakesNone) {
    VXMatchLevel& level = Start(GameState::Level1, LineUp(8, 1, 15, 2));
    WaitForCountdown();
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    const VXInstanceSet& floor = *graphics->FindInstanceSet("FloorTiles.png");
    const VXInstanceSet& paint = *graphics->FindInstanceSet(kPaintSetName);
    ASSERT_EQ(floor.m_data1.size(), 440u);
    GameObject* painter = level.players[0];
    // The tile after the hole, a tile of a later row, the new tile and
    // the hole itself (-750, 450).
    const float spots[][2] = {
        {-650.0f, 450.0f}, {350.0f, -350.0f}, {kNew[0], kNew[1]}, {-750.0f, 450.0f}};
    for (const auto& spot : spots) {
        SCOPED_TRACE(std::to_string(spot[0]) + ", " + std::to_string(spot[1]));
        g_playerNumbers.assign(g_playerNumbers.size(), -1);
        painter->position[0] = spot[0];
        painter->position[1] = spot[1];
        const int32_t tile = VXPaintMap::Splat(painter);
        if (spot[0] == -750.0f) {
            EXPECT_EQ(tile, -1) << "no floor, no paint";
            continue;
        }
        ASSERT_GE(tile, 0);
        const auto k = static_cast<size_t>(tile);
        EXPECT_EQ(floor.m_data1[k][0], spot[0]);
        EXPECT_EQ(floor.m_data1[k][1], spot[1]);
        EXPECT_EQ(graphics->paintCells[k].team, 1);
        EXPECT_EQ(paint.m_data1[4 * k][0], spot[0] - 25.0f) << "the top-left quarter";
        EXPECT_EQ(paint.m_data1[4 * k + 3][1], spot[1] - 25.0f) << "the bottom-right quarter";
        EXPECT_EQ(paint.m_data2[4 * k][3], 1.0f) << "drawn";
    }
    EXPECT_TRUE(StepFrames(2));
}

// Arena 1's tile map holds no tiles: no floor to paint.
class NoFloor : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        tree.WriteData("objects/TilemapJsons/Level_1.json",
                       "[{\"row\": 0, \"col\": 0, \"_texColumns\": 4, \"_texRows\": 4, "
                       "\"_count\": 0, \"_depth\": 0, \"_name\": \"FloorTiles.png\", "
                       "\"m_default1\": true, \"m_default2\": true, \"m_default3\": true, "
                       "\"m_data1\": [], \"m_data2\": [], \"m_data3Index\": [], \"AABB\": []}]\n");
    }
};

TEST_F(NoFloor, ScoresShowNoPaintAndTheMissingFloorIsReportedOnce) {
    std::string said;
    Start(GameState::Level1, LineUp(15, 1, 8, 2), &said);
    const std::string line = "No paintable floor in tile map Level_1";
    ASSERT_NE(said.find(line), std::string::npos) << said;
    EXPECT_EQ(said.find(line, said.find(line) + 1), std::string::npos) << said;
    WaitForCountdown();
    std::string later = TestHarness::Printed([&] { StepFrames(30); });
    EXPECT_EQ(later.find(line), std::string::npos);
    for (const char* bar : {"BlueBar", "RedBar"}) {
        GameObject* object = VXGameplayHUD::Objects()->FindObject(bar);
        ASSERT_NE(object, nullptr) << bar;
        EXPECT_EQ(static_cast<VXTextComponent*>(object->GetComponent(CT_Text))->text, "00%") << bar;
    }
}

// The objects of a prefab file, without the list's brackets.
std::string PrefabObjects(const TestHarness::TempDataTree& tree, const std::string& name) {
    const std::string text = TestHarness::ReadFile(tree.Data("objects/prefabs/" + name + ".json"));
    const size_t open = text.find('['), close = text.rfind(']');
    return open < close && close != std::string::npos ? text.substr(open + 1, close - open - 1)
                                                      : std::string();
}

// The first prefab of the listing (the Archer's) is an empty file; the
// Maid's file holds a bucket before the mop, and the other four
// projectiles share one file.
class EmptyArrowPrefab : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        tree.WriteData("objects/prefabs/Arrow.json", "");
        std::string bucket = PrefabObjects(tree, "Lance");
        bucket.replace(bucket.find("\"Lance\""), 7, "\"Bucket\"");
        tree.WriteData("objects/prefabs/Mop.json",
                       "[" + bucket + "," + PrefabObjects(tree, "Mop") + "]\n");
        std::string shots;
        for (const char* name : {"Lance", "Fist", "CannonBall", "Katana"}) {
            shots += (shots.empty() ? "" : ",") + PrefabObjects(tree, name);
            tree.RemoveData(std::string("objects/prefabs/") + name + ".json");
        }
        tree.WriteData("objects/prefabs/Shots.json", "[" + shots + "]\n");
    }
};

TEST_F(EmptyArrowPrefab, LeavesOnlyTheArcherWithoutAProjectile) {
    std::string said;
    VXMatchLevel& level = Start(GameState::Level1, LineUp(15, 1, 6, 2), &said);
    EXPECT_NE(said.find(" -> No prefab \"Arrow\" in " + DataPath("objects/prefabs/") +
                        "; the Archer does not fire"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("does not fire"), said.rfind("does not fire")) << said;
    const std::map<int32_t, std::string> projectiles = {
        {6, "CannonBall"}, {7, "Fist"}, {18, "Katana"}, {8, "Lance"}, {19, "Mop"}};
    std::map<int32_t, std::string> got;
    for (const auto& [kind, prefab] : level.statics.projectilePrefabs)
        got[kind] = prefab ? prefab->g_name : "";
    EXPECT_EQ(got, projectiles);
}

// A folder as designers leave it: the editor's SAVE AS PREFAB of a
// character (listed before the projectiles), a copied Mac folder's hidden
// files, and a backup of the Lance under another name (listed first).
class DesignersPrefabFolder : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        const std::string lance = TestHarness::ReadFile(tree.Data("objects/prefabs/Lance.json"));
        tree.WriteData("objects/prefabs/0 Lance backup.json", lance);
        tree.WriteData("objects/prefabs/.DS_Store", std::string("\0\0\0\1Bud1\0\x10", 10));
        tree.WriteData("objects/prefabs/._Arrow.json", std::string("\0\x05\x16\x07\0\x02", 6));
    }
};

// What the match draws and what can collide: the sprites with a sheet and
// the colliders and bodies that are switched on.
struct DrawnAndSolid {
    size_t sprites = 0, colliders = 0;
    bool operator==(const DrawnAndSolid& o) const {
        return sprites == o.sprites && colliders == o.colliders;
    }
};
void PrintTo(const DrawnAndSolid& c, std::ostream* os) {
    *os << c.sprites << " sprites, " << c.colliders << " colliders";
}
DrawnAndSolid CountDrawnAndSolid() {
    DrawnAndSolid n;
    for (const auto& sprite : VXGraphicsManager::Instance()->renderList)
        n.sprites += sprite && sprite->active && sprite->texture;
    const VXPhysicsManager* physics = VXPhysicsManager::Instance();
    for (const auto& box : physics->aabbs) n.colliders += box && box->active;
    for (const auto& circle : physics->circles) n.colliders += circle && circle->active;
    for (const auto& body : physics->bodies)
        n.colliders += body && body->owner && body->owner->m_active;
    return n;
}

// The character saved as a prefab is a template: the match with it in the
// folder draws and collides exactly what the match without it did.
TEST_F(DesignersPrefabFolder, EachCharacterFiresItsOwnProjectileAndIsNotHitByIt) {
    TestHarness::VirtualPad pads[2];
    Start(GameState::Level1, LineUp(15, 1, 6, 2));
    const DrawnAndSolid without = CountDrawnAndSolid();
    {
        // The editor's SAVE AS PREFAB of the level file's Archer: "Archer.json".
        VXObjectManager editor;
        editor.LoadObjects(DataPath("objects/savefile1.json"));
        ASSERT_TRUE(SavePrefab(editor.FindObject("Archer")));
    }
    ASSERT_TRUE(std::filesystem::exists(tree->Data("objects/prefabs/Archer.json")));
    const std::map<int, std::string> projectile = {{15, "Arrow"},  {6, "CannonBall"}, {7, "Fist"},
                                                   {18, "Katana"}, {8, "Lance"},      {19, "Mop"}};
    for (const auto& [first, second] : {std::pair(15, 6), std::pair(7, 18), std::pair(8, 19)}) {
        FillLineUp(first, 1, second, 2);
        const std::string said = Enter(GameState::Reload);
        EXPECT_EQ(said.find("does not fire"), std::string::npos) << said;
        VXMatchLevel& level = Level(GameState::Level1);
        if (first == 15) {
            const std::vector<GameObject*>& prefabs = level.objectManager->prefabs;
            ASSERT_TRUE(std::any_of(prefabs.begin(), prefabs.end(),
                                    [](GameObject* p) { return p->g_name == "Archer"; }));
            EXPECT_EQ(CountDrawnAndSolid(), without);
        }
        std::map<int, std::string> got;
        for (const auto& [kind, prefab] : level.statics.projectilePrefabs)
            got[kind] = prefab ? prefab->g_name : "";
        EXPECT_EQ(got, projectile);
        WaitForCountdown();
        for (TestHarness::VirtualPad& pad : pads)
            pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 255);
        StepFrames(3);
        for (TestHarness::VirtualPad& pad : pads) pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
        for (int k = 0; k < 2; ++k) {
            GameObject* player = level.players[k];
            const std::string& shot = projectile.at(player->objectType);
            GameObject* clone = Find(level, shot + "_cloned");
            ASSERT_NE(clone, nullptr) << shot;
            EXPECT_TRUE(clone->m_active) << shot << " flies";
            EXPECT_FALSE(player->GetPlayerLogic()->actionTimers.at(3).running)
                << player->g_name << " hit by its own " << shot;
        }
    }
}

// Prefab files that name a parent, as the editor's SAVE AS PREFAB writes a
// child: the Katana under the Samurai, the Arrow under Flag1 (scales 150 and
// 100, so a template made local to them would fire shots of 0.8 x 0.4).
class PrefabsNamingAParent : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        for (const auto& [prefab, parent] : kParents) {
            const std::string file = "objects/prefabs/" + prefab + ".json";
            // The Arrow's name is followed by a key the game does not read.
            const std::string note = prefab == "Arrow" ? "    \"Note\": \"on the flag\",\n" : "";
            EditData(tree, file, "\"position\"",
                     "\"MY PARENT\": \"" + parent + "\",\n" + note + "    \"position\"");
            saved[prefab] = TestHarness::ReadFile(tree.Data(file));
        }
    }
    const std::map<std::string, std::string> kParents = {{"Katana", "Samurai"}, {"Arrow", "Flag1"}};
    std::map<std::string, std::string> saved;
};

TEST_F(PrefabsNamingAParent, StayTemplatesFireShotsOfTheirOwnSizeAndSaveBackUnchanged) {
    TestHarness::VirtualPad pads[2];
    VXMatchLevel& level = Start(GameState::Level1, LineUp(15, 1, 18, 2));
    // The Samurai plays as Player2: the name the Katana's file gives is a
    // level object's no longer, and ties nothing to it.
    for (const char* parent : {"Player2", "Flag1"}) {
        GameObject* object = Find(level, parent);
        ASSERT_NE(object, nullptr) << parent;
        for (GameObject* prefab : level.objectManager->prefabs)
            EXPECT_EQ(std::count(object->children.begin(), object->children.end(), prefab), 0)
                << prefab->g_name << " linked under " << parent;
    }
    WaitForCountdown();
    for (TestHarness::VirtualPad& pad : pads) pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 255);
    StepFrames(3);
    for (TestHarness::VirtualPad& pad : pads) pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    const struct {
        int player;
        const char* shot;
        float width, height;
    } shots[] = {{0, "Arrow", 96.0f, 48.0f}, {1, "Katana", 120.0f, 60.0f}};
    for (const auto& s : shots) {
        SCOPED_TRACE(s.shot);
        GameObject* prefab =
            level.statics.projectilePrefabs.at(level.players[s.player]->objectType);
        ASSERT_NE(prefab, nullptr);
        EXPECT_EQ(prefab->parent, nullptr);
        GameObject* clone = Find(level, std::string(s.shot) + "_cloned");
        ASSERT_NE(clone, nullptr);
        EXPECT_EQ(clone->parent, nullptr);
        EXPECT_EQ(ObjectsToText({clone}).find("MY PARENT"), std::string::npos)
            << "the clone names no parent";
        EXPECT_EQ(clone->scale[0], s.width);
        EXPECT_EQ(clone->scale[1], s.height);
        EXPECT_EQ(clone->rotation[0], 0.0f);
        EXPECT_EQ(clone->rotation[1], 0.0f);
        // Fired from where its player stands, three frames of flight at most.
        const GameObject* player = level.players[s.player];
        EXPECT_LT(std::hypot(clone->position[0] - player->position[0],
                             clone->position[1] - player->position[1]),
                  60.0f)
            << "(" << clone->position[0] << ", " << clone->position[1] << ") from ("
            << player->position[0] << ", " << player->position[1] << ")";
    }

    // Loaded beside the level it names and saved again: the same bytes.
    VXObjectManager editor;
    editor.LoadObjects(DataPath("objects/savefile1.json"));
    for (const auto& [prefab, parent] : kParents) {
        editor.LoadPrefabs(DataPath("objects/prefabs/" + prefab + ".json"));
        ASSERT_TRUE(SavePrefab(editor.prefabs.back()));
        EXPECT_EQ(TestHarness::ReadFile(tree->Data("objects/prefabs/" + prefab + ".json")),
                  saved[prefab]);
    }
    // The editor's SAVE AS PREFAB of a child writes its parent's name and
    // where it is drawn in the world: under a parent turned 45, and two
    // parents deep (Flag1 under GameManager); the prefab loads there.
    GameObject* samurai = editor.FindObject("Samurai");
    GameObject* flag1 = editor.FindObject("Flag1");
    GameObject* gameManager = editor.FindObject("GameManager");
    ASSERT_TRUE(samurai && flag1 && gameManager);
    samurai->rotation[2] = 45.0f;
    gameManager->AdoptWhereDrawn(flag1);
    for (const char* name : {"SamuraiShadow", "Flag1RingA"}) {
        SCOPED_TRACE(name);
        GameObject* child = editor.FindObject(name);
        ASSERT_NE(child, nullptr);
        ASSERT_NE(child->parent, nullptr);
        const PlaneTransform drawn = child->DrawnTransform();
        ASSERT_TRUE(SavePrefab(child));
        const std::string file = "objects/prefabs/" + std::string(name) + ".json";
        const std::string written = TestHarness::ReadFile(tree->Data(file));
        EXPECT_NE(written.find("\"MY PARENT\": \"" + child->parent->g_name + "\""),
                  std::string::npos)
            << written;
        editor.LoadPrefabs(DataPath(file));
        GameObject* prefab = editor.prefabs.back();
        EXPECT_EQ(prefab->parent, nullptr);
        const PlaneTransform loaded = prefab->DrawnTransform();
        const double got[6] = {loaded.xx, loaded.yx, loaded.xy, loaded.yy, loaded.x, loaded.y};
        const double want[6] = {drawn.xx, drawn.yx, drawn.xy, drawn.yy, drawn.x, drawn.y};
        const char* what[6] = {"x axis x", "x axis y", "y axis x", "y axis y", "x", "y"};
        for (int k = 0; k < 6; ++k)
            EXPECT_NEAR(got[k], want[k], 0.01 + 1e-5 * std::fabs(want[k]))
                << "the prefab's " << what[k] << " as loaded, against where " << name
                << " is drawn:\n"
                << written;
        ASSERT_TRUE(SavePrefab(prefab));
        EXPECT_EQ(TestHarness::ReadFile(tree->Data(file)), written) << "saved again";
    }
}

struct LineUpCase {
    const char* name;
    int state;
    int mode;
    std::vector<GameLevelInitObject> lineUp;
    bool secondPlayer;
};
void PrintTo(const LineUpCase& c, std::ostream* os) {
    *os << c.name;
}

class OddLineUps : public MatchFixture, public ::testing::WithParamInterface<LineUpCase> {};

TEST_P(OddLineUps, StartAndRunWithWhatThereIs) {
    const LineUpCase& c = GetParam();
    FrameContext().selectionMode = c.mode;
    VXMatchLevel& level = Start(c.state, c.lineUp);
    ASSERT_NE(level.players[0], nullptr);
    EXPECT_EQ(level.playerList.size(), c.secondPlayer ? 2u : 1u);
    EXPECT_EQ(FrameContext().lineUp.size(), c.state == GameState::Level0 ? 6u : c.lineUp.size());
    EXPECT_TRUE(StepFrames(60));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OddLineUps,
    ::testing::Values(LineUpCase{"ModeSevenPlaysAsKeyboard", 0, 7, {{1, 8, 1}, {2, 6, 2}}, true},
                      LineUpCase{"TwoRecordsOnly", 3, 0, {{1, 8, 1}, {2, 6, 2}}, true},
                      LineUpCase{"SameCharacterTwice", 2, 0, {{1, 8, 1}, {2, 8, 2}}, false},
                      LineUpCase{"QuickMatchClearsLeftovers", 4, 0,
                                 std::vector<GameLevelInitObject>(6, {1, 8, 1}), true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace MatchTest
