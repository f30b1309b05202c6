// The frame of a match level and its hit effect.
#include <algorithm>

#include "core/VXFrameContext.h"
#include "core/VXGlobalTables.h"
#include "core/VXInputManager.h"
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameplayHUD.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXKnockback.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "levels/VXMatchLevels.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

// The live projectiles, in the order they are tested.
const char* const kProjectileNames[] = {"CannonBall_cloned", "Lance_cloned",  "Fist_cloned",
                                        "Arrow_cloned",      "Katana_cloned", "Mop_cloned"};

// Box test of a against b; false when either has no box.
bool Touch(GameObject* a, GameObject* b) {
    VXAABB* boxA = a ? a->GetAABB() : nullptr;
    VXAABB* boxB = b ? b->GetAABB() : nullptr;
    return boxA && boxB && VXPhysicsManager::CollideAABB(boxA, boxB);
}

// The character kind that fires a projectile of this name, or 0.
int32_t ShooterKind(const std::string& projectileName) {
    auto it = g_clonedOwnerType.find(projectileName);
    return it == g_clonedOwnerType.end() ? 0 : it->second;
}

float FireCooldownOf(int32_t kind) {
    switch (kind) {
        case GameObject::Viking:
        case GameObject::Maid:
            return 2.0f;
        case GameObject::Samurai:
            return 1.0f;
        default:
            return 1.5f;
    }
}

const char* HitCueOf(int32_t kind) {
    switch (kind) {
        case GameObject::Pirate:
            return "PirateHit";
        case GameObject::Viking:
            return "VikingHit";
        case GameObject::Knight:
            return "KnightHit";
        case GameObject::Archer:
            return "ArcherHit";
        case GameObject::Samurai:
            return "SamuraiHit";
        case GameObject::Maid:
            return "MaidHit";
        default:
            return nullptr;
    }
}

void Burst(GameObject* object) {
    if (!object) return;
    if (auto* emitter = static_cast<VXParticleEmitter*>(object->GetComponent(CT_ParticleEmitter)))
        emitter->Emit();
}

}  // namespace

void VXMatchLevel::Update() {
    if (!objectManager || !grid) return;
    VXFrameContext& frame = FrameContext();
    const float dt = frame.frameTime;

    if (!table.musicOnlyWhileActive || frame.active)
        if (SoundCue* bgm = Cue("bgm")) bgm->UpdateLoop();
    if (g_secondsLeft <= 10 && statics.warning) {
        if (SoundCue* warning = Cue("10SecLeft")) warning->Play();
        statics.warning = 0;
    }
    audio_->volume = frame.masterVolume;

    MoveProjectilePrefabs();
    VXGameplayHUD::SetPortraitState(players[0], players[1]);
    AssignPads();
    grid->WallHit(players[0], players[1], players[2], players[3]);
    TestProjectiles();
    SwitchWindowMode();
    FireFromPads();

    if (Touch(players[0], players[1])) {
        ApplyKnockback(players[0], players[1]);
        if (SoundCue* hurt = Cue("playerDam")) {
            hurt->channelPlaying = audio_->IsPlaying(hurt->index);
            if (!hurt->channelPlaying) hurt->Play();
        }
    }

    // Objects made during the step (clones) are first updated next frame;
    // one that leaves the list shortens the walk.
    const size_t count = objectManager->objects.size();
    for (size_t i = 0; i < count && i < objectManager->objects.size(); ++i) {
        if (g_matchOver) break;
        GameObject* object = objectManager->objects[i];
        if (object && object->m_active) object->Update(dt);
    }

    IntegrateBodies(dt);
    EndMatchWhenTimeIsUp();
    TestSpawnPoints();
    TestFlags();
}

void VXMatchLevel::MoveProjectilePrefabs() {
    for (GameObject* player : players) {
        if (!player) continue;
        auto it = statics.projectilePrefabs.find(player->objectType);
        if (it == statics.projectilePrefabs.end() || !it->second) continue;
        it->second->position[0] = player->position[0];
        it->second->position[1] = player->position[1];
        it->second->SetActive(0);
    }
}

void VXMatchLevel::TestProjectiles() {
    static const std::vector<GameObject*> kNoWalls;
    const std::vector<GameObject*>& walls =
        grid->objectLists.empty() ? kNoWalls : grid->objectLists.front();
    const size_t count = objectManager->objects.size();
    for (size_t i = 0; i < count && i < objectManager->objects.size(); ++i) {
        GameObject* object = objectManager->objects[i];
        if (!object || !object->m_active) continue;
        const char* const* name =
            std::find(std::begin(kProjectileNames), std::end(kProjectileNames), object->g_name);
        if (name == std::end(kProjectileNames)) continue;
        const int32_t shooter = ShooterKind(object->g_name);
        for (GameObject* player : playerList)
            if (player && player->objectType != shooter) PlayHitEffect(object, player);
        if (!object->m_active) continue;
        for (GameObject* wall : walls) {
            if (!wall || !wall->m_active || !Touch(object, wall)) continue;
            if (auto* bullet = static_cast<VXBulletComponent*>(object->GetComponent(CT_Bullet)))
                --bullet->savedInt;
            object->SetActive(0);
            break;
        }
    }
}

void VXMatchLevel::SwitchWindowMode() {
    if (IsKeyTriggered(Platform::VK::Return)) MakeBorderlessFullscreen();
    if (IsKeyTriggered(Platform::VK::Shift)) SetWindowed(1600, 900);
}

void VXMatchLevel::FireFromPads() {
    const VXFrameContext& frame = FrameContext();
    for (size_t k = 0; k < 2 && k < playerList.size() && k < input_->pads.size(); ++k) {
        if (frame.inputBlocked) continue;
        GameObject* player = playerList[k];
        VXPlayerLogic* logic = player ? player->GetPlayerLogic() : nullptr;
        if (!logic || logic->padIndex < 0 || logic->padIndex > 3 ||
            static_cast<size_t>(logic->padIndex) >= input_->pads.size())
            continue;
        const VXGamepad& pad = input_->pads[static_cast<size_t>(logic->padIndex)];
        if (!pad.connected || pad.current.Gamepad.bRightTrigger <= kTriggerThreshold) continue;
        if (logic->attackCooldown > 0.0f || logic->IsTimerRunning(kTimerMine) ||
            logic->IsTimerRunning(kTimerHit))
            continue;
        auto prefab = statics.projectilePrefabs.find(player->objectType);
        if (prefab == statics.projectilePrefabs.end() || !prefab->second) continue;

        logic->FireProjectile(prefab->second, &objectManager);
        if (VXSpriteComponent* sprite = SpriteOf(player)) {
            sprite->animation.ticksPerFrame = 7;
            sprite->animation.framesPerSecond = 8;
            sprite->SetAnimation(2);
        }
        logic->attackCooldown = FireCooldownOf(player->objectType);
    }
}

void VXMatchLevel::IntegrateBodies(float dt) {
    for (const auto& body : physics_->bodies)
        if (body && body->owner && body->owner->m_active) StepBody(*body, dt);
}

void VXMatchLevel::EndMatchWhenTimeIsUp() {
    if (g_secondsLeft > 0) return;
    audio_->StopChannel(0);
    const int blue = VXGameplayHUD::ReadTextNumber("BlueBar");
    const int red = VXGameplayHUD::ReadTextNumber("RedBar");
    g_matchOver = 1;
    g_winner = blue >= red ? 1 : 0;
}

void VXMatchLevel::TestSpawnPoints() {
    for (GameObject* point : spawnPoints) {
        VXSpPointComponent* spawn = point ? point->GetSpawnPoint() : nullptr;
        if (!spawn) continue;
        for (GameObject* player : {players[0], players[1]}) {
            if (!Touch(player, point) || spawn->used != 0) continue;
            if (SoundCue* pickup = Cue("PaintPickup")) pickup->Play();
            spawn->Refill(player);
            auto* emitter =
                static_cast<VXParticleEmitter*>(point->GetComponent(CT_ParticleEmitter));
            if (!emitter) continue;
            emitter->maxNumber = 50;
            emitter->emitAmount = 20;
            emitter->lifetime = 10.0f;
            emitter->scale = 35.0f;
            emitter->Emit();
        }
    }
}

void VXMatchLevel::TestFlags() {
    for (GameObject* object : flags) {
        VXFlagCom* flag = object ? object->GetFlag() : nullptr;
        if (!flag) continue;
        for (GameObject* player : playerList) {
            if (Touch(player, object))
                flag->AddPlayer(player);
            else
                flag->RemovePlayer(player);
        }
    }
}

void VXMatchLevel::PlayHitEffect(GameObject*& projectile, GameObject*& target) {
    if (!Touch(projectile, target)) return;
    VXPlayerLogic* logic = target->GetPlayerLogic();
    if (!logic || !logic->canBeHit) return;

    if (const char* cue = HitCueOf(target->objectType))
        if (SoundCue* hit = Cue(cue)) hit->Play();
    if (SoundCue* flyOff = Cue("MeeleFlyOff")) flyOff->Play();
    projectile->SetActive(0);
    ApplyProjectileKnockback(projectile, target);
    logic->StartTimer(kTimerHit);
    logic->StartHitTimer(ShooterKind(projectile->g_name));
    input_->Vibrate(logic->padIndex, 0.5f, 0.0f);

    GameObject* child = nullptr;
    if (table.hitChildBySecond)
        child = target->children.size() >= 2 ? target->children[1] : nullptr;
    else
        child = target->FindChild(target->GetTypeName() + "HitPE");
    Burst(child);
    Burst(target);
}

}  // namespace FrameWork
