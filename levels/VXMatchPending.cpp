#include "levels/VXMatchPending.h"

#include <algorithm>

#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXPaintMap.h"
#include "objects/GameObject.h"

namespace FrameWork {
namespace MatchPending {

namespace {
int32_t g_clock = 150;
int32_t g_paintableCells = 0;
SoundMap* g_flowSounds = nullptr;
}  // namespace

int32_t& MatchClock() {
    return g_clock;
}
int32_t& PaintableCells() {
    return g_paintableCells;
}
void SetMatchFlowSoundMap(SoundMap* sounds) {
    g_flowSounds = sounds;
}

void SetSides(VXGameManagerComponent& manager, GameObject* first, GameObject* second) {
    manager.sideA = first;
    manager.sideB = second;
    if (first) {
        manager.startAX = first->position[0];
        manager.startAY = first->position[1];
    }
    if (second) {
        manager.startBX = second->position[0];
        manager.startBY = second->position[1];
    }
}

void SetGameManagerObject(GameObject* painter) {
    if (painter) painter->SetActive(0);
}

void Refill(VXSpPointComponent& spawnPoint, GameObject* player) {
    VXPlayerLogic* logic = player ? player->GetPlayerLogic() : nullptr;
    if (!logic) return;
    logic->paintFuel = std::min(logic->paintFuel + 45, 100);
    logic->refillCount += 10;
    spawnPoint.used = spawnPoint.taking = 1;
    spawnPoint.restTimer = 15.0f;
    if (spawnPoint.owner)
        if (Component* sprite = spawnPoint.owner->GetComponent(CT_Sprite)) sprite->active = 1;
}

bool SpawnPointReady(const VXSpPointComponent& spawnPoint) {
    return spawnPoint.used == 0;
}

void UpdatePaintBars(const std::vector<GameLevelInitObject>&) {}
void BindPaintBars(GameObject*, GameObject*, GameObject*, GameObject*) {}
void SetPortraitState(GameObject*, GameObject*) {}

// Without the HUD's bars: the team's share of the paintable floor, in whole
// percent.
int ReadObjectTextNumber(const std::string& name) {
    const int team = name == "BlueBar" ? 0 : name == "RedBar" ? 1 : -1;
    if (team < 0 || g_paintableCells <= 0) return 0;
    return VXPaintMap::TeamTileCount[team] * 100 / g_paintableCells;
}

void SetCaptureArea(VXFlagCom& flag, float, float, float, float, int32_t tileSet, SoundMap* sounds,
                    int32_t, int32_t) {
    flag.shapeIndex = tileSet;
    flag.soundMap = sounds;
}

void AddPlayer(VXFlagCom& flag, GameObject* player) {
    if (player) flag.playersOnFlag.emplace(player->g_name, player);
}

void RemovePlayer(VXFlagCom& flag, GameObject* player) {
    if (player) flag.playersOnFlag.erase(player->g_name);
}

}  // namespace MatchPending
}  // namespace FrameWork
