// The bullet component that ends a projectile's life, and the shoot-logic
// marker of shooters.  Firing itself is the player logic's FireProjectile.
#pragma once

#include <cstdint>

#include "objects/Component.h"

namespace FrameWork {

class VXBulletComponent : public Component {
public:
    explicit VXBulletComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // In states 0 to 2 the lifetime runs down by the frame time; at its end
    // the projectile object and its components are deactivated (the object
    // stays in the level's list).
    void Update(float dt) override;

    int32_t savedInt = 3;
    float lifetime = 1000000000.0f;
    float savedNumber = 1.0f;
    int32_t state = 0;  // firing sets 2
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
