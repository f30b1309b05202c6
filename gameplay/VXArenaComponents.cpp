#include "gameplay/VXArenaComponents.h"

#include <algorithm>

#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

constexpr float kWarningSeconds = 10.0f;
constexpr float kRestSeconds = 15.0f;
constexpr int32_t kRefillFuel = 45;
constexpr int32_t kMaxFuel = 100;
constexpr float kSprungSeconds = 0.5f;

}  // namespace

void VXWallLogicCom::Update(float dt) {
    VXSpriteComponent* sprite = SpriteOf(owner);
    if (raised && lifeTimer > 0.0f) lifeTimer -= dt;
    // The warning shows only while the wall stands: once it falls nothing
    // may switch the falling row back, or the fall would never end.
    if (raised && lifeTimer >= 0.0f && lifeTimer <= kWarningSeconds && sprite) {
        PlayRow(sprite, 1);
        sprite->fadeStep = false;
    }
    if (hitPoints < 1 || lifeTimer <= 0.0f) {
        if (Component* box = owner ? owner->GetComponent(CT_OBB) : nullptr) box->active = 0;
        raised = 0;
        Lower();
    }
    if (sprite && sprite->playing && ShowsLastFrameOf(sprite, 0)) sprite->playing = false;
}

void VXWallLogicCom::Lower() {
    lowering = 1;
    VXSpriteComponent* sprite = SpriteOf(owner);
    if (sprite) {
        PlayRow(sprite, 2);
        sprite->fadeStep = false;
    }
    if (ShowsLastFrameOf(sprite, 2)) {
        if (owner) owner->SetActive(0);
        lowering = 0;
    }
}

void VXWallLogicCom::Init() {
    VXSpriteComponent* sprite = SpriteOf(owner);
    if (!sprite) return;
    PlayRow(sprite, 0);
    sprite->animation.currentFrame = 0;
    if (sprite->texture) sprite->SetFrame(0);
}

void VXSpPointComponent::Update(float dt) {
    VXSpriteComponent* sprite = SpriteOf(owner);
    if (sprite) {
        if (!used && !taking) {
            sprite->active = 1;
            PlayRow(sprite, 1);
        } else if (used && !taking) {
            sprite->active = 0;
        }
        if (taking) {
            if (TakeOneShotFinished(sprite, 0)) {
                sprite->active = 0;
                sprite->playing = true;
                taking = 0;
            } else {
                sprite->SetAnimation(0);
                sprite->playing = false;
                sprite->playOnce = true;
            }
        }
    } else {
        taking = 0;
    }
    if (used && restTimer >= 0.0f) restTimer -= dt;
    if (restTimer <= 0.0f) {
        used = 0;
        restTimer = -1.0f;
        if (sprite) sprite->active = 1;
    }
}

void VXSpPointComponent::Refill(GameObject* player) {
    if (VXPlayerLogic* logic = LogicOf(player)) {
        logic->paintFuel = std::min(logic->paintFuel + kRefillFuel, kMaxFuel);
        logic->refillCount += 10;
    }
    used = 1;
    taking = 1;
    restTimer = kRestSeconds;
    if (VXSpriteComponent* sprite = SpriteOf(owner)) sprite->active = 1;
}

void VXTrapComponent::Update(float dt) {
    VXSpriteComponent* sprite = SpriteOf(owner);
    auto* manager =
        gameManager
            ? static_cast<VXGameManagerComponent*>(gameManager->GetComponent(CT_GameManager))
            : nullptr;
    GameObject* const players[2] = {player1, player2};
    for (int side = 0; side < 2; ++side) {
        GameObject* player = players[side];
        VXRigidBody* body = BodyOf(player);
        VXAABB* box = owner ? owner->GetAABB() : nullptr;
        if (!body || !box ||
            !VXPhysicsManager::SweptAABB(box, Vec3(), player->GetAABB(), body->Velocity))
            continue;
        if (manager) {
            player->position[0] = side == 0 ? manager->startAX : manager->startBX;
            player->position[1] = side == 0 ? manager->startAY : manager->startBY;
        }
        if (VXSpriteComponent* look = SpriteOf(player)) look->alpha = 0.0f;
        body->Velocity = Vec3();
        body->Acceleration = Vec3();
        if (sprite) sprite->SetAnimation(1);
        animTimer = kSprungSeconds;
    }
    if (animTimer >= 0.0f) animTimer -= dt;
    if (animTimer <= 0.0f && sprite) sprite->SetAnimation(0);
}

void VXWallLogicCom::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXWallLogicCom");
    writer.StartArray();
    SetOneLine(writer, true);
    writer.Int(hitPoints);
    WriteNumber(writer, lifeTimer);
    SetOneLine(writer, false);
    writer.EndArray();
}

void VXSpPointComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXSpPointComponent");
    writer.StartArray();
    SetOneLine(writer, true);
    WriteNumber(writer, restTimer);
    writer.Int(savedInt);
    SetOneLine(writer, false);
    writer.EndArray();
}

void VXTrapComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXTrapComponent");
    writer.StartArray();
    writer.EndArray();
}

}  // namespace FrameWork
