// The whole game with two pads: the title's quick match chosen with the
// D-pad and A, a match played with sticks, triggers and skill triggers,
// paused with Start and quit from the pause menu back to the title; and two
// matches with the same seed and the same pad script ending alike.
#include <algorithm>

#include "bench/MatchDriver.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "levels/VXMatchLevels.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"
#include "tests/wholegame/wholegame_fixture.h"

namespace WholeGame {
namespace {

using Button = SDL_GameControllerButton;

class Pads : public Road {
protected:
    // No selection screen on these roads: the smallest window will do.
    void SetUp() override {
        Road::SetUp();
        engine->SetWindowed(320, 180);
    }
    void Press(int pad, Button button) {
        pads[pad].Button(button, true);
        Step();
        pads[pad].Button(button, false);
        Step();
    }
    Bench::Pad pads[2];
};

int Clones(VXMatchLevel& level) {
    int count = 0;
    for (GameObject* object : level.objectManager->objects)
        if (object && object->m_active && object->g_name.size() > 7 &&
            object->g_name.compare(object->g_name.size() - 7, 7, "_cloned") == 0)
            ++count;
    return count;
}

TEST_F(Pads, QuickMatchPlayedPausedAndQuitToTheTitle) {
    RunToTitle();
    Press(0, SDL_CONTROLLER_BUTTON_DPAD_DOWN);  // play -> quick match
    Press(0, SDL_CONTROLLER_BUTTON_A);          // its confirmation
    Press(0, SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(StepUntil([this] { return State() == GameState::Level0; }, 10));
    auto& level = *static_cast<VXMatchLevel*>(LevelObjectForState(GameState::Level0));
    for (int i = 0; i < 2; ++i) EXPECT_EQ(level.players[i]->GetPlayerLogic()->padIndex, i);
    WaitForPlay();

    // Eight seconds of the script: both players paint, shots fly every half
    // second, each casts its skill in the first three.
    int mostShots = 0, skills = 0;
    const GameObject* const players[2] = {level.players[0], level.players[1]};
    const float start[2][2] = {{players[0]->position[0], players[0]->position[1]},
                               {players[1]->position[0], players[1]->position[1]}};
    for (int frame = 0; frame < 8 * 60; ++frame) {
        Bench::ScriptPads(pads, frame);
        Step();
        mostShots = std::max(mostShots, Clones(level));
        for (const GameObject* player : players) skills += player->GetPlayerLogic()->skillInUse;
    }
    Bench::ReleasePads(pads);
    const Floor floor = RecountFloor();
    EXPECT_GT(floor.cells[1], 0);
    EXPECT_GT(floor.cells[2], 0);
    EXPECT_EQ(floor.cells[1], VXPaintMap::TeamTileCount[0]);
    EXPECT_EQ(floor.cells[2], VXPaintMap::TeamTileCount[1]);
    EXPECT_GT(mostShots, 0);
    EXPECT_GT(skills, 0);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(players[i]->position[0] != start[i][0] ||
                    players[i]->position[1] != start[i][1])
            << "player " << i + 1 << " moved";

    // Start pauses: the clock stands while the pause menu shows.
    Press(0, SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(FrameContext().paused, 1);
    const int32_t clock = g_secondsLeft;
    Step(120);
    EXPECT_EQ(g_secondsLeft, clock);
    // Up from "resume" wraps to "quit"; A opens the confirmation, left
    // picks "yes", A leaves for the title the match came from.
    Press(0, SDL_CONTROLLER_BUTTON_DPAD_UP);
    Press(0, SDL_CONTROLLER_BUTTON_A);
    Press(1, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Press(1, SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(StepUntil([this] { return State() == GameState::SplashScreen; }, 10));
    EXPECT_EQ(FrameContext().paused, 0);
    EXPECT_EQ(road, (std::vector<int>{GameState::LoadingScreen, GameState::SplashScreen,
                                      GameState::Level0, GameState::SplashScreen}));
    Step(5);
    EXPECT_EQ(static_cast<VXSplashScreen*>(LevelObjectForState(GameState::SplashScreen))->phase,
              SplashTitle);
}

TEST_F(Pads, SameSeedAndSameInputEndAlike) {
    RunToTitle();
    Bench::MatchResult results[2];
    for (Bench::MatchResult& result : results) {
        Platform::SRand(2024);
        result = Bench::PlayMatch(engine, pads, GameState::Level2, 8);
        ASSERT_TRUE(result.finished);
        ASSERT_EQ(State(), GameState::SplashScreen);
    }
    EXPECT_GT(results[0].blueTiles + results[0].redTiles, 0);
    EXPECT_EQ(results[0].blueTiles, results[1].blueTiles);
    EXPECT_EQ(results[0].redTiles, results[1].redTiles);
    EXPECT_EQ(results[0].winner, results[1].winner);
}

}  // namespace
}  // namespace WholeGame
