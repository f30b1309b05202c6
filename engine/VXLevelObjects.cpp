#include "engine/VXLevelObjects.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "core/GameState.h"
#include "editor/VXLevelEditor.h"
#include "levels/VXLevelSelectScreen.h"
#include "levels/VXLoadingScreen.h"
#include "levels/VXMatchLevels.h"
#include "levels/VXSplashScreen.h"

namespace FrameWork {

namespace {

struct Slot {
    int state;
    std::unique_ptr<VXLevel_Base> object;
};

// In construction order.
std::vector<Slot>* g_slots = nullptr;
VXLevel_Base* g_replaced[GameState::Count] = {};

void DestroyLevelObjects() {
    if (!g_slots) return;
    while (!g_slots->empty()) g_slots->pop_back();  // reverse construction order
    delete g_slots;
    g_slots = nullptr;
}

}  // namespace

void BuildLevelObjects() {
    if (g_slots) return;
    g_slots = new std::vector<Slot>();
    g_slots->reserve(8);
    g_slots->push_back({GameState::Level0, std::make_unique<VXLevel0>()});
    g_slots->push_back({GameState::Level1, std::make_unique<VXLevel1>()});
    g_slots->push_back({GameState::Level2, std::make_unique<VXLevel2>()});
    g_slots->push_back({GameState::Level3, std::make_unique<VXLevel3>()});
    g_slots->push_back({GameState::LoadingScreen, std::make_unique<VXLoadingScreen>()});
    g_slots->push_back({GameState::LevelEditor, std::make_unique<VXLevelEditor>()});
    g_slots->push_back({GameState::SplashScreen, std::make_unique<VXSplashScreen>()});
    g_slots->push_back({GameState::LevelSelectScreen, std::make_unique<VXLevelSelectScreen>()});
    std::atexit(DestroyLevelObjects);
}

VXLevel_Base* LevelObjectForState(int state) {
    if (state < 0 || state >= GameState::Count || state == GameState::Reload) return nullptr;
    if (g_replaced[state]) return g_replaced[state];
    if (!g_slots) return nullptr;
    for (Slot& s : *g_slots)
        if (s.state == state) return s.object.get();
    return nullptr;
}

VXLevel_Base* ReplaceLevelObject(int state, VXLevel_Base* object) {
    if (state < 0 || state >= GameState::Count || state == GameState::Reload) return nullptr;
    VXLevel_Base* previous = LevelObjectForState(state);
    g_replaced[state] = object;
    return previous;
}

}  // namespace FrameWork
