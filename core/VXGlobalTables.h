// Process-wide tables built by the start-up step (StartupGlobals.cpp).
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace FrameWork {

// Logical gamepad button (0 A, 1 B, 2 X, 3 Y, 4 Start, 5 Back, 6-9 D-pad up,
// down, left, right, 10 left shoulder, 11 left thumb, 12 right shoulder,
// 13 right thumb) to its mask in the pad's button word (the masks are the
// platform's Platform::PadButton).
extern std::map<int, uint16_t> g_gamepadButtons;

// The playable characters: kind, the name of the level object that becomes
// the player, the name of a fired projectile clone, and the knockback factor
// of that projectile.
struct VXCharacter {
    int32_t kind;
    const char* name;
    const char* projectileClone;
    float knockback;
};
extern const VXCharacter kCharacters[6];
// The character of `kind`, or null.
const VXCharacter* FindCharacter(int kind);

// Name of a fired projectile clone to the character kind that fires it
// (from kCharacters).
extern std::map<std::string, int> g_clonedOwnerType;

void BuildGamepadButtons();
void BuildClonedOwnerTypes();

}  // namespace FrameWork
