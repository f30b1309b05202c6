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

// The elastic impulse along `n` between a body of velocity `va` and mass
// `ma` and one of velocity `vb` whose inverse mass is `invMb` (1 for a
// virtual body): rv = vb - va; only when rv . n >= 0 (approaching, NaN
// included) j = -2 (rv . n) / (1/ma + invMb).  Answers whether it applied
// and writes j; it changes no velocity.
bool ContactImpulse(const Vec3& va, float ma, const Vec3& vb, float invMb, const Vec3& n, float& j);

// out = v mirrored on the plane of normal n (a zero normal leaves v as it
// is); returns out.
Vec3& Reflect(Vec3& out, const Vec3& v, const Vec3& n);

}  // namespace FrameWork
