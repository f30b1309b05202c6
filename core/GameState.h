// State ids of the engine's state machine.
#pragma once

#include <cstdint>

namespace GameState {
enum : int32_t {
    Back = -1,  // run the previous state again
    Quit = -2,  // leave the main loop
    Level1 = 0,
    LevelEditor = 1,
    Level2 = 2,
    Level3 = 3,
    Level0 = 4,
    LoadingScreen = 5,  // the start state
    Reload = 6,         // run the current state again
    SplashScreen = 7,
    LevelSelectScreen = 8,
};
// Ids 0 to 8 that have a level or screen object.
constexpr int32_t Count = 9;
// Whether the state runs a match (and with it the match interface).
constexpr bool IsMatchState(int32_t id) {
    return id != LevelEditor && id != LoadingScreen && id != SplashScreen &&
           id != LevelSelectScreen;
}
}  // namespace GameState
