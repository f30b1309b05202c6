#include "gameplay/VXProjectiles.h"

#include <cmath>

#include "core/VXFrameContext.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/ComponentType.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

// What each character's projectile does once fired.
struct ProjectileKind {
    int32_t kind;
    float lifetime;     // seconds
    const char* sound;  // firing sound of the level's sound map, or none
};

constexpr ProjectileKind kProjectileKinds[] = {
    {GameObject::Pirate, 0.6f, "pirate"},  {GameObject::Viking, 0.25f, "VikingFire"},
    {GameObject::Knight, 0.25f, "knight"}, {GameObject::Archer, 0.8f, "ArcherFire"},
    {GameObject::Samurai, 0.25f, nullptr}, {GameObject::Maid, 1.125f, nullptr},
};
constexpr float kProjectileSpeed = 800.0f;
// The lifetime of a projectile fired by anything else.
constexpr float kDefaultLifetime = 0.2f;
constexpr float kProjectileHalfSize = 25.0f;

const ProjectileKind* FindProjectileKind(int32_t kind) {
    for (const ProjectileKind& k : kProjectileKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

}  // namespace

void VXPlayerLogic::FireProjectile(GameObject* prefab, VXObjectManager** objectManager) {
    if (!prefab || !objectManager || !*objectManager) return;
    GameObject* clone = (*objectManager)->CloneObject(prefab);
    if (!clone) return;
    auto* bullet = static_cast<VXBulletComponent*>(clone->GetComponent(CT_Bullet));
    if (bullet) {
        bullet->state = 2;
        bullet->lifetime = kDefaultLifetime;
    }
    clone->SetActive(1);
    PlayRow(SpriteOf(clone), 0);
    if (VXAABB* box = clone->GetAABB())
        box->SetHalfExtents(kProjectileHalfSize, kProjectileHalfSize);

    const ProjectileKind* settings = FindProjectileKind(characterKind);
    if (!settings) return;
    const float heading = owner ? owner->rotation[2] : 0.0f;
    clone->rotation[2] = heading;
    if (VXRigidBody* body = BodyOf(clone)) {
        const float theta = heading * 3.1415927f / 180.0f;
        body->Velocity =
            Vec3(kProjectileSpeed * std::cos(theta), kProjectileSpeed * std::sin(theta), 1.0f);
        body->damping = 1.0f;
    }
    if (bullet) bullet->lifetime = settings->lifetime;
    if (settings->sound) PlayInstancerCue(settings->sound);
}

void VXBulletComponent::Update(float) {
    previousState = state;
    if (state < 0 || state > 2) return;
    lifetime -= FrameContext().frameTime;
    if (lifetime <= 0.0f && owner) owner->SetActive(0);
}

void VXBulletComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXBulletComponent");
    writer.StartArray();
    writer.Int(savedInt);
    WriteNumber(writer, lifetime);
    WriteNumber(writer, savedNumber);
    writer.Int(state);
    writer.EndArray();
}

void VXShootLogicComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXShootLogicComponent");
    writer.Int(CT_ShootLogic);
}

}  // namespace FrameWork
