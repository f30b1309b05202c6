// Process-wide state of the running match.
#pragma once

#include <cstdint>

namespace FrameWork {

extern int32_t g_matchOver;  // 1 once the match is decided
extern int32_t g_winner;     // 2 none, 1 Blue, 0 Red

}  // namespace FrameWork
