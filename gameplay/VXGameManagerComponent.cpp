#include "gameplay/VXGameManagerComponent.h"

#include "core/GameState.h"
#include "core/VXFrameContext.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

GameObject* g_painterObject = nullptr;

namespace {

constexpr float kRebalanceSeconds = 30.0f;

void SetSpeedFactor(GameObject* side, float factor) {
    if (VXRigidBody* body = BodyOf(side)) body->speedFactor = factor;
}

void MarkLeader(GameObject* side, uint32_t frame) {
    if (VXSpriteComponent* marker = SpriteOf(side ? side->follower : nullptr))
        marker->SetFrame(frame);
}

}  // namespace

void SetGameManagerObject(GameObject* painter) {
    g_painterObject = painter;
    if (painter) painter->SetActive(0);
}

void VXGameManagerComponent::SetSides(GameObject* a, GameObject* b) {
    sideA = a;
    sideB = b;
    if (a) startAX = a->position[0], startAY = a->position[1];
    if (b) startBX = b->position[0], startBY = b->position[1];
}

void VXGameManagerComponent::Update(float dt) {
    if (FrameContext().currentState == GameState::LevelEditor) return;
    if (rebalanceTimer <= kRebalanceSeconds) rebalanceTimer += dt;
    if (rebalanceTimer >= kRebalanceSeconds) {
        rebalanceDue = 1;
        rebalanceTimer = 0.0f;
    }
    if (rebalanceDue) Rebalance();

    VXPlayerLogic* a = LogicOf(sideA);
    VXPlayerLogic* b = LogicOf(sideB);
    if (!a || !b || a->score == b->score) return;
    MarkLeader(sideA, a->score > b->score ? 1 : 0);
    MarkLeader(sideB, a->score > b->score ? 0 : 1);
}

void VXGameManagerComponent::Rebalance() {
    VXPlayerLogic* a = LogicOf(sideA);
    VXPlayerLogic* b = LogicOf(sideB);
    rebalanceDue = 0;
    if (!a || !b) return;
    const bool aAhead = a->score > b->score;
    SetSpeedFactor(aAhead ? sideB : sideA, 1.2f);
    SetSpeedFactor(aAhead ? sideA : sideB, 0.9f);
}

}  // namespace FrameWork
