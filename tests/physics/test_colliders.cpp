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

TEST(Colliders, OrientedBoxBlockWritesOneCornerPerLineAndTheStateFlagLast) {
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
    EXPECT_DOUBLE_EQ(a[3][3].GetDouble(), 80.0);
    EXPECT_EQ(a[8].GetInt(), 3);
    EXPECT_NE(b.text.find("120.0, 60.0, 0.0,\n"), std::string::npos) << b.text;
}
