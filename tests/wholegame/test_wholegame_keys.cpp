// The whole game on the keyboard: loading, logos, title, the selection's
// keyboard road, a short match with both players moving,
// painting and casting their skills, time-up, banner and win screen, Enter
// back to the selection, and a second match on another map.
#include <cstdlib>

#include "gameplay/VXPlayerLogic.h"
#include "levels/VXLevelSelectScreen.h"
#include "levels/VXMatchLevels.h"
#include "objects/GameObject.h"
#include "tests/wholegame/wholegame_fixture.h"

namespace WholeGame {
namespace {

class Keys : public Road {
protected:
    VXLevelSelectScreen& Selection() {
        return *static_cast<VXLevelSelectScreen*>(
            LevelObjectForState(GameState::LevelSelectScreen));
    }
    // Player 1 takes Blue and locks, player 2 takes Red and locks, `mapSteps`
    // right on the map choice, Enter.
    void Select(int mapSteps) {
        ASSERT_TRUE(StepUntil([this] { return Selection().m_introDone; }, 600));
        for (SDL_Scancode key :
             {SDL_SCANCODE_A, SDL_SCANCODE_SPACE, SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN})
            Tap(key);
        ASSERT_TRUE(Selection().m_mapSelectOpen);
        for (int i = 0; i < mapSteps; ++i) Tap(SDL_SCANCODE_RIGHT);
        Tap(SDL_SCANCODE_RETURN);
    }
    // Both players hold forward and turn now and then; each casts the skill
    // every five seconds (G and O).
    static std::set<SDL_Scancode> Script(int frame) {
        std::set<SDL_Scancode> down = {SDL_SCANCODE_W, SDL_SCANCODE_UP};
        if (frame % 200 < 40) down.insert(SDL_SCANCODE_A);
        if (frame % 200 >= 100 && frame % 200 < 140) down.insert(SDL_SCANCODE_D);
        if (frame % 240 < 50) down.insert(SDL_SCANCODE_RIGHT);
        if (frame % 240 >= 120 && frame % 240 < 170) down.insert(SDL_SCANCODE_LEFT);
        if (frame % 300 < 2) down.insert(SDL_SCANCODE_G);
        if ((frame + 150) % 300 < 2) down.insert(SDL_SCANCODE_O);
        return down;
    }
    // The match in state `state` played with the script until time-up;
    // `seconds` shortens it.  Checks the winner against the floor, then
    // leaves the win screen with Enter.
    void PlayMatch(int state, int seconds) {
        ASSERT_TRUE(StepUntil([&] { return State() == state; }, 10));
        auto& level = *static_cast<VXMatchLevel*>(LevelObjectForState(state));
        WaitForPlay();
        if (seconds < 150) g_secondsLeft = seconds;
        int skills[2] = {};
        for (int frame = 0; !g_matchOver && frame < 160 * 60; ++frame) {
            HoldKeys(Script(frame));
            ASSERT_TRUE(Step());
            for (int i = 0; i < 2; ++i) skills[i] += level.players[i]->GetPlayerLogic()->skillInUse;
        }
        HoldKeys({});
        ASSERT_EQ(g_matchOver, 1);
        EXPECT_GT(skills[0], 0);
        EXPECT_GT(skills[1], 0);
        const Floor floor = RecountFloor();
        EXPECT_EQ(floor.cells[1], VXPaintMap::TeamTileCount[0]);
        EXPECT_EQ(floor.cells[2], VXPaintMap::TeamTileCount[1]);
        EXPECT_GT(floor.cells[1] + floor.cells[2], 0);
        // The bars show whole percent: the winner holds at least the
        // loser's whole-percent share.
        const int share[3] = {0, floor.cells[1] * 100 / g_totalPaintCells,
                              floor.cells[2] * 100 / g_totalPaintCells};
        EXPECT_EQ(g_winner, share[1] >= share[2] ? 1 : 0);
        // Banner, then the win screen; Enter leaves for the selection.
        Step(240);
        EXPECT_EQ(State(), state);
        Tap(SDL_SCANCODE_RETURN);
        ASSERT_TRUE(StepUntil([this] { return State() == GameState::LevelSelectScreen; }, 10));
        EXPECT_EQ(g_matchOver, 0);
    }
};

// Both matches last their last 10 s (a whole match is EachLevel/FullMatch's;
// each player casts its skill within the first three seconds);
// PELLWICK_FIRST_MATCH_SECONDS=150 plays the first one whole.
TEST_F(Keys, TwoMatchesFromTheTitleAndBack) {
    const char* shortened = std::getenv("PELLWICK_FIRST_MATCH_SECONDS");
    RunToTitle();
    Tap(SDL_SCANCODE_RETURN);
    Select(0);
    PlayMatch(GameState::Level1, shortened ? std::atoi(shortened) : 10);
    Select(1);
    PlayMatch(GameState::Level2, 10);
    EXPECT_EQ(road, (std::vector<int>{GameState::LoadingScreen, GameState::SplashScreen,
                                      GameState::LevelSelectScreen, GameState::Level1,
                                      GameState::LevelSelectScreen, GameState::Level2,
                                      GameState::LevelSelectScreen}));
}

}  // namespace
}  // namespace WholeGame
