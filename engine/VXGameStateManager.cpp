#include "engine/VXGameStateManager.h"

#include <cstdio>

#include "engine/VXLevelObjects.h"

namespace FrameWork {

namespace {
VXGameStateManager* g_gameStateManager = nullptr;
}

VXGameStateManager* VXGameStateManager::Instance() {
    if (!g_gameStateManager) {
        g_gameStateManager = new VXGameStateManager();
        std::printf(" -> Game state manager\n");
    }
    return g_gameStateManager;
}

void VXGameStateManager::Destroy() {
    delete g_gameStateManager;
    g_gameStateManager = nullptr;
}

void VXGameStateManager::GetLevelForState(int state, VXLevel_Base*& out) {
    if (VXLevel_Base* object = LevelObjectForState(state)) out = object;
}

}  // namespace FrameWork
