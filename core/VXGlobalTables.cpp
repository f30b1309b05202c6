#include "core/VXGlobalTables.h"

#include "core/Message.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

std::map<int, uint16_t> g_gamepadButtons;
std::map<std::string, int> g_clonedOwnerType;

const VXCharacter kCharacters[6] = {
    {Pirate, "Pirate", "CannonBall_cloned", 0.6f}, {Viking, "Viking", "Fist_cloned", 1.4f},
    {Knight, "Knight", "Lance_cloned", 1.2f},      {Archer, "Archer", "Arrow_cloned", 0.5f},
    {Samurai, "Samurai", "Katana_cloned", 1.0f},   {Maid, "Maid", "Mop_cloned", 0.7f},
};

const VXCharacter* FindCharacter(int kind) {
    for (const VXCharacter& c : kCharacters)
        if (c.kind == kind) return &c;
    return nullptr;
}

void BuildGamepadButtons() {
    using namespace Platform::PadButton;
    g_gamepadButtons = {{0, A},
                        {1, B},
                        {2, X},
                        {3, Y},
                        {4, Start},
                        {5, Back},
                        {6, DPadUp},
                        {7, DPadDown},
                        {8, DPadLeft},
                        {9, DPadRight},
                        {10, LeftShoulder},
                        {11, LeftThumb},
                        {12, RightShoulder},
                        {13, RightThumb}};
}

void BuildClonedOwnerTypes() {
    g_clonedOwnerType.clear();
    for (const VXCharacter& c : kCharacters) g_clonedOwnerType[c.projectileClone] = c.kind;
}

}  // namespace FrameWork
