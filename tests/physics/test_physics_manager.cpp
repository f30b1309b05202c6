// The physics manager's lists, its per-frame move of the colliders and its
// and messages.
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"
#include "tests/support/Builders.h"

using namespace FrameWork;
using namespace TestHarness;

namespace {

class PhysicsManager : public ::testing::Test {
protected:
    void SetUp() override {
        physics = VXPhysicsManager::Instance();
        physics->Reset();
    }
    void TearDown() override { physics->Reset(); }

    void MoveTo(GameObject& o, float x, float y, float rz = 0.0f) {
        o.position[0] = x;
        o.position[1] = y;
        o.rotation[2] = rz;
        o.UpdateTransform();
    }

    VXPhysicsManager* physics = nullptr;
};

}  // namespace

TEST_F(PhysicsManager, RegisteringTheSameComponentTwiceKeepsOneEntry) {
    auto o = MakeObject("Crate", 0, 0);
    auto box = Attach<VXAABB>(*o, o->worldMatrix, 10.0f, 10.0f);
    auto other = std::make_shared<VXAABB>(o.get(), o->worldMatrix, 10.0f, 10.0f);
    auto obb = Attach<VXOBB>(*o, o->worldMatrix, 10.0f, 10.0f);
    auto circle = Attach<VXCircleCollider>(*o, o->worldMatrix, 5.0f);
    auto body = Attach<VXRigidBody>(*o);
    for (int i = 0; i < 2; ++i) {
        physics->RegisterAABB(box);
        physics->RegisterOBB(obb);
        physics->RegisterCircle(circle);
        physics->RegisterRigidBody(body);
    }
    physics->RegisterAABB(other);  // equal values, another component
    physics->RegisterAABB(nullptr);
    EXPECT_EQ(physics->aabbs, (std::vector<std::shared_ptr<VXAABB>>{box, other}));
    EXPECT_EQ(physics->obbs.size() + physics->circles.size() + physics->bodies.size(), 3u);
}

TEST_F(PhysicsManager, CollidersFollowTheirOwnersOnlyAfterThePhysicsUpdate) {
    auto o = MakeObject("Player1", 0, 0, 40.0f, 20.0f);
    auto box = Attach<VXAABB>(*o, o->worldMatrix, 40.0f, 20.0f);
    auto obb = Attach<VXOBB>(*o, o->worldMatrix, 40.0f, 20.0f);
    auto circle = Attach<VXCircleCollider>(*o, o->worldMatrix, 50.0f);
    auto body = Attach<VXRigidBody>(*o);
    physics->RegisterAABB(box);
    physics->RegisterOBB(obb);
    physics->RegisterCircle(circle);
    physics->RegisterRigidBody(body);

    // The owner moves during the level's update: the box is still where the
    // last physics update left it, so this frame's tests miss the move.
    MoveTo(*o, 100, 50, 90);
    ExpectVec(box->Min, -20, -10);
    auto probe = MakeObject("Probe", 100, 50);
    auto probeBox = Attach<VXAABB>(*probe, probe->worldMatrix, 2.0f, 2.0f);
    EXPECT_FALSE(VXPhysicsManager::CollideAABB(box.get(), probeBox.get()));

    physics->Update(1.0f / 60.0f);
    ExpectVec(box->Min, 80, 40);
    ExpectVec(box->Max, 120, 60);
    EXPECT_TRUE(VXPhysicsManager::CollideAABB(box.get(), probeBox.get()));
    ExpectVec(obb->OBB_Vertices[0], 90, 70);  // the oriented box takes the owner's rotation
    // Circles and bodies are left alone.
    ExpectVec(circle->centerPt, 0, 0);
    ExpectVec(body->Position, 0, 0);
}

TEST_F(PhysicsManager, InactiveCollidersKeepTheirLastPlace) {
    auto o = MakeObject("Wall", 0, 0);
    auto box = Attach<VXAABB>(*o, o->worldMatrix, 20.0f, 20.0f);
    box->Min.z = 3.0f;  // z members are never written by the move
    auto obb = Attach<VXOBB>(*o, o->worldMatrix, 20.0f, 20.0f);
    physics->RegisterAABB(box);
    physics->RegisterOBB(obb);
    MoveTo(*o, 30, 0);
    physics->Update(0.0f);
    ExpectVec(box->Min, 20, -10, 3);

    o->SetActive(0);
    MoveTo(*o, 500, 500, 45);
    physics->Update(0.0f);
    ExpectVec(box->Min, 20, -10, 3);
    ExpectVec(obb->originPt, 30, 0);

    // A destroyed owner leaves its colliders listed, inactive and unmoved.
    o.reset();
    physics->Update(0.0f);
    ASSERT_EQ(physics->aabbs.size(), 1u);
    EXPECT_EQ(physics->aabbs[0]->active, 0);
}

TEST_F(PhysicsManager, ResetReleasesEveryEntryAndKeepsTheBoxCapacity) {
    std::weak_ptr<VXAABB> watched;
    {
        auto o = MakeObject("Crate", 0, 0);
        auto box = Attach<VXAABB>(*o, o->worldMatrix, 10.0f, 10.0f);
        physics->RegisterAABB(box);
        physics->RegisterRigidBody(Attach<VXRigidBody>(*o));
        physics->RegisterOBB(Attach<VXOBB>(*o, o->worldMatrix, 10.0f, 10.0f));
        physics->RegisterCircle(Attach<VXCircleCollider>(*o, o->worldMatrix, 1.0f));
        watched = box;
    }
    // The list keeps the box alive after its owner is gone.
    ASSERT_FALSE(watched.expired());
    physics->Reset();
    EXPECT_TRUE(watched.expired());
    EXPECT_TRUE(physics->obbs.empty() && physics->circles.empty() && physics->bodies.empty());
    EXPECT_GE(physics->aabbs.capacity(), 10000u);
}
