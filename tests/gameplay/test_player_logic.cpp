// The player logic frame by frame on hand-built players.
#include <cmath>
#include <functional>

#include "tests/gameplay/GameplayTestSupport.h"

using namespace GameplayTest;

namespace {

class PlayerLogic : public ::testing::Test {
protected:
    void SetUp() override { StartMatchFrames(); }
    int FramesUntil(GameObject* p, const std::function<bool()>& done) {
        int n = 0;
        for (; !done() && n < 2000; ++n) Frame(p);
        return n;
    }
    Objects objects;
};

TEST_F(PlayerLogic, KeysAndStickTurnThrustAndDamp) {
    GameObject* p = objects.Player("Player1", GameObject::Knight);
    VXRigidBody* body = BodyOf(p);
    SpriteOf(p)->alpha = 0.0f;  // reset by a trap: no input until faded in
    Key('A', true);
    Frame(p, 64);
    EXPECT_NEAR(p->rotation[2], 9.0f, 3.1f);
    Key('A', false);
    Key('W', true);
    Frame(p, 30);
    EXPECT_EQ(body->damping, 0.99f);
    EXPECT_EQ(SpriteOf(p)->animation.currentRow, 1);
    EXPECT_NEAR(std::atan2(p->position[1], p->position[0]) * 57.29578f, p->rotation[2], 0.5);
    Key('W', false);
    Frame(p);
    EXPECT_EQ(body->damping, 0.7f);
    EXPECT_EQ(SpriteOf(p)->animation.currentRow, 0);
    // Forward and backward held: backward wins, damping untouched.
    Key('W', true);
    Key('S', true);
    p->Update(kFrame);
    EXPECT_EQ(body->damping, 0.7f);
    EXPECT_LT(body->AccumForce.x, 0.0f);

    LogicOf(p)->padIndex = 0;
    VXPadButtons& pad = VXInputManager::Instance()->pads[0].current.Gamepad;
    pad.sThumbLY = -16384;
    p->Update(kFrame);
    EXPECT_NEAR(p->rotation[2], 270.0f, 1e-3);
    EXPECT_NEAR(body->AccumForce.y, -200.0f, 0.1);
    EXPECT_EQ(body->damping, 0.99f);
    pad.sThumbLY = 0;
    LogicOf(p)->hitFlag = 1;
    p->Update(kFrame);
    EXPECT_EQ(body->damping, 0.99f) << "a knocked-back player keeps sliding";
    LogicOf(p)->hitFlag = 0;
    p->Update(kFrame);
    EXPECT_EQ(body->damping, 0.76f);
}

TEST_F(PlayerLogic, HitStunByKindBlocksInputAndShowsTheStatusSprite) {
    const float stun[][2] = {{8, 1.0f},  {6, 0.75f},   {7, 1.5f}, {15, 0.375f},
                             {18, 0.5f}, {19, 1.125f}, {11, 0.0f}};
    for (const auto& row : stun) {
        Objects local;
        GameObject* p = local.Player("Player1", GameObject::Pirate);
        VXSpriteComponent* status = SpriteOf(p->children[2]);
        LogicOf(p)->StartHitTimer(static_cast<int>(row[0]));
        Key('A', true);
        Frame(p);
        EXPECT_EQ(status->active, row[1] > 0.0f);
        EXPECT_EQ(status->animation.currentRow, row[1] > 0.0f ? 3 : 0);
        // Running L seconds plus one frame, and seen once more as it stops.
        const int n = FramesUntil(p, [&] { return !LogicOf(p)->IsTimerRunning(kTimerHit); });
        EXPECT_NEAR(n + 1, std::lround(row[1] * 60) + 2, 1) << "kind " << row[0];
        EXPECT_EQ(p->rotation[2], 0.0f);
        EXPECT_FALSE(status->active);
        Frame(p);
        Key('A', false);
        EXPECT_FLOAT_EQ(p->rotation[2], 3.0f);
    }
}

TEST_F(PlayerLogic, SkillsFireOncePerCooldownByCharacter) {
    // kind, cooldown, fires in the first frame (no ready test), key with a pad
    const float table[][4] = {{8, 10, 0, 1},  {6, 10, 1, 1}, {7, 10, 1, 1},
                              {15, 12, 0, 0}, {18, 7, 0, 0}, {19, 5, 0, 0}};
    for (const auto& row : table) {
        Objects local;
        GameObject* p = local.Player("Player1", static_cast<int>(row[0]));
        VXPlayerLogic* logic = LogicOf(p);
        auto press = [&] { Key('G', true), Frame(p), Key('G', false); };
        press();
        EXPECT_EQ(logic->skillInUse, row[2]) << "kind " << row[0];
        Frame(p, 2);
        logic->padIndex = 0;
        press();
        EXPECT_EQ(logic->skillInUse, row[3]) << "the key with a pad, kind " << row[0];
        VXInputManager::Instance()->pads[0].current.Gamepad.bLeftTrigger = 30;
        Frame(p);
        EXPECT_EQ(logic->skillInUse, row[3]) << "a trigger at 30 is released";
        VXInputManager::Instance()->pads[0].current.Gamepad.bLeftTrigger = 31;
        Frame(p);
        ASSERT_TRUE(logic->skillInUse);
        FramesUntil(p, [&] { return !logic->skillInUse; });
        Frame(p);
        VXInputManager::Instance()->pads[0].current.Gamepad.bLeftTrigger = 0;
        // A mine stun (152 frames) holds the cooldown where it stands.
        logic->StartTimer(kTimerMine);
        const float held = logic->skillTimer;
        Frame(p, 100);
        EXPECT_EQ(logic->skillTimer, held);
        const int n = FramesUntil(p, [&] { return !logic->skillInUse; });
        EXPECT_NEAR(n, row[1] * 60 + 52 + 1, 3) << "kind " << row[0];
    }
}

TEST_F(PlayerLogic, SpeedEffectsOfTwoAndATenthEndAfterThreeSeconds) {
    for (float factor : {2.0f, 0.1f, 1.99f, 0.11f, 1.2f, 0.9f}) {
        Objects local;
        GameObject* p = local.Player("Player1", GameObject::Viking);
        BodyOf(p)->speedFactor = factor;
        Frame(p, 170);
        EXPECT_EQ(BodyOf(p)->speedFactor, factor);
        Frame(p, 20);
        EXPECT_EQ(BodyOf(p)->speedFactor, factor == 2.0f || factor == 0.1f ? 1.0f : factor);
    }
}

TEST_F(PlayerLogic, KeyCodesOutsideTheKeyTableNeverPress) {
    GameObject* p = objects.Player("Player1", GameObject::Knight);
    LogicOf(p)->SetKeyBindings(-1, 256 + 'S', 256 + 'A', 100000, 0, 256 + 'G', -7);
    Key('A', true), Key('S', true), Key('G', true);
    Frame(p, 3);
    EXPECT_EQ(p->rotation[2], 0.0f);
    EXPECT_EQ(BodyOf(p)->Velocity.x, 0.0f);
    EXPECT_FALSE(LogicOf(p)->skillInUse);
}

TEST_F(PlayerLogic, SerialTableStaysUntilTheLastPlayerLogicGoes) {
    {
        Objects local;
        GameObject* a = local.Player("Player1", GameObject::Knight);
        local.Player("Player2", GameObject::Maid);
        EXPECT_FALSE(a->AddComponent(std::make_shared<VXPlayerLogic>(a, GameObject::Knight)));
        EXPECT_EQ(g_playerNumbers, (std::vector<int32_t>{1, 2, 3})) << "a refused duplicate went";
    }
    EXPECT_TRUE(g_playerNumbers.empty());
    EXPECT_EQ(g_playerSerialCounter, 0);
}

}  // namespace
