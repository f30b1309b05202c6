// The skill driver: what the placed skill objects do every frame.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/VXFrameContext.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXKnockback.h"
#include "gameplay/VXLevelObjectRecord.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXSkillParts.h"
#include "gameplay/VXSkills.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

constexpr float kBleedTick = 1.0f;
constexpr int32_t kBleedFuel = 3;
constexpr float kWaveFade = 0.05f;

VXOBB* ObbOf(const GameObject* object) {
    return object ? static_cast<VXOBB*>(object->GetComponent(CT_OBB)) : nullptr;
}
VXAABB* AabbOf(const GameObject* object) {
    return object ? object->GetAABB() : nullptr;
}

void Burst(GameObject* object) {
    auto* emitter = object
                        ? static_cast<VXParticleEmitter*>(object->GetComponent(CT_ParticleEmitter))
                        : nullptr;
    if (emitter) emitter->Emit();
}

// The box the one-sided response pushes against: the oriented box's
// axis-aligned bounds.
void BoundsOf(const VXOBB& box, VXAABB& bounds) {
    if (box.OBB_Vertices.empty()) return;
    float minX = box.OBB_Vertices[0].x, maxX = minX;
    float minY = box.OBB_Vertices[0].y, maxY = minY;
    for (const Vec3& v : box.OBB_Vertices) {
        minX = std::min(minX, v.x);
        maxX = std::max(maxX, v.x);
        minY = std::min(minY, v.y);
        maxY = std::max(maxY, v.y);
    }
    bounds.MoveTo((minX + maxX) * 0.5f, (minY + maxY) * 0.5f);
    bounds.SetHalfExtents((maxX - minX) * 0.5f, (maxY - minY) * 0.5f);
}

// Ends every object of that exact name whose box meets the wall.
void StopShotsNamed(VXObjectManager* objects, const char* name, VXOBB* wallBox) {
    if (!objects) return;
    for (GameObject* object : objects->objects)
        if (object && object->g_name == name &&
            VXPhysicsManager::CollideAABBOBB(AabbOf(object), wallBox))
            object->SetActive(0);
}

// Player1 bounces off a wall once per contact; answers whether the wall
// touches it.
bool ReflectOffWall(GameObject* player, VXOBB* wallBox) {
    VXAABB* box = AabbOf(player);
    VXRigidBody* body = BodyOf(player);
    if (!box || !body || !VXPhysicsManager::CollideAABBOBB(box, wallBox) || wallBox->stateFlag != 1)
        return false;
    if (box->reflected) return true;
    const Vec3 n = body->contactNormal;
    const float length = Length(n);
    const Vec3 unit = length > 0.0f ? n * (1.0f / length) : Vec3();
    body->Velocity = body->Velocity - unit * (2.0f * Dot(body->Velocity, unit));
    box->reflected = 1;
    return true;
}

// Player2 is pushed out of a wall and repelled.
void PushOutOfWall(GameObject* player, VXOBB* wallBox) {
    VXAABB* box = AabbOf(player);
    if (!box || !VXPhysicsManager::CollideAABBOBB(box, wallBox) || wallBox->stateFlag != 1) return;
    VXAABB bounds(nullptr, nullptr, 0.0f, 0.0f);
    BoundsOf(*wallBox, bounds);
    VXPhysicsManager::ResolveBoxOverlapOneSided(box, &bounds);
    Repel(player);
}

void DriveWalls(VXLevelObjectRecord& record, const std::string& name, GameObject* caster) {
    GameObject* first = FindLevelPlayer("Player1");
    GameObject* second = FindLevelPlayer("Player2");
    const VXAABB* casterBox = AabbOf(caster);
    const bool wallsBlock = casterBox && casterBox->stateFlag != 1;
    // The bounce ends when no wall touches Player1 any more, not when one
    // of several walls does not.
    bool touching = false;
    const std::deque<GameObject*> walls = record.walls;
    for (GameObject* wall : walls) {
        VXOBB* wallBox = ObbOf(wall);
        if (!wallBox || !wallBox->active) continue;
        if (name == "Player2" && wallsBlock) {
            touching = ReflectOffWall(first, wallBox) || touching;
            StopShotsNamed(record.objectManager, "Lance_cloned", wallBox);
        }
        if (name == "Player1" && wallsBlock) {
            PushOutOfWall(second, wallBox);
            StopShotsNamed(record.objectManager, "CannonBall_cloned", wallBox);
        }
        if (!record.objectManager) continue;
        for (GameObject* object : record.objectManager->objects) {
            if (!object || !object->m_active || object->objectType != GameObject::Bullet ||
                object->g_name == "Lance_cloned")
                continue;
            bool hit = false;
            if (VXOBB* shot = ObbOf(object))
                hit = VXPhysicsManager::CollideOBB(shot, wallBox);
            else if (VXAABB* shot = AabbOf(object))
                hit = VXPhysicsManager::CollideAABBOBB(shot, wallBox);
            if (!hit) continue;
            Burst(wall);
            object->SetActive(0);
        }
    }
    if (name == "Player2" && wallsBlock && !touching)
        if (VXAABB* box = AabbOf(first)) box->reflected = 0;
}

void Explode(VXLevelObjectRecord& record, GameObject* mine, GameObject* victim) {
    PlaySkillCue("explode");
    if (VXSpriteComponent* sprite = SpriteOf(mine)) {
        sprite->SetAnimation(1);
        sprite->playing = false;
        sprite->playOnce = true;
    }
    Burst(mine);
    // A mine explodes once: its box stays out of play until it is laid again.
    if (VXAABB* box = AabbOf(mine)) box->active = 0;
    record.skillObjects.push_back(mine);
    RepelStrong(victim);
    if (VXPlayerLogic* logic = LogicOf(victim)) logic->StartTimer(kTimerMine);
}

bool SteppedOn(GameObject* player, GameObject* mine) {
    VXAABB* box = AabbOf(player);
    VXAABB* mineBox = AabbOf(mine);
    return box && mineBox && mineBox->active && VXPhysicsManager::CollideBoxOneSided(box, mineBox);
}

void DriveMines(VXLevelObjectRecord& record, GameObject* caster, GameObject* opponent) {
    const bool pirate = caster && caster->objectType == GameObject::Pirate;
    const bool opponentPirate = opponent && opponent->objectType == GameObject::Pirate;
    const std::deque<GameObject*> mines = record.mines;
    for (GameObject* mine : mines) {
        if (!AabbOf(mine)) continue;
        const VXMineCom* logic = mine->GetMine();
        if (pirate && !opponentPirate && logic && logic->armed) {
            // An armed mine waits for the opponent; without one it waits.
            if (opponent && SteppedOn(opponent, mine)) Explode(record, mine, opponent);
            continue;
        }
        if (caster && SteppedOn(caster, mine)) Explode(record, mine, caster);
    }

    std::vector<GameObject*>& exploded = record.skillObjects;
    for (size_t i = 0; i < exploded.size();) {
        GameObject* mine = exploded[i];
        VXSpriteComponent* sprite = SpriteOf(mine);
        if (!TakeOneShotFinished(sprite, 1)) {
            ++i;
            continue;
        }
        if (sprite) sprite->SetAnimation(0);
        if (mine) mine->SetActive(0);
        exploded.erase(exploded.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

GameObject* DriveWave(VXLevelObjectRecord& record) {
    GameObject* wave =
        record.objectManager ? record.objectManager->FindObject("BleedPrj") : nullptr;
    VXRigidBody* body = BodyOf(wave);
    if (!body) return wave;
    if (const VXShapeInstancer* grid = g_currentInstancer) {
        const Vec3& p = body->Position;
        if (p.x < grid->firstTileX || p.x > grid->lastTileX || p.y > grid->firstTileY ||
            p.y < grid->lastTileY) {
            wave->SetActive(0);
            body->Velocity = Vec3(0.0f, 0.0f, 1.0f);
        }
    }
    StepBody(*body, FrameContext().frameTime);
    return wave;
}

void Bleed(VXLevelObjectRecord& record, GameObject* wave) {
    VXOBB* waveBox = ObbOf(wave);
    float& tick = record.spareNumber;  // the bleed tick, shared by all
    for (GameObject* target : VXGraphicsManager::Instance()->cameraTargets) {
        VXPlayerLogic* logic = LogicOf(target);
        if (!logic) continue;
        VXSpriteComponent* status = ChildSpriteOf(target, 2);
        if (target->objectType != GameObject::Samurai &&
            VXPhysicsManager::CollideAABBOBB(AabbOf(target), waveBox)) {
            logic->StartTimer(kTimerBleed);
            if (VXSpriteComponent* sprite = SpriteOf(wave)) sprite->alpha -= kWaveFade;
            if (status) {
                status->active = 1;
                PlayRow(status, 6);
                status->SetFPS(24);
                status->playOnce = true;
                status->SetFrame(0);
            }
        }
        if (!logic->IsTimerRunning(kTimerBleed)) continue;
        if (tick > 0.0f) {
            tick -= FrameContext().frameTime;
            continue;
        }
        if (status && TakeOneShotFinished(status)) {
            target->children[2]->scale[0] = target->children[2]->scale[1] = 1.2f;
            PlayRow(status, 5);
            status->SetFPS(14);
            status->SetFrame(0);
        }
        tick = kBleedTick;
        logic->paintFuel = std::max(logic->paintFuel - kBleedFuel, 0);
    }
}

void HideFinishedPopups(VXLevelObjectRecord& record) {
    const std::deque<GameObject*> popups = record.popups;
    for (GameObject* popup : popups)
        if (popup && TakeOneShotFinished(SpriteOf(popup))) popup->SetActive(0);
}

}  // namespace

void CastSkill(std::string name) {
    VXLevelObjectRecord* record = g_currentLevelObjects;
    if (!record) return;
    GameObject* caster = FindLevelPlayer(name);
    GameObject* opponent = OpponentOf(name);
    DriveWalls(*record, name, caster);
    DriveMines(*record, caster, opponent);
    GameObject* wave = DriveWave(*record);
    Bleed(*record, wave);
    HideFinishedPopups(*record);
}

}  // namespace FrameWork
