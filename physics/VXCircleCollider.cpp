#include "physics/VXCircleCollider.h"

#include "physics/VXPhysicsJson.h"

namespace FrameWork {

VXCircleCollider::VXCircleCollider(GameObject* owner, const float* worldMatrix, float r)
    : Component(owner), radius(r) {
    if (worldMatrix) centerPt = Vec3(worldMatrix[3], worldMatrix[7], 0.0f);
}

void VXCircleCollider::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXCircleCollider");
    writer.StartArray();
    WriteLabelledTriple(writer, "centerPt", centerPt, false);
    WriteNumber(writer, radius);
    writer.EndArray();
}

}  // namespace FrameWork
