#include "physics/VXRigidBody.h"

#include "objects/GameObject.h"
#include "physics/VXPhysicsJson.h"

namespace FrameWork {

VXRigidBody::VXRigidBody(GameObject* owner) : Component(owner) {
    if (owner) Position = Vec3(owner->position[0], owner->position[1], 0.0f);
}

void VXRigidBody::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXRigidBody");
    writer.StartArray();
    WriteNumber(writer, mass);
    WriteNumber(writer, damping);
    WriteNumber(writer, inversemass);
    WriteLabelledTriple(writer, "Acceleration", Acceleration, true);
    WriteLabelledTriple(writer, "Velocity", Velocity, true);
    WriteLabelledTriple(writer, "Position", Position, true);
    WriteLabelledTriple(writer, "AccumForce", AccumForce, true);
    writer.EndArray();
}

// --- Impulses --------------------------------------------------------------------

bool ContactImpulse(const Vec3& va, float ma, const Vec3& vb, float invMb, const Vec3& n,
                    float& j) {
    const float vn = Dot(vb - va, n);
    if (vn < 0.0f) return false;  // moving apart (a NaN passes)
    j = -2.0f * vn / (1.0f / ma + invMb);
    return true;
}

Vec3& Reflect(Vec3& out, const Vec3& v, const Vec3& n) {
    const float len = Length(n);
    const Vec3 unit = len > 0.0f ? n * (1.0f / len) : Vec3();
    out = v - unit * (2.0f * Dot(v, unit));
    return out;
}

}  // namespace FrameWork
