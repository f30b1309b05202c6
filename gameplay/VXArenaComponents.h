// Walls raised for a while, spawn points that refill paint fuel, and traps
// that send a player back to the start.
#pragma once

#include <cstdint>

#include "objects/Component.h"

namespace FrameWork {

// Sprite rows: 0 standing, 1 warning (last 10 s), 2 falling.
class VXWallLogicCom : public Component {
public:
    explicit VXWallLogicCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // The life timer runs while raised; the wall falls when its time or its
    // hit points run out.
    void Update(float dt) override;
    // The standing row from its first frame.
    void Init() override;
    // The falling row; at its last frame the wall and its components are
    // deactivated.
    void Lower();

    int32_t hitPoints = 100;
    float lifeTimer = 20.0f;
    uint8_t raised = 0;
    uint8_t lowering = 0;
};

// Sprite rows: 1 ready, 0 taking.  Ready -> taking and used (15 s rest) ->
// used -> ready.
class VXSpPointComponent : public Component {
public:
    explicit VXSpPointComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    void Update(float dt) override;
    // Paint fuel +45 (at most 100) and the refill counter +10 for `player`,
    // then the point rests.  The level calls it for a ready point.
    void Refill(GameObject* player);

    float restTimer = 15.0f;
    int32_t savedInt = 0;
    uint8_t used = 0;
    uint8_t taking = 0;
};

// Sends a player that touches it back to its start (kept by the game
// manager), faded out and at rest.  Sprite rows: 0 idle, 1 sprung.
class VXTrapComponent : public Component {
public:
    explicit VXTrapComponent(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    void Update(float dt) override;

    GameObject* player1 = nullptr;
    GameObject* player2 = nullptr;
    GameObject* gameManager = nullptr;
    float animTimer = 0.0f;
};

}  // namespace FrameWork
