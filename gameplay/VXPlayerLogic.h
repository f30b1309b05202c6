// The per-player brain of a playable character: its saved attack numbers,
// paint fuel, score, key bindings, pad, action timers and team.  Each frame
// it turns keyboard or pad input into turning and thrust, runs the action
// timers and the status sprite, expires speed effects, fires the skill and
// lays the paint trail; the level asks it to fire projectiles.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "objects/Component.h"

namespace FrameWork {

class GameObject;

struct ActionTimer {
    float length = 0.0f;
    float timeLeft = 0.0f;
    uint8_t running = 0;
    int32_t id = 0;
};

// Construction serial numbers: each player logic takes the counter, raises
// it and appends the raised value.  The paint splat keeps each player's
// last painted tile in the list, by serial.  Both are reset when the last
// live player logic is destroyed (a level freeing its objects), never while
// another one still paints.
extern int32_t g_playerSerialCounter;
extern std::vector<int32_t> g_playerNumbers;

// Action timer ids.
enum ActionTimerId : int32_t {
    kTimerMark = 0,   // the Archer's mark: the trail paints for the other team
    kTimerMine = 1,   // mine stun
    kTimerBleed = 2,  // the Samurai's bleed
    kTimerHit = 3,    // hit stun
};

class VXObjectManager;

class VXPlayerLogic : public Component {
public:
    VXPlayerLogic(GameObject* owner, int32_t kind);
    ~VXPlayerLogic() override;

    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // The frame step; nothing in the level editor or while the owner is
    // borrowed as a painter (object type 17).
    void Update(float dt) override;

    void SetForceToAdd(float x, float y);
    void SetMoveForce(float x, float y) { SetForceToAdd(x, y); }
    // Forward, backward, turn left, turn right, fifth key, skill, seventh
    // key.  A code outside 0 to 255 never reads as pressed.
    void SetKeyBindings(int32_t k0, int32_t k1, int32_t k2, int32_t k3, int32_t k4, int32_t k5,
                        int32_t k6);

    // Keyboard (pad index 4 or more) or pad (0 to 3) movement.
    void HandleInput();
    void ReadPadMovement();
    // Each running timer loses the frame time while its time left is at
    // least 0, else it stops and is reloaded: a timer of length L runs for L
    // seconds plus one frame.
    void UpdateActionTimers();
    // Starts the hit stun (timer 3) with the length for the hitting
    // character's kind, restarting it when it runs.
    void StartHitTimer(int32_t kind);
    bool IsTimerRunning(int32_t id) const;
    // Sets `running` on every timer with that id (a running one keeps its
    // time left).
    void StartTimer(int32_t id);

    // Skill triggers by character: pad trigger or skill key, cooldown.
    void KnightSkillInput();
    void PirateSkillInput();
    void VikingSkillInput();
    void ArcherSkillInput();
    void SamuraiSkillInput();
    void MaidSkillInput();

    // Clones the character's projectile from `prefab` into the level's
    // object manager and sends it along the player's heading with its
    // lifetime and firing sound.  Nothing without a prefab or manager.
    void FireProjectile(GameObject* prefab, VXObjectManager** objectManager);

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

private:
    struct SkillRule;
    void SkillInput(const SkillRule& rule);
    bool Stunned() const { return IsTimerRunning(kTimerMine) || IsTimerRunning(kTimerHit); }
    void UpdateStatusSprite();
};

}  // namespace FrameWork
