// A match level's start and end: the players, their bindings and places, the
// hidden pools, what Free lets go of, a restart, and set-ups from broken data.
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "physics/VXPhysicsManager.h"
#include "tests/levels/MatchTestSupport.h"

namespace MatchTest {
namespace {

using Keys = std::array<int32_t, 7>;
const Keys kKeys1{'W', 'S', 'A', 'D', 0x20, 'G', 'Q'};
const Keys kKeys2{0x26, 0x28, 0x25, 0x27, 'I', 'O', 'P'};

struct LevelCase {
    int state;
    float red[2];
    float blue[2];
};
void PrintTo(const LevelCase& c, std::ostream* os) {
    *os << "state " << c.state;
}
const LevelCase kLevels[] = {{GameState::Level0, {350, -950}, {-250, -950}},
                             {GameState::Level1, {650, -550}, {-750, 450}},
                             {GameState::Level2, {250, 750}, {-250, 750}},
                             {GameState::Level3, {250, 550}, {-750, -550}}};

class MatchSetup : public MatchFixture, public ::testing::WithParamInterface<LevelCase> {};

void ExpectAt(GameObject* object, const float (&at)[2]) {
    ASSERT_NE(object, nullptr);
    EXPECT_FLOAT_EQ(object->position[0], at[0]) << object->g_name;
    EXPECT_FLOAT_EQ(object->position[1], at[1]) << object->g_name;
}

// The first player chose Red, so the two start places are exchanged (the
// quick match draws its own line-up and always puts player 1 on Blue).
TEST_P(MatchSetup, PlacesBindsAndPoolsThenFreesAndRestarts) {
    const LevelCase& c = GetParam();
    StartGame();
    FillLineUp(8, 2, 15, 1);
    const std::string said = Enter(c.state);
    EXPECT_NE(said.find(" -> Lv 1 Initialized\n"), std::string::npos);
    VXMatchLevel& level = Level(c.state);
    const bool quick = c.state == GameState::Level0;

    GameObject* p1 = Find(level, "Player1");
    GameObject* p2 = Find(level, "Player2");
    ExpectAt(p1, quick ? c.blue : c.red);
    ExpectAt(p2, quick ? c.red : c.blue);
    EXPECT_EQ(p1->GetPlayerLogic()->team, quick ? 1 : 2);
    EXPECT_EQ(p2->GetPlayerLogic()->team, quick ? 2 : 1);
    if (!quick) {
        EXPECT_EQ(p1->objectType, 8);
    }
    EXPECT_NE(p1->objectType, p2->objectType);
    EXPECT_EQ(p1->GetPlayerLogic()->keys, kKeys1);
    EXPECT_EQ(p2->GetPlayerLogic()->keys, kKeys2);
    EXPECT_EQ(p1->GetPlayerLogic()->padIndex, 4) << "no pad: the keyboard";
    for (int k = 3; k <= 6; ++k) {
        GameObject* hidden = Find(level, "Player" + std::to_string(k));
        ASSERT_NE(hidden, nullptr) << k;
        EXPECT_FALSE(hidden->m_active);
        EXPECT_EQ(hidden->GetPlayerLogic()->team, 0);
        EXPECT_EQ(hidden->GetPlayerLogic()->paintFuel, k <= 4 ? 70 : 0);
    }
    EXPECT_EQ(level.playerList, (std::vector<GameObject*>{p1, p2}));
    EXPECT_EQ(level.statics.projectilePrefabs.size(), 6u);
    EXPECT_EQ(level.statics.projectilePrefabs[15]->g_name, "Arrow");
    EXPECT_EQ(level.statics.projectilePrefabs[19]->g_name, "Mop");

    const VXLevelObjectRecord& record = level.statics.record;
    EXPECT_EQ(record.walls.size(), 3u);
    EXPECT_EQ(record.mines.size(), 9u);
    EXPECT_EQ(record.popups.size(), 2u);
    ASSERT_EQ(record.blockBombs.size(), 2u);
    EXPECT_EQ(record.blockBombs[1].second->g_name, "bMinePointer2");
    EXPECT_EQ(g_currentLevelObjects, &record);
    EXPECT_EQ(g_levelPlayers.at("Player2"), p2);
    ASSERT_NE(g_levelPainter, nullptr);
    EXPECT_EQ(g_blockBombContext.painter, g_levelPainter);
    EXPECT_TRUE(g_levelPainter->GetPlayerLogic() && !g_levelPainter->m_active);
    EXPECT_FALSE(level.spawnPoints.empty());
    EXPECT_FALSE(level.flags.empty());
    EXPECT_EQ(level.statics.sounds.at("bgm").loop, 1);
    EXPECT_EQ(level.statics.sounds.count("cantSelect"), 0u);
    EXPECT_EQ(g_winner, 2);
    EXPECT_EQ(g_secondsLeft, 150);
    EXPECT_GT(g_totalPaintCells, 0);
    // The hidden objects are drawn over the level's own, in building order.
    auto layer = [&](const char* name) {
        return static_cast<VXSpriteComponent*>(Find(level, name)->GetComponent(CT_Sprite))->layer;
    };
    EXPECT_EQ(layer("Popup2"), g_levelLayerCounter);
    EXPECT_LT(layer("Wall 1"), layer("Mine1"));

    // Restart: the same instance frees and starts again.
    const std::vector<GameLevelInitObject> before = FrameContext().lineUp;
    const size_t objects = level.objectManager->objects.size();
    const std::string again = Enter(GameState::Reload);
    EXPECT_NE(again.find(" -> Lv 1 Free\n -> Lv 1 Initialized\n"), std::string::npos);
    EXPECT_EQ(level.objectManager->objects.size(), objects);
    EXPECT_EQ(record.walls.size(), 3u);
    if (!quick) {
        EXPECT_EQ(Find(level, "Player1")->objectType, before[0].characterKind);
    }

    // The end leaves nothing of the level behind.
    FinishRun();
    VXPhysicsManager* physics = VXPhysicsManager::Instance();
    EXPECT_TRUE(physics->aabbs.empty() && physics->obbs.empty() && physics->circles.empty() &&
                physics->bodies.empty());
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    EXPECT_TRUE(graphics->cameraTargets.empty() && graphics->paintCells.empty());
    EXPECT_TRUE(graphics->emitters.empty());
    EXPECT_EQ(level.objectManager, nullptr);
    EXPECT_TRUE(record.walls.empty() && record.blockBombs.empty() && g_levelPlayers.empty());
    EXPECT_EQ(record.objectManager, nullptr);
    EXPECT_EQ(record.soundMap, nullptr);
    EXPECT_EQ(g_levelPainter, nullptr);
    EXPECT_EQ(g_blockBombContext.objectManager, nullptr);
    EXPECT_EQ(g_currentLevelObjects, nullptr);
    EXPECT_EQ(g_currentInstancer, nullptr);
    EXPECT_EQ(g_instancerSoundMap, nullptr);
    EXPECT_EQ(FrameContext().lineUp.empty(), quick);
}

INSTANTIATE_TEST_SUITE_P(EachLevel, MatchSetup, ::testing::ValuesIn(kLevels), [](const auto& info) {
    return "State" + std::to_string(info.param.state);
});

// --- Set-ups from broken data or line-ups ---------------------------------------

class BrokenData : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        const std::string file = "objects/savefile2.json";
        EditData(tree, file, "\"GameManager\"", "\"NoManager\"");
        EditData(tree, file, "\"P2Icon\"", "\"NoIcon\"");
        // A save-file object named like a hidden wall.
        EditData(tree, file, "\"WallCollider_1\"", "\"Wall 1\"");
        // Flag1 of scale 0, by its sprite's neighbour keys.
        std::string text = TestHarness::ReadFile(tree.Data(file));
        const size_t flag = text.find("\"Flag1\"");
        ASSERT_NE(flag, std::string::npos);
        const size_t scale = text.find("\"scaleX\"", flag);
        const size_t end = text.find_first_of(",\n}", text.find(':', scale));
        text.replace(scale, end - scale, "\"scaleX\": 0");
        tree.WriteData(file, text);
        tree.RemoveData("objects/prefabs/Mop.json");
        tree.RemoveData("objects/prefabs/Lance.json");
        // A wall sheet smaller than the cells the walls ask for.
        EditData(tree, "objects/texturelist.txt", "300px_blockwall_animation_2x23.dds 23 2",
                 "300px_blockwall_animation_2x23.dds 2 1");
    }
};

TEST_F(BrokenData, EachMissingPieceIsReportedAndSkipped) {
    StartGame();
    FillLineUp(19, 1, 8, 2);  // a Maid and a Knight, whose projectiles are gone
    const std::string said = Enter(GameState::Level2);
    for (const char* missing : {"\"GameManager\"", "\"P2Icon\"", "\"Flag1\" has a scale of 0",
                                "Only 4 projectile prefabs"})
        EXPECT_NE(said.find(missing), std::string::npos) << missing << " in\n" << said;
    VXMatchLevel& level = Level(GameState::Level2);
    EXPECT_EQ(level.statics.projectilePrefabs.size(), 4u);
    // The hidden wall is the new object, not the save file's.
    GameObject* wall = level.statics.record.walls.front();
    EXPECT_EQ(wall->objectType, 21);
    EXPECT_NE(wall, Find(level, "Wall 1"));
    EXPECT_TRUE(wall->GetWallLogic());
    auto* sprite = static_cast<VXSpriteComponent*>(wall->GetComponent(CT_Sprite));
    EXPECT_EQ(sprite->animation.frameRows[0].size(), 2u) << "only the cells the sheet has";
    EXPECT_TRUE(StepFrames(120));
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
    StartGame();
    FrameContext().selectionMode = c.mode;
    FrameContext().lineUp = c.lineUp;
    Enter(c.state);
    VXMatchLevel& level = Level(c.state);
    ASSERT_NE(level.players[0], nullptr);
    EXPECT_EQ(level.players[1] != nullptr, c.secondPlayer);
    EXPECT_EQ(level.playerList.size(), c.secondPlayer ? 2u : 1u);
    EXPECT_EQ(FrameContext().lineUp.size(), c.state == GameState::Level0 ? 6u : c.lineUp.size());
    EXPECT_TRUE(StepFrames(60));
}

const LineUpCase kLineUps[] = {
    {"ModeSevenPlaysAsKeyboard", GameState::Level1, 7, {{1, 8, 1}, {2, 6, 2}}, true},
    {"TwoRecordsOnly", GameState::Level3, 0, {{1, 8, 1}, {2, 6, 2}}, true},
    {"SameCharacterTwice", GameState::Level2, 0, {{1, 8, 1}, {2, 8, 2}}, false},
    {"QuickMatchClearsLeftovers", GameState::Level0, 0,
     std::vector<GameLevelInitObject>(6, GameLevelInitObject(1, 8, 1)), true},
};
INSTANTIATE_TEST_SUITE_P(Cases, OddLineUps, ::testing::ValuesIn(kLineUps),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace MatchTest
