#include "physics/VXOBB.h"

#include "core/VXMath.h"
#include "physics/VXPhysicsJson.h"

namespace FrameWork {

VXOBB::VXOBB(GameObject* owner, const float* worldMatrix, float scaleX, float scaleY)
    : Component(owner), halfWidth(scaleX / 2.0f), halfHeight(scaleY / 2.0f) {
    OBB_Vertices = BuildVertices(worldMatrix, halfWidth, halfHeight);
    OBB_Normal = BuildNormals(OBB_Vertices);
    if (worldMatrix) originPt = Vec3(worldMatrix[3], worldMatrix[7], 0.0f);
}

std::vector<Vec3> VXOBB::BuildVertices(const float* worldMatrix, float hw, float hh) {
    const float tx = worldMatrix ? worldMatrix[3] : 0.0f;
    const float ty = worldMatrix ? worldMatrix[7] : 0.0f;
    return {Vec3(tx + hw, ty + hh), Vec3(tx - hw, ty + hh), Vec3(tx - hw, ty - hh),
            Vec3(tx + hw, ty - hh)};
}

std::vector<Vec3> VXOBB::BuildNormals(const std::vector<Vec3>& v) {
    std::vector<Vec3> normals;
    const size_t count = v.size();
    normals.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const Vec3 e = v[(i + 1) % count] - v[i];
        Vec3 n(e.y, -e.x, e.z);
        const float len = Length(n);
        if (len > 0.0f) n = n * (1.0f / len);
        normals.push_back(n);
    }
    return normals;
}

void VXOBB::RotateVertices(float degrees) {
    float r[9];
    Matrix3::SetRotationZ(r, degrees);
    for (Vec3& p : OBB_Vertices) {
        const Vec3 d = p - originPt;
        p = Vec3(r[0] * d.x + r[1] * d.y + r[2] * d.z, r[3] * d.x + r[4] * d.y + r[5] * d.z,
                 r[6] * d.x + r[7] * d.y + r[8] * d.z) +
            originPt;
    }
}

void VXOBB::Update(const float* worldMatrix, float rotationZDegrees) {
    originPt = worldMatrix ? Vec3(worldMatrix[3], worldMatrix[7], 0.0f) : Vec3();
    OBB_Vertices = BuildVertices(worldMatrix, halfWidth, halfHeight);
    RotateVertices(rotationZDegrees);
    OBB_Normal = BuildNormals(OBB_Vertices);
}

void VXOBB::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXOBB");
    writer.StartArray();
    WriteNumber(writer, halfWidth);
    SetOneLine(writer, true);
    WriteNumber(writer, halfHeight);
    SetOneLine(writer, false);
    writer.String("OBB_Vertices");
    WriteTripleRows(writer, OBB_Vertices);
    writer.String("OBB_Normal");
    WriteTripleRows(writer, OBB_Normal);
    writer.String("originPt");
    WriteTripleRows(writer, {originPt});
    writer.Int(stateFlag);
    writer.EndArray();
}

}  // namespace FrameWork
