// Process-wide state of the running match, shared by the match levels, the
// HUD and the match flow.
#pragma once

#include <cstdint>

namespace FrameWork {

extern int32_t g_matchOver;  // 1 once the match is decided
extern int32_t g_winner;     // 2 none, 1 Blue, 0 Red
// Whole seconds left; the level's Initialize writes the match length here.
extern int32_t g_secondsLeft;
// Frame time gathered toward the next whole second.
extern float g_secondAccumulator;
// Paintable cells of the level's floor: the divisor of the score bars.
extern int32_t g_totalPaintCells;
// The engine's pause flag as the match flow saw it this frame; the clock
// stands still while it is set.
extern uint8_t g_hudPaused;
// Set while the portraits are laid out for two players.
extern uint8_t g_twoPlayerLayout;

}  // namespace FrameWork
