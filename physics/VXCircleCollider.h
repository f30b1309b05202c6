// Circle collider: a centre fixed where the owner stood at construction and
// a radius.  Nothing moves it afterwards.
#pragma once

#include "objects/Component.h"
#include "physics/VXVec3.h"

namespace FrameWork {

class GameObject;

class VXCircleCollider : public Component {
public:
    // Centre at the matrix translation (elements 3 and 7; the origin without
    // a matrix).
    VXCircleCollider(GameObject* owner, const float* worldMatrix, float radius);

    // "VXCircleCollider": ["centerPt", [x, y, z], radius].
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    Vec3 centerPt;
    float radius = 0.0f;
};

}  // namespace FrameWork
