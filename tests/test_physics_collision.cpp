// The collision tests: first the plain geometry functions, then the
// physics manager's tests with the contacts they write into rigid bodies.
#include "physics/VXAABB.h"
#include "physics/VXCollision.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"
#include "test_physics_support.h"

using namespace FrameWork;
using namespace PhysicsTest;

TEST(PhysicsGeometry, BoxOverlapNeedsAPositiveOverlapOnBothAxes) {
    // Centres 20 apart with half widths 10: touching, no contact.
    EXPECT_FALSE(OverlapBoxes({0, 0, 10, 10}, {20, 0, 10, 10}).hit);
    EXPECT_FALSE(OverlapBoxes({0, 0, 10, 10}, {-20, 0, 10, 10}).hit);
    EXPECT_FALSE(OverlapBoxes({0, 0, 10, 10}, {0, 20, 10, 10}).hit);
    EXPECT_FALSE(OverlapBoxes({0, 0, 10, 10}, {15, 30, 10, 10}).hit);
    EXPECT_TRUE(OverlapBoxes({0, 0, 10, 10}, {19.9f, 0, 10, 10}).hit);
}

TEST(PhysicsGeometry, BoxOverlapResolvesOnTheSmallerOverlapWithTiesToY) {
    BoxContact c = OverlapBoxes({15, 5, 10, 10}, {0, 0, 10, 10});
    ASSERT_TRUE(c.hit);
    EXPECT_TRUE(c.onX);
    EXPECT_FLOAT_EQ(c.sign, 1.0f);
    EXPECT_NEAR(c.overlap, 5.0f, 1e-5f);
    ExpectVec(c.Normal(), 1.0f, 0.0f);

    c = OverlapBoxes({5, -15, 10, 10}, {0, 0, 10, 10});
    ASSERT_TRUE(c.hit);
    EXPECT_FALSE(c.onX);
    EXPECT_FLOAT_EQ(c.sign, -1.0f);
    EXPECT_NEAR(c.overlap, 5.0f, 1e-5f);

    // Equal overlaps: y.
    c = OverlapBoxes({12, 12, 10, 10}, {0, 0, 10, 10});
    ASSERT_TRUE(c.hit);
    EXPECT_FALSE(c.onX);
    EXPECT_FLOAT_EQ(c.sign, 1.0f);
    EXPECT_NEAR(c.overlap, 8.0f, 1e-5f);

    // Same centre: resolved on y with the sign of a zero difference, -1.
    c = OverlapBoxes({0, 0, 10, 10}, {0, 0, 10, 10});
    ASSERT_TRUE(c.hit);
    EXPECT_FALSE(c.onX);
    EXPECT_FLOAT_EQ(c.sign, -1.0f);
}

TEST(PhysicsGeometry, BoxesMeetCountsASharedEdgeOrCorner) {
    const Vec3 aMin(0, 0), aMax(10, 10);
    EXPECT_TRUE(BoxesMeet(aMin, aMax, Vec3(10, 0), Vec3(20, 10)));   // shared edge
    EXPECT_TRUE(BoxesMeet(aMin, aMax, Vec3(10, 10), Vec3(20, 20)));  // shared corner
    EXPECT_TRUE(BoxesMeet(aMin, aMax, Vec3(2, 2), Vec3(3, 3)));      // inside
    EXPECT_FALSE(BoxesMeet(aMin, aMax, Vec3(10.01f, 0), Vec3(20, 10)));
    EXPECT_FALSE(BoxesMeet(aMin, aMax, Vec3(0, -20), Vec3(10, -0.01f)));
}

TEST(PhysicsGeometry, SeparatingAxesPicksTheSmallestDepthOfTheRecordedAxes) {
    const auto a = VXOBB::BuildVertices(nullptr, 10, 10);
    const float at16[16] = {1, 0, 0, 16, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const auto b = VXOBB::BuildVertices(at16, 10, 10);
    const auto axes = VXOBB::BuildNormals(a);
    AxisContact c = SeparatingAxes(a, b, axes, VXOBB::BuildNormals(b));
    ASSERT_TRUE(c.hit);
    ExpectVec(c.axis, -1.0f, 0.0f);
    EXPECT_NEAR(c.depth, 4.0f, 1e-4f);

    // Equal depths keep the earlier axis.
    const float same[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    c = SeparatingAxes(a, VXOBB::BuildVertices(same, 10, 10), axes, axes);
    ASSERT_TRUE(c.hit);
    ExpectVec(c.axis, 0.0f, 1.0f);  // all four depths are 20: the first wins
    EXPECT_NEAR(c.depth, 20.0f, 1e-4f);

    // Touching separates.
    const float at20[16] = {1, 0, 0, 20, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_FALSE(SeparatingAxes(a, VXOBB::BuildVertices(at20, 10, 10), axes, axes).hit);
}

TEST(PhysicsGeometry, BoxCornersFollowTheOrientedBoxOrder) {
    const auto c = BoxCorners(Vec3(-5, -2, 1), Vec3(5, 2, 3), 5);
    ASSERT_EQ(c.size(), 4u);
    ExpectVec(c[0], 5, 2, 3);
    ExpectVec(c[1], -5, 2, 3);
    ExpectVec(c[2], -5, -2, 1);
    ExpectVec(c[3], 5, -2, 1);
}

namespace {

// Two objects with boxes and bodies, centres given.
struct BoxPair {
    std::unique_ptr<GameObject> oa, ob;
    std::shared_ptr<VXAABB> a, b;
    std::shared_ptr<VXRigidBody> ra, rb;

    BoxPair(float ax, float ay, float bx, float by, bool bodies = true) {
        oa = MakeObject("A", ax, ay);
        ob = MakeObject("B", bx, by);
        a = Attach<VXAABB>(*oa, oa->worldMatrix, 20.0f, 20.0f);
        b = Attach<VXAABB>(*ob, ob->worldMatrix, 20.0f, 20.0f);
        if (bodies) {
            ra = Attach<VXRigidBody>(*oa);
            rb = Attach<VXRigidBody>(*ob);
        }
    }
};

}  // namespace

TEST(PhysicsCollideAABB, WritesOppositeDepthsAndFlagsWithOneSharedNormal) {
    BoxPair p(15, 5, 0, 0);
    ASSERT_TRUE(VXPhysicsManager::CollideAABB(p.a.get(), p.b.get()));
    EXPECT_NEAR(p.ra->penetrationDepth, 5.0f, 1e-5f);
    EXPECT_FLOAT_EQ(p.ra->contactFlagX, 1.0f);
    ExpectVec(p.ra->contactNormal, 1, 0);
    EXPECT_EQ(p.ra->contactOnX, 1);
    EXPECT_NEAR(p.rb->penetrationDepth, -5.0f, 1e-5f);
    EXPECT_FLOAT_EQ(p.rb->contactFlagX, 0.0f);
    ExpectVec(p.rb->contactNormal, 1, 0);
    EXPECT_EQ(p.rb->contactOnX, 1);

    // Mirrored: a on the -x side.
    BoxPair m(-15, 5, 0, 0);
    ASSERT_TRUE(VXPhysicsManager::CollideAABB(m.a.get(), m.b.get()));
    EXPECT_NEAR(m.ra->penetrationDepth, -5.0f, 1e-5f);
    EXPECT_FLOAT_EQ(m.ra->contactFlagX, 0.0f);
    EXPECT_NEAR(m.rb->penetrationDepth, 5.0f, 1e-5f);
    EXPECT_FLOAT_EQ(m.rb->contactFlagX, 1.0f);
    ExpectVec(m.ra->contactNormal, -1, 0);
    ExpectVec(m.rb->contactNormal, -1, 0);
}

TEST(PhysicsCollideAABB, ResolvesOnYWritingTheYFlagOnly) {
    BoxPair p(2, -12, 0, 0);  // ox 18, oy 8
    p.ra->contactFlagX = 0.5f;
    ASSERT_TRUE(VXPhysicsManager::CollideAABB(p.a.get(), p.b.get()));
    ExpectVec(p.ra->contactNormal, 0, -1);
    EXPECT_EQ(p.ra->contactOnX, 0);
    EXPECT_NEAR(p.ra->penetrationDepth, -8.0f, 1e-5f);
    EXPECT_FLOAT_EQ(p.ra->contactFlagY, 0.0f);
    EXPECT_FLOAT_EQ(p.ra->contactFlagX, 0.5f);  // untouched
    EXPECT_NEAR(p.rb->penetrationDepth, 8.0f, 1e-5f);
    EXPECT_FLOAT_EQ(p.rb->contactFlagY, 1.0f);

    BoxPair tie(12, 12, 0, 0);
    ASSERT_TRUE(VXPhysicsManager::CollideAABB(tie.a.get(), tie.b.get()));
    EXPECT_EQ(tie.ra->contactOnX, 0);
    ExpectVec(tie.ra->contactNormal, 0, 1);
}

TEST(PhysicsCollideAABB, TouchingInactiveOrBodilessBoxes) {
    BoxPair touching(20, 0, 0, 0);
    EXPECT_FALSE(VXPhysicsManager::CollideAABB(touching.a.get(), touching.b.get()));
    ExpectVec(touching.ra->contactNormal, -1, 0);  // nothing written
    EXPECT_FLOAT_EQ(touching.ra->penetrationDepth, 0.0f);

    BoxPair inactive(5, 0, 0, 0);
    inactive.b->active = 0;
    EXPECT_FALSE(VXPhysicsManager::CollideAABB(inactive.a.get(), inactive.b.get()));
    EXPECT_FALSE(VXPhysicsManager::CollideAABB(inactive.b.get(), inactive.a.get()));
    EXPECT_FALSE(VXPhysicsManager::CollideAABB(inactive.a.get(), nullptr));

    BoxPair bare(5, 0, 0, 0, false);
    EXPECT_TRUE(VXPhysicsManager::CollideAABB(bare.a.get(), bare.b.get()));
}

TEST(PhysicsCollideAABB, OneSidedVariantsWriteOnlyTheFirstBody) {
    BoxPair p(-15, 5, 0, 0);
    EXPECT_TRUE(VXPhysicsManager::CollideBoxOneSided(p.a.get(), p.b.get()));
    EXPECT_NEAR(p.ra->penetrationDepth, -5.0f, 1e-5f);
    ExpectVec(p.ra->contactNormal, -1, 0);
    EXPECT_EQ(p.ra->contactOnX, 1);
    EXPECT_FLOAT_EQ(p.ra->contactFlagX, 0.0f);
    EXPECT_FLOAT_EQ(p.rb->penetrationDepth, 0.0f);
    ExpectVec(p.rb->contactNormal, -1, 0);
    EXPECT_EQ(p.rb->contactOnX, 0);

    BoxPair q(3, 15, 0, 0);
    VXPhysicsManager::ResolveBoxOverlapOneSided(q.a.get(), q.b.get());
    EXPECT_NEAR(q.ra->penetrationDepth, 5.0f, 1e-5f);
    ExpectVec(q.ra->contactNormal, 0, 1);
    EXPECT_FLOAT_EQ(q.ra->contactFlagY, 1.0f);
    EXPECT_FLOAT_EQ(q.rb->penetrationDepth, 0.0f);
    EXPECT_FLOAT_EQ(q.rb->contactFlagY, 0.0f);

    BoxPair apart(30, 0, 0, 0);
    EXPECT_FALSE(VXPhysicsManager::CollideBoxOneSided(apart.a.get(), apart.b.get()));
    BoxPair bare(5, 0, 0, 0, false);
    EXPECT_TRUE(VXPhysicsManager::CollideBoxOneSided(bare.a.get(), bare.b.get()));
}

TEST(PhysicsSweptAABB, SharedEdgeCountsAndVelocitiesDoNotMatter) {
    BoxPair edge(20, 0, 0, 0);
    EXPECT_TRUE(VXPhysicsManager::SweptAABB(edge.a.get(), Vec3(), edge.b.get(), Vec3()));
    EXPECT_TRUE(
        VXPhysicsManager::SweptAABB(edge.a.get(), Vec3(500, 0), edge.b.get(), Vec3(-500, 0)));
    // Nothing is written.
    EXPECT_FLOAT_EQ(edge.ra->penetrationDepth, 0.0f);

    BoxPair apart(20.5f, 0, 0, 0);
    EXPECT_FALSE(VXPhysicsManager::SweptAABB(apart.a.get(), Vec3(-1000, 0), apart.b.get(), Vec3()));
    edge.a->active = 0;
    EXPECT_FALSE(VXPhysicsManager::SweptAABB(edge.a.get(), Vec3(), edge.b.get(), Vec3()));
}

namespace {

struct ObbPair {
    std::unique_ptr<GameObject> oa, ob;
    std::shared_ptr<VXOBB> a, b;
    std::shared_ptr<VXRigidBody> ra, rb;

    ObbPair(float bx, float by, float brz, bool bodies = true) {
        oa = MakeObject("A", 0, 0);
        ob = MakeObject("B", bx, by, 20.0f, 20.0f, brz);
        a = Attach<VXOBB>(*oa, oa->worldMatrix, 20.0f, 20.0f);
        b = Attach<VXOBB>(*ob, ob->worldMatrix, 20.0f, 20.0f);
        b->Update(ob->worldMatrix, ob->rotation[2]);
        if (bodies) {
            ra = Attach<VXRigidBody>(*oa);
            rb = Attach<VXRigidBody>(*ob);
        }
    }
};

}  // namespace

TEST(PhysicsCollideOBB, OverlapWritesTheSmallestDepthAxisOfAIntoB) {
    ObbPair p(16, 0, 0);
    ASSERT_TRUE(VXPhysicsManager::CollideOBB(p.a.get(), p.b.get()));
    ExpectVec(p.rb->contactNormal, -1, 0);
    EXPECT_NEAR(p.rb->penetrationDepth, 4.0f, 1e-4f);
    // a's body is not written.
    EXPECT_FLOAT_EQ(p.ra->penetrationDepth, 0.0f);

    ObbPair below(0, -17, 0);
    ASSERT_TRUE(VXPhysicsManager::CollideOBB(below.a.get(), below.b.get()));
    ExpectVec(below.rb->contactNormal, 0, 1);
    EXPECT_NEAR(below.rb->penetrationDepth, 3.0f, 1e-4f);
}

TEST(PhysicsCollideOBB, SeparationOnEitherBoxsAxesAndTouchingGiveNoContact) {
    ObbPair touching(20, 0, 0);
    EXPECT_FALSE(VXPhysicsManager::CollideOBB(touching.a.get(), touching.b.get()));
    EXPECT_FLOAT_EQ(touching.rb->penetrationDepth, 0.0f);

    // A diamond off a's corner: a's axes see overlap, the diamond's own
    // diagonal axes separate them (either order).
    ObbPair diamond(22, 22, 45);
    EXPECT_FALSE(VXPhysicsManager::CollideOBB(diamond.a.get(), diamond.b.get()));
    EXPECT_FALSE(VXPhysicsManager::CollideOBB(diamond.b.get(), diamond.a.get()));
    EXPECT_FLOAT_EQ(diamond.rb->penetrationDepth, 0.0f);

    // Closer in, the diamond's left corner (x = 20 - 14.14) enters a.
    ObbPair hit(20, 0, 45);
    ASSERT_TRUE(VXPhysicsManager::CollideOBB(hit.a.get(), hit.b.get()));
    ExpectVec(hit.rb->contactNormal, -1, 0, 0, 1e-4f);
    EXPECT_NEAR(hit.rb->penetrationDepth, 10.0f - (20.0f - 14.142136f), 1e-3f);
}

TEST(PhysicsCollideOBB, SeparationFoundOnlyOnTheSecondBoxsAxes) {
    // A small diamond (half size 5) right of a: its diagonal axes overlap a,
    // only a's x axis separates, and with a second that axis is only checked.
    auto oa = MakeObject("A", 0, 0);
    auto od = MakeObject("D", 18, 0, 10.0f, 10.0f, 45.0f);
    auto a = Attach<VXOBB>(*oa, oa->worldMatrix, 20.0f, 20.0f);
    auto d = Attach<VXOBB>(*od, od->worldMatrix, 10.0f, 10.0f);
    d->Update(od->worldMatrix, od->rotation[2]);
    auto ra = Attach<VXRigidBody>(*oa);
    EXPECT_FALSE(VXPhysicsManager::CollideOBB(d.get(), a.get()));
    EXPECT_FLOAT_EQ(ra->penetrationDepth, 0.0f);

    od->position[0] = 16;
    od->UpdateTransform();
    d->Update(od->worldMatrix, od->rotation[2]);
    ASSERT_TRUE(VXPhysicsManager::CollideOBB(d.get(), a.get()));
    // Recorded on the diamond's axes: (h, -h) and (h, h) tie, the first wins.
    const float h = 0.70710678f;
    ExpectVec(ra->contactNormal, h, -h);
    EXPECT_NEAR(ra->penetrationDepth, 5.0f + 10.0f / h - 16.0f * h, 1e-3f);
}

TEST(PhysicsCollideOBB, IgnoresActiveFlagsAndSkipsAMissingBody) {
    ObbPair p(16, 0, 0, false);
    p.a->active = 0;
    p.b->active = 0;
    EXPECT_TRUE(VXPhysicsManager::CollideOBB(p.a.get(), p.b.get()));
    EXPECT_FALSE(VXPhysicsManager::CollideOBB(nullptr, p.b.get()));
}

TEST(PhysicsCollideAABBOBB, RecordsOnTheOrientedBoxsAxesAndWritesTheBox) {
    auto oa = MakeObject("Wall", 0, 0);
    auto ob = MakeObject("Blade", 16, 0);
    auto box = Attach<VXAABB>(*oa, oa->worldMatrix, 20.0f, 20.0f);
    auto body = Attach<VXRigidBody>(*oa);
    auto obb = Attach<VXOBB>(*ob, ob->worldMatrix, 20.0f, 20.0f);
    auto obbBody = Attach<VXRigidBody>(*ob);
    ASSERT_TRUE(VXPhysicsManager::CollideAABBOBB(box.get(), obb.get()));
    ExpectVec(body->contactNormal, -1, 0);
    EXPECT_NEAR(body->penetrationDepth, 4.0f, 1e-4f);
    EXPECT_FLOAT_EQ(obbBody->penetrationDepth, 0.0f);

    obb->active = 0;
    EXPECT_FALSE(VXPhysicsManager::CollideAABBOBB(box.get(), obb.get()));
    obb->active = 1;
    box->active = 0;
    EXPECT_FALSE(VXPhysicsManager::CollideAABBOBB(box.get(), obb.get()));
    box->active = 1;

    // A box whose owner has no body still reports the contact.
    auto bare = MakeObject("Bare", 0, 0);
    auto bareBox = Attach<VXAABB>(*bare, bare->worldMatrix, 20.0f, 20.0f);
    EXPECT_TRUE(VXPhysicsManager::CollideAABBOBB(bareBox.get(), obb.get()));
}

TEST(PhysicsCollideAABBOBB, SeparationOnEitherShapesAxes) {
    auto oa = MakeObject("Wall", 0, 0);
    auto box = Attach<VXAABB>(*oa, oa->worldMatrix, 20.0f, 20.0f);
    auto body = Attach<VXRigidBody>(*oa);

    // Off the corner: the diamond's axes separate.
    auto ob = MakeObject("Big", 22, 22, 20.0f, 20.0f, 45.0f);
    auto big = Attach<VXOBB>(*ob, ob->worldMatrix, 20.0f, 20.0f);
    big->Update(ob->worldMatrix, ob->rotation[2]);
    EXPECT_FALSE(VXPhysicsManager::CollideAABBOBB(box.get(), big.get()));

    // Right of the box: only the box's own x axis separates.
    auto od = MakeObject("Small", 18, 0, 10.0f, 10.0f, 45.0f);
    auto small = Attach<VXOBB>(*od, od->worldMatrix, 10.0f, 10.0f);
    small->Update(od->worldMatrix, od->rotation[2]);
    EXPECT_FALSE(VXPhysicsManager::CollideAABBOBB(box.get(), small.get()));
    EXPECT_FLOAT_EQ(body->penetrationDepth, 0.0f);

    od->position[0] = 16;
    od->UpdateTransform();
    small->Update(od->worldMatrix, od->rotation[2]);
    ASSERT_TRUE(VXPhysicsManager::CollideAABBOBB(box.get(), small.get()));
    const float h = 0.70710678f;
    ExpectVec(body->contactNormal, -h, h);  // ties with (-h, -h): the first wins
    EXPECT_NEAR(body->penetrationDepth, 5.0f + 10.0f / h - 16.0f * h, 1e-3f);
}
