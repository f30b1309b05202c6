// Colliders built from their owners, the physics manager's collision tests
// and the contacts they write into rigid bodies.
#include <rapidjson/document.h>

#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"
#include "tests/support/Builders.h"

using namespace FrameWork;
using namespace TestHarness;

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

// a at (ax, ay), b at the origin, both 20 x 20: one normal shared by both
// bodies, opposite depths, and the contact flag of the axis written 1 on the
// body on the + side.
TEST(Collision, AABBPairsWriteOneNormalAndOppositeDepths) {
    const struct {
        float ax, ay;
        float nx, ny, depthA;
        int onX;
    } cases[] = {
        {15, 5, 1, 0, 5, 1},    {-15, 5, -1, 0, -5, 1},
        {2, -12, 0, -1, -8, 0}, {12, 12, 0, 1, 8, 0},  // a tie goes to y
        {0, 0, 0, -1, -20, 0},  // same centre: y, a zero difference counts as the - side
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "a at " << c.ax << ", " << c.ay);
        BoxPair p(c.ax, c.ay, 0, 0);
        p.ra->contactFlagX = p.ra->contactFlagY = 0.5f;
        ASSERT_TRUE(VXPhysicsManager::CollideAABB(p.a.get(), p.b.get()));
        ExpectVec(p.ra->contactNormal, c.nx, c.ny);
        ExpectVec(p.rb->contactNormal, c.nx, c.ny);
        EXPECT_EQ(p.ra->contactOnX, c.onX);
        EXPECT_NEAR(p.ra->penetrationDepth, c.depthA, 1e-5f);
        EXPECT_NEAR(p.rb->penetrationDepth, -c.depthA, 1e-5f);
        const float flagA = c.depthA > 0 ? 1.0f : 0.0f;
        EXPECT_FLOAT_EQ(c.onX ? p.ra->contactFlagX : p.ra->contactFlagY, flagA);
        EXPECT_FLOAT_EQ(c.onX ? p.rb->contactFlagX : p.rb->contactFlagY, 1.0f - flagA);
        EXPECT_FLOAT_EQ(c.onX ? p.ra->contactFlagY : p.ra->contactFlagX, 0.5f)
            << "the other axis' flag";
    }
}

TEST(Collision, AABBTouchingInactiveOrBodilessBoxes) {
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

TEST(Collision, AABBOneSidedVariantsWriteOnlyTheFirstBody) {
    BoxPair p(-15, 5, 0, 0);
    EXPECT_TRUE(VXPhysicsManager::CollideBoxOneSided(p.a.get(), p.b.get()));
    EXPECT_NEAR(p.ra->penetrationDepth, -5.0f, 1e-5f);
    ExpectVec(p.ra->contactNormal, -1, 0);
    EXPECT_FLOAT_EQ(p.rb->penetrationDepth, 0.0f);
    EXPECT_EQ(p.rb->contactOnX, 0);

    BoxPair q(3, 15, 0, 0);
    VXPhysicsManager::ResolveBoxOverlapOneSided(q.a.get(), q.b.get());
    EXPECT_NEAR(q.ra->penetrationDepth, 5.0f, 1e-5f);
    EXPECT_FLOAT_EQ(q.ra->contactFlagY, 1.0f);
    EXPECT_FLOAT_EQ(q.rb->penetrationDepth, 0.0f);

    BoxPair apart(30, 0, 0, 0);
    EXPECT_FALSE(VXPhysicsManager::CollideBoxOneSided(apart.a.get(), apart.b.get()));
    BoxPair bare(5, 0, 0, 0, false);
    EXPECT_TRUE(VXPhysicsManager::CollideBoxOneSided(bare.a.get(), bare.b.get()));
}

TEST(Collision, SweptSharedEdgeCountsAndVelocitiesDoNotMatter) {
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

TEST(Collision, OBBOverlapWritesTheSmallestDepthAxisOfAIntoB) {
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

TEST(Collision, OBBSeparationOnEitherBoxsAxesAndTouchingGiveNoContact) {
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

TEST(Collision, OBBSeparationFoundOnlyOnTheSecondBoxsAxes) {
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

TEST(Collision, OBBIgnoresActiveFlagsAndSkipsAMissingBody) {
    ObbPair p(16, 0, 0, false);
    p.a->active = 0;
    p.b->active = 0;
    EXPECT_TRUE(VXPhysicsManager::CollideOBB(p.a.get(), p.b.get()));
    EXPECT_FALSE(VXPhysicsManager::CollideOBB(nullptr, p.b.get()));
}

TEST(Collision, AABBAgainstOBBRecordsOnTheOrientedBoxsAxesAndWritesTheBox) {
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

TEST(Collision, AABBAgainstOBBSeparationOnEitherShapesAxes) {
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

// --- Colliders ---------------------------------------------------------------------

TEST(Colliders, BoxTakesHalfExtentsAndCornersFromItsOwner) {
    auto o = MakeObject("Crate", 100.0f, 50.0f, 40.0f, 20.0f);
    VXAABB box(o.get(), o->worldMatrix, o->scale[0], o->scale[1]);
    EXPECT_FLOAT_EQ(box.halfWidth, 20.0f);
    EXPECT_FLOAT_EQ(box.halfHeight, 10.0f);
    ExpectVec(box.Min, 80.0f, 40.0f);
    ExpectVec(box.Max, 120.0f, 60.0f);
    // New half extents rebuild the corners around the same centre.
    box.SetHalfExtents(5.0f, 2.5f);
    ExpectVec(box.Min, 95.0f, 47.5f);
    ExpectVec(box.Max, 105.0f, 52.5f);
}

TEST(Colliders, OrientedBoxIsUnrotatedUntilUpdatedThenTurnsWithItsOwner) {
    auto o = MakeObject("Door", 100.0f, 50.0f, 40.0f, 20.0f, 90.0f);
    VXOBB obb(o.get(), o->worldMatrix, o->scale[0], o->scale[1]);

    // Fresh: corners of the unrotated box, normals up, left, down, right.
    const float fresh[4][4] = {{120, 60, 0, 1}, {80, 60, -1, 0}, {80, 40, 0, -1}, {120, 40, 1, 0}};
    const float turned[4][4] = {{90, 70, -1, 0}, {90, 30, 0, -1}, {110, 30, 1, 0}, {110, 70, 0, 1}};
    for (const auto* expected : {fresh, turned}) {
        ASSERT_EQ(obb.OBB_Vertices.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            ExpectVec(obb.OBB_Vertices[i], expected[i][0], expected[i][1]);
            ExpectVec(obb.OBB_Normal[i], expected[i][2], expected[i][3]);
        }
        obb.Update(o->worldMatrix, o->rotation[2]);
    }
}

// The oriented box's block: half extents, corners and normals one per line,
// the origin, and the state flag last; it parses back as JSON.
TEST(Colliders, OrientedBoxBlockWritesOneCornerPerLineAndTheStateFlagLast) {
    auto o = MakeObject("Door", 100.0f, 50.0f, 40.0f, 20.0f);
    VXOBB obb(o.get(), o->worldMatrix, 40.0f, 20.0f);
    obb.stateFlag = 3;
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.SetIndent(' ', 4);
    writer.StartObject();
    obb.Serialize(writer, buffer);
    writer.EndObject();
    const std::string text = buffer.GetString();
    rapidjson::Document doc;
    ASSERT_FALSE(doc.Parse(text.c_str()).HasParseError()) << text;
    const auto& a = doc["VXOBB"];
    ASSERT_EQ(a.Size(), 9u);
    EXPECT_DOUBLE_EQ(a[3][3].GetDouble(), 80.0);
    EXPECT_EQ(a[8].GetInt(), 3);
    EXPECT_NE(text.find("120.0, 60.0, 0.0,\n"), std::string::npos) << text;
}
