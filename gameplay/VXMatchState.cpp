#include "gameplay/VXMatchState.h"

namespace FrameWork {

int32_t g_matchOver = 0;
int32_t g_winner = 2;

}  // namespace FrameWork
