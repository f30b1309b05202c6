// The match flow in the running engine: the start countdown, the pause
// window and pages, quitting, the time-over banner and the win screen.

#include "core/VXInputManager.h"
#include "tests/gameplay/match_fixture.h"
#include "tests/support/ScreenBoxes.h"
#include "tests/support/VirtualPad.h"

namespace MatchTest {
namespace {

TEST_F(Match, CountdownHoldsTheClockAndThePause) {
    EnterMatch();
    ASSERT_EQ(engine->active, 0);
    Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(engine->paused, 0);
    // 24 steps of 6 drawn frames: about 2.4 s before play.
    EXPECT_NEAR(2 + RunUntilActive(), 145, 3);
    EXPECT_EQ(g_secondsLeft, 150);
    EXPECT_TRUE(VXAudioManager::Instance()->channels[32].played);
    Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(engine->paused, 1);
}

// The pause options with the volume line highlighted: the gold digit stands
// out from the line.
TEST_F(Match, ThePauseVolumeDigitStandsOutOnItsHighlightedLine) {
    EnterMatch();
    RunUntilActive();
    Tap(SDL_SCANCODE_ESCAPE);
    Tap(SDL_SCANCODE_DOWN, 2);
    Tap(SDL_SCANCODE_RETURN);
    Tap(SDL_SCANCODE_DOWN);
    ASSERT_EQ(Frame("OptionsMenu") % 2, 1u);  // the volume line
    const TestHarness::FrameImage frame = CaptureFrame();
    // The page is 1000 x 600 at the centre; the volume line lies from about
    // 20 to 100 px below the centre.
    const int x0 = frame.width / 2 - 380, x1 = frame.width / 2 + 380;
    const int y0 = frame.height / 2 + 25, y1 = frame.height / 2 + 90;
    EXPECT_TRUE(TestHarness::StandsOutInBox(frame, x0, y0, x1, y1, {234, 173, 19}));
}

TEST_F(Match, PausePagesAnswerKeysPadsAndSticksWhileOnlyTheirCuesPlay) {
    TestHarness::VirtualPad pad;
    EnterMatch();
    RunUntilActive();
    sounds["bgm"].Play();
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    StepFrames(1);
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    ASSERT_EQ(engine->paused, 1);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);  // down, held: a move per 0.3 s
    StepFrames(40);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(Frame("OverallMenu"), 3u);
    const std::vector<VXChannel>& channels = VXAudioManager::Instance()->channels;
    EXPECT_TRUE(channels[0].paused);
    EXPECT_TRUE(channels[22].played && !channels[22].paused) << "CharSelect";

    const struct {
        SDL_Scancode key;
        int page;
        const char* object;
        uint32_t frame;
    } steps[] = {
        {SDL_SCANCODE_DOWN, 0, "OverallMenu", 0},  // wraps to the first item
        {SDL_SCANCODE_UP, 0, "OverallMenu", 3},    // and back to the last
        {SDL_SCANCODE_UP, 0, "OverallMenu", 2},
        {SDL_SCANCODE_UP, 0, "OverallMenu", 1},
        {SDL_SCANCODE_RETURN, 1, "HowToPlayMenu", 0},
        {SDL_SCANCODE_RETURN, 0, "OverallMenu", 1},
        {SDL_SCANCODE_DOWN, 0, "OverallMenu", 2},
        {SDL_SCANCODE_RETURN, 2, "OptionsMenu", 2},  // full screen, window item
        {SDL_SCANCODE_RSHIFT, 2, "OptionsMenu", 0},  // windowed
        {SDL_SCANCODE_RSHIFT, 2, "OptionsMenu", 2},  // full screen again
        {SDL_SCANCODE_DOWN, 2, "OptionsMenu", 3},    // volume item
        {SDL_SCANCODE_RETURN, 0, "OverallMenu", 2},
        {SDL_SCANCODE_DOWN, 0, "OverallMenu", 3},
        {SDL_SCANCODE_RETURN, 3, "QuitMenu", 1},  // "no" highlighted
        {SDL_SCANCODE_LEFT, 3, "QuitMenu", 0},
        {SDL_SCANCODE_RIGHT, 3, "QuitMenu", 1},
        {SDL_SCANCODE_RETURN, 0, "OverallMenu", 3},
        {SDL_SCANCODE_DOWN, 0, "OverallMenu", 0},
        {SDL_SCANCODE_RETURN, 0, "OverallMenu", 0},  // resume
    };
    const float& volume = FrameContext().masterVolume;
    for (size_t i = 0; i < std::size(steps); ++i) {
        Tap(steps[i].key);
        EXPECT_EQ(MatchFlow().pageNumber, steps[i].page) << "step " << i;
        EXPECT_TRUE(Object(steps[i].object)->m_active) << "step " << i;
        EXPECT_EQ(Frame(steps[i].object), steps[i].frame) << "step " << i;
        if (i == 8) {
            EXPECT_TRUE(WindowOnTheDisplay()) << "the windowed switch";
        }
        if (i != 10) continue;
        // Ten steps of 0.1 each way reach 0 and 1 exactly, and stop there.
        Tap(SDL_SCANCODE_LEFT, 10);
        EXPECT_EQ(volume, 0.0f);
        Tap(SDL_SCANCODE_LEFT);
        EXPECT_EQ(Text("OptionsMenu"), "0");
        Tap(SDL_SCANCODE_RIGHT, 10);
        EXPECT_EQ(volume, 1.0f);
        Tap(SDL_SCANCODE_RIGHT);
        EXPECT_EQ(Text("OptionsMenu"), "10");
        EXPECT_EQ(volume, 1.0f);
    }
    EXPECT_EQ(engine->paused, 0);
    EXPECT_FALSE(channels[0].paused);
}

// A held stick moves the pause menu's highlight every 0.3 s at 60 and at 15
// frames a second (four moves in 1.2 s), and a stalled frame counts as a
// quarter second: the move after it waits for the rest of the 0.3 s.
TEST_F(Match, APausedStickRepeatsInTheSameSecondsAtAnyRateAndAStallCountsAQuarter) {
    TestHarness::VirtualPad pad;
    engine->SetWindowed(320, 180);  // the picture's size does not matter here
    EnterMatch();
    RunUntilActive();
    Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(engine->paused, 1);
    auto movesWhileHeld = [&](int frames) {
        int moves = 0;
        for (int frame = 0; frame < frames; ++frame) {
            const uint32_t item = Frame("OverallMenu");
            EXPECT_TRUE(StepFrames(1));
            moves += Frame("OverallMenu") != item ? 1 : 0;
        }
        return moves;
    };
    for (const int steps : {1, 4}) {
        SCOPED_TRACE(testing::Message() << steps << " steps a frame");
        clock.tick = steps * 16667ull;
        StepFrames(24 / steps);
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
        EXPECT_EQ(movesWhileHeld(72 / steps), 4);  // at once, then at 0.3, 0.6 and 0.9 s
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    }
    clock.tick = 16667;
    StepFrames(24);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    ASSERT_EQ(movesWhileHeld(1), 1) << "at once";
    clock.tick = 1000000;  // a frame whose swap takes a second
    EXPECT_EQ(movesWhileHeld(1), 0) << "in the frame that stalls";
    clock.tick = 16667;
    EXPECT_EQ(movesWhileHeld(1), 0) << "in the frame that measures the stall";
    EXPECT_EQ(movesWhileHeld(1), 0) << "in the frame after it: a quarter second counted";
    EXPECT_EQ(movesWhileHeld(3), 1) << "as the rest of the 0.3 s runs out";
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
}

TEST_F(Match, QuitReturnsToTheScreenTheMatchWasStartedFrom) {
    for (int start : {GameState::SplashScreen, GameState::LevelSelectScreen}) {
        if (start == GameState::LevelSelectScreen) FrameContext().nextState = start;
        EnterMatch(start);
        RunUntilActive();
        Tap(SDL_SCANCODE_ESCAPE);
        Tap(SDL_SCANCODE_UP);
        Tap(SDL_SCANCODE_RETURN);
        Tap(SDL_SCANCODE_LEFT);  // "yes"
        Tap(SDL_SCANCODE_RETURN);
        EXPECT_EQ(engine->currentState, start);
        EXPECT_EQ(engine->paused, 0);
    }
}

// The winners screen is left by Enter, or by Start on a player's pad: the
// players' pads are the first two connected, wherever their slots are.
TEST_F(Match, TimeUpShowsTheBannerThenTheWinnersScreenUntilEnterOrAPlayersStart) {
    const struct {
        int blue, red;
        std::vector<GameLevelInitObject> lineUp;
        uint32_t plate, portrait;
        const char* share;
    } cases[] = {
        {45, 45, {{1, Kind::Knight, 1}, {2, Kind::Pirate, 2}}, 0, 1, "45 %"},  // a tie is Blue's
        {3, 7, {{1, Kind::Archer, 1}, {2, Kind::Maid, 2}}, 1, 5, "7 %"},
    };
    for (const auto& c : cases) {
        seconds = 1;
        blue = c.blue;
        red = c.red;
        lineUp = c.lineUp;
        EnterMatch();
        RunUntilActive();
        RunUntil(MatchOver);
        // 16 steps of 6 drawn frames: about 1.6 s of banner.
        EXPECT_NEAR(RunUntil([&] { return Object("WinScreen")->m_active != 0; }), 97, 3);
        RunUntil([&] { return TextOf(Object("WinScreen"))->active != 0; });
        EXPECT_EQ(Text("WinScreen"), c.share);
        EXPECT_EQ(Frame("PotraitBase"), c.plate);
        EXPECT_EQ(Frame("CharacterPotrait"), c.portrait);
        EXPECT_GT(SpriteOf(Object("CharacterPotrait"))->red, 0.9f);
        if (&c == &cases[0]) {
            Tap(SDL_SCANCODE_RETURN);
        } else {
            // Slot 0 empties: the pads of slots 1 and 2 play.
            auto gone = std::make_unique<TestHarness::VirtualPad>();
            TestHarness::VirtualPad second, third;
            StepFrames(1);
            gone.reset();
            StepFrames(1);
            ASSERT_EQ(VXInputManager::Instance()->PlayerPad(1), 2);
            EXPECT_EQ(engine->currentState, GameState::Level0);
            third.Button(SDL_CONTROLLER_BUTTON_START, true);
            StepFrames(1);
            third.Button(SDL_CONTROLLER_BUTTON_START, false);
            StepFrames(1);
        }
        EXPECT_EQ(engine->currentState, GameState::LevelSelectScreen)
            << (&c == &cases[0] ? "Enter" : "Start on player 2's pad") << " leaves";
        EXPECT_EQ(g_matchOver, 0);
    }
}

// The countdown, the HUD, the four pause pages, the time-over banner and the
// win screen full screen on a 1920 x 1080 display, where they are drawn at
// their own pixels, and in the windows of a 1366 x 768 display (full
// screen, and the options' 1266 x 668 window, and full screen again through
// the options page's switch): every sprite and text, as the renderer draws
// it, stands where and as large as the layout puts it in
// that window (TestHarness::LayoutRecord), and is whole within the window
// but what reaches past it by design; the dimming layers cover the window;
// the HUD's strip is 140 layout pixels tall; with the players far apart the
// camera zooms out no further than to show as much of the world between
// them and the strip as a 1920 x 1080 window shows.
class MatchInWindows : public Match {
protected:
    void TearDown() override {
        Match::TearDown();
        screenWidth = display[0];
        screenHeight = display[1];
    }
    void Check(const std::string& screen, const VXObjectManager* objects, bool reference) {
        ASSERT_NE(objects, nullptr) << screen;
        const auto boxes = TestHarness::DrawnBoxes(*objects);
        EXPECT_FALSE(boxes.empty()) << screen;
        // The dimming layers, made twice the window's size, only have to
        // cover it (below), also after a switch to a window of another shape.
        auto placed = boxes;
        placed.erase("Overlay");
        placed.erase("SecondOverlay");
        layout.Check(screen, placed, reference);
        const float w = static_cast<float>(windowWidth), h = static_cast<float>(windowHeight);
        for (const auto& [name, box] : boxes) {
            if (name == "Overlay" || name == "SecondOverlay") {
                EXPECT_TRUE(box.left <= 0 && box.bottom <= 0 && box.right >= w && box.top >= h)
                    << screen << ": " << name << " leaves part of the window undimmed";
                continue;
            }
            // The HUD (its 2047-wide strip, and the ready marks and paint
            // bars waiting below the window) and the overall page's picture
            // (a menu in a larger transparent frame) reach past the edges
            // by design.
            EXPECT_TRUE(screen == "HUD" || name == "OverallMenu" ||
                        TestHarness::Overflow(box) <= 0.5f)
                << screen << ": " << name << " drawn at " << box << " in " << w << " x " << h;
        }
    }
    const int display[2] = {screenWidth, screenHeight};
    TestHarness::LayoutRecord layout;
};

TEST_F(MatchInWindows, EveryPieceStandsWhereTheLayoutPutsItInEveryWindow) {
    TestHarness::DrawRecorder recorder;
    constexpr uint64_t kQuarter = kMaxFrameSteps * 16667ull;
    float worldAbove1080 = 0.0f;
    for (const TestHarness::CheckedWindow& window : TestHarness::kCheckedWindows) {
        SCOPED_TRACE(window.name);
        const bool reference = &window == &TestHarness::kCheckedWindows[0];
        TestHarness::OpenWindow(engine, window);
        ASSERT_EQ(windowWidth, window.width);
        EnterMatch();
        StepFrames(2);
        ASSERT_TRUE(Object("StartScreenCount")->m_active);
        Check("countdown", MatchFlow().objects.get(), reference);

        // Through the countdown in quarter seconds; the HUD has slid home.
        clock.tick = kQuarter;
        RunUntilActive();
        StepFrames(2);
        clock.tick = 16667;
        StepFrames(1);
        Check("HUD", HUD::Objects(), reference);
        const float s = std::min(window.width / 1920.0f, window.height / 1080.0f);
        const auto hud = TestHarness::DrawnBoxes(*HUD::Objects());
        ASSERT_EQ(hud.count("Background UI"), 1u);
        const float strip = hud.at("Background UI").top;
        EXPECT_NEAR(strip, VXGameplayHUD::kStripHeight * s, 0.5f)
            << "the HUD's strip is drawn up to line " << strip << " of " << window.height;
        EXPECT_NEAR(hud.at("Background UI").bottom, 0.0f, 0.5f);

        // The players far apart across the floor: the follow zooms out to
        // its cap.  The world it then shows between the players' midpoint
        // (the floor's centre) and the strip is as tall as in 1920 x 1080.
        VXGraphicsManager* graphics = VXGraphicsManager::Instance();
        GameObject* players[2] = {level.objects->FindObject("P0"), level.objects->FindObject("P1")};
        players[0]->position[0] = -5000.0f;
        players[1]->position[0] = 5000.0f;
        graphics->cameraTargets = {players[0], players[1]};
        graphics->maxScale = 2.0f;
        StepFrames(1);
        const TestHarness::ScreenBox floor = TestHarness::DrawnBoxes(*level.objects).at("Floor");
        const float worldAbove = (floor.CentreY() - strip) * 1200.0f / floor.height;
        if (reference) worldAbove1080 = worldAbove;
        EXPECT_NEAR(worldAbove, worldAbove1080, worldAbove1080 * 0.005f)
            << "at the zoom cap the view shows " << worldAbove << " world px between the players"
            << " and the strip in " << windowWidth << " x " << windowHeight << ", "
            << worldAbove1080 << " in 1920 x 1080 (floor drawn " << floor << ")";
        graphics->cameraTargets.clear();

        // The four pages: overall, how to play, options, quit.
        Tap(SDL_SCANCODE_ESCAPE);
        Check("pause", MatchFlow().objects.get(), reference);
        const char* const pages[] = {"how to play", "pause options", "quit"};
        for (int page = 1; page <= 3; ++page) {
            Tap(SDL_SCANCODE_DOWN);
            Tap(SDL_SCANCODE_RETURN);
            ASSERT_EQ(MatchFlow().pageNumber, page);
            Check(pages[page - 1], MatchFlow().objects.get(), reference);
            if (page == 2 && !window.fullScreen) {
                SCOPED_TRACE("after the page's switch to the full screen");
                Tap(SDL_SCANCODE_RSHIFT);
                ASSERT_EQ(windowWidth, TestHarness::kCheckedWindows[1].width);
                Check(pages[1], MatchFlow().objects.get(), false);
                Tap(SDL_SCANCODE_RSHIFT);
                ASSERT_EQ(windowWidth, window.width);
            }
            Tap(SDL_SCANCODE_RETURN);  // back; on the quit page, "no"
            ASSERT_EQ(MatchFlow().pageNumber, 0);
        }
        Tap(SDL_SCANCODE_ESCAPE);
        ASSERT_EQ(engine->paused, 0);

        // Time up: the banner, then the win screen.
        g_secondsLeft = 0;
        RunUntil([&] { return Object("TimeOverObj")->m_active != 0; });
        Check("time over", MatchFlow().objects.get(), reference);
        clock.tick = kQuarter;
        RunUntil([&] { return TextOf(Object("WinScreen"))->active != 0; });
        clock.tick = 16667;
        StepFrames(1);
        Check("win", MatchFlow().objects.get(), reference);
        Tap(SDL_SCANCODE_RETURN);
        ASSERT_EQ(engine->currentState, GameState::LevelSelectScreen);
    }
}

TEST_F(Match, LeavingDuringTheCountdownOrTheBannerDoesNotSpoilTheNextMatch) {
    seconds = 1;
    EnterMatch();
    StepFrames(30);
    FrameContext().nextState = GameState::LevelSelectScreen;
    ASSERT_TRUE(RunUntilState(GameState::LevelSelectScreen, 2));
    EnterMatch();
    EXPECT_NEAR(RunUntilActive(), 145, 3);
    RunUntil(MatchOver);
    StepFrames(10);
    Tap(SDL_SCANCODE_RETURN);
    VXAudioManager::Instance()->StopChannel(25);
    EnterMatch();
    RunUntilActive();
    RunUntil(MatchOver);
    StepFrames(2);
    EXPECT_TRUE(VXAudioManager::Instance()->IsPlaying(25));  // "TimeUp" again
}

}  // namespace
}  // namespace MatchTest
