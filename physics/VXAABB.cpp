#include "physics/VXAABB.h"

#include "physics/VXPhysicsJson.h"

namespace FrameWork {

VXAABB::VXAABB(GameObject* owner, const float* worldMatrix, float scaleX, float scaleY)
    : Component(owner), halfWidth(scaleX / 2.0f), halfHeight(scaleY / 2.0f) {
    if (worldMatrix)
        MoveTo(worldMatrix[3], worldMatrix[7]);
    else
        MoveTo(0.0f, 0.0f);
}

void VXAABB::MoveTo(float cx, float cy) {
    centre[0] = cx;
    centre[1] = cy;
    Min.x = cx - halfWidth;
    Min.y = cy - halfHeight;
    Max.x = cx + halfWidth;
    Max.y = cy + halfHeight;
}

void VXAABB::SetHalfExtents(float hw, float hh) {
    halfWidth = hw;
    halfHeight = hh;
    MoveTo(centre[0], centre[1]);
}

void VXAABB::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXAABB");
    writer.StartArray();
    WriteNumber(writer, halfWidth);
    WriteNumber(writer, halfHeight);
    WriteLabelledTriple(writer, "Min", Min, true);
    WriteLabelledTriple(writer, "Max", Max, true);
    writer.EndArray();
}

}  // namespace FrameWork
