// The per-player brain of a playable character: its saved attack numbers,
// paint fuel, score, key bindings, pad, action timers and team.
#pragma once

#include "objects/Component.h"

#include <array>
#include <cstdint>
#include <vector>

namespace FrameWork {

class GameObject;

struct ActionTimer {
    float length = 0.0f;
    float timeLeft = 0.0f;
    uint8_t running = 0;
    int32_t id = 0;
};

// Construction serial numbers: each player logic takes the counter, raises
// it and appends the raised value; any destruction resets both.
extern int32_t g_playerSerialCounter;
extern std::vector<int32_t> g_playerNumbers;

class VXPlayerLogic : public Component {
public:
    VXPlayerLogic(GameObject* owner, int32_t kind);
    ~VXPlayerLogic() override;

    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    void SetForceToAdd(float x, float y);
    void SetKeyBindings(int32_t k0, int32_t k1, int32_t k2, int32_t k3, int32_t k4, int32_t k5,
                        int32_t k6);

    int32_t characterKind;
    float lightAttackDuration = 0.5f;
    float mediumAttackDuration = 1.5f;
    float heavyAttackDuration = 3.0f;
    float delayDuration = 0.0f;
    std::vector<GameObject*> clonedObjects;
    uint8_t spareFlag = 0;
    int32_t paintFuel = 0;
    float savedNumber1 = 5.0f;
    float savedNumber2 = 0.0f;
    uint8_t canBeHit = 1;
    int32_t score = 0;
    float savedNumber3 = 0.0f;
    float attackCooldown = 0.0f;
    float skillTimer = 0.0f;
    uint8_t mayPaint = 1;
    uint8_t skillInUse = 0;
    float forceToAdd[2] = {0.0f, 0.0f};
    int32_t team = 0;
    int32_t spareInt = 100;
    int32_t refillCount = 10;
    std::array<int32_t, 7> keys{};
    int32_t padIndex = 4;
    std::vector<ActionTimer> actionTimers;
    uint8_t hitFlag = 0;
    float hitFlagTimer = 0.0f;
    float moveForce = 0.0f;
    int32_t serial = 0;
};

}  // namespace FrameWork
