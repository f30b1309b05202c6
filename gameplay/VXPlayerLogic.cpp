#include "gameplay/VXPlayerLogic.h"

#include <cmath>

#include "core/GameState.h"
#include "core/VXFrameContext.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXSkills.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

int32_t g_playerSerialCounter = 0;
std::vector<int32_t> g_playerNumbers;

namespace {

// Player logics alive now; the serial table is reset when the last one goes.
int32_t g_livePlayerLogics = 0;

bool IsCharacterKind(int32_t kind) {
    return kind == 6 || kind == 7 || kind == 8 || kind == 15 || kind == 18 || kind == 19;
}

// Keys by virtual-key code; a code outside 0 to 255 is never pressed.
bool KeyHeld(int32_t vk) {
    return IsKeyDown(vk);
}
bool KeyReleasedThisFrame(int32_t vk) {
    return vk >= 0 && vk < 256 && VXInputManager::Instance()->keys[vk] == 0xFF;
}
bool HasPad(int32_t pad) {
    return pad >= 0 && pad <= 3;
}

// Walking (row 1) or standing (row 0) at 15 frames a second.
void ShowMovement(VXSpriteComponent* sprite, int row) {
    if (!sprite) return;
    sprite->SetFPS(15);
    sprite->SetAnimation(row);
}

// The object's sprite among its children (the status sprite is child 2, the
// Archer's cast sprite child 3).
VXSpriteComponent* ChildSprite(const GameObject* owner, size_t index) {
    if (!owner || index >= owner->children.size()) return nullptr;
    return SpriteOf(owner->children[index]);
}

// Seconds of hit stun a projectile of the character kind gives.
float HitStunLength(int32_t kind) {
    switch (kind) {
        case GameObject::Knight:
            return 1.0f;
        case GameObject::Pirate:
            return 0.75f;
        case GameObject::Viking:
            return 1.5f;
        case GameObject::Archer:
            return 0.375f;
        case GameObject::Samurai:
            return 0.5f;
        case GameObject::Maid:
            return 1.125f;
        default:
            return 0.0f;
    }
}

}  // namespace

struct VXPlayerLogic::SkillRule {
    void (*skill)(std::string);
    float cooldown;
    // The skill fires only once skillTimer has reached the cooldown.
    bool readyTest;
    // The skill key also counts for a player with a pad.
    bool keyWithPad;
};

VXPlayerLogic::VXPlayerLogic(GameObject* o, int32_t kind) : Component(o), characterKind(kind) {
    // Archer's mark, mine stun, bleed, hit stun.
    actionTimers = {{6.0f, 6.0f, 0, 0}, {2.5f, 2.5f, 0, 1}, {5.0f, 5.0f, 0, 2}, {4.0f, 4.0f, 0, 3}};
    moveForce = IsCharacterKind(kind) ? 400.0f : 0.0f;
    serial = g_playerSerialCounter;
    ++g_playerSerialCounter;
    g_playerNumbers.push_back(g_playerSerialCounter);
    ++g_livePlayerLogics;
}

VXPlayerLogic::~VXPlayerLogic() {
    // One player logic going (a duplicate refused by AddComponent, say) must
    // not take the other players' last painted tiles with it.
    if (--g_livePlayerLogics > 0) return;
    g_livePlayerLogics = 0;
    g_playerSerialCounter = 0;
    g_playerNumbers.clear();
}

void VXPlayerLogic::SetForceToAdd(float x, float y) {
    forceToAdd[0] = x;
    forceToAdd[1] = y;
}

void VXPlayerLogic::SetKeyBindings(int32_t k0, int32_t k1, int32_t k2, int32_t k3, int32_t k4,
                                   int32_t k5, int32_t k6) {
    keys = {k0, k1, k2, k3, k4, k5, k6};
}

void VXPlayerLogic::Update(float dt) {
    if (!owner || FrameContext().currentState == GameState::LevelEditor ||
        owner->objectType == kFlagPainterType)
        return;
    VXSpriteComponent* sprite = SpriteOf(owner);
    VXRigidBody* body = BodyOf(owner);

    if (hitFlag && hitFlagTimer <= 0.0f) hitFlagTimer = 3.0f;
    if (hitFlagTimer > 0.0f) hitFlagTimer -= dt;
    if (hitFlag && hitFlagTimer <= 0.0f) hitFlag = 0;

    // A player reset by a trap (alpha 0) takes no input while it fades in.
    const float alpha = sprite ? sprite->alpha : 1.0f;
    if (alpha >= 1.0f && !Stunned()) HandleInput();
    if (sprite && sprite->alpha < 1.0f) sprite->alpha += dt;

    // The 2.0 and 0.1 speed effects last heavyAttackDuration; the game
    // manager's factors stay.
    for (float effect : {2.0f, 0.1f}) {
        if (!body || body->speedFactor != effect) continue;
        heavyAttackDuration -= dt;
        if (heavyAttackDuration <= 0.0f) {
            heavyAttackDuration = 3.0f;
            body->speedFactor = 1.0f;
        }
    }

    if (attackCooldown > 0.0f) attackCooldown -= dt;

    if (!Stunned()) {
        switch (owner->objectType) {
            case GameObject::Knight:
                KnightSkillInput();
                break;
            case GameObject::Pirate:
                PirateSkillInput();
                break;
            case GameObject::Viking:
                VikingSkillInput();
                break;
            case GameObject::Archer:
                ArcherSkillInput();
                break;
            case GameObject::Samurai:
                SamuraiSkillInput();
                break;
            case GameObject::Maid:
                MaidSkillInput();
                break;
            default:
                break;
        }
    }

    if (paintFuel >= 1 && mayPaint && !Stunned()) VXPaintMap::Splat(owner);
    // Painting resumes one frame after a stun ends.
    mayPaint = Stunned() ? 0 : 1;

    CastSkill(owner->g_name);
    UpdateStatusSprite();
    UpdateActionTimers();
}

void VXPlayerLogic::UpdateStatusSprite() {
    VXSpriteComponent* status = ChildSprite(owner, 2);
    if (!status) return;
    // Whether the timer of that id runs with time left above 0 (or at most
    // 0): the last timer of the id counts, as in IsTimerRunning.
    auto runs = [this](int32_t id, bool timeLeft) {
        const ActionTimer* last = nullptr;
        for (const ActionTimer& t : actionTimers)
            if (t.id == id) last = &t;
        return last && last->running && (last->timeLeft > 0.0f) == timeLeft;
    };
    if (runs(kTimerMark, false)) {
        status->active = 0;
        for (ActionTimer& t : actionTimers)
            if (t.id == kTimerMark) t.running = 0;
    }
    if (runs(kTimerMine, true) || runs(kTimerHit, true)) {
        status->active = 1;
        PlayRow(status, 3);
        status->SetFPS(14);
        status->layer = 16;
    }
    if (runs(kTimerMine, false) || runs(kTimerHit, false)) status->active = 0;
    if (runs(kTimerBleed, false)) status->active = 0;
}

void VXPlayerLogic::UpdateActionTimers() {
    const float t = FrameContext().frameTime;
    for (ActionTimer& timer : actionTimers) {
        if (timer.running && timer.timeLeft >= 0.0f) {
            timer.timeLeft -= t;
        } else {
            timer.running = 0;
            timer.timeLeft = timer.length;
        }
    }
}

void VXPlayerLogic::StartHitTimer(int32_t kind) {
    for (ActionTimer& timer : actionTimers) {
        if (timer.id != kTimerHit) continue;
        timer.length = timer.timeLeft = HitStunLength(kind);
        timer.running = 1;
        return;
    }
}

bool VXPlayerLogic::IsTimerRunning(int32_t id) const {
    bool running = false;
    for (const ActionTimer& timer : actionTimers)
        if (timer.id == id) running = timer.running != 0;
    return running;
}

void VXPlayerLogic::StartTimer(int32_t id) {
    for (ActionTimer& timer : actionTimers)
        if (timer.id == id) timer.running = 1;
}

void VXPlayerLogic::HandleInput() {
    if (HasPad(padIndex)) {
        ReadPadMovement();
        return;
    }
    if (padIndex < 0 || FrameContext().inputBlocked) return;
    VXSpriteComponent* sprite = SpriteOf(owner);
    VXRigidBody* body = BodyOf(owner);

    if (KeyHeld(keys[2])) owner->rotation[2] += 3.0f;
    if (KeyHeld(keys[3])) owner->rotation[2] -= 3.0f;

    float fx = 0.0f, fy = 0.0f;
    if (KeyHeld(keys[1])) {
        RotateByDegrees(-100.0f, 0.0f, owner->rotation[2], fx, fy);
        if (body) body->AccumForce = Vec3(fx, fy, 1.0f);
        if (attackCooldown <= 0.0f) ShowMovement(sprite, 1);
    } else if (KeyHeld(keys[0])) {
        RotateByDegrees(forceToAdd[0], forceToAdd[1], owner->rotation[2], fx, fy);
        if (body) {
            body->damping = 0.99f;
            body->AccumForce = Vec3(fx, fy, 1.0f);
        }
        if (attackCooldown <= 0.0f) ShowMovement(sprite, 1);
    } else if (KeyReleasedThisFrame(keys[0])) {
        if (attackCooldown <= 0.0f) ShowMovement(sprite, 0);
        if (body) body->damping = 0.7f;
    }
}

void VXPlayerLogic::ReadPadMovement() {
    const VXStick stick = GetStick(padIndex);
    const float m = std::sqrt(stick.x * stick.x + stick.y * stick.y);
    float a = std::atan2(stick.y, stick.x) * 57.2957763671875f;
    if (a < 0.0f) a += 360.0f;
    if (stick.x != 0.0f || stick.y != 0.0f) owner->rotation[2] = a;

    VXRigidBody* body = BodyOf(owner);
    VXSpriteComponent* sprite = SpriteOf(owner);
    float fx = 0.0f, fy = 0.0f;
    RotateByDegrees(moveForce * m, 0.0f, owner->rotation[2], fx, fy);
    if (body) body->AccumForce = Vec3(fx, fy, 1.0f);

    if (stick.x == 0.0f && stick.y == 0.0f) {
        ShowMovement(sprite, 0);
        if (body && !hitFlag) body->damping = 0.76f;
    } else {
        if (attackCooldown <= 0.0f) ShowMovement(sprite, 1);
        if (body) body->damping = 0.99f;
        hitFlag = 0;
    }
}

void VXPlayerLogic::SkillInput(const SkillRule& rule) {
    const bool blocked = FrameContext().inputBlocked != 0;
    const bool pad = HasPad(padIndex);
    const bool trigger = pad && !blocked &&
                         GetGamepadState(padIndex).current.Gamepad.bLeftTrigger > kTriggerThreshold;
    const bool key = (rule.keyWithPad || !pad) && IsKeyTriggered(keys[5]);
    if ((trigger || key) && !skillInUse && (!rule.readyTest || skillTimer >= rule.cooldown)) {
        skillInUse = 1;
        rule.skill(owner->g_name);
    }
    if (skillInUse && skillTimer >= 0.0f) {
        skillTimer -= FrameContext().frameTime;
    } else {
        skillTimer = rule.cooldown;
        skillInUse = 0;
    }
}

void VXPlayerLogic::KnightSkillInput() {
    SkillInput({SkillWallBlock, 10.0f, true, true});
}
void VXPlayerLogic::PirateSkillInput() {
    SkillInput({SkillMines, 10.0f, false, true});
}
void VXPlayerLogic::VikingSkillInput() {
    SkillInput({SkillLockDown, 10.0f, false, true});
}
void VXPlayerLogic::SamuraiSkillInput() {
    SkillInput({SkillBleed, 7.0f, true, false});
}
void VXPlayerLogic::MaidSkillInput() {
    SkillInput({SkillMop, 5.0f, true, false});
}

void VXPlayerLogic::ArcherSkillInput() {
    SkillInput({SkillPaint, 12.0f, true, false});
    // The cast sprite hides once its one-shot animation has played.
    VXSpriteComponent* cast = ChildSprite(owner, 3);
    if (cast && TakeOneShotFinished(cast)) cast->active = 0;
}

void VXPlayerLogic::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXPlayerLogic");
    writer.StartArray();
    WriteNumber(writer, lightAttackDuration);
    WriteNumber(writer, mediumAttackDuration);
    WriteNumber(writer, heavyAttackDuration);
    WriteNumber(writer, delayDuration);
    if (clonedObjects.size() > 1) {
        writer.String("ClonedObj");
        writer.StartArray();
        for (GameObject* o : clonedObjects) writer.String(o ? o->g_name.c_str() : "");
        writer.EndArray();
    }
    writer.Int(paintFuel);
    WriteNumber(writer, savedNumber1);
    WriteNumber(writer, savedNumber2);
    writer.Bool(canBeHit != 0);
    writer.Int(score);
    WriteNumber(writer, savedNumber3);
    WriteNumber(writer, attackCooldown);
    writer.String("ForceToAdd");
    writer.StartArray();
    WriteNumber(writer, forceToAdd[0]);
    WriteNumber(writer, forceToAdd[1]);
    writer.EndArray();
    writer.String("PlayerKey");
    writer.StartArray();
    for (int32_t k : keys) writer.Int(k);
    writer.EndArray();
    writer.EndArray();
}

}  // namespace FrameWork
