// The bullet component that ends a projectile's life, and the shoot-logic
// marker of shooters.
#pragma once

#include "objects/Component.h"

#include <cstdint>

namespace FrameWork {

class VXBulletComponent : public Component {
public:
    explicit VXBulletComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    int32_t savedInt = 3;
    float lifetime = 1000000000.0f;
    float savedNumber = 1.0f;
    int32_t state = 0;
    int32_t previousState = 0;
};

class VXShootLogicComponent : public Component {
public:
    explicit VXShootLogicComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // A marker only: frame messages do nothing.
    void HandleMessage(Message*) override {}
    void Update(float) override {}

    int32_t savedInt = 100;
    float savedNumber = 5.0f;
    uint8_t savedFlag = 1;
};

}  // namespace FrameWork
