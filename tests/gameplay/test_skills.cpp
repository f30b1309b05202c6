// The skills in a running match level under the test clock: casts and cooldowns, walls,
// mines, the bleed, block bombs, flags, and casts that find nothing to work with.
#include <cmath>
#include <set>

#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXBlockBomb.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXLevelObjectRecord.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXSkills.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "physics/VXAABB.h"
#include "physics/VXRigidBody.h"
#include "tests/levels/MatchTestSupport.h"

namespace MatchTest {
namespace {

using Spot = std::array<float, 2>;

class Skills : public MatchFixture {
protected:
    VXMatchLevel& Play(int kind1, int kind2, bool nameEveryTileSet = true) {
        StartGame();
        // One tile-set name per tile map, as the loading screen lists them;
        // or only the first, the one whose cells the levels' flags take.
        auto& names = VXGraphicsManager::Instance()->tileSetNames;
        while (nameEveryTileSet && !names.empty() && names.size() < 4)
            names.push_back(names.front());
        if (!nameEveryTileSet && names.size() > 1) names.resize(1);
        FillLineUp(kind1, 1, kind2, 2);
        Enter(GameState::Level2);
        for (int i = 0; i < 600 && (!FrameContext().active || FrameContext().inputBlocked); ++i)
            StepFrames(1);
        Platform::SRand(7);
        level = &Level(GameState::Level2);
        record = g_currentLevelObjects;
        spots = OpenSpots();
        return *level;
    }
    // Player 1 at the first open spot facing +x (along its row), player 2
    // out of the way at spot `other`.
    VXMatchLevel& PlayFacingRight(int kind1, int kind2, int other) {
        Play(kind1, kind2);
        Stand(P(1), spots.at(0));
        Stand(P(2), spots.at(other));
        P(1)->rotation[2] = 0.0f;
        return *level;
    }
    GameObject* P(int n) const { return level->players[n - 1]; }
    static VXPaintCell& Cell(int i) { return VXGraphicsManager::Instance()->paintCells.at(i); }
    static bool Played(int index) { return VXAudioManager::Instance()->channels.at(index).played; }
    static void Stand(GameObject* o, Spot at, float dx = 0.0f, float dy = 0.0f) {
        o->position[0] = at[0] + dx;
        o->position[1] = at[1] + dy;
        BodyOf(o)->Velocity = Vec3();
    }
    static bool Near(const GameObject* o, float x, float y) {
        return std::hypot(o->position[0] - x, o->position[1] - y) < 1.0f;
    }
    // Tile centres with no wall or flag cell within two tiles, four apart.
    std::vector<Spot> OpenSpots() const {
        const auto& centres =
            VXGraphicsManager::Instance()->tilemaps.at(level->grid->tilemapName).m_data1;
        const int rows = level->grid->rows, cols = level->grid->columns;
        std::vector<Spot> spots;
        std::vector<std::pair<int, int>> taken;
        for (int r = 2; r + 2 < rows; ++r)
            for (int c = 2; c + 2 < cols; ++c) {
                bool open = true;
                for (int i = -2; i <= 2; ++i)
                    for (int j = -2; j <= 2; ++j)
                        open = open && !Cell((r + i) * cols + c + j).wallBlocked;
                for (auto [tr, tc] : taken)
                    open = open && std::max(std::abs(tr - r), std::abs(tc - c)) >= 4;
                if (!open) continue;
                taken.emplace_back(r, c);
                spots.push_back({centres[r * cols + c][0], centres[r * cols + c][1]});
            }
        return spots;
    }
    void ExpectCountsMatchTheFloor() const {
        int count[3] = {};
        for (const VXPaintCell& c : VXGraphicsManager::Instance()->paintCells) ++count[c.team];
        EXPECT_EQ(VXPaintMap::TeamTileCount[0], count[1]);
        EXPECT_EQ(VXPaintMap::TeamTileCount[1], count[2]);
    }
    bool PopupAt(Spot at) const {
        for (GameObject* popup : record->popups)
            if (popup->m_active && Near(popup, at[0], at[1])) return true;
        return false;
    }

    VXMatchLevel* level = nullptr;
    VXLevelObjectRecord* record = nullptr;
    std::vector<Spot> spots;
};

class EachSkill : public Skills, public ::testing::WithParamInterface<std::pair<int, int>> {};

// The players cast with their skill keys, facing up (90 degrees).
TEST_P(EachSkill, CastsItsEffectAndWaitsItsCooldown) {
    Play(GetParam().first, GetParam().second);
    const SDL_Scancode keys[2] = {SDL_SCANCODE_G, SDL_SCANCODE_O};
    for (int p = 1; p <= 2; ++p) {
        GameObject* caster = P(p);
        Stand(caster, spots.at(p - 1));
        caster->rotation[2] = 90.0f;
        TapKey(keys[p - 1]);
        const float x = caster->position[0], y = caster->position[1];
        EXPECT_TRUE(PopupAt({x, y})) << caster->objectType;
        switch (caster->objectType) {
            case GameObject::Knight: {
                GameObject* wall = record->walls.front();
                EXPECT_TRUE(wall->m_active && Near(wall, x, y) && wall->GetWallLogic()->raised);
                EXPECT_EQ(caster->GetAABB()->stateFlag, 3);
                EXPECT_TRUE(Played(20));
                break;
            }
            case GameObject::Pirate: {
                const Spot expected[3] = {{80, -30}, {0, 80}, {-80, -30}};
                GameObject* laid[3] = {record->mines[7], record->mines[8], record->mines[0]};
                for (int k = 0; k < 3; ++k) {
                    EXPECT_TRUE(Near(laid[k], x + expected[k][0], y + expected[k][1])) << k;
                    EXPECT_TRUE(laid[k]->GetMine()->armed);
                }
                break;
            }
            case GameObject::Viking: {
                GameObject* bomb = record->blockBombs.front().first;
                EXPECT_TRUE(bomb->m_active && Near(bomb, spots.at(p - 1)[0], spots.at(p - 1)[1]));
                EXPECT_TRUE(Played(21));
                break;
            }
            case GameObject::Archer:
                EXPECT_TRUE(P(3 - p)->GetPlayerLogic()->IsTimerRunning(kTimerMark));
                EXPECT_TRUE(Played(11));
                break;
            case GameObject::Samurai:
            case GameObject::Maid: {
                const bool samurai = caster->objectType == GameObject::Samurai;
                GameObject* flyer = Find(*level, samurai ? "BleedPrj" : "CleanUp_Mop");
                const Vec3 v = BodyOf(flyer)->Velocity;
                EXPECT_TRUE(flyer->m_active);
                EXPECT_NEAR(v.x, 0.0f, 0.01f);
                EXPECT_NEAR(v.y, samurai ? 750.0f : 500.0f, 0.01f);
                EXPECT_TRUE(Played(samurai ? 36 : 35));
                break;
            }
        }
    }
    // Within the cooldown a tap casts nothing; after it, it casts again.
    for (int p = 1; p <= 2; ++p) {
        Stand(P(p), spots.at(p + 1));
        TapKey(keys[p - 1]);
        EXPECT_FALSE(PopupAt(spots.at(p + 1))) << P(p)->objectType;
    }
    for (int p = 1; p <= 2; ++p) P(p)->GetPlayerLogic()->skillTimer = 0.01f;  // run out
    StepFrames(2);
    for (int p = 1; p <= 2; ++p) {
        Stand(P(p), spots.at(p + 1));
        TapKey(keys[p - 1]);
        EXPECT_TRUE(PopupAt({P(p)->position[0], P(p)->position[1]})) << P(p)->objectType;
    }
    ExpectCountsMatchTheFloor();
}
INSTANTIATE_TEST_SUITE_P(Pairs, EachSkill,
                         ::testing::Values(std::pair(8, 6), std::pair(7, 15), std::pair(18, 19)));

TEST_F(Skills, WallsStopTheOpponentOnlyAfterACastAndStopShots) {
    Play(8, 18);
    Stand(P(1), spots.at(0));
    P(1)->rotation[2] = P(2)->rotation[2] = 0.0f;
    SkillWallBlock("Player1");
    GameObject* wall = record->walls.front();
    VXAABB* knightBox = P(1)->GetAABB();
    Stand(P(1), spots.at(1));
    // Player2 inside the wall: free while the Knight's box says "never cast".
    VXRigidBody* body2 = BodyOf(P(2));
    for (int32_t cast : {1, 3}) {
        knightBox->stateFlag = cast;
        Stand(P(2), spots.at(0), 20.0f);
        StepFrames(2);
        EXPECT_EQ(std::hypot(body2->Velocity.x, body2->Velocity.y) > 100.0f, cast == 3)
            << "repelled only after a cast";
    }
    // Shots end at Player1's wall, but for a lance.
    Stand(P(2), spots.at(2));
    const Spot at{wall->position[0], wall->position[1]};
    std::vector<GameObject*> shots;
    for (int kind : {6, 15, 8}) {
        shots.push_back(
            level->objectManager->CloneObject(level->statics.projectilePrefabs.at(kind)));
        Stand(shots.back(), at);
    }
    StepFrames(2);
    for (GameObject* shot : shots)
        EXPECT_EQ(shot->m_active, shot->g_name == "Lance_cloned") << shot->g_name;

    // A wall of Player2's: Player1 bounces back once per contact.
    Stand(P(2), spots.at(3));
    SkillWallBlock("Player2");
    Stand(P(2), spots.at(2));
    VXRigidBody* body1 = BodyOf(P(1));
    Stand(P(1), spots.at(3), -40.0f);
    body1->Velocity = Vec3(300.0f, 0.0f, 0.0f);
    StepFrames(2);
    EXPECT_LT(body1->Velocity.x, 0.0f);
    StepFrames(1);
    EXPECT_LT(body1->Velocity.x, 0.0f) << "not reflected again while the contact lasts";
}

TEST_F(Skills, AnArmedMineWaitsForTheOpponentAndExplodesOnce) {
    Play(6, 8);
    Stand(P(1), spots.at(0));
    Stand(P(2), spots.at(1));
    P(1)->rotation[2] = 0.0f;
    SkillMines("Player1");
    GameObject* ahead = record->mines[8];  // laid 80 ahead of the Pirate
    GameObject* behind = record->mines[7];
    Stand(P(1), spots.at(0), 80.0f);
    StepFrames(3);
    EXPECT_TRUE(record->skillObjects.empty()) << "the Pirate is ignored while armed";

    Stand(P(2), spots.at(0), -30.0f, -80.0f);
    StepFrames(2);  // the box follows in the frame after
    ASSERT_EQ(record->skillObjects, std::vector<GameObject*>{behind});
    EXPECT_TRUE(Played(5));
    EXPECT_TRUE(P(2)->GetPlayerLogic()->IsTimerRunning(kTimerMine));
    StepFrames(10);
    EXPECT_LE(record->skillObjects.size(), 1u) << "exploded once";
    StepFrames(60);
    EXPECT_FALSE(behind->m_active);
    EXPECT_TRUE(record->skillObjects.empty());

    Stand(P(2), spots.at(1));
    ahead->GetMine()->armTimer = 0.01f;  // the arming runs out
    StepFrames(4);
    EXPECT_FALSE(ahead->GetAABB()->active) << "a disarmed mine takes its own layer";
}

TEST_F(Skills, TheWaveBleedsThreeFuelATickDownToZero) {
    Play(18, 15);
    Stand(P(1), spots.at(0));
    P(1)->rotation[2] = 0.0f;
    Stand(P(2), spots.at(0), 250.0f);
    SkillBleed("Player1");
    Cell(level->grid->SnapToGrid(P(2)->position)).blocked = 1;  // no trail
    StepFrames(15);
    VXPlayerLogic* bleeder = P(2)->GetPlayerLogic();
    ASSERT_TRUE(bleeder->IsTimerRunning(kTimerBleed));
    bleeder->paintFuel = 10;
    record->spareNumber = 0.0f;
    StepFrames(1);
    EXPECT_EQ(bleeder->paintFuel, 7);
    bleeder->paintFuel = 2;
    StepFrames(40);  // two player logics count the shared tick down
    EXPECT_EQ(bleeder->paintFuel, 0);
    EXPECT_FALSE(P(1)->GetPlayerLogic()->IsTimerRunning(kTimerBleed)) << "no Samurai bleeds";
}

TEST_F(Skills, TheBombLocksItsBlockForTwentySecondsAndAReusedPairFreesItsOldBlock) {
    Play(7, 15);
    Stand(P(2), spots.at(3));
    Stand(P(1), spots.at(0));
    P(1)->GetPlayerLogic()->paintFuel = 0;  // no trail of its own
    const int centre = level->grid->SnapToGrid(P(1)->position);
    const int cols = level->grid->columns;
    const int block[9] = {centre - cols - 1, centre - cols, centre - cols + 1,
                          centre - 1,        centre,        centre + 1,
                          centre + cols - 1, centre + cols, centre + cols + 1};
    Cell(centre + 1).flagCell = Cell(centre + 1).wallBlocked = Cell(centre + 1).blocked = 1;
    SkillLockDown("Player1");
    GameObject* pointer = record->blockBombs.front().second;
    StepFrames(1);
    for (int i : block) {
        EXPECT_TRUE(Cell(i).blocked) << i;
        const bool painted = i != centre && i != centre + 1;
        EXPECT_EQ(Cell(i).team, painted ? 1 : 0) << i;
    }
    ExpectCountsMatchTheFloor();

    // The pointer hides for 1.5 s, then turns once round until it ends.
    auto* turn = pointer->GetBlockBombPointer();
    const float start = pointer->rotation[2];
    int steps = 0;
    for (; pointer->m_active && steps < 2000; ++steps) {
        if (steps == 89 || steps == 91) {
            EXPECT_EQ(SpriteOf(pointer)->active, steps == 91);
        }
        turn->Update(1.0f / 60.0f);
    }
    EXPECT_NEAR(pointer->rotation[2] - start, 360.0f, 0.5f);
    record->blockBombs.front().first->GetBlockBomb()->timer = 0.05f;  // run out
    StepFrames(120);
    for (int i : block) EXPECT_FALSE(Cell(i).blocked) << i;
    EXPECT_FALSE(record->blockBombs.front().first->m_active);
    EXPECT_TRUE(Cell(centre + 1).wallBlocked);

    // Pairs A, B, then A again while its bomb still runs: A's old block is
    // freed.  A cast off the grid drops nothing.
    for (Spot at : {spots.at(1), spots.at(2), spots.at(0)}) {
        Stand(P(1), at);
        SkillLockDown("Player1");
        StepFrames(1);
    }
    EXPECT_FALSE(Cell(level->grid->SnapToGrid(spots.at(1).data())).blocked);
    EXPECT_TRUE(Cell(centre).blocked);
    GameObject* front = record->blockBombs.front().first;
    Stand(P(1), {50000.0f, 0.0f});
    SkillLockDown("Player1");
    EXPECT_EQ(record->blockBombs.front().first, front);
    // The level empties the paint cells before the bombs go.
    Enter(GameState::Reload);
}

// The timers the skills set, read from the running game: the Knight's wall
// falls and the Viking's bomb ends after 20 s; the bomb marks the spawn
// point under it as used.
TEST_F(Skills, TheWallAndTheBombLastTwentySeconds) {
    Play(8, 7);
    GameObject* spawn = nullptr;
    for (GameObject* o : level->objectManager->objects)
        if (!spawn && o->GetSpawnPoint() && o->GetAABB()) spawn = o;
    ASSERT_NE(spawn, nullptr);
    spawn->GetSpawnPoint()->used = 0;
    Stand(P(1), spots.at(0));
    Stand(P(2), {spawn->position[0], spawn->position[1]});
    SkillWallBlock("Player1");
    SkillLockDown("Player2");
    Stand(P(1), spots.at(1));
    Stand(P(2), spots.at(2));
    VXWallLogicCom* wall = record->walls.front()->GetWallLogic();
    VXBlockBombCom* bomb = record->blockBombs.front().first->GetBlockBomb();
    int wallFalls = 0, bombEnds = 0;
    for (int frame = 1; frame <= 1300 && (!wallFalls || !bombEnds); ++frame) {
        StepFrames(1);
        if (frame == 1) {
            EXPECT_TRUE(spawn->GetSpawnPoint()->used) << "not marked by the bomb";
        }
        if (!wallFalls && !wall->raised) wallFalls = frame;
        if (!bombEnds && bomb->timer <= 0.0f) bombEnds = frame;
    }
    EXPECT_NEAR(wallFalls, 1200, 3);
    EXPECT_NEAR(bombEnds, 1200, 3);
}

TEST_F(Skills, MinesStayArmedForThreeSeconds) {
    Play(6, 15);
    Stand(P(1), spots.at(0));
    Stand(P(2), spots.at(2));
    SkillMines("Player1");
    Stand(P(1), spots.at(1));
    const VXMineCom* laid[3] = {record->mines[7]->GetMine(), record->mines[8]->GetMine(),
                                record->mines[0]->GetMine()};
    int frames = 0;
    for (; laid[0]->armed && frames < 400; ++frames) StepFrames(1);
    EXPECT_NEAR(frames, 180, 2);
    for (const VXMineCom* mine : laid) EXPECT_FALSE(mine->armed);
}

// The Maid's mop, run by the level with the arena's painter, wipes the
// other team's paint off the tiles ahead of it and leaves the Maid's own.
TEST_F(Skills, TheMopWipesTheOtherTeamsTilesAhead) {
    PlayFacingRight(19, 15, 3);
    StepFrames(1);
    const int centre = level->grid->SnapToGrid(P(1)->position);
    const int teams[3] = {2, 1, 2};  // 1, 2 and 3 tiles ahead
    for (int k = 1; k <= 3; ++k) {
        ASSERT_EQ(Cell(centre + k).team, 0);
        Cell(centre + k).team = teams[k - 1];
        ++VXPaintMap::TeamTileCount[teams[k - 1] - 1];
    }
    SkillMop("Player1");
    StepFrames(45);
    EXPECT_EQ(Cell(centre + 1).team, 0);
    EXPECT_EQ(Cell(centre + 2).team, 1) << "the Maid's own paint stays";
    EXPECT_EQ(Cell(centre + 3).team, 0);
    ExpectCountsMatchTheFloor();
}

// The wave is hidden once it has left the arena and rests there.
TEST_F(Skills, TheWaveIsHiddenWhenItLeavesTheArena) {
    PlayFacingRight(18, 15, 3);
    SkillBleed("Player1");
    GameObject* wave = Find(*level, "BleedPrj");
    int frames = 0;
    for (; wave->m_active && frames < 600; ++frames) StepFrames(1);
    ASSERT_FALSE(wave->m_active) << "still flying after 10 s";
    EXPECT_GT(frames, 1);
    VXRigidBody* body = BodyOf(wave);
    EXPECT_GT(body->Position.x, level->grid->lastTileX);
    EXPECT_EQ(body->Velocity, Vec3(0.0f, 0.0f, 1.0f));
    const float x = wave->position[0];
    StepFrames(10);
    EXPECT_NEAR(wave->position[0], x, 0.1f) << "rests where it left";
}

// A casting effect plays one of its three rows; every row comes up.
TEST_F(Skills, TheCastEffectShowsEachOfItsRows) {
    Play(8, 15);
    Stand(P(1), spots.at(0));
    std::set<uint32_t> rows;
    for (int cast = 0; cast < 40 && rows.size() < 3; ++cast) {
        for (GameObject* popup : record->popups) popup->SetActive(0);
        ShowCastEffect(P(1));
        for (GameObject* popup : record->popups)
            if (popup->m_active) rows.insert(SpriteOf(popup)->animation.currentRowIndex);
    }
    EXPECT_EQ(rows, (std::set<uint32_t>{0, 1, 2}));
}

TEST_F(Skills, AFlagIsCapturedContestedRolledBackAndTakenOver) {
    Play(15, 8);
    GameObject* object = Find(*level, "Flag1");
    VXFlagCom* flag = object->GetFlag();
    flag->cellList.clear();
    flag->cellPositions.clear();
    flag->SetCaptureArea(-900.0f, 0.0f, 100.0f, 100.0f, 2, &level->statics.sounds, 3.0f, 3.0f);
    ASSERT_EQ(flag->cellList.size(), 9u);
    const Spot on{object->position[0], object->position[1]};
    auto framesUntil = [&](auto done) {
        int n = 0;
        for (; !done() && n < 300; ++n) StepFrames(1);
        return n;
    };
    // A player counts on the flag from the second frame after arriving.
    Stand(P(2), spots.at(0));
    Stand(P(1), on);
    StepFrames(20);
    Stand(P(2), on);
    StepFrames(2);
    const uint32_t reached = flag->progress;
    EXPECT_GE(reached, 2u);
    StepFrames(30);
    EXPECT_EQ(flag->progress, reached) << "contested";
    Stand(P(1), spots.at(1));
    Stand(P(2), spots.at(0));
    EXPECT_LE(framesUntil([&] { return flag->paintingTeam == 0; }), 5 * int(reached + 1) + 2)
        << "rolled back and reset";

    Stand(P(1), on);
    const int capture = framesUntil([&] { return flag->captured != 0; });
    EXPECT_GE(capture, 8 * 5);
    EXPECT_LE(capture, 9 * 5 + 7);
    EXPECT_EQ(flag->ownerTeam, 1);
    EXPECT_TRUE(Played(37));
    for (int i : flag->cellList) EXPECT_EQ(Cell(i).team, 1);
    ExpectCountsMatchTheFloor();
    Stand(P(1), spots.at(1));
    Stand(P(2), on);
    EXPECT_GE(framesUntil([&] { return flag->captured == 0; }), 8 * 5) << "rolled back";
    framesUntil([&] { return flag->captured != 0; });
    EXPECT_EQ(flag->ownerTeam, 2);
    for (int i : flag->cellList) EXPECT_EQ(Cell(i).team, 2);
    ExpectCountsMatchTheFloor();
}
// A flag as the level itself sets it up takes its cells from the first tile
// set, whatever the level's number.
TEST_F(Skills, AFlagAsTheLevelSetsItUpIsCaptured) {
    Play(15, 8, false);
    GameObject* object = Find(*level, "Flag1");
    VXFlagCom* flag = object->GetFlag();
    ASSERT_FALSE(flag->cellList.empty());
    Stand(P(2), spots.at(0));
    Stand(P(1), {object->position[0], object->position[1]});
    for (int i = 0; i < 300 && !flag->captured; ++i) StepFrames(1);
    ASSERT_TRUE(flag->captured);
    EXPECT_EQ(flag->ownerTeam, 1);
    for (int i : flag->cellList) EXPECT_EQ(Cell(i).team, 1);
}

TEST_F(Skills, BadFlagAreasAndMissingPartsDoNothing) {
    Play(15, 8);
    VXFlagCom* flag = Find(*level, "Flag2")->GetFlag();
    flag->cellList.clear();
    flag->cellPositions.clear();
    flag->SetCaptureArea(0.0f, 0.0f, 0.0f, 100.0f, 2, nullptr, 3.0f, 3.0f);
    EXPECT_TRUE(flag->cellList.empty());
    flag->AddPlayer(P(1));
    flag->Update(1.0f / 60.0f);
    EXPECT_EQ(flag->captured, 0) << "no cells: inert";
    flag->SetCaptureArea(-1300.0f, -1100.0f, 100.0f, 100.0f, 2, nullptr, 1e30f, 3.0f);
    EXPECT_LE(flag->cellList.size(), 3u * static_cast<size_t>(level->grid->columns))
        << "capped at the grid";
    flag->SetCaptureArea(-1300.0f, -1100.0f, 100.0f, 100.0f, 2, nullptr, 1.0f, 1.0f);
    EXPECT_EQ(flag->cellPositions.size(), 1u);
    for (int i = 0; i < 200; ++i) flag->Update(1.0f / 60.0f);
    EXPECT_TRUE(flag->captured) << "one usable cell";

    // Casts by a name that is not playing, or from an empty ring, do nothing.
    const size_t players = g_levelPlayers.size();
    SkillMop("Nobody");
    CastSkill("Nobody");
    EXPECT_EQ(g_levelPlayers.size(), players);
    EXPECT_FALSE(Find(*level, "CleanUp_Mop")->m_active);
    std::deque<GameObject*> walls;
    walls.swap(record->walls);
    SkillWallBlock("Player2");
    EXPECT_EQ(P(2)->GetAABB()->stateFlag, 1);
    walls.swap(record->walls);
}

}  // namespace
}  // namespace MatchTest
