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

}  // namespace FrameWork
