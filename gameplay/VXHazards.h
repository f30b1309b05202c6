// Mines, the Maid's mop, chests and the enemy AI.
#pragma once

#include "objects/Component.h"

#include <cstdint>

namespace FrameWork {

class VXShapeInstancer;

// Saves nothing.
class VXMineCom : public Component {
public:
    explicit VXMineCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}

    uint8_t armed = 0;
    float armTimer = 3.0f;
};

// Saves nothing; the Maid's skill fills it.
class VXMopCom : public Component {
public:
    explicit VXMopCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}

    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    GameObject* painter = nullptr;
    int32_t team = 0;
    VXShapeInstancer* grid = nullptr;
    int32_t spareWord = 0;
    float lifeTimer = 0.0f;
};

class VXChestComponent : public Component {
public:
    explicit VXChestComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // Nothing happens per frame.
    void Update(float) override {}

    uint8_t flag = 0;
};

class EnemyAILogicCom : public Component {
public:
    explicit EnemyAILogicCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    GameObject* target1 = nullptr;
    GameObject* target2 = nullptr;
    GameObject* chased = nullptr;
    int32_t state = 0;  // 0 idle, 1 chase
};

}  // namespace FrameWork
