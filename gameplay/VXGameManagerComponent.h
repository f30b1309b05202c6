// Sits on the match level's "GameManager" object: watches the two human
// sides, marks the one with the higher score as the leader, every 30 s
// speeds up the side behind (or level) and slows the leader, and keeps both
// sides' start positions for the traps.
#pragma once

#include <cstdint>

#include "objects/Component.h"

namespace FrameWork {

class GameObject;

// Writes no block: the level adds it by code.
class VXGameManagerComponent : public Component {
public:
    explicit VXGameManagerComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}
    // Nothing in the level editor.
    void Update(float dt) override;
    void Disable() override { active = 0; }

    // The compared sides and their positions now, as their start positions.
    void SetSides(GameObject* a, GameObject* b);
    // Speed factor 1.2 for the side behind (sideA on a tie), 0.9 for the other.
    void Rebalance();

    GameObject* sideA = nullptr;
    GameObject* sideB = nullptr;
    float startAX = 0.0f;
    float startAY = 0.0f;
    float startBX = 0.0f;
    float startBY = 0.0f;
    float rebalanceTimer = 0.0f;
    uint8_t rebalanceDue = 0;
};

// The level's painter object ("Painter"), through which flags, block bombs
// and the mop paint; null until a level sets it.  Not owned.
extern GameObject* g_painterObject;
// Keeps `painter` as the painter object and deactivates it and its
// components (it stays in the level's lists, hidden).
void SetGameManagerObject(GameObject* painter);

}  // namespace FrameWork
