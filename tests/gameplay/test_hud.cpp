// The HUD in the running engine: the clock, the score bars, the portraits and
// paint bars, the slide and fade while paused, and what it draws.
#include "tests/gameplay/match_fixture.h"

namespace MatchTest {
namespace {

using TestHarness::Rgb;

// Pixels of a screen box (top-left origin) that pass `test`.
template <class Test>
long Count(const TestHarness::FrameImage& image, int x0, int y0, int x1, int y1, Test test) {
    long n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += test(image.At(x, y)) ? 1 : 0;
    return n;
}
bool White(const Rgb& p) {
    return p.r > 200 && p.g > 200 && p.b > 200;
}

TEST_F(Match, ClockCountsWholeSecondsTurnsRedAndAnEmptyScoreIsABlueTie) {
    seconds = 12;
    cells = 0;  // no paintable floor: nobody scores
    blue = 5;
    EnterMatch();
    RunUntilActive();
    VXTextComponent* clockText = TextOf(Object("Background UI"));
    EXPECT_EQ(clockText->text, "    00:12");
    EXPECT_EQ(clockText->red, 0.0f);
    RunUntil([] { return g_secondsLeft == 11; });
    const int second = 1 + RunUntil([] { return g_secondsLeft == 10; });
    EXPECT_TRUE(second == 60 || second == 61) << second;
    EXPECT_EQ(clockText->red, 1.0f);
    LongFrame();  // a 2.5 s stall runs a few steps; the rest is lost
    EXPECT_EQ(g_secondsLeft, 10);

    EXPECT_EQ(Text("BlueBar"), "00%");
    EXPECT_EQ(HUD::ReadTextNumber("BlueBar"), 0);
    EXPECT_EQ(HUD::ReadTextNumber("NoSuchObject"), 0);
    RunUntil(MatchOver);
    StepFrames(1);
    EXPECT_EQ(clockText->text, " 00:00");
    EXPECT_EQ(g_winner, 1);
    Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(engine->paused, 0);  // no pause once the match is decided
}

TEST_F(Match, PortraitsFollowTheLineUpAndForgetTheLastMatch) {
    fuel[0] = 150;
    fuel[1] = 0;
    lineUp = {{1, Kind::Knight, 2}, {2, Kind::Maid, 1}};
    EnterMatch();
    StepFrames(1);
    EXPECT_FALSE(Object("Portrait1")->m_active);
    // Blue's player in portrait 2, faces by kind and team (Maid Blue 3,
    // Knight Red 13); fuel 0 an empty bar, 150 a full one.
    EXPECT_EQ(SpriteOf(Object("Portrait2"))->cellRows[0], std::vector<int32_t>{3});
    EXPECT_EQ(SpriteOf(Object("Portrait3"))->cellRows[0], std::vector<int32_t>{13});
    EXPECT_EQ(Object("Portrait2PaintBar")->scale[0], 0.0f);
    EXPECT_EQ(Object("Portrait3PaintBar")->scale[0], 220.0f);

    FrameContext().nextState = GameState::LevelSelectScreen;
    ASSERT_TRUE(RunUntilState(GameState::LevelSelectScreen, 2));
    lineUp = {{1, Kind::Archer, 1}};
    EnterMatch();
    StepFrames(1);
    EXPECT_TRUE(HUD::Slot(1).hasEntry);
    EXPECT_FALSE(HUD::Slot(2).hasEntry);
    EXPECT_EQ(Object("Portrait3PaintBar")->scale[0], 0.0f);
}

TEST_F(Match, HudSlidesAwayWhilePausedWithoutOvershootingOnALongFrame) {
    EnterMatch();
    RunUntilActive();
    Tap(SDL_SCANCODE_ESCAPE);
    LongFrame();
    for (const HudRecord& record : HUD::Records()) {
        EXPECT_EQ(SpriteOf(record.object)->alpha, 0.0f) << record.name;
        EXPECT_NEAR(record.object->position[1], -100.0f, 0.01f) << record.name;
    }
}

TEST_F(Match, HudShowsTheClockAndBothScoreBarsInWholePercent) {
    blue = 7;
    red = 53;  // 53 of 100, not 52
    EnterMatch();
    RunUntilActive();
    StepFrames(60);
    EXPECT_EQ(Text("BlueBar"), "07%");
    EXPECT_EQ(HUD::ReadTextNumber("RedBar"), 53);
    const TestHarness::FrameImage image = CaptureFrame();
    const int w = image.width, h = image.height;
    for (int x : {w / 2 - 243, w / 2 + 243}) {  // dark bars with white figures
        EXPECT_GT(Count(image, x - 100, h - 80, x + 100, h - 20,
                        [](const Rgb& p) {
                            return TestHarness::ColourDistance(p, {24, 23, 39}) < 30;
                        }),
                  6000);
        EXPECT_GT(Count(image, x - 100, h - 80, x + 100, h - 20, White), 100);
    }
    // Black figures on the light middle of the strip.
    EXPECT_GT(Count(image, w / 2 - 100, h - 90, w / 2 + 100, h - 15,
                    [](const Rgb& p) { return p.r < 60 && p.g < 60 && p.b < 60; }),
              300);
    VXPaintMap::TeamTileCount[0] = 100;
    VXPaintMap::TeamTileCount[1] = 0;
    StepFrames(1);
    EXPECT_EQ(Text("BlueBar"), "100%");
    EXPECT_EQ(Text("RedBar"), "00%");
}

// The two-player portraits: the paint bar fills the PAINT box of its
// portrait as the fuel rises and falls, and "SKILL READY" shows above the
// panel while the skill is ready.
TEST_F(Match, ThePaintBoxFollowsTheFuelAndTheReadyLabelShows) {
    fuel[0] = 150;
    fuel[1] = 0;
    EnterMatch();
    RunUntilActive();
    GameObject* blue = level.objects->objects.at(1);
    GameObject* red = level.objects->objects.at(2);
    blue->GetPlayerLogic()->team = 1;
    red->GetPlayerLogic()->team = 2;
    red->GetPlayerLogic()->skillInUse = 1;
    StepFrames(60);  // the HUD has slid in
    HUD::SetPortraitState(blue, red, nullptr, nullptr);
    auto yellow = [](const Rgb& p) { return p.r > 180 && p.g > 140 && p.b < 110; };
    auto gold = [](const Rgb& p) { return p.r > 200 && p.g > 140 && p.g < 220 && p.b < 90; };
    TestHarness::FrameImage image = CaptureFrame();
    const int w = image.width, h = image.height;
    // The PAINT box: 220 x 34, its left end 41 px left of the portrait's
    // centre, 60 px above the bottom; portrait 2 at 0.14 W, portrait 3 at 0.86 W.
    const int left[2] = {int(0.14f * w) - 41, int(0.86f * w) - 41};
    auto boxCount = [&](int side, int from, int to, auto test) {
        return Count(image, left[side] + from, h - 72, left[side] + to, h - 48, test);
    };
    const long box = 200 * 24;
    EXPECT_GT(boxCount(0, 10, 210, yellow), box * 8 / 10) << "full fuel, full box";
    EXPECT_LT(boxCount(1, 10, 210, yellow), box / 20) << "no fuel, empty box";
    // The ready label over the blue portrait; the red player's skill runs.
    const int label[2] = {int(0.14f * w) + 69, int(0.86f * w) + 69};
    for (int side : {0, 1}) {
        const long n = Count(image, label[side] - 80, h - 160, label[side] + 80, h - 132, gold);
        if (side == 0)
            EXPECT_GT(n, 150) << "SKILL READY is not seen";
        else
            EXPECT_LT(n, 20) << "a running skill shows SKILL READY";
    }

    blue->GetPlayerLogic()->paintFuel = 50;  // half a bar, its left half
    red->GetPlayerLogic()->paintFuel = 100;
    StepFrames(40);
    image = CaptureFrame();
    EXPECT_GT(boxCount(0, 10, 100, yellow), 90 * 24 * 8 / 10);
    EXPECT_LT(boxCount(0, 120, 210, yellow), 90 * 24 / 10);
    EXPECT_GT(boxCount(1, 10, 210, yellow), box * 8 / 10);
}

// The winner's screen comes to rest in the winner's colour, either side: the
// WINNER! panel and the plate, with the share written.
class WinScreen : public Match, public ::testing::WithParamInterface<bool> {};

TEST_P(WinScreen, PixelsRestInTheWinnersColourWithThePlateAndTheShare) {
    const bool blueWins = GetParam();
    seconds = 1;
    blue = blueWins ? 60 : 10;
    red = blueWins ? 10 : 60;
    EnterMatch();
    RunUntilActive();
    RunUntil([&] { return TextOf(Object("WinScreen"))->active != 0; });
    StepFrames(30);  // resting on the row's last frame
    const TestHarness::FrameImage image = CaptureFrame();
    const int w = image.width, h = image.height;
    auto winners = [&](const Rgb& p) { return blueWins ? p.b > p.r + 40 : p.r > p.b + 40; };
    // The panel left of its word, across the top.
    const Rgb panel = TestHarness::MostCommonColour(image, w * 12 / 100, h / 10, w / 5, h / 4);
    EXPECT_TRUE(winners(panel)) << panel.r << " " << panel.g << " " << panel.b;
    // The plate right of the portrait circle, above its name.
    const Rgb plate = image.At(w / 2 + 240, h / 2 - 70);
    EXPECT_TRUE(winners(plate)) << plate.r << " " << plate.g << " " << plate.b;
    // The share, white, low on the right.
    const int x = w / 2 + static_cast<int>(0.215f * w), y = h / 2 + static_cast<int>(0.335f * h);
    EXPECT_GT(Count(image, x, y - 40, x + 120, y, White), 100);
}
INSTANTIATE_TEST_SUITE_P(EachSide, WinScreen, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Blue" : "Red";
                         });

}  // namespace
}  // namespace MatchTest
