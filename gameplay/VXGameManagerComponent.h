// Sits on the match level's "GameManager" object: watches the two human
// sides and keeps their start positions.
#pragma once

#include "objects/Component.h"

#include <cstdint>

namespace FrameWork {

// Writes no block: the level adds it by code.
class VXGameManagerComponent : public Component {
public:
    explicit VXGameManagerComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}

    GameObject* sideA = nullptr;
    GameObject* sideB = nullptr;
    float startAX = 0.0f;
    float startAY = 0.0f;
    float startBX = 0.0f;
    float startBY = 0.0f;
    float rebalanceTimer = 0.0f;
    uint8_t rebalanceDue = 0;
};

}  // namespace FrameWork
