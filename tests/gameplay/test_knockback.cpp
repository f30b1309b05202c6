// Knockback between players, projectile knockback, repel and reflection,
// with the gamepad vibration they start.
#include <cmath>

#include "core/VXGlobalTables.h"
#include "core/VXInputManager.h"
#include "gameplay/VXKnockback.h"
#include "gameplay/VXPlayerLogic.h"
#include "physics/VXRigidBody.h"
#include "tests/support/Builders.h"

using namespace FrameWork;
using namespace TestHarness;

namespace {

class Knockback : public ::testing::Test {
protected:
    void SetUp() override {
        BuildClonedOwnerTypes();
        input = VXInputManager::Instance();
        for (auto& pad : input->pads) pad.vibration = VXPadVibration{};
    }

    // A player object with a body and, unless told otherwise, a player
    // logic on gamepad `pad`.
    std::shared_ptr<VXRigidBody> Player(std::unique_ptr<GameObject>& o, const std::string& name,
                                        int pad, bool logic = true) {
        o = MakeObject(name, 0, 0, 40, 40, 0, GameObject::Knight);
        auto body = Attach<VXRigidBody>(*o);
        if (logic) {
            auto l = std::make_shared<VXPlayerLogic>(o.get(), GameObject::Knight);
            l->padIndex = pad;
            o->AddComponent(l);
        }
        return body;
    }
    VXPlayerLogic* Logic(GameObject& o) {
        return static_cast<VXPlayerLogic*>(o.GetComponent(CT_PlayerLogic));
    }
    uint16_t LeftMotor(int pad) const { return input->pads[pad].vibration.wLeftMotorSpeed; }
    uint16_t RightMotor(int pad) const { return input->pads[pad].vibration.wRightMotorSpeed; }

    VXInputManager* input = nullptr;
};

}  // namespace

TEST_F(Knockback, PlayersMeetingBounceElasticallyAndBothPadsVibrate) {
    std::unique_ptr<GameObject> oa, ob;
    auto a = Player(oa, "Player1", 0);
    auto b = Player(ob, "Player2", 1);
    a->contactNormal = Vec3(1, 0, 0);  // a lies on the +x side of b
    b->Velocity = Vec3(100, 0, 0);
    a->damping = 0.76f;
    b->damping = 0.76f;
    ApplyKnockback(oa.get(), ob.get());
    ExpectVec(a->Velocity, 100, 0);
    ExpectVec(b->Velocity, 0, 0);
    EXPECT_FLOAT_EQ(b->damping, 0.99f);
    EXPECT_EQ(Logic(*oa)->hitFlag + Logic(*ob)->hitFlag, 2);
    EXPECT_EQ(LeftMotor(0), 65535);
    EXPECT_EQ(LeftMotor(1), 65535);
    EXPECT_EQ(LeftMotor(2), 0);
}

TEST_F(Knockback, PlayersMovingApartOnlyGetTheHitFlagAndDamping) {
    std::unique_ptr<GameObject> oa, ob;
    auto a = Player(oa, "Player1", 0);
    auto b = Player(ob, "Player2", 1);
    a->contactNormal = Vec3(1, 0, 0);
    b->Velocity = Vec3(-100, 0, 0);
    a->damping = 0.76f;
    ApplyKnockback(oa.get(), ob.get());
    ExpectVec(a->Velocity, 0, 0);
    ExpectVec(b->Velocity, -100, 0);
    EXPECT_FLOAT_EQ(a->damping, 0.99f);
    EXPECT_EQ(Logic(*oa)->hitFlag + Logic(*ob)->hitFlag, 2);
    EXPECT_EQ(LeftMotor(0) + LeftMotor(1), 0);
}

TEST_F(Knockback, KnockbackSkipsMissingPartsAndUnusableMasses) {
    std::unique_ptr<GameObject> oa, ob, oc;
    auto a = Player(oa, "Player1", 0);
    auto b = Player(ob, "Player2", 1, false);  // no player logic
    a->contactNormal = Vec3(1, 0, 0);
    b->Velocity = Vec3(100, 0, 0);
    ApplyKnockback(oa.get(), ob.get());
    ApplyKnockback(ob.get(), oa.get());
    ExpectVec(a->Velocity, 0, 0);
    ExpectVec(b->Velocity, 100, 0);
    EXPECT_EQ(Logic(*oa)->hitFlag, 0);
    EXPECT_EQ(LeftMotor(0), 0);

    oc = MakeObject("Ghost", 0, 0);  // neither body nor logic
    ApplyKnockback(oa.get(), oc.get());
    ApplyKnockback(nullptr, oa.get());
    ApplyProjectileKnockback(oc.get(), oa.get());
    Repel(oc.get());
    RepelStrong(nullptr);
    ExpectVec(a->Velocity, 0, 0);

    // A mass of 0 would divide by zero: the impulse is skipped.
    std::unique_ptr<GameObject> od;
    auto d = Player(od, "Player3", 2);
    d->mass = 0.0f;
    d->Velocity = Vec3(100, 0, 0);
    ApplyKnockback(oa.get(), od.get());
    ExpectVec(a->Velocity, 0, 0);
    ExpectVec(d->Velocity, 100, 0);
    EXPECT_EQ(LeftMotor(0) + LeftMotor(2), 0);
    d->mass = -1.0f;
    d->contactFlagX = 0.0f;
    Repel(od.get());
    ExpectVec(d->Velocity, 100, 0);
}

TEST_F(Knockback, ProjectileKnockbackScalesWithTheShootersCharacter) {
    const auto hit = [](const std::string& name) {
        std::unique_ptr<GameObject> op = MakeObject(name, 0, 0);
        std::unique_ptr<GameObject> ot = MakeObject("Player2", 30, 0);
        auto p = Attach<VXRigidBody>(*op);
        auto t = Attach<VXRigidBody>(*ot);
        p->contactNormal = Vec3(-1, 0, 0);  // the projectile is left of the target
        p->Velocity = Vec3(100, 0, 0);
        ApplyProjectileKnockback(op.get(), ot.get());
        EXPECT_FLOAT_EQ(t->damping, 0.99f);
        return std::make_pair(p->Velocity, t->Velocity);
    };
    const auto arrow = hit("Arrow_cloned");
    const auto katana = hit("Katana_cloned");
    ExpectVec(arrow.second, 50, 0);
    ExpectVec(arrow.first, 50, 0);
    ExpectVec(katana.second, 100, 0);
    ExpectVec(katana.first, 0, 0);
    EXPECT_EQ(LeftMotor(0), 0);  // no vibration

    // An unknown projectile uses factor 1 and is not added to the table.
    const size_t known = g_clonedOwnerType.size();
    ExpectVec(hit("Pebble_cloned").second, 100, 0);
    EXPECT_EQ(g_clonedOwnerType.size(), known);
}

TEST_F(Knockback, RepelPushesTowardsTheContactSideAndVibratesHalf) {
    std::unique_ptr<GameObject> o;
    auto body = Player(o, "Player1", 3);
    body->contactNormal = Vec3(-1, 0, 0);
    body->damping = 0.5f;
    Repel(o.get());
    ExpectVec(body->Velocity, -200, 0);
    EXPECT_FLOAT_EQ(body->damping, 0.99f);
    EXPECT_EQ(LeftMotor(3), 32767);
    EXPECT_EQ(RightMotor(3), 0);

    body->Velocity = Vec3();
    body->contactFlagX = 1.0f;
    body->contactFlagY = 1.0f;
    body->contactNormal = Vec3(0, 1, 0);
    RepelStrong(o.get());
    ExpectVec(body->Velocity, 0, 300);

    // Already moving away faster than the push: unchanged, no vibration.
    input->pads[3].vibration = VXPadVibration{};
    body->contactFlagX = 0.0f;
    body->contactNormal = Vec3(-1, 0, 0);
    body->Velocity = Vec3(-500, 0, 0);
    body->damping = 0.5f;
    Repel(o.get());
    ExpectVec(body->Velocity, -500, 0);
    EXPECT_FLOAT_EQ(body->damping, 0.99f);
    EXPECT_EQ(LeftMotor(3), 0);
}

TEST(Reflect, MirrorsOnTheNormalsPlane) {
    Vec3 out;
    ExpectVec(Reflect(out, Vec3(3, -4, 0), Vec3(0, 2, 0)), 3, 4);
    ExpectVec(out, 3, 4);
    ExpectVec(Reflect(out, Vec3(10, 0, 0), Vec3(-1, 1, 0)), 0, 10);
    ExpectVec(Reflect(out, Vec3(3, -4, 5), Vec3()), 3, -4, 5);
    Vec3 v(1, 2, 3);
    Reflect(v, v, Vec3(0, 0, 1));  // in place
    ExpectVec(v, 1, 2, -3);
}
