// Process-wide tables built by the start-up step (StartupGlobals.cpp).
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace FrameWork {

// Logical gamepad button (0 A, 1 B, 2 X, 3 Y, 4 Start, 5 Back, 6-9 D-pad up,
// down, left, right, 10 left shoulder, 11 left thumb, 12 right shoulder,
// 13 right thumb) to its mask in the pad's button word.
extern std::map<int, uint16_t> g_gamepadButtons;

// Name of a fired projectile clone to the character kind that fires it.
extern std::map<std::string, int> g_clonedOwnerType;

void BuildGamepadButtons();
void BuildClonedOwnerTypes();

}  // namespace FrameWork
