// Mass, velocity, accumulated force, damping and speed factor of a game
// object, and the contact data the collision tests write into it.  The body
// does nothing in its own Update: the match levels integrate the registered
// bodies once a frame, and collision responses go through the impulse
// operations below.
#pragma once

#include <cstdint>
#include <string>

#include "objects/Component.h"
#include "physics/VXVec3.h"

namespace FrameWork {

class GameObject;

class VXRigidBody : public Component {
public:
    // mass 1, damping 0.99, inversemass 0.9, Position = the owner's position
    // (0 without an owner), contact normal (-1, 0, 0), speed factor 1.
    explicit VXRigidBody(GameObject* owner);

    // "VXRigidBody": [mass, damping, inversemass, "Acceleration", [x, y, z],
    // "Velocity", [...], "Position", [...], "AccumForce", [...]].
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    // Used by the impulses as 1 / mass.
    float mass = 1.0f;
    // Velocity factor of each integration step; every impulse resets it.
    float damping = 0.99f;
    // Factor of the accumulated force in the integration (kept apart from
    // 1 / mass on purpose).
    float inversemass = 0.9f;
    Vec3 Acceleration;
    // World units per second.
    Vec3 Velocity;
    // Copy of the owner's position, written by the integration.
    Vec3 Position;
    // Unit normal of the last contact.
    Vec3 contactNormal{-1.0f, 0.0f, 0.0f};
    // Force of the frame, cleared by every integration step.
    Vec3 AccumForce;
    // Signed overlap of the last contact.
    float penetrationDepth = 0.0f;
    // 1 when the last box contact was resolved on x, 0 on y.
    uint8_t contactOnX = 0;
    // Multiplies the position step (1.2 / 0.9 rebalance, 2.0 / 0.1 effects).
    float speedFactor = 1.0f;
    // 1.0 when this body lay on the +x (+y) side of the other box in the
    // last contact on that axis, else 0.0.
    float contactFlagX = 0.0f;
    float contactFlagY = 0.0f;
};

// Damping every impulse operation sets back.
constexpr float kImpulseDamping = 0.99f;
// Target speeds of Repel and RepelStrong.
constexpr float kRepelSpeed = 200.0f;
constexpr float kRepelStrongSpeed = 300.0f;

// The elastic impulse along `n` between a body of velocity `va` and mass
// `ma` and one of velocity `vb` whose inverse mass is `invMb` (1 for a
// virtual body): rv = vb - va; only when rv . n >= 0 (approaching, NaN
// included) j = -2 (rv . n) / (1/ma + invMb).  Answers whether it applied
// and writes j; it changes no velocity.
bool ContactImpulse(const Vec3& va, float ma, const Vec3& vb, float invMb, const Vec3& n, float& j);

// Knockback factor of the character kind whose projectile hit (6 Pirate 0.6,
// 7 Viking 1.4, 8 Knight 1.2, 15 Archer 0.5, 18 Samurai 1.0, 19 Maid 0.7);
// 1 for anything else.
float ProjectileKnockbackFactor(int characterKind);
// The factor for a projectile clone's name through g_clonedOwnerType, read
// without adding the name; an unknown name gives 1.
float ProjectileKnockbackFactor(const std::string& projectileName);

// Elastic bounce of two players that met: sets both players' hitFlag,
// resets both dampings, applies the impulse along a's contact normal and,
// when it applied, vibrates a's and then b's gamepad (left motor 1.0).
// Objects without a body or a player logic are left alone; a mass of 0 or
// below skips the impulse.
void ApplyKnockback(GameObject* a, GameObject* b);
// Bounce of a target hit by a projectile, scaled by the firing character's
// factor; no hit flag, no vibration.
void ApplyProjectileKnockback(GameObject* projectile, GameObject* target);
// Push a player back from what it touched at speed 200 (300), towards the
// side its contact flags give; vibrates its pad (left motor 0.5) when it
// applied.
void Repel(GameObject* o);
void RepelStrong(GameObject* o);
// out = v mirrored on the plane of normal n (a zero normal leaves v as it
// is); returns out.
Vec3& Reflect(Vec3& out, const Vec3& v, const Vec3& n);

}  // namespace FrameWork
