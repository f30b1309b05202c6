#include "levels/VXMatchPending.h"

#include <algorithm>
#include <cmath>

#include "engine/VXAudioManager.h"
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXPaintMap.h"
#include "objects/GameObject.h"
#include "objects/VXObjectManager.h"
#include "physics/VXAABB.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {
namespace MatchPending {

namespace {
int32_t g_clock = 150;
int32_t g_paintableCells = 0;
SoundMap* g_flowSounds = nullptr;
SoundMap* g_currentSounds = nullptr;

void PlayCurrent(const char* name) {
    if (!g_currentSounds) return;
    auto it = g_currentSounds->find(name);
    if (it != g_currentSounds->end()) it->second.Play();
}
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
void SetCurrentSoundMap(SoundMap* sounds) {
    g_currentSounds = sounds;
}

void FireProjectile(VXPlayerLogic& logic, GameObject* prefab, VXObjectManager& objects) {
    GameObject* shooter = logic.owner;
    GameObject* shot = shooter ? objects.CloneObject(prefab) : nullptr;
    if (!shot) return;
    shot->SetActive(1);
    shot->rotation[2] = shooter->rotation[2];
    if (VXAABB* box = shot->GetAABB()) box->SetHalfExtents(25.0f, 25.0f);
    if (auto* body = static_cast<VXRigidBody*>(shot->GetComponent(CT_RigidBody))) {
        const float radians = shooter->rotation[2] * 3.14159265f / 180.0f;
        body->Velocity = Vec3(800.0f * std::cos(radians), 800.0f * std::sin(radians));
    }
    switch (shooter->objectType) {
        case GameObject::Knight:
            PlayCurrent("knight");
            break;
        case GameObject::Pirate:
            PlayCurrent("pirate");
            break;
        case GameObject::Viking:
            PlayCurrent("VikingFire");
            break;
        case GameObject::Archer:
            PlayCurrent("ArcherFire");
            break;
        default:
            break;
    }
}

void StartHitTimer(VXPlayerLogic& logic, int32_t shooterKind) {
    float length = 0.0f;
    switch (shooterKind) {
        case GameObject::Knight:
            length = 1.0f;
            break;
        case GameObject::Pirate:
            length = 0.75f;
            break;
        case GameObject::Viking:
            length = 1.5f;
            break;
        case GameObject::Archer:
            length = 0.375f;
            break;
        case GameObject::Samurai:
            length = 0.5f;
            break;
        case GameObject::Maid:
            length = 1.125f;
            break;
        default:
            break;
    }
    for (ActionTimer& timer : logic.actionTimers) {
        if (timer.id != 3) continue;
        timer.length = timer.timeLeft = length;
        timer.running = 1;
    }
}

float& FireCooldown(VXPlayerLogic& logic) {
    return logic.attackCooldown;
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
