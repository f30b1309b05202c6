// The HUD in the running engine: the clock, the score bars, the portraits and
// paint bars, the slide and fade while paused, and what it draws.
#include "tests/gameplay/match_fixture.h"

namespace MatchTest {
namespace {

bool MatchOver() {
    return g_matchOver != 0;
}

// Pixels of a screen box (top-left origin) that pass `test`.
template <class Test>
long Count(const TestHarness::FrameImage& image, int x0, int y0, int x1, int y1, Test test) {
    long n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += test(image.At(x, y)) ? 1 : 0;
    return n;
}
bool White(const TestHarness::Rgb& p) {
    return p.r > 200 && p.g > 200 && p.b > 200;
}
bool Black(const TestHarness::Rgb& p) {
    return p.r < 60 && p.g < 60 && p.b < 60;
}

TEST_F(Match, ClockCountsWholeSecondsTurnsRedAndStopsAtZero) {
    level.seconds = 12;
    EnterMatch();
    RunUntilActive();
    VXTextComponent* clockText = TextOf(Object("Background UI"));
    EXPECT_EQ(clockText->text, "    00:12");
    RunUntil([] { return g_secondsLeft == 11; });
    StepFrames(1);
    EXPECT_EQ(clockText->text, "    00:11");
    EXPECT_EQ(clockText->red, 0.0f);
    const int second = 1 + RunUntil([] { return g_secondsLeft == 10; });
    EXPECT_TRUE(second == 60 || second == 61) << second;
    EXPECT_EQ(clockText->red, 1.0f);
    // A frame of 2.5 s takes two seconds at once.
    clock.tick = 2500000;
    StepFrames(1);
    clock.tick = 16667;
    StepFrames(1);
    EXPECT_EQ(g_secondsLeft, 8);
    RunUntil(MatchOver);
    StepFrames(1);
    EXPECT_EQ(clockText->text, " 00:00");
    Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(engine->paused, 0);  // no pause once the match is decided
}

TEST_F(Match, ScoreBarsShowWholePercentagesOfThePaintableCells) {
    EnterMatch();
    const struct {
        int total, blue, red;
        const char *blueText, *redText;
    } rows[] = {
        {100, 7, 0, "07%", "00%"}, {100, 100, 53, "100%", "53%"}, {300, 21, 299, "07%", "99%"}};
    for (const auto& row : rows) {
        g_totalPaintCells = row.total;
        VXPaintMap::TeamTileCount[0] = row.blue;
        VXPaintMap::TeamTileCount[1] = row.red;
        StepFrames(1);
        EXPECT_EQ(Text("BlueBar"), row.blueText);
        EXPECT_EQ(Text("RedBar"), row.redText);
        EXPECT_EQ(HUD::ReadTextNumber("RedBar"), std::atoi(row.redText));
    }
}

TEST_F(Match, ScoresWithoutANumberReadZeroSoATieGoesToBlue) {
    level.cells = 0;
    level.seconds = 1;
    level.blue = 5;
    EnterMatch();
    RunUntilActive();
    EXPECT_EQ(Text("BlueBar"), "- insert text here -");
    EXPECT_EQ(HUD::ReadTextNumber("BlueBar"), 0);
    EXPECT_EQ(HUD::ReadTextNumber("NoSuchObject"), 0);
    RunUntil(MatchOver);
    EXPECT_EQ(g_winner, 1);
}

TEST_F(Match, PortraitsFollowTheLineUpAndForgetTheLastMatch) {
    level.fuel[0] = 150;
    level.fuel[1] = 0;
    level.lineUp = {{1, Kind::Knight, 2}, {2, Kind::Maid, 1}};
    EnterMatch();
    StepFrames(1);
    EXPECT_FALSE(Object("Portrait1")->m_active);
    EXPECT_FALSE(Object("Portrait4PaintBar")->m_active);
    // Blue's player in portrait 2, faces by kind and team (Maid Blue 3,
    // Knight Red 13); fuel 0 an empty bar, 150 a full one.
    EXPECT_EQ(SpriteOf(Object("Portrait2"))->cellRows[0], std::vector<int32_t>{3});
    EXPECT_EQ(SpriteOf(Object("Portrait3"))->cellRows[0], std::vector<int32_t>{13});
    EXPECT_EQ(Object("Portrait2PaintBar")->scale[0], 0.0f);
    EXPECT_EQ(Object("Portrait3PaintBar")->scale[0], 220.0f);

    FrameContext().nextState = GameState::LevelSelectScreen;
    ASSERT_TRUE(RunUntilState(GameState::LevelSelectScreen, 2));
    level.lineUp = {{1, Kind::Archer, 1}};
    EnterMatch();
    StepFrames(1);
    EXPECT_TRUE(HUD::Slot(1).hasEntry);
    EXPECT_FALSE(HUD::Slot(2).hasEntry);
    EXPECT_EQ(Object("Portrait3PaintBar")->scale[0], 0.0f);
}

TEST_F(Match, HudSlidesAwayWhilePausedWithoutOvershootingOnALongFrame) {
    EnterMatch();
    RunUntilActive();
    StepFrames(30);
    Tap(SDL_SCANCODE_ESCAPE);
    clock.tick = 2500000;
    StepFrames(1);
    clock.tick = 16667;
    StepFrames(1);
    for (const HudRecord& record : HUD::Records()) {
        EXPECT_EQ(SpriteOf(record.object)->alpha, 0.0f) << record.name;
        EXPECT_NEAR(record.object->position[1], -100.0f, 0.01f) << record.name;
    }
    Tap(SDL_SCANCODE_ESCAPE);
    StepFrames(30);
    EXPECT_EQ(SpriteOf(Object("BlueBar"))->alpha, 1.0f);
    EXPECT_NEAR(Object("BlueBar")->position[1], 50.0f, 1.0f);
}

TEST_F(Match, HudPixelsShowTheClockAndBothScoreBars) {
    level.blue = 7;
    level.red = 53;
    EnterMatch();
    RunUntilActive();
    StepFrames(60);
    const TestHarness::FrameImage image = CaptureFrame();
    const int w = image.width, h = image.height;
    for (int side : {-1, 1}) {
        const int x = w / 2 + side * 243;
        const long dark = Count(image, x - 100, h - 80, x + 100, h - 20, [](const auto& p) {
            return TestHarness::ColourDistance(p, {24, 23, 39}) < 30;
        });
        EXPECT_GT(dark, 6000) << "score bar " << side;
        EXPECT_GT(Count(image, x - 100, h - 80, x + 100, h - 20, White), 100) << side;
    }
    EXPECT_GT(Count(image, w / 2 - 100, h - 90, w / 2 + 100, h - 15, Black), 300);
}

TEST_F(Match, WinScreenPixelsShowThePlateThePortraitAndTheShare) {
    level.seconds = 1;
    level.blue = 60;
    level.red = 10;
    EnterMatch();
    RunUntilActive();
    RunUntil([&] { return TextOf(Object("WinScreen"))->active != 0; });
    StepFrames(5);
    const TestHarness::FrameImage image = CaptureFrame();
    const int w = image.width, h = image.height;
    // The Blue plate right of the portrait circle, above its name.
    const TestHarness::Rgb plate = image.At(w / 2 + 240, h / 2 - 70);
    EXPECT_GT(plate.b, plate.r + 80);
    // The share, white, low on the right.
    const int x = w / 2 + static_cast<int>(0.215f * w), y = h / 2 + static_cast<int>(0.335f * h);
    EXPECT_GT(Count(image, x, y - 40, x + 120, y, White), 100);
}

}  // namespace
}  // namespace MatchTest
