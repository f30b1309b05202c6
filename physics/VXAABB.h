// Axis-aligned box collider: a box of the owner's size, moved onto its
// owner's world matrix by the physics manager once a frame.
#pragma once

#include <cstdint>

#include "objects/Component.h"
#include "physics/VXVec3.h"

namespace FrameWork {

class GameObject;

class VXAABB : public Component {
public:
    // Half extents scale / 2, centre at the matrix translation (elements 3
    // and 7; the origin without a matrix), Min and Max around it.
    VXAABB(GameObject* owner, const float* worldMatrix, float scaleX, float scaleY);

    // "VXAABB": [halfWidth, halfHeight, "Min", [x, y, z], "Max", [x, y, z]].
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    // Centre := (cx, cy); Min and Max around it (their z members stay).
    void MoveTo(float cx, float cy);
    // New half extents; Min and Max are rebuilt around the current centre.
    void SetHalfExtents(float hw, float hh);

    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
    Vec3 Min;
    Vec3 Max;
    // The tests compare centres.
    float centre[2] = {0.0f, 0.0f};
    // Written and compared by the skills and the trap; never read here.
    int32_t stateFlag = 1;
    // Set by the skills while a reflection against a wall runs.
    uint8_t reflected = 0;
};

}  // namespace FrameWork
