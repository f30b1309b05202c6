#include "gameplay/VXMatchState.h"

namespace FrameWork {

int32_t g_matchOver = 0;
int32_t g_winner = 2;
int32_t g_secondsLeft = 0;
float g_secondAccumulator = 0.0f;
int32_t g_totalPaintCells = 0;
uint8_t g_hudPaused = 0;
uint8_t g_twoPlayerLayout = 0;

}  // namespace FrameWork
