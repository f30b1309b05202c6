// Oriented-box collider: a box of the owner's size rotated with its owner.
// The physics manager rebuilds its corners and edge normals once a frame.
#pragma once

#include <cstdint>
#include <vector>

#include "objects/Component.h"
#include "physics/VXVec3.h"

namespace FrameWork {

class GameObject;

class VXOBB : public Component {
public:
    // Half extents scale / 2; corners unrotated around the matrix
    // translation (the owner's rotation comes with the first Update).
    VXOBB(GameObject* owner, const float* worldMatrix, float scaleX, float scaleY);

    // "VXOBB": [halfWidth, halfHeight, "OBB_Vertices", [12 numbers],
    // "OBB_Normal", [12 numbers], "originPt", [x, y, z], stateFlag].
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    // originPt := the matrix translation; corners rebuilt around it and
    // rotated by `rotationZDegrees`; normals rebuilt from the corners.
    void Update(const float* worldMatrix, float rotationZDegrees);
    // The per-frame step of every component stays callable; an oriented
    // box does nothing in it.
    using Component::Update;
    // Copies, for the separating-axis tests.
    std::vector<Vec3> GetVertices() const { return OBB_Vertices; }
    std::vector<Vec3> GetNormals() const { return OBB_Normal; }

    // The four corners (+x,+y), (-x,+y), (-x,-y), (+x,-y) around the matrix
    // translation (elements 3 and 7; the origin without a matrix).
    static std::vector<Vec3> BuildVertices(const float* worldMatrix, float halfWidth,
                                           float halfHeight);
    // Outward unit normal of each edge corner i -> corner i+1 (a zero edge
    // gives a zero normal).
    static std::vector<Vec3> BuildNormals(const std::vector<Vec3>& vertices);
    // Turns every corner about originPt by `degrees` (counter-clockwise).
    void RotateVertices(float degrees);

    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
    std::vector<Vec3> OBB_Vertices;
    std::vector<Vec3> OBB_Normal;
    // Centre of rotation.
    Vec3 originPt;
    // Set and compared by the skills; saved as the block's last value.
    int32_t stateFlag = 1;
};

}  // namespace FrameWork
