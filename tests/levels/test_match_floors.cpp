// Floors and flags as designers leave them, played as real matches: a
// near copy of a tile changes nothing of the floor or the score, a frame
// list of the wrong length is named and the floor still draws, and flags
// that cannot be captured in a match say why.
#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "gameplay/VXFlagCom.h"
#include "gameplay/VXMatchState.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXTilemapData.h"
#include "platform/Platform.h"
#include "tests/levels/MatchTestSupport.h"
#include "tests/support/SameList.h"

namespace MatchTest {
namespace {

// Appends `values` to the JSON array `key` of a tile-map text (the arrays
// hold plain numbers), or puts them `first`.
void AppendToArray(std::string& text, const std::string& key, const std::string& values,
                   bool first = false) {
    const size_t open = text.find("\"" + key + "\": [");
    ASSERT_NE(open, std::string::npos) << key;
    if (first)
        text.insert(text.find('[', open) + 1, values + ", ");
    else
        text.insert(text.find(']', open), ", " + values);
}

// What a short match leaves: the floor's make-up and the end score.
struct MatchResult {
    int32_t walkable = 0;
    int32_t total = 0;
    std::vector<int32_t> cellTiles;
    std::vector<int> walls;
    std::vector<Vec2f> frames;  // the floor tiles' sheet offsets, as drawn
    int painted[3] = {};
    int32_t winner = 2;
};

class NearCopyTiles : public MatchFixture {
protected:
    // A copy of tile 0 of each floor 49.9 units left of it, listed last:
    // a hedge tile, as a designer's slipped paste leaves it.  Arena 0 also
    // with that copy and a tile off the grid listed first and far tiles last,
    // and with its hedges' frame 12 written as 1000000.
    void PrepareData(TestHarness::TempDataTree& tree) override {
        const struct {
            const char* map;
            const char* tile;
            const char* frame;
        } copies[] = {{"Level_0", "-1199.9, 1150.0, 104.0, 104.0", "12"},
                      {"Level_1", "-1099.9, 950.0, 104.0, 104.0", "13"}};
        for (const auto& copy : copies) {
            std::string text = TestHarness::ReadFile(
                tree.Data(std::string("objects/TilemapJsons/") + copy.map + ".json"));
            AppendToArray(text, "m_data1", copy.tile);
            AppendToArray(text, "m_data2", "1.0, 1.0, 1.0, 1.0");
            AppendToArray(text, "m_data3Index", copy.frame);
            tree.WriteData(std::string("objects/NearCopies/") + copy.map + ".json", text);
        }
        const std::string shipped =
            TestHarness::ReadFile(tree.Data("objects/TilemapJsons/Level_0.json"));
        std::string text = shipped;
        AppendToArray(text, "m_data1", "-1199.9, 1150, 104, 104, -1300, 1150, 104, 104", true);
        AppendToArray(text, "m_data3Index", "12, 0", true);
        AppendToArray(text, "m_data1", "1e5, 1150, 104, 104, 1e6, 1150, 104, 104, -2e5, 0, 1, 1");
        AppendToArray(text, "m_data3Index", "0, 0, 0");
        tree.WriteData("objects/OffGrid/Level_0.json", text);
        text = std::regex_replace(shipped, std::regex("([ \\[])12(?=[,\\]\\s])"), "$011000000");
        tree.WriteData("objects/Frames/Level_0.json", text);
    }

    // Enters the running level again on `folder`'s copy of map `map`; what it said.
    std::string EnterWith(const std::string& folder, const std::string& map) {
        VXTilemapRegistry& maps = VXGraphicsManager::Instance()->tilemaps;
        maps.erase(map);
        EXPECT_TRUE(
            LoadTilemapFile(tree->Data("objects/" + folder + "/" + map + ".json").string(), maps));
        FrameContext().lineUp = LineUp(8, 1, 6, 2);
        FrameWork::Platform::SRand(46);
        return Enter(GameState::Reload);
    }

    // The running floor's make-up.
    static MatchResult Floor() {
        MatchResult result;
        VXShapeInstancer* grid = g_currentInstancer;
        const VXInstanceSet* floor =
            VXGraphicsManager::Instance()->FindInstanceSet("FloorTiles.png");
        if (!grid || !floor) {
            ADD_FAILURE() << "no floor grid";
            return result;
        }
        result.walkable = grid->walkableCells;
        result.total = g_totalPaintCells;
        result.cellTiles = grid->cellTiles;
        result.frames = floor->texOffsets;
        for (const VXPaintCell& cell : VXGraphicsManager::Instance()->paintCells)
            result.walls.push_back(cell.wallBlocked);
        return result;
    }

    // Enters `next` with the same draw of chance, drives both players
    // forward for a second, then plays the last second.
    MatchResult Play(int next, std::string* said, const char* folder = nullptr,
                     const char* map = nullptr) {
        FrameWork::Platform::SRand(46);
        *said = folder ? EnterWith(folder, map) : Enter(next);
        MatchResult result = Floor();
        if (!g_currentInstancer) return result;
        const std::vector<VXPaintCell>& cells = VXGraphicsManager::Instance()->paintCells;
        // The count-down takes the input from the frame after the one that
        // ended the match before.
        for (int i = 0; i < 60 && !FrameContext().inputBlocked; ++i) StepFrames(1);
        WaitForCountdown();
        PressKey(SDL_SCANCODE_W);
        PressKey(SDL_SCANCODE_UP);
        StepFrames(60);
        ReleaseKey(SDL_SCANCODE_W);
        ReleaseKey(SDL_SCANCODE_UP);
        g_secondsLeft = 1;
        for (int i = 0; i < 600 && !g_matchOver; ++i) StepFrames(1);
        EXPECT_EQ(g_matchOver, 1);
        for (const VXPaintCell& cell : cells)
            if (cell.painted && cell.team >= 1 && cell.team <= 2) ++result.painted[cell.team];
        result.winner = g_winner;
        return result;
    }
};

// Says whether `said` holds `line` exactly once.
::testing::AssertionResult SaidOnce(const std::string& said, const std::string& line) {
    const size_t at = said.find(line);
    if (at != std::string::npos && said.find(line, at + 1) == std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << (at == std::string::npos ? "not said: " : "said twice: ") << line << "in\n"
           << said;
}

TEST_F(NearCopyTiles, FloorWallsAndScoreAreTheShippedFloors) {
    StartGame();
    const struct {
        int state;
        const char* map;
        const char* skipped;
    } levels[] = {{GameState::Level1, "Level_1", "Level_1.json: tile 440 lies on tile 0; skipped"},
                  {GameState::Level0, "Level_0", "Level_0.json: tile 576 lies on tile 0; skipped"}};
    MatchResult shipped;
    for (const auto& level : levels) {
        SCOPED_TRACE(level.map);
        FrameContext().lineUp = LineUp(8, 1, 6, 2);
        std::string said;
        shipped = Play(level.state, &said);
        EXPECT_EQ(said.find("skipped"), std::string::npos) << said;
        ASSERT_GT(shipped.walkable, 0);
        EXPECT_GT(shipped.painted[1] + shipped.painted[2], 0) << "the players painted nothing";

        // The same level on the floor with the near copy, listed last.
        const MatchResult copied = Play(GameState::Reload, &said, "NearCopies", level.map);
        EXPECT_TRUE(SaidOnce(said, level.skipped));
        EXPECT_EQ(copied.walkable, shipped.walkable);
        EXPECT_EQ(copied.total, shipped.total);
        EXPECT_TRUE(TestHarness::SameList(copied.cellTiles, shipped.cellTiles));
        EXPECT_TRUE(TestHarness::SameList(copied.walls, shipped.walls));
        EXPECT_EQ(copied.painted[1], shipped.painted[1]);
        EXPECT_EQ(copied.painted[2], shipped.painted[2]);
        EXPECT_EQ(copied.winner, shipped.winner);
    }

    // Arena 0: listed first, the copy moves no cell either, and a tile half
    // a cell off the others' grid takes the cell left of the floor and moves
    // no other; tiles far away are named.
    std::string said = EnterWith("OffGrid", "Level_0");
    const MatchResult off = Floor();
    for (const char* line : {"tile 0 lies on tile 2; skipped\n",
                             "tile 1 at (-1300, 1150) is off the grid of the others; it takes the "
                             "cell at (-1250, 1150)\n",
                             "tile 578 at (100000, 1150) lies far outside the others; skipped\n",
                             "tile 579 at (1e+06, 1150) lies far outside the others; skipped\n",
                             "tile 580 at (-200000, 0) lies far outside the others; skipped\n"})
        EXPECT_TRUE(SaidOnce(said, line));
    EXPECT_EQ(off.walkable, shipped.walkable + 1)
        << "walkable cells with the two tiles listed first";
    ASSERT_EQ(off.walls.size(), shipped.walls.size() + 1);
    EXPECT_TRUE(TestHarness::SameList(std::vector<int>(off.walls.begin() + 1, off.walls.end()),
                                      shipped.walls));
    ASSERT_EQ(off.frames.size(), shipped.frames.size() + 1);
    EXPECT_TRUE(TestHarness::SameList(std::vector<Vec2f>(off.frames.begin() + 1, off.frames.end()),
                                      shipped.frames));

    // Hedges whose frame is off the sheet show the sheet's last frame.
    said = EnterWith("Frames", "Level_0");
    EXPECT_TRUE(SaidOnce(said,
                         "Level_0.json: 116 tiles have frames outside the 16 of "
                         "FloorTiles.png (1000000); drawn with frame 15 under walls\n"));
    const VXInstanceSet* floor = VXGraphicsManager::Instance()->FindInstanceSet("FloorTiles.png");
    const std::vector<VXPaintCell>& cells = VXGraphicsManager::Instance()->paintCells;
    int shown = 0;
    for (size_t t = 0; t < cells.size() && t < floor->texOffsets.size(); ++t)
        shown += floor->m_data3Index.at(t) == 1000000 && cells[t].wallBlocked &&
                 floor->texOffsets[t] == floor->FrameOffset(15);
    EXPECT_EQ(shown, 116) << "hedges drawn with frame 15 under walls";
}

// Arena 0's frame list cut to its first 100 entries and arena 1's with four
// more than its tiles; the first flag of each on player 1's start place, at
// scale 1e-4 on arena 0 and 1e-30 on arena 1.
class FramesAndFlags : public MatchFixture {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        const std::string level0 = "objects/TilemapJsons/Level_0.json";
        std::string text = TestHarness::ReadFile(tree.Data(level0));
        const size_t list = text.find("\"m_data3Index\": [");
        ASSERT_NE(list, std::string::npos);
        size_t cut = list;
        for (int k = 0; k < 100; ++k) cut = text.find(',', cut + 1);
        text.erase(cut, text.find(']', list) - cut);
        tree.WriteData(level0, text);
        const std::string level1 = "objects/TilemapJsons/Level_1.json";
        text = TestHarness::ReadFile(tree.Data(level1));
        AppendToArray(text, "m_data3Index", "13, 13, 13, 13");
        tree.WriteData(level1, text);

        const struct {
            const char* file;
            const char* place;
            const char* scale;
        } flags[] = {{"objects/savefile0.json", "[-250.0, -950.0]", "1e-4"},
                     {"objects/savefile1.json", "[-750.0, 450.0]", "1e-30"}};
        for (const auto& flag : flags) {
            const std::string after = "\"g_name\": \"Flag1\"";
            std::string object = TestHarness::ReadFile(tree.Data(flag.file));
            const size_t at = object.find(after);
            ASSERT_NE(at, std::string::npos) << flag.file;
            const size_t position = object.find("\"position\": [", at);
            object.replace(position, object.find(']', position) + 1 - position,
                           std::string("\"position\": ") + flag.place);
            for (const char* key : {"\"scaleX\": 100.0", "\"scaleY\": 100.0"}) {
                const size_t scale = object.find(key, at);
                ASSERT_NE(scale, std::string::npos) << key;
                object.replace(scale, std::string(key).size(),
                               std::string(key).substr(0, 10) + flag.scale);
            }
            tree.WriteData(flag.file, object);
        }
    }

    // Pixels that change when the floor is hidden, of the whole frame.
    double FloorShare(VXInstanceSet& floor) {
        const TestHarness::FrameImage shown = CaptureFrame();
        floor.visible = 0;
        const TestHarness::FrameImage hidden = CaptureFrame();
        floor.visible = 1;
        return static_cast<double>(TestHarness::CountDifferentPixels(shown, hidden, 24)) /
               (shown.width * shown.height);
    }
};

TEST_F(FramesAndFlags, FrameListsAreNamedAndFittedAndFlagsSayWhyTheyStandStill) {
    const std::string loading = TestHarness::Printed([&] { StartGame(); });
    const std::string lines[] = {
        "Level_0.json: 100 frames for 576 tiles; the last 476 tiles take frame 0, the one used "
        "most\n",
        "Level_1.json: 444 frames for 440 tiles; the last 4 frames are dropped\n"};
    for (const std::string& line : lines) {
        const size_t at = loading.find(line);
        EXPECT_NE(at, std::string::npos) << line << "in\n" << loading;
        EXPECT_EQ(loading.find(line, at + 1), std::string::npos) << "named once: " << line;
    }
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();

    // Arena 1: every tile has its own frame, as shipped; the flag's cells
    // are too small to step across its box, which stands on tiles.
    FrameContext().lineUp = LineUp(8, 1, 6, 2);
    std::string said = Enter(GameState::Level1);
    VXInstanceSet* floor = graphics->FindInstanceSet("FloorTiles.png");
    ASSERT_NE(floor, nullptr);
    VXTilemapRegistry shipped;
    ASSERT_TRUE(
        TestHarness::Printed([&] {
            LoadTilemapFile(
                (TestHarness::SourceDir() / "data/objects/TilemapJsons/Level_1.json").string(),
                shipped);
        }).empty());
    EXPECT_TRUE(TestHarness::SameList(floor->m_data3Index, shipped.at("Level_1").m_data3Index));
    EXPECT_EQ(floor->texOffsets.size(), floor->m_data1.size());
    EXPECT_NE(said.find(" -> Flag \"Flag1\" has no capture cell (cell size 1e-30 x 1e-30: too "
                        "small to step from cell to cell at the flag's place)\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("no tile under it"), std::string::npos) << said;

    // Arena 0: the tiles past the list take the floor's plain ground and
    // the floor round the players draws.
    FrameWork::Platform::SRand(46);
    said = Enter(GameState::Level0);
    ASSERT_EQ(floor->m_data1.size(), 576u);
    EXPECT_EQ(floor->_count, 576);
    EXPECT_EQ(floor->texOffsets.size(), 576u);
    EXPECT_EQ(floor->m_data3Index.size(), 576u);
    if (floor->m_data3Index.size() > 100) {
        EXPECT_EQ(std::count(floor->m_data3Index.begin() + 100, floor->m_data3Index.end(), 0), 476);
    }
    WaitForCountdown();
    const double share = FloorShare(*floor);
    // The HUD covers most of a 320 x 180 frame; the floor shows above it.
    EXPECT_GT(share, 0.08) << "of the frame changes when the floor is hidden";

    // The flag's ten-thousandth-unit cells fall on its nine tiles about 1e8
    // times each, all counted, a tile looked up once a run of cells: player
    // 1 standing on it paints, but is nowhere near a capture.
    const std::string named = " -> Flag \"Flag1\" takes ";
    const size_t at = said.find(named);
    ASSERT_NE(at, std::string::npos) << said;
    const std::string line = said.substr(at, said.find('\n', at) - at);
    const unsigned long long steps = std::stoull(line.substr(named.size()));
    EXPECT_TRUE(steps > 9 * 50000000ull && steps < 9 * 200000000ull)
        << steps << " cells, not about a hundred million a tile: " << line;
    EXPECT_EQ(line, named + std::to_string(steps) + " steps (" +
                        std::to_string(std::llround(steps * static_cast<double>(0.08f))) +
                        " s alone on it) to capture: its " + std::to_string(steps) +
                        " cells of 0.0001 x 0.0001 fall on 9 tiles");
    VXFlagCom* flag = Find(Level(GameState::Level0), "Flag1")->GetFlag();
    EXPECT_LE(flag->cellsVisited, 9u) << "tiles looked up for " << steps << " cells";
    EXPECT_TRUE(flag->cellList.empty()) << flag->cellList.size() << " cells held one by one";
    StepFrames(30);
    EXPECT_GT(flag->progress, 0u);
    EXPECT_EQ(flag->captured, 0);
}

}  // namespace
}  // namespace MatchTest
