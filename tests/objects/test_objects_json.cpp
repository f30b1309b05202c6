// The object-file format: the exact text the writer produces, and what the
// reader takes back, including files written by hand.
#include <rapidjson/document.h>

#include <cmath>
#include <limits>
#include <memory>

#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "physics/VXAABB.h"
#include "tests/support/ObjectsFixture.h"
#include "tests/support/TextDiff.h"

using namespace FrameWork;
using TestHarness::ObjectsTest;
class ObjectFiles : public ObjectsTest {};
using TestHarness::Printed;
using TestHarness::ReadFile;
using TestHarness::SameText;

namespace {

// One object in the layout of the file format, without components.
std::string Record(int type, const std::string& name, const std::string& x, const std::string& y) {
    return "{\n    \"GameObject\": " + std::to_string(type) + ",\n    \"g_name\": \"" + name +
           "\",\n    \"m_active\": true,\n    \"position\": [" + x + ", " + y +
           "],\n    \"rotationX\": 0.0,\n    \"rotationY\": 0.0,\n    \"rotationZ\": 0.0,\n"
           "    \"scaleX\": 1.0,\n    \"scaleY\": 1.0\n}";
}

// A file with one object whose blocks are `blocks` (each ending in ",\n").
std::string OneObject(
    const std::string& blocks,
    const std::string& placement = "\"position\": [0.0, 0.0], \"scaleX\": 1.0, \"scaleY\": 1.0") {
    return "[{\"GameObject\": 1, \"g_name\": \"o\", \"m_active\": true,\n" + blocks + placement +
           "}]\n";
}

bool IsValidJson(const std::string& text) {
    rapidjson::Document doc;
    doc.Parse(text.c_str(), text.size());
    return !doc.HasParseError() && doc.IsArray();
}

}  // namespace

TEST_F(ObjectFiles, GoldenFileSurvivesLoadAndSaveByteForByte) {
    AddTexture("crate.png", 4, 2);
    VXObjectManager manager;
    ASSERT_TRUE(manager.LoadObjects(TestHarness::TestFile("level_golden.json").string()));
    ASSERT_EQ(manager.objects.size(), 6u);
    GameObject* banner = manager.FindObject("Banner");
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->parent, manager.FindObject("Crate"));
    EXPECT_EQ(banner->position[0], 0.5f);
    ASSERT_EQ(manager.walls.size(), 1u);
    // Saved twice: saving must not move the child.
    const std::string out = Scratch("saved.json").string();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(manager.SaveObjects(out));
        EXPECT_EQ(ReadFile(out), ReadFile(TestHarness::TestFile("level_golden.json")));
    }
}

TEST_F(ObjectFiles, SkippedObjectsLeaveAValidArray) {
    const std::string a = Record(1, "A", "1.0", "0.0");
    const std::string b = Record(1, "B", "2.0", "0.0");
    // The mouse and inactive objects are not saved, wherever they stand.
    for (int place = 0; place < 6; ++place) {
        const bool mouse = place < 3;
        GameObject objA(1, 1, 1, 1, 1, 0, 1, 0, "A", 0, 0, 0),
            objB(1, 1, 1, 1, 1, 0, 2, 0, "B", 0, 0, 0);
        GameObject skipped(1, 1, 1, mouse, 1, 0, 9, 0, mouse ? "mouse" : "hidden", 0, 0, 0);
        std::vector<GameObject*> list{&objA, &objB};
        list.insert(list.begin() + place % 3, &skipped);
        const std::string text = ObjectsToText(list);
        EXPECT_EQ(text, "[" + a + "," + b + "]\n") << "place " << place;
        EXPECT_TRUE(IsValidJson(text));
    }
    std::vector<GameObject*> none;
    EXPECT_EQ(ObjectsToText(none), "[]\n");
}

TEST_F(ObjectFiles, NumbersAreWrittenAsTheFormatSays) {
    std::unique_ptr<GameObject> o(new GameObject(1, 1, 3, 1, 1, 0, 0.1f, 1.0f, "n", 0, 0, 0));
    std::vector<GameObject*> list{o.get()};
    EXPECT_EQ(ObjectsToText(list), "[" + Record(3, "n", "0.10000000149011612", "1.0") + "]\n");

    // Not-a-number and infinity would break the file: 0.0 and a warning.
    o->position[0] = std::numeric_limits<float>::quiet_NaN();
    o->position[1] = -std::numeric_limits<float>::infinity();
    std::string text;
    std::string out = Printed([&] { text = ObjectsToText(list); });
    EXPECT_EQ(text, "[" + Record(3, "n", "0.0", "0.0") + "]\n");
    EXPECT_NE(out.find("WARNING"), std::string::npos);
}

TEST_F(ObjectFiles, HandWrittenIntegersCountAsNumbers) {
    const std::string file = Scratch(
        "ints.json",
        OneObject("\"VXRigidBody\": [2, 1, 0, \"Acceleration\", [1, 2, 3], \"Velocity\", [0, 0, 0],"
                  " \"Position\", [0, 0, 0], \"AccumForce\", [0, 0, 0]],\n"
                  "\"VXAABB\": [50, 25, \"Min\", [0, 0, 0], \"Max\", [1, 1, 0]],\n"
                  "\"VXCircleCollider\": [\"centerPt\", [4, 5, 0], 50],\n"
                  "\"VXWallLogicCom\": [80.0, 12],\n",
                  "\"position\": [50, -7], \"rotationZ\": 90, \"scaleX\": 3, \"scaleY\": 4"));
    VXObjectManager manager;
    ASSERT_TRUE(manager.LoadObjects(file));
    GameObject* o = manager.objects.at(0);
    EXPECT_EQ(o->position[0], 50.0f);
    EXPECT_EQ(o->rotation[2], 90.0f);
    EXPECT_EQ(o->scale[1], 4.0f);
    VXAABB* box = o->GetAABB();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->halfWidth, 50.0f);
    EXPECT_EQ(box->halfHeight, 25.0f);
}

TEST_F(ObjectFiles, TextsKeepTheNumberOfTheirKey) {
    const std::string file =
        Scratch("texts.json", OneObject("\"VXTextComponent12\": [0, 0.5, 1.0, 0.0, 0.25],\n"
                                        "\"VXTextComponent2\": [2, 1.0, 0.0, 0.0, 0.0],\n"
                                        "\"VXTextComponentX\": [9, 1.0, 0.0, 0.0, 0.0],\n"
                                        "\"VXTextComponent-\": [9, 1.0, 0.0, 0.0, 0.0],\n"
                                        "\"VXTextComponent-4\": [-4, 1.0, 0.0, 0.0, 0.0],\n"));
    VXObjectManager manager;
    ASSERT_TRUE(manager.LoadObjects(file));
    GameObject* o = manager.objects.at(0);
    ASSERT_EQ(o->components.size(), 3u);
    EXPECT_NE(o->FindComponentWithKey(CT_Text, -4), nullptr);
    auto* twelve = static_cast<VXTextComponent*>(o->FindComponentWithKey(CT_Text, 12));
    ASSERT_NE(twelve, nullptr);
    EXPECT_EQ(twelve->alpha, 0.5f);
    EXPECT_EQ(twelve->blue, 0.25f);
    EXPECT_NE(o->FindComponentWithKey(CT_Text, 2), nullptr);
    EXPECT_EQ(o->GetComponent(CT_Text), twelve);  // file order kept
    EXPECT_EQ(manager.graphics->textList.size(), 3u);
}

TEST_F(ObjectFiles, SpriteBlockVariants) {
    AddTexture("sheet.png", 4, 4);
    // No layer: the playing flag stands at element 4.  Frames per second
    // out of 1..60 gives one step a second, stored as 1 and 60 ticks.
    const std::string noLayer = Scratch(
        "nolayer.json",
        OneObject("\"VXSpriteComponent\": [0.5, 1.0, 1.0, 1.0, false, 0, 2, 4, 4, \"sheet.png\","
                  " [\"0\", [0, 1], \"1\", [2, 3]]],\n"));
    const std::string fps61 = Scratch(
        "fps61.json",
        OneObject("\"VXSpriteComponent\": [1.0, 1.0, 1.0, 1.0, 4, true, 61, 1, 4, 4, \"sheet.png\","
                  " [\"0\", [5]]],\n"));
    // Row count without rows, and fewer rows than counted.
    const std::string noRows = Scratch(
        "norows.json",
        OneObject(
            "\"VXSpriteComponent\": [1.0, 1.0, 1.0, 1.0, 4, true, 10, 2, 4, 4, \"sheet.png\"],\n"));
    const std::string shortRows = Scratch(
        "shortrows.json",
        OneObject("\"VXSpriteComponent\": [1.0, 1.0, 1.0, 1.0, 4, true, 10, 3, 4, 4, \"sheet.png\","
                  " [\"0\", [1, \"x\", 99, 2]]],\n"));
    // Row count 0 leaves the animation as constructed.
    const std::string noAnim =
        Scratch("noanim.json", OneObject("\"VXSpriteComponent\": [1.0, 1.0, 1.0, 1.0, 4, true, 30, "
                                         "0, 4, 4, \"missing.png\"],\n"));

    VXObjectManager manager;
    std::string out = Printed([&] {
        for (const auto& f : {noLayer, fps61, noRows, shortRows, noAnim})
            ASSERT_TRUE(manager.LoadObjects(f));
    });
    ASSERT_EQ(manager.objects.size(), 5u);
    auto sprite = [&](int i) {
        return static_cast<VXSpriteComponent*>(manager.objects[i]->GetComponent(CT_Sprite));
    };
    EXPECT_EQ(sprite(0)->layer, 0);
    EXPECT_FALSE(sprite(0)->playing);
    EXPECT_EQ(sprite(0)->cellRows, (std::vector<std::vector<int32_t>>{{0, 1}, {2, 3}}));
    EXPECT_EQ(sprite(1)->layer, 4);
    for (int i : {0, 1, 4}) EXPECT_EQ(sprite(i)->animation.ticksPerFrame, 60u) << i;
    EXPECT_TRUE(sprite(2)->cellRows.empty());
    // The text and the cell outside the 4 x 4 sheet are left out.
    EXPECT_EQ(sprite(3)->cellRows, (std::vector<std::vector<int32_t>>{{1, 2}}));
    EXPECT_EQ(sprite(4)->texture, nullptr);
    EXPECT_NE(out.find("no list of animation rows"), std::string::npos);

    // Saved and read again, the sprite without rows and the one with a rate
    // out of range read back the same way.
    for (int i : {1, 2}) {
        std::vector<GameObject*> one{manager.objects[i]};
        const std::string text = ObjectsToText(one);
        VXObjectManager again;
        ASSERT_TRUE(again.loader.LoadFromMemory(text.data(), text.size(), "memory"));
        again.BuildLoadedObjects(false);
        std::vector<GameObject*> reloaded{again.objects.at(0)};
        EXPECT_EQ(ObjectsToText(reloaded), text) << i;
    }
}

TEST_F(ObjectFiles, ParentsAndChildrenFromAFile) {
    const std::string file = Scratch(
        "family.json",
        "[{\"GameObject\": 1, \"g_name\": \"Early\", \"m_active\": true, \"MY PARENT\": \"Base\","
        " \"position\": [140.0, 10.0], \"scaleX\": 2.0, \"scaleY\": 2.0},"
        " {\"GameObject\": 1, \"g_name\": \"Base\", \"m_active\": true,"
        " \"position\": [100.0, 0.0], \"scaleX\": 2.0, \"scaleY\": 2.0},"
        " {\"GameObject\": 1, \"g_name\": \"Late\", \"m_active\": true, \"MY PARENT\": \"Base\","
        " \"position\": [140.0, 10.0], \"scaleX\": 2.0, \"scaleY\": 2.0},"
        " {\"GameObject\": 1, \"g_name\": \"Flat\", \"m_active\": true, \"MY PARENT\": \"Zero\","
        " \"position\": [5.0, 6.0], \"scaleX\": 1.0, \"scaleY\": 1.0},"
        " {\"GameObject\": 14, \"g_name\": \"Zero\", \"m_active\": false,"
        " \"position\": [1.0, 1.0], \"scaleX\": 0.0, \"scaleY\": 0.0},"
        " {\"GameObject\": 1, \"g_name\": \"OnZero\", \"m_active\": true, \"MY PARENT\": \"Zero\","
        " \"position\": [5.0, 6.0], \"scaleX\": 1.0, \"scaleY\": 1.0}]");
    VXObjectManager manager;
    ASSERT_TRUE(manager.LoadObjects(file));
    GameObject* early = manager.FindObject("Early");
    GameObject* late = manager.FindObject("Late");
    EXPECT_EQ(early->parent, nullptr) << "a parent must come first";
    EXPECT_EQ(early->position[0], 140.0f);
    EXPECT_EQ(late->parent, manager.FindObject("Base"));
    EXPECT_EQ(late->position[0], 20.0f);
    EXPECT_EQ(late->scale[0], 1.0f);
    // A parent of size 0 leaves the saved values rather than dividing by 0.
    GameObject* onZero = manager.FindObject("OnZero");
    EXPECT_EQ(onZero->parent, manager.FindObject("Zero"));
    EXPECT_TRUE(std::isfinite(onZero->scale[0]));
    EXPECT_EQ(manager.walls.size(), 1u);
    // Prefabs: no walls, and templates tied to no object: the parent's name
    // stays with the prefab, its place and size are the saved ones.
    ASSERT_TRUE(manager.LoadPrefabs(file));
    EXPECT_EQ(manager.walls.size(), 1u);
    GameObject* prefab = manager.prefabs.at(2);
    EXPECT_EQ(prefab->parent, nullptr);
    EXPECT_EQ(prefab->position[0], 140.0f);
    EXPECT_EQ(prefab->scale[0], 2.0f);
    EXPECT_EQ(manager.FindObject("Base")->children, std::vector<GameObject*>{late});
    EXPECT_NE(ObjectsToText({prefab}).find("\"MY PARENT\": \"Base\""), std::string::npos);
    manager.Clear();
    EXPECT_TRUE(manager.walls.empty());
}

TEST_F(ObjectFiles, PrefabsBuildOnlyTheirKinds) {
    const std::string file = Scratch(
        "prefab.json",
        OneObject("\"VXShootLogicComponent\": 18,\n\"VXTrapComponent\": [],\n\"VXFlagCom\": [],\n"
                  "\"VXSpPointComponent\": [15.0, 0],\n\"VXWallLogicCom\": [100, 20.0],\n"
                  "\"VXPlayerLogic\": [0.5, 1.5, 3.0, 0.0],\n"
                  "\"VXParticleEmitter\": [1, 1, \"none.png\", 4, 1.5, 2, 30.0],\n"
                  "\"VXChestComponent\": [],\n"));
    VXObjectManager manager;
    std::string out = Printed([&] {
        ASSERT_TRUE(manager.LoadPrefabs(file));
        ASSERT_TRUE(manager.LoadObjects(file));
    });
    GameObject* prefab = manager.prefabs.at(0);
    EXPECT_NE(prefab->GetComponent(CT_ShootLogic), nullptr);
    EXPECT_NE(prefab->GetComponent(CT_Trap), nullptr);
    for (int id : {CT_Flag, CT_SpawnPoint, CT_WallLogic, CT_PlayerLogic, CT_ParticleEmitter})
        EXPECT_EQ(prefab->GetComponent(id), nullptr) << id;
    GameObject* object = manager.objects.at(0);
    for (int id : {CT_ShootLogic, CT_Trap, CT_Flag, CT_SpawnPoint, CT_WallLogic, CT_PlayerLogic,
                   CT_ParticleEmitter})
        ASSERT_NE(object->GetComponent(id), nullptr) << id;
    auto* emitter = static_cast<VXParticleEmitter*>(object->GetComponent(CT_ParticleEmitter));
    // Its pool and instances are ready for the first burst.
    EXPECT_EQ(emitter->particles.size(), 4u);
    EXPECT_EQ(emitter->instanceSet->m_data1.size(), 4u);
}

// Blocks the game does not read (another version's component kinds, keys
// added by hand, the audio and chest blocks, which build nothing) come back
// in their places, numbers digit for digit, pretty-printed as the writer
// prints; a clone and a prefab carry them too.
// Blocks of an object, and values inside its components' blocks, that the
// game does not read come back where they stood, digit for digit, through
// a load and a save, a clone and a prefab; a component switched off takes
// its own with it.
TEST_F(ObjectFiles, UnreadBlocksAreWrittenBackInTheirPlaces) {
    AddTexture("crate.png", 4, 2);
    const std::string file = R"([{
    "Before": "all",
    "GameObject": 1,
    "g_name": "Crate",
    "m_active": true,
    "VXUnknownComponent": [
        1,
        2,
        3
    ],
    "VXSpriteComponent": [
        "AtStart",
        1E3,
        0.5, 1.0, 1.0, 1.0, 3,
        false, "Middle", {
            "n": [1.50, -2.5e-7]
        }, 12,
        1,
        4,
        2,
        "crate.png",
        "Sheet",
        2,
        [
            "0", [4, 5],
            "EXTRA_R",
            [
                9.99,
                1.50
            ],
            "1",
            [
                6
            ]
        ],
        "EXTRA",
        [
            9.99,
            1.50
        ]
    ],
    "VXRigidBody": [
        1.0,
        0.9900000095367432,
        0.8999999761581421,
        "Acceleration", [0.0, 0.0, 0.0],
        "Velocity", [0.0, 0.0, 0.0],
        "Kept",
        [
            1.0E-5,
            0e40,
            123456789012345678901234567890
        ],
        "Position", [100.0, -50.0, 0.0, "EXTRA_P"],
        "AccumForce", [0.0, 0.0, 0.0]
    ],
    "VXAABB": [
        32.0,
        16.0,
        "Min", [68.0, "Note", 1.50, -66.0, 0.0],
        "Max", [132.0, -34.0, 0.0],
        "Last",
        "é \"q\" \\",
        null
    ],
    "VXTextComponent3": [
        0,
        1.0,
        "Inside",
        -0.0,
        0.0,
        0.0,
        0.0
    ],
    "VXTextComponent4": [
        0,
        1.0,
        0.0,
        "Fourth",
        2.5,
        0.0,
        0.0
    ],
    "FancyThing": {
        "a": 1,
        "b": [
            0.10000000149011612,
            -2.5e-7,
            1.50,
            1E3,
            0e40,
            -0.0,
            123456789012345678901234567890,
            "é \"q\" \\",
            null,
            false,
            {},
            []
        ],
        "c": 18446744073709551615
    },
    "VXChestComponent": [],
    "VXAudioComponent": [
        2,
        true
    ],
    "VXTextComponentX": [],
    "position": [100.0, -50.0],
    "AfterPosition": -1,
    "rotationX": 0.0,
    "rotationY": 0.0,
    "rotationZ": 0.0,
    "scaleX": 64.0,
    "scaleY": 32.0,
    "Last": "end"
},{
    "GameObject": 1,
    "g_name": "Label",
    "m_active": true,
    "MY PARENT": "Crate",
    "Note": "kept after the parent",
    "position": [100.0, -50.0],
    "rotationX": 0.0,
    "rotationY": 0.0,
    "rotationZ": 0.0,
    "scaleX": 64.0,
    "scaleY": 32.0
}]
)";
    VXObjectManager manager;
    ASSERT_EQ(Printed([&] { ASSERT_TRUE(manager.LoadObjects(Scratch("unread.json", file))); }), "");
    ASSERT_EQ(manager.objects.size(), 2u);
    GameObject* crate = manager.objects[0];
    // The components took their own values only.
    auto* sprite = static_cast<VXSpriteComponent*>(crate->GetComponent(CT_Sprite));
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->alpha, 0.5f);
    EXPECT_EQ(sprite->layer, 3);
    EXPECT_FALSE(sprite->playing);
    EXPECT_EQ(sprite->rowCount, 1);
    ASSERT_NE(crate->GetAABB(), nullptr);
    EXPECT_EQ(crate->GetAABB()->halfWidth, 32.0f);
    // The values added inside the lists are not taken as the lists' own.
    EXPECT_EQ(crate->GetAABB()->Min.y, -66.0f);
    ASSERT_EQ(sprite->cellRows.size(), 1u);
    EXPECT_EQ(sprite->cellRows[0], std::vector<int32_t>({4, 5}));
    auto* text = static_cast<VXTextComponent*>(crate->FindComponentWithKey(CT_Text, 3));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->red, 0.0f);
    EXPECT_EQ(text->alpha, 1.0f);
    std::string saved = ObjectsToText(manager.objects);
    EXPECT_PRED_FORMAT2(SameText, saved, file);

    // A clone keeps what its components kept, the second text what the
    // source's second text kept; its own record is the source's under its
    // own name.
    GameObject* clone = manager.CloneObject(crate);
    ASSERT_NE(clone, nullptr);
    clone->g_name = crate->g_name;
    clone->unreadBlocks.clear();
    saved = ObjectsToText({clone});
    std::string missing;
    for (const char* kept :
         {"\"AtStart\",\n        1E3,", "\"Middle\", {", "9.99,\n            1.50",
          "\"Kept\",\n        [\n            1.0E-5,\n            0e40,",
          "\"Last\",\n        \"é \\\"q\\\" \\\\\",\n        null\n    ]",
          "\"Inside\",\n        -0.0,", "\"Fourth\",\n        2.5,",
          "[100.0, -50.0, 0.0, \"EXTRA_P\"]", "[68.0, \"Note\", 1.50, -66.0, 0.0]"})
        if (saved.find(kept) == std::string::npos) missing += std::string(kept) + "\n";
    EXPECT_EQ(missing, "") << "not in the clone's record:\n" << saved;

    std::unique_ptr<GameObject> bare(GameObject::CloneFrom(*crate));
    const std::string cloned = ObjectsToText({bare.get()});
    EXPECT_NE(cloned.find(file.substr(file.find("    \"FancyThing\""), 100)), std::string::npos)
        << cloned;
    ASSERT_TRUE(manager.LoadPrefabs(Scratch("unread.json").string()));
    saved = ObjectsToText(manager.prefabs);
    EXPECT_PRED_FORMAT2(SameText, saved, file);

    // A block whose neighbour is no longer written stays among the blocks;
    // the values kept inside a block go with it.
    crate->GetAABB()->active = 0;
    const std::string without = ObjectsToText({crate, manager.objects[1]});
    EXPECT_TRUE(IsValidJson(without));
    EXPECT_LT(without.find("\"FancyThing\""), without.find("\"position\""));
    EXPECT_LT(without.find("\"VXTextComponentX\""), without.find("\"position\""));
    EXPECT_EQ(without.find("\"Last\",\n"), std::string::npos) << without;
    EXPECT_NE(without.find("\"Kept\""), std::string::npos);
}
