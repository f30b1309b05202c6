// Tile-map files: the reader's rules, the writer's layout and sort, the round
// trip and named malformed files (the save is the atomic writer's, tested
// with the object files).
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "graphics/VXInstanceSet.h"
#include "graphics/VXJsonNumbers.h"
#include "graphics/VXTilemapData.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/SameList.h"

using namespace FrameWork;
using TestHarness::Printed;
namespace fs = std::filesystem;

namespace {

class Tilemap : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("pellwick_tilemap_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& text) {
        const fs::path path = dir / name;
        fs::create_directories(path.parent_path());
        TestHarness::WriteFile(path, text);
        return path.string();
    }
    // Loads `path` quietly or not; what was printed.
    std::string Load(const std::string& path, bool expectRegistered) {
        bool added = !expectRegistered;
        const std::string out = Printed([&] { added = LoadTilemapFile(path, registry); });
        EXPECT_EQ(added, expectRegistered) << path;
        return out;
    }

    fs::path dir;
    VXTilemapRegistry registry;
};

// A 2 x 2 floor given out of order, with its colours and frames.
void FillFloor(VXInstanceSet& set) {
    set._texColumns = 4;
    set._texRows = 4;
    set.ComputeFrames(4, 4);
    const float positions[4][2] = {{150, -50}, {50, 50}, {50, -50}, {150, 50}};
    for (int k = 0; k < 4; ++k) {
        set.m_data1.push_back({positions[k][0], positions[k][1], 104, 104});
        set.m_data2.push_back({0.1f * static_cast<float>(k), 1, 1, 1});
        set.AddFrameIndex(k + 5);
    }
    set._count = 4;
}

}  // namespace

TEST_F(Tilemap, ReaderFollowsTheFileRules) {
    const std::string text = R"([
      {"row": 3, "col": 2, "_name": "FloorTiles.png", "_texColumns": 4, "_texRows": 2,
       "_count": 2, "_depth": -7, "m_default1": 1, "m_default2": true, "m_default3": false,
       "m_data1": [0, 0, 104, 104, 100, 0.5, 104, 104, 9],
       "m_data2": [1, 1, 1, 1],
       "m_data3Index": [3, 4],
       "AABB": ["Wall_12", 50, 150.5, "Wall", 10, 20, "x_y_7", 1, 2, "99999999999", 3, 4]},
      {"row": 8, "_name": "second"}
    ])";
    VXTilemapData record;
    std::string why;
    ASSERT_TRUE(ParseTilemap(text.data(), text.size(), record, why));
    EXPECT_EQ(record.row, 3);
    EXPECT_EQ(record._name, "FloorTiles.png");
    EXPECT_EQ(record._depth, -7);
    EXPECT_FALSE(record.m_default1);  // a number is not the literal true
    EXPECT_TRUE(record.m_default2);
    EXPECT_FALSE(record.m_default3);
    ASSERT_EQ(record.m_data1.size(), 2u);  // the ninth number makes no group
    EXPECT_EQ(record.m_data1[1][1], 0.5f);
    EXPECT_EQ(record.m_data3Index, (std::vector<int32_t>{3, 4}));
    EXPECT_EQ(record.aabbIndices, (std::vector<int32_t>{12, 0, 7, INT_MAX}));
    ASSERT_EQ(record.aabbSizes.size(), 4u);
    EXPECT_EQ(record.aabbSizes[0], std::make_pair(50.0f, 150.5f));
    EXPECT_NE(why.find("m_default1"), std::string::npos);
    EXPECT_NE(why.find("m_data1"), std::string::npos);
}

TEST_F(Tilemap, KeyIsTheBaseNameAndTheFirstFileReadStays) {
    EXPECT_EQ(TilemapKey("dir/x.y.json"), "x.y");
    const std::string first = Write("a/Level_3.json", R"([{"row": 1, "_name": "first"}])");
    const std::string second = Write("b/Level_3.json", R"([{"row": 2, "_name": "second"}])");
    Load(first, true);
    Load(second, false);
    ASSERT_EQ(registry.size(), 1u);
    EXPECT_EQ(registry["Level_3"]._name, "first");
}

TEST_F(Tilemap, SavedFileReadsBackSortedWithItsWalls) {
    VXInstanceSet floor("FloorTiles.png", INT_MIN);
    FillFloor(floor);
    floor.m_default2 = 0;
    VXInstanceSet paint("carpetBomb2.png", 0);
    paint.m_data1.push_back({1, 2, 54, 54});
    paint._count = 1;
    VXInstanceSet extra("Extra.png", 5);
    const std::string path = (dir / "Level_4.json").string();
    ASSERT_TRUE(WriteTilemapFile(path, 2, 2, {&floor, &paint, &extra},
                                 {{{"Wall_7", 50, 150}, {"Wall_8", 0.1f, 2}}, {}}));

    const std::string text = TestHarness::ReadFile(path);
    // One wall a line, floats in their shortest form, no wall list for the
    // paint layer, an empty one where the grid had no object list.
    EXPECT_NE(text.find("\"AABB\": [\n            \"Wall_7\", 50.0, 150.0,\n            "
                        "\"Wall_8\", 0.1, 2.0\n        ]"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"AABB\": []"), std::string::npos);
    size_t walls = 0;
    for (size_t at = text.find("\"AABB\""); at != std::string::npos;
         at = text.find("\"AABB\"", at + 1))
        ++walls;
    EXPECT_EQ(walls, 2u);
    Load(path, true);
    ASSERT_EQ(registry.count("Level_4"), 1u);
    const VXTilemapData& record = registry.at("Level_4");
    EXPECT_EQ(record._count, 4);
    EXPECT_EQ(record._depth, INT_MIN);
    EXPECT_FALSE(record.m_default2);
    // Sorted row by row from the top-left, colours and frames moved along.
    ASSERT_EQ(record.m_data1.size(), 4u);
    EXPECT_EQ(record.m_data1[1][0], 150.0f);
    EXPECT_EQ(record.m_data1[1][1], 50.0f);
    EXPECT_EQ(record.m_data3Index, (std::vector<int32_t>{6, 8, 7, 5}));
    EXPECT_EQ(record.m_data2[1][0], 0.3f);
    EXPECT_EQ(record.aabbIndices, (std::vector<int32_t>{7, 8}));
    EXPECT_EQ(record.aabbSizes[1], std::make_pair(0.1f, 2.0f));
}

TEST_F(Tilemap, FloatsAreWrittenInTheirShortestForm) {
    EXPECT_EQ(FloatText(104.0f), "104.0");
    EXPECT_EQ(FloatText(0.1f), "0.1");
    EXPECT_EQ(FloatText(1.0f / 3.0f), "0.33333334");
    EXPECT_EQ(std::strtof(FloatText(1e20f).c_str(), nullptr), 1e20f);
    EXPECT_EQ(FloatText(std::numeric_limits<float>::quiet_NaN()), "0.0");
}

TEST_F(Tilemap, MalformedFilesPrintALineAndRegisterNothing) {
    // A handful of named files; the fuzz run (tests/run_tiles_fuzz.sh) sweeps the rest.
    const std::string cases[] = {
        "",
        "[{\"row\": 2, \"col\": ",
        "{\"row\": 2}",
        "[1, \"two\", null]",
        "[{\"row\": NaN}]",
        std::string(100000, '[') + std::string(100000, ']'),
    };
    for (const std::string& text : cases) {
        const std::string out = Load(Write("Level_9.json", text), false);
        EXPECT_EQ(out.rfind(" -> Tile map ", 0), 0u) << out;
    }
    EXPECT_NE(Load((dir / "nothing.json").string(), false).find("could not be opened"),
              std::string::npos);
    EXPECT_TRUE(registry.empty());
}

// The declared rows and columns bound nothing (the floor grid places the
// tiles by position), and a file saved as UTF-16 says so.
TEST_F(Tilemap, DeclaredSizeIsNoBoundAndAUtf16FileIsNamedAsSuch) {
    std::string tiles;
    for (int k = 0; k < 600; ++k)
        tiles += (k ? ", " : "") + std::to_string(100 * (k % 24)) + ", " +
                 std::to_string(-100 * (k / 24)) + ", 104, 104";
    const std::string text =
        "[{\"row\": 24, \"col\": 24, \"_name\": \"FloorTiles.png\", "
        "\"m_data1\": [" +
        tiles + "]}]";
    EXPECT_EQ(Load(Write("Level_0.json", text), true).find("not loaded"), std::string::npos);
    ASSERT_EQ(registry.count("Level_0"), 1u);
    EXPECT_EQ(registry.at("Level_0").m_data1.size(), 600u);
    EXPECT_EQ(registry.at("Level_0").fileName, "Level_0.json");

    std::string utf16 = "\xFF\xFE";
    for (char c : text) utf16 += std::string{c, '\0'};
    EXPECT_EQ(Load(Write("Level_5.json", utf16), false),
              " -> Tile map " + (dir / "Level_5.json").string() + " is not UTF-8 text (UTF-16)\n");
}

// A frame list of the wrong length is named once with both counts and
// fitted to the tiles: the tiles it misses take the frame it uses most.
TEST_F(Tilemap, AFrameListOfTheWrongLengthIsNamedAndFitted) {
    std::string tiles;
    for (int k = 0; k < 6; ++k)
        tiles += (k ? ", " : "") + std::to_string(100 * k) + ", 0, 104, 104";
    const struct {
        const char* frames;
        std::vector<int32_t> fitted;
        const char* said;
    } cases[] = {
        {"[3, 7, 7, 2, 9, 1]", {3, 7, 7, 2, 9, 1}, ""},
        {"[3, 7, 7, 2]",
         {3, 7, 7, 2, 7, 7},
         "4 frames for 6 tiles; the last 2 tiles take frame 7, "
         "the one used most"},
        {"[5, 4]",
         {5, 4, 4, 4, 4, 4},
         "2 frames for 6 tiles; the last 4 tiles take frame 4, "
         "the one used most"},
        {"[]", {0, 0, 0, 0, 0, 0}, "0 frames for 6 tiles; the last 6 tiles take frame 0"},
        {"[1, 2, 3, 4, 5, 6, 7, 8]",
         {1, 2, 3, 4, 5, 6},
         "8 frames for 6 tiles; the last 2 frames are dropped"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        const std::string path =
            Write("Level_6.json",
                  "[{\"row\": 1, \"col\": 6, \"_name\": \"FloorTiles.png\", \"_texColumns\": 4, "
                  "\"_texRows\": 4, \"_count\": 6, \"_depth\": 0, \"m_default1\": true, "
                  "\"m_default2\": true, \"m_default3\": true, \"m_data1\": [" +
                      tiles + "], \"m_data2\": [], \"m_data3Index\": " + c.frames + "}]");
        const std::string expected =
            *c.said ? " -> Tile map " + path + ": " + c.said + "\n" : std::string();
        EXPECT_EQ(Load(path, true), expected);
        ASSERT_EQ(registry.count("Level_6"), 1u);
        EXPECT_TRUE(TestHarness::SameList(registry.at("Level_6").m_data3Index, c.fitted));
        registry.clear();
    }
}

TEST_F(Tilemap, PartialAndMistypedRecordsKeepTheirDefaults) {
    const std::string cases[] = {
        R"([{"row": "20", "col": 2.5, "_count": 4294967296, "_name": 7}])",
        R"([{"m_data1": [1, 2, "x", 4], "m_data3Index": [1, 2.5], "AABB": ["a", 1]}])",
        R"([{"m_data1": {"x": 1}, "AABB": [1, 2, 3], "m_default1": "true"}])",
    };
    for (const std::string& text : cases) {
        const std::string out = Load(Write("Level_8.json", text), true);
        EXPECT_NE(out.find("missing or wrong"), std::string::npos) << out;
        ASSERT_EQ(registry.count("Level_8"), 1u) << text;
        const VXTilemapData& record = registry.at("Level_8");
        EXPECT_EQ(record.row, 0);
        EXPECT_EQ(record.col, 0);
        EXPECT_EQ(record._count, 0);
        EXPECT_EQ(record._name, "");
        EXPECT_EQ(record.m_data1.size(), 0u);
        EXPECT_EQ(record.m_data3Index.size(), 0u);
        EXPECT_EQ(record.aabbIndices.size(), 0u);
        registry.clear();
    }
}

TEST(InstanceSet, SheetFramesAndAFailedImage) {
    VXInstanceSet set("Sheet.png", 0);
    // Each failure names the file and why it failed.
    EXPECT_EQ(Printed([&] { set.LoadImage("../nowhere/missing.png", 2, 4); }),
              "\nERROR\n -> Texture image fail to load, image file not found.\n"
              "../nowhere/missing.png\n\n");
    const std::string folder = ::testing::TempDir();
    EXPECT_EQ(
        Printed([&] { set.LoadImage(folder.c_str(), 2, 4); }),
        "\nERROR\n -> Texture image fail to load, image file is a folder.\n" + folder + "\n\n");
    const std::string text = folder + "pellwick_not_an_image.png";
    TestHarness::WriteFile(text, "not an image at all");
    EXPECT_EQ(
        Printed([&] { set.LoadImage(text.c_str(), 2, 4); }),
        "\nERROR\n -> Texture image fail to load, image file may be corrupted.\n" + text + "\n\n");
    std::remove(text.c_str());
    ASSERT_EQ(set.frameTable.size(), 8u);
    EXPECT_EQ(set.FrameOffset(5), (Vec2f{0.25f, 0.5f}));
    // The quad's top corners take the cell's top edge, so the sheet shows
    // upright: bottom-left, bottom-right, top-left, top-right.
    EXPECT_EQ(set.uvCorners[0], (Vec2f{0.0f, 0.5f}));
    EXPECT_EQ(set.uvCorners[1], (Vec2f{0.25f, 0.5f}));
    EXPECT_EQ(set.uvCorners[2], (Vec2f{0.0f, 0.0f}));
    EXPECT_EQ(set.uvCorners[3], (Vec2f{0.25f, 0.0f}));
    // A second load replaces the frame table; a sheet of no cells is 1 x 1.
    Printed([&] {
        set.LoadImage("../nowhere/missing.png", 2, 4);
        set.LoadImage(nullptr, 0, -3);
    });
    EXPECT_EQ(set.frameTable.size(), 1u);
    EXPECT_EQ(set.FrameOffset(3), (Vec2f{0.0f, 0.0f}));
    set.AddFrameIndex(3);
    EXPECT_EQ(set.texOffsets.back(), (Vec2f{0.0f, 0.0f}));
}
