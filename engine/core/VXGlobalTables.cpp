#include "engine/core/VXGlobalTables.h"

#include "engine/core/Message.h"

namespace FrameWork {

std::map<int, uint16_t> g_gamepadButtons;
std::map<std::string, int> g_clonedOwnerType;

void BuildGamepadButtons() {
    g_gamepadButtons = {
        {0, 0x1000},  {1, 0x2000},  {2, 0x4000},  {3, 0x8000},  {4, 0x0010},
        {5, 0x0020},  {6, 0x0001},  {7, 0x0002},  {8, 0x0004},  {9, 0x0008},
        {10, 0x0100}, {11, 0x0040}, {12, 0x0200}, {13, 0x0080},
    };
}

void BuildClonedOwnerTypes() {
    g_clonedOwnerType = {
        {"Lance_cloned", Knight}, {"CannonBall_cloned", Pirate}, {"Fist_cloned", Viking},
        {"Arrow_cloned", Archer}, {"Katana_cloned", Samurai},    {"Mop_cloned", Maid},
    };
}

}  // namespace FrameWork
