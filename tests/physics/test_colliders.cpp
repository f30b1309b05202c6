// Collider construction, the oriented box's corners and normals, and the
// JSON blocks of the four physics components.
#include <rapidjson/document.h>

#include <string>

#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXOBB.h"
#include "physics/VXRigidBody.h"
#include "tests/support/Builders.h"

using namespace FrameWork;
using namespace TestHarness;

namespace {

// The text of one component's block inside an object, and the parsed block.
struct Block {
    std::string text;
    rapidjson::Document doc;
};

Block Write(Component& c) {
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.SetIndent(' ', 4);
    writer.StartObject();
    c.Serialize(writer, buffer);
    writer.EndObject();
    Block b;
    b.text = buffer.GetString();
    b.doc.Parse(b.text.c_str());
    return b;
}

}  // namespace

TEST(PhysicsColliders, BoxTakesHalfExtentsAndCornersFromItsOwner) {
    auto o = MakeObject("Crate", 100.0f, 50.0f, 40.0f, 20.0f);
    VXAABB box(o.get(), o->worldMatrix, o->scale[0], o->scale[1]);
    EXPECT_FLOAT_EQ(box.halfWidth, 20.0f);
    EXPECT_FLOAT_EQ(box.halfHeight, 10.0f);
    ExpectVec(box.Min, 80.0f, 40.0f);
    ExpectVec(box.Max, 120.0f, 60.0f);
    EXPECT_FLOAT_EQ(box.centre[0], 100.0f);
    EXPECT_FLOAT_EQ(box.centre[1], 50.0f);
    EXPECT_EQ(box.stateFlag, 1);
    EXPECT_EQ(box.reflected, 0);
    EXPECT_EQ(box.active, 1);

    // New half extents rebuild the corners around the same centre.
    box.SetHalfExtents(5.0f, 2.5f);
    ExpectVec(box.Min, 95.0f, 47.5f);
    ExpectVec(box.Max, 105.0f, 52.5f);
}

TEST(PhysicsColliders, OrientedBoxIsUnrotatedUntilUpdatedThenTurnsWithItsOwner) {
    auto o = MakeObject("Door", 100.0f, 50.0f, 40.0f, 20.0f, 90.0f);
    VXOBB obb(o.get(), o->worldMatrix, o->scale[0], o->scale[1]);

    // Fresh: corners of the unrotated box, normals up, left, down, right.
    ASSERT_EQ(obb.OBB_Vertices.size(), 4u);
    ExpectVec(obb.OBB_Vertices[0], 120.0f, 60.0f);
    ExpectVec(obb.OBB_Vertices[1], 80.0f, 60.0f);
    ExpectVec(obb.OBB_Vertices[2], 80.0f, 40.0f);
    ExpectVec(obb.OBB_Vertices[3], 120.0f, 40.0f);
    ASSERT_EQ(obb.OBB_Normal.size(), 4u);
    ExpectVec(obb.OBB_Normal[0], 0.0f, 1.0f);
    ExpectVec(obb.OBB_Normal[1], -1.0f, 0.0f);
    ExpectVec(obb.OBB_Normal[2], 0.0f, -1.0f);
    ExpectVec(obb.OBB_Normal[3], 1.0f, 0.0f);
    ExpectVec(obb.originPt, 100.0f, 50.0f);

    obb.Update(o->worldMatrix, o->rotation[2]);
    ExpectVec(obb.OBB_Vertices[0], 90.0f, 70.0f);
    ExpectVec(obb.OBB_Vertices[1], 90.0f, 30.0f);
    ExpectVec(obb.OBB_Vertices[2], 110.0f, 30.0f);
    ExpectVec(obb.OBB_Vertices[3], 110.0f, 70.0f);
    ExpectVec(obb.OBB_Normal[0], -1.0f, 0.0f);
    ExpectVec(obb.OBB_Normal[1], 0.0f, -1.0f);
    ExpectVec(obb.OBB_Normal[2], 1.0f, 0.0f);
    ExpectVec(obb.OBB_Normal[3], 0.0f, 1.0f);

    // The getters hand out copies.
    std::vector<Vec3> copy = obb.GetVertices();
    copy[0] = Vec3(-1.0f, -1.0f);
    ExpectVec(obb.OBB_Vertices[0], 90.0f, 70.0f);
}

TEST(PhysicsJson, OrientedBoxBlockWritesOneCornerPerLineAndTheStateFlagLast) {
    auto o = MakeObject("Door", 100.0f, 50.0f, 40.0f, 20.0f);
    VXOBB obb(o.get(), o->worldMatrix, 40.0f, 20.0f);
    obb.stateFlag = 3;
    Block b = Write(obb);
    ASSERT_FALSE(b.doc.HasParseError()) << b.text;
    const auto& a = b.doc["VXOBB"];
    ASSERT_EQ(a.Size(), 9u);
    EXPECT_DOUBLE_EQ(a[0].GetDouble(), 20.0);
    EXPECT_DOUBLE_EQ(a[1].GetDouble(), 10.0);
    EXPECT_STREQ(a[2].GetString(), "OBB_Vertices");
    ASSERT_EQ(a[3].Size(), 12u);
    EXPECT_DOUBLE_EQ(a[3][3].GetDouble(), 80.0);
    EXPECT_STREQ(a[4].GetString(), "OBB_Normal");
    ASSERT_EQ(a[5].Size(), 12u);
    EXPECT_DOUBLE_EQ(a[5][1].GetDouble(), 1.0);
    EXPECT_STREQ(a[6].GetString(), "originPt");
    ASSERT_EQ(a[7].Size(), 3u);
    EXPECT_DOUBLE_EQ(a[7][0].GetDouble(), 100.0);
    ASSERT_TRUE(a[8].IsInt());
    EXPECT_EQ(a[8].GetInt(), 3);
    EXPECT_NE(b.text.find("20.0, 10.0,\n"), std::string::npos) << b.text;
    EXPECT_NE(b.text.find("120.0, 60.0, 0.0,\n"), std::string::npos) << b.text;
    EXPECT_NE(b.text.find("100.0, 50.0, 0.0\n"), std::string::npos) << b.text;
}
