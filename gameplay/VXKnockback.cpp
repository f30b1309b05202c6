#include "gameplay/VXKnockback.h"

#include "core/Message.h"
#include "core/VXGlobalTables.h"
#include "core/VXInputManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "objects/GameObject.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

VXRigidBody* BodyOf(GameObject* o) {
    return o ? static_cast<VXRigidBody*>(o->GetComponent(CT_RigidBody)) : nullptr;
}

VXPlayerLogic* LogicOf(GameObject* o) {
    return o ? static_cast<VXPlayerLogic*>(o->GetComponent(CT_PlayerLogic)) : nullptr;
}

bool UsableMass(float m) {
    return m > 0.0f;
}

void VibratePad(int pad, float left, float right) {
    VXInputManager::Instance()->Vibrate(pad, left, right);
}

// Sets both dampings back and, when both masses are usable and the bodies
// approach along a's contact normal, gives the impulse j.
bool PairImpulse(VXRigidBody& a, VXRigidBody& b, float& j) {
    a.damping = kImpulseDamping;
    b.damping = kImpulseDamping;
    if (!UsableMass(a.mass) || !UsableMass(b.mass)) return false;
    return ContactImpulse(a.Velocity, a.mass, b.Velocity, 1.0f / b.mass, a.contactNormal, j);
}

// Applies j (already scaled) along a's contact normal: a loses, b gains.
void ExchangeImpulse(VXRigidBody& a, VXRigidBody& b, float j) {
    const Vec3 n = a.contactNormal;
    a.Velocity -= n * (j / a.mass);
    b.Velocity += n * (j / b.mass);
}

// Repel and RepelStrong: push o's body towards the side its contact flags
// give, at `speed` on both axes, against a virtual body of mass 1.
void RepelAt(GameObject* o, float speed) {
    VXRigidBody* body = BodyOf(o);
    VXPlayerLogic* logic = LogicOf(o);
    if (!body || !logic) return;
    body->damping = kImpulseDamping;
    if (!UsableMass(body->mass)) return;
    const Vec3 target(body->contactFlagX == 0.0f ? -speed : speed,
                      body->contactFlagY == 0.0f ? -speed : speed, 0.0f);
    const Vec3 n = body->contactNormal;
    float j = 0.0f;
    if (!ContactImpulse(body->Velocity, body->mass, target, 1.0f, n, j)) return;
    body->Velocity -= n * (j / body->mass);
    VibratePad(logic->padIndex, 0.5f, 0.0f);
}

}  // namespace

float ProjectileKnockbackFactor(int characterKind) {
    const VXCharacter* character = FindCharacter(characterKind);
    return character ? character->knockback : 1.0f;
}

float ProjectileKnockbackFactor(const std::string& projectileName) {
    const auto found = g_clonedOwnerType.find(projectileName);
    return found == g_clonedOwnerType.end() ? 1.0f : ProjectileKnockbackFactor(found->second);
}

void ApplyKnockback(GameObject* a, GameObject* b) {
    VXRigidBody* ba = BodyOf(a);
    VXRigidBody* bb = BodyOf(b);
    VXPlayerLogic* la = LogicOf(a);
    VXPlayerLogic* lb = LogicOf(b);
    if (!ba || !bb || !la || !lb) return;
    la->hitFlag = 1;
    lb->hitFlag = 1;
    float j = 0.0f;
    if (!PairImpulse(*ba, *bb, j)) return;
    ExchangeImpulse(*ba, *bb, j);
    VibratePad(la->padIndex, 1.0f, 0.0f);
    VibratePad(lb->padIndex, 1.0f, 0.0f);
}

void ApplyProjectileKnockback(GameObject* projectile, GameObject* target) {
    VXRigidBody* bp = BodyOf(projectile);
    VXRigidBody* bt = BodyOf(target);
    if (!bp || !bt) return;
    float j = 0.0f;
    if (!PairImpulse(*bp, *bt, j)) return;
    ExchangeImpulse(*bp, *bt, j * ProjectileKnockbackFactor(projectile->g_name));
}

void Repel(GameObject* o) {
    RepelAt(o, kRepelSpeed);
}

void RepelStrong(GameObject* o) {
    RepelAt(o, kRepelStrongSpeed);
}

}  // namespace FrameWork
