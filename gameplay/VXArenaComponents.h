// Walls raised for a while, spawn points that refill paint fuel, and traps
// that send a player back to the start.
#pragma once

#include "objects/Component.h"

#include <cstdint>

namespace FrameWork {

class VXWallLogicCom : public Component {
public:
    explicit VXWallLogicCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    int32_t hitPoints = 100;
    float lifeTimer = 20.0f;
    uint8_t raised = 0;
    uint8_t lowering = 0;
};

class VXSpPointComponent : public Component {
public:
    explicit VXSpPointComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    float restTimer = 15.0f;
    int32_t savedInt = 0;
    uint8_t used = 0;
    uint8_t taking = 0;
};

class VXTrapComponent : public Component {
public:
    explicit VXTrapComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    GameObject* player1 = nullptr;
    GameObject* player2 = nullptr;
    GameObject* gameManager = nullptr;
    float animTimer = 0.0f;
};

}  // namespace FrameWork
