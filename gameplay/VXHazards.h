// Mines, the Maid's mop, chests and the enemy AI.
#pragma once

#include <cstdint>

#include "objects/Component.h"

namespace FrameWork {

class VXShapeInstancer;

// Saves nothing.  Armed by the Pirate's skill; disarms when the countdown
// ends.
class VXMineCom : public Component {
public:
    explicit VXMineCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}
    void Update(float dt) override;

    uint8_t armed = 0;
    float armTimer = 3.0f;
};

// Saves nothing; the Maid's skill fills it.  Each frame the mop moves its
// object and, through the borrowed painter object (as an eraser of the
// other team's paint), paints under its front corners and its centre; it
// ends when its time runs out or it leaves the arena bounds.
class VXMopCom : public Component {
public:
    explicit VXMopCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}
    void Update(float dt) override;

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
    // Rolls the flag: set for two values in five of Platform::Rand.
    void Init() override;

    uint8_t flag = 0;
};

// Steers its object toward whichever of its two targets comes within 1500;
// a chase lasts one frame unless both targets are within 100.
class EnemyAILogicCom : public Component {
public:
    explicit EnemyAILogicCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // Steps while both targets are set.
    void Update(float dt) override;
    void Step();

    GameObject* target1 = nullptr;
    GameObject* target2 = nullptr;
    GameObject* chased = nullptr;
    int32_t state = 0;  // 0 idle, 1 chase
};

}  // namespace FrameWork
