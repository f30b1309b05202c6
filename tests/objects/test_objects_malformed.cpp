// Broken object files, each once a crash or a silent loss: each loads
// without a crash (and without a sanitizer report in the sanitizer build),
// says what was wrong, and keeps whatever was sound.  Random and truncated
// files are the fuzz run's (tests/run_sanitizers.sh).
#include <algorithm>

#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXSpriteComponent.h"
#include "tests/support/ObjectsFixture.h"

using namespace FrameWork;
using TestHarness::ObjectsTest;
class MalformedObjectFiles : public ObjectsTest {};
using TestHarness::Printed;

namespace {

// Loads `text` as a level file and as a prefab file into one manager, then
// saves what was built; returns what was printed.
std::string LoadAll(VXObjectManager& manager, const std::string& path) {
    return Printed([&] {
        manager.LoadObjects(path);
        manager.LoadPrefabs(path);
        ObjectsToText(manager.objects);
        ObjectsToText(manager.prefabs);
    });
}

}  // namespace

TEST_F(MalformedObjectFiles, FilesThatAreNotAnArrayOfObjectsAddNothing) {
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"object root", "{\"GameObject\": 1}"},
        {"unclosed", "[{\"GameObject\": 1, \"g_name\": \"a\""},
        {"nan", "[{\"GameObject\": 1, \"position\": [NaN, 0.0]}]"},
        {"too big", "[{\"GameObject\": 1, \"scaleX\": 1e400}]"},
        {"trailing", "[] []"},
    };
    for (const auto& c : cases) {
        VXObjectManager manager;
        const std::string path = Scratch("case.json", c.second);
        const std::string out =
            Printed([&] { EXPECT_FALSE(manager.LoadObjects(path)) << c.first; });
        EXPECT_TRUE(manager.objects.empty()) << c.first;
        EXPECT_TRUE(manager.loader.records.empty()) << c.first;
        EXPECT_NE(out.find("ERROR: " + path), std::string::npos) << c.first << ": " << out;
    }
    VXObjectManager manager;
    std::string out =
        Printed([&] { EXPECT_FALSE(manager.LoadObjects(Scratch("missing.json").string())); });
    EXPECT_NE(
        out.find("loading from " + Scratch("missing.json").string() + " failed! (not found)\n"),
        std::string::npos);
    const std::string binary = Scratch("._Level.json", std::string("\0\x05\x16\x07\0\x02", 6));
    out = Printed([&] { EXPECT_FALSE(manager.LoadObjects(binary)); });
    EXPECT_EQ(
        out, "ERROR: " + binary + " is not valid JSON (a binary file, not JSON); nothing loaded\n");
    out = Printed([&] { EXPECT_FALSE(manager.LoadObjects(scratch.string())); });
    EXPECT_NE(out.find("loading from " + scratch.string() + " failed! (is a folder)\n"),
              std::string::npos)
        << out;
}

TEST_F(MalformedObjectFiles, ASpriteWhoseSheetIsNotListedIsNamed) {
    const std::string path =
        Scratch("ghost.json",
                "[{\"GameObject\": 1, \"g_name\": \"Ghost\", \"m_active\": true,"
                "  \"VXSpriteComponent\": [1.0, 1.0, 1.0, 1.0, 1, true, 0, 0, 1, 1, \"Gone.png\"],"
                "  \"position\": [0.0, 0.0, 0.0], \"scaleX\": 1, \"scaleY\": 1}]");
    VXObjectManager manager;
    const std::string out = Printed([&] { manager.LoadObjects(path); });
    EXPECT_NE(out.find(" -> Sprite of \"Ghost\": sheet Gone.png is not in the texture list"),
              std::string::npos)
        << out;
}

TEST_F(MalformedObjectFiles, WrongTypesTakeDefaultsAndTheRestLoads) {
    AddTexture("sheet.png", 2, 2);
    const std::string path = Scratch(
        "types.json",
        "[7, \"text\", null,"
        " {\"GameObject\": \"Pirate\", \"g_name\": 12, \"m_active\": 1,"
        "  \"VXSpriteComponent\": {\"alpha\": 1}, \"VXRigidBody\": 5, \"VXAABB\": [\"a\", [1]],"
        "  \"VXCircleCollider\": [[\"x\", 2, 3]], \"VXShootLogicComponent\": [18],"
        "  \"VXTextComponent1\": 3, \"VXTextComponent2\": [-5, \"a\"], \"VXBulletComponent\": {},"
        "  \"VXPlayerLogic\": [\"a\", [], {}, 1, \"ClonedObj\", 5, true, \"ForceToAdd\", 3,"
        "                     \"PlayerKey\", [1, 2, 3, 4, 5, 6, 7, 8, 9, 10]],"
        "  \"VXParticleEmitter\": [1e9, -3, 7, 1e12, \"x\", 2.5, null],"
        "  \"VXWallLogicCom\": [\"x\"], \"VXSpPointComponent\": 3, \"VXFlagCom\": 0,"
        "  \"MY PARENT\": 4, \"position\": [1.0], \"rotationZ\": \"90\", \"scaleX\": [], "
        "\"scaleY\": 2},"
        " {\"GameObject\": 1e30, \"g_name\": \"ok\", \"m_active\": true,"
        "  \"VXSpriteComponent\": [1.0, 1.0, 1.0, 1.0, 99999999999, true, -7, 2000000000, 2, 2,"
        "   \"sheet.png\", [\"0\", [0, 1, 2, 3, 1e300, -1]]],"
        "  \"position\": [-1e39, 1e39, 5.0], \"scaleX\": 1, \"scaleY\": 1}]");
    VXObjectManager manager;
    std::string out = LoadAll(manager, path);
    ASSERT_EQ(manager.objects.size(), 2u);
    EXPECT_NE(out.find("WARNING"), std::string::npos);

    GameObject* odd = manager.objects[0];
    EXPECT_EQ(odd->g_name, "");
    EXPECT_EQ(odd->objectType, 0);
    EXPECT_EQ(odd->m_active, 0);
    EXPECT_EQ(odd->position[0], 1.0f);
    EXPECT_EQ(odd->position[1], 0.0f);
    EXPECT_EQ(odd->rotation[2], 0.0f);
    EXPECT_EQ(odd->scale[0], 1.0f);
    EXPECT_EQ(odd->scale[1], 2.0f);
    EXPECT_EQ(odd->parent, nullptr);
    ASSERT_NE(odd->GetPlayerLogic(), nullptr);
    auto* emitter = static_cast<VXParticleEmitter*>(odd->GetComponent(CT_ParticleEmitter));
    ASSERT_NE(emitter, nullptr);
    EXPECT_LE(emitter->maxNumber, kMaxEmitterParticles);
    EXPECT_GE(emitter->maxNumber, 0);

    GameObject* ok = manager.objects[1];
    EXPECT_EQ(ok->g_name, "ok");
    EXPECT_EQ(ok->objectType, INT32_MAX);
    EXPECT_TRUE(std::isfinite(ok->position[0]));
    EXPECT_TRUE(std::isfinite(ok->position[1]));
    auto* sprite = static_cast<VXSpriteComponent*>(ok->GetComponent(CT_Sprite));
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->rowCount, 0);  // an absurd row count builds no rows
}

TEST_F(MalformedObjectFiles, AnEntryThatIsNotAnObjectIsNamedByItsIndexOnly) {
    const std::string path =
        Scratch("entries.json",
                "[{\"GameObject\": 1, \"g_name\": \"ArcherHitPE\", \"position\": [0, 0]}, 3]");
    VXObjectManager manager;
    const std::string out = Printed([&] { manager.LoadObjects(path); });
    EXPECT_EQ(out, "WARNING: " + path + ": object 1 is not an object; skipped\n");
    ASSERT_EQ(manager.objects.size(), 1u);
    EXPECT_EQ(manager.objects[0]->g_name, "ArcherHitPE");
}

TEST_F(MalformedObjectFiles, PlayerKeysBeyondSevenAreKeptApart) {
    VXObjectLoader loader;
    const std::string text =
        "[{\"GameObject\": 6, \"g_name\": \"p\", \"m_active\": true, \"VXPlayerLogic\": [0.5, 1.5,"
        " 3.0, 0.0, 10, 5.0, 0.0, true, 3, 0.0, 0.0, \"ForceToAdd\", [1, 2], \"PlayerKey\","
        " [1, 2, 3, 4, 5, 6, 7, 8, 9]], \"position\": [0.0, 0.0]}]";
    std::string out =
        Printed([&] { ASSERT_TRUE(loader.LoadFromMemory(text.data(), text.size(), "keys")); });
    const auto& p = loader.records.at(0).playerLogic;
    EXPECT_EQ(p.keys[6], 7);
    EXPECT_EQ(p.paintFuel, 10);
    EXPECT_EQ(p.score, 3);
    EXPECT_EQ(out, "");
    // The keys the logic has no use for wait to be saved back after the
    // seventh, in the "PlayerKey" list (the block's own value 14).
    std::string kept;
    for (const auto& block : loader.records.at(0).unreadValues)
        for (const auto& v : block.values)
            kept += block.key + " " + std::to_string(v.list) + " " + std::to_string(v.after) + " " +
                    v.json + "\n";
    EXPECT_EQ(kept, "VXPlayerLogic 14 7 8\nVXPlayerLogic 14 7 9\n");
}

TEST_F(MalformedObjectFiles, DeepNestingIsRefusedOrReadWithoutRecursion) {
    const int depth = 200000;
    const std::string arrays = std::string(depth, '[') + std::string(depth, ']');
    std::string inObject =
        "[{\"GameObject\": 1, \"g_name\": \"deep\", \"m_active\": true, "
        "\"VXAABB\": " +
        arrays + ", \"VXPlayerLogic\": " + arrays + ", \"Unknown\": " + arrays +
        ", \"position\": [0.0, 0.0]}]";
    VXObjectManager manager;
    std::string out = LoadAll(manager, Scratch("deep1.json", arrays));
    EXPECT_TRUE(manager.objects.empty());
    // Too deep to write back: said, and not kept, which the reader's own
    // lines and the object show before anything is written (writing it
    // would indent each level a line deeper: gigabytes).
    out = Printed([&] { manager.LoadObjects(Scratch("deep2.json", inObject)); });
    ASSERT_EQ(manager.objects.size(), 1u);
    EXPECT_EQ(manager.objects[0]->g_name, "deep");
    const std::vector<std::string>& warnings = manager.loader.warnings;
    EXPECT_TRUE(std::any_of(warnings.begin(), warnings.end(), [](const std::string& w) {
        return w.find("\"deep\": \"Unknown\" is nested too deeply to keep") != std::string::npos;
    })) << out.substr(0, 2000);
    for (const UnreadBlock& block : manager.objects[0]->unreadBlocks)
        ASSERT_LE(block.json.size(), 2000u)
            << "\"" << block.key << "\" kept, " << block.json.size() << " characters";
    out = LoadAll(manager, Scratch("deep2.json", inObject));
    ASSERT_EQ(manager.objects.size(), 2u);
    // The bound itself: 256 levels are kept and written back, 257 are not.
    const std::string kept = std::string(256, '[') + std::string(256, ']');
    const std::string deeper = std::string(257, '[') + std::string(257, ']');
    const std::string bounds =
        "[{\"GameObject\": 1, \"g_name\": \"bounds\", \"m_active\": true, "
        "\"Kept\": " +
        kept + ", \"Deeper\": " + deeper + ", \"position\": [0.0, 0.0]}]";
    VXObjectManager bound;
    out = Printed([&] { bound.LoadObjects(Scratch("bounds.json", bounds)); });
    ASSERT_EQ(bound.objects.size(), 1u);
    EXPECT_EQ(out.find("\"Kept\" is nested"), std::string::npos) << out;
    EXPECT_NE(out.find("\"bounds\": \"Deeper\" is nested too deeply to keep"), std::string::npos)
        << out;
    const std::vector<UnreadBlock>& blocks = bound.objects[0]->unreadBlocks;
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].key, "Kept");
    EXPECT_EQ(blocks[0].json, kept);
    const std::string text = ObjectsToText(bound.objects);
    VXObjectLoader again;
    ASSERT_TRUE(again.LoadFromMemory(text.data(), text.size(), "bounds again"));
    ASSERT_EQ(again.records.size(), 1u);
    ASSERT_EQ(again.records[0].unreadBlocks.size(), 1u);
    EXPECT_EQ(again.records[0].unreadBlocks[0].json, kept);
    std::string unclosed(depth, '{');
    out = LoadAll(manager, Scratch("deep3.json", "[" + unclosed));
    EXPECT_NE(out.find("ERROR"), std::string::npos);
}
