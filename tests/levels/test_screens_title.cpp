// The splash and title screen: the logo timings and skip rules, the menu's
// navigation and panels, the options (volume and window mode), quitting, the
// second visit, and the title actually drawn.
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/VXAudioManager.h"
#include "core/VXInputManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXTextComponent.h"
#include "levels/VXMatchLevels.h"
#include "levels/VXSplashScreen.h"
#include "tests/levels/screen_fixture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/GameProcess.h"

using namespace FrameWork;
using ScreenTest::ScreenFixture;
using TestHarness::VirtualPad;

namespace {

class Title : public ScreenFixture {
protected:
    VXSplashScreen* Splash() {
        return ScreenTest::ScreenOf<VXSplashScreen>(GameState::SplashScreen);
    }
    VXSpriteComponent* Buttons() { return SpriteOf(Splash()->objects->FindObject("TitleButtons")); }
    int Item() { return Buttons()->animation.currentRowIndex; }
    uint32_t Frame() { return Buttons()->animation.currentFrame; }
    std::string VolumeText() {
        return TextOf(Splash()->objects->FindObject("TitleButtons"))->GetText();
    }
    // Frames until the splash screen is in `phase`.
    void RunToPhase(int phase) {
        for (int i = 0; i < 1200 && Splash()->phase != phase; ++i) ASSERT_TRUE(StepFrames(1));
        ASSERT_EQ(Splash()->phase, phase);
    }
};

// Frames of 1/60, 1/30, 1/15 and 1/10 s (whole steps of 16667 us).
constexpr int kRates[] = {1, 2, 4, 6};

// The logos at 60, 30, 15 and 10 frames a second, one after the other in one
// engine (the loading screen visited again brings them back): each frame
// moves them on by its steps of 1/60 s, so they change at 6, 12 and 16 s
// whatever the rate: at 60 frames a second after 360, 720 and 961 updates.
// Enter in the first logo (at about 1.7 s) skips nothing.  The picture's
// size does not matter here: a small window.
TEST_F(Title, LogosTakeTheSameSecondsAtAnyFrameRateAndTheFirstCannotBeSkipped) {
    engine->SetWindowed(320, 180);
    BeginRun();
    std::vector<int> sixty;  // the changes at 60 frames a second, in steps
    for (const int steps : kRates) {
        SCOPED_TRACE(testing::Message() << steps << " steps a frame");
        clock.tick = steps * 16667ull;
        if (State() == GameState::SplashScreen) FrameContext().nextState = GameState::LoadingScreen;
        ASSERT_TRUE(RunUntilState(GameState::SplashScreen));
        ASSERT_EQ(Splash()->phase, SplashLogo1);
        // The frame that switched states ran no splash update yet.
        const int enter = 100 / steps;
        std::vector<int> changes;
        int phase = Splash()->phase;
        for (int update = 1; update <= 1000 && !Splash()->titleShown; ++update) {
            if (update == enter) PressKey(SDL_SCANCODE_RETURN);  // no skip in the first logo
            if (update == enter + 2) ReleaseKey(SDL_SCANCODE_RETURN);
            ASSERT_TRUE(StepFrames(1));
            if (Splash()->phase != phase) {
                phase = Splash()->phase;
                changes.push_back(update * steps);
            }
        }
        EXPECT_EQ(Item(), TitlePlay);
        if (steps == 1) {
            EXPECT_EQ(changes, (std::vector<int>{360, 720, 961}));
            sixty = changes;
            continue;
        }
        // Within the frame that reaches each change.
        ASSERT_EQ(changes.size(), sixty.size());
        for (size_t i = 0; i < changes.size(); ++i) {
            EXPECT_GE(changes[i], sixty[i]) << i;
            EXPECT_LT(changes[i], sixty[i] + steps) << i;
        }
    }
}

// A held stick moves the title's highlight every 0.3 s at any frame rate;
// 1.2 s of it at 60, 30, 15 and 10 frames a second move it as often.
TEST_F(Title, AHeldStickRepeatsInTheSameSecondsAtAnyFrameRate) {
    VirtualPad pad;
    engine->SetWindowed(320, 180);
    RunToTitle();
    int sixty = -1;
    for (const int steps : kRates) {
        SCOPED_TRACE(testing::Message() << steps << " steps a frame");
        clock.tick = steps * 16667ull;
        ASSERT_TRUE(StepFrames(2));
        ASSERT_LE(Splash()->inputCooldown, 0.0f);
        int moves = 0, item = Item();
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -32767);
        for (int frame = 0; frame < 72 / steps; ++frame) {
            ASSERT_TRUE(StepFrames(1));
            if (Item() != item) ++moves;
            item = Item();
        }
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
        ASSERT_TRUE(StepFrames(1));
        if (steps == 1) {
            EXPECT_EQ(moves, 4);  // at once, then after 0.3, 0.6 and 0.9 s
            sixty = moves;
        }
        EXPECT_EQ(moves, sixty);
    }
}

// A skip in the second or third logo shows the title with "play" lit; the
// same press does not also leave for the selection screen.
struct SkipCase {
    const char* name;
    int phase;
    int input;  // 0 Enter, 1 left click, 2 Start on the second pad
};

void PrintTo(const SkipCase& c, std::ostream* os) {
    *os << c.name;
}

class TitleSkip : public Title, public ::testing::WithParamInterface<SkipCase> {};

TEST_P(TitleSkip, ShowsTheTitleAtOnce) {
    VirtualPad first, second;
    engine->SetWindowed(320, 180);  // the picture's size does not matter here
    BeginRun();
    ASSERT_TRUE(RunUntilState(GameState::SplashScreen));
    // Through the first logos in frames of a quarter second, then steady.
    clock.tick = kMaxFrameSteps * 16667ull;
    RunToPhase(GetParam().phase);
    clock.tick = 16667;
    if (GetParam().input == 0) TapKey(SDL_SCANCODE_RETURN);
    if (GetParam().input == 1) ClickMouse(SDL_BUTTON_LEFT, 20, 20);
    if (GetParam().input == 2) Press(second, SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(State(), GameState::SplashScreen) << "the same press does not leave";
    EXPECT_EQ(Splash()->phase, SplashTitle);
    EXPECT_TRUE(Splash()->titleShown);
    EXPECT_EQ(Item(), TitlePlay);
    EXPECT_EQ(Frame(), 0u);
    ASSERT_TRUE(StepFrames(3));
    EXPECT_EQ(State(), GameState::SplashScreen);
}

INSTANTIATE_TEST_SUITE_P(Skips, TitleSkip,
                         ::testing::Values(SkipCase{"EnterInLogo2", SplashLogo2, 0},
                                           SkipCase{"ClickInLogo3", SplashLogo3, 1},
                                           SkipCase{"StartOnPad2InLogo2", SplashLogo2, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Title, ArrowsWrapAndPanelsOpenAndCloseAndEnterLeaves) {
    RunToTitle();
    ASSERT_EQ(Item(), TitlePlay);
    const struct {
        SDL_Scancode key;
        int item;
        uint32_t frame;
        bool quitOpen;
    } steps[] = {
        {SDL_SCANCODE_UP, TitleQuit, 0, false},    // up from play wraps to quit
        {SDL_SCANCODE_DOWN, TitlePlay, 0, false},  // down from quit wraps to play
        {SDL_SCANCODE_UP, TitleQuit, 0, false},
        {SDL_SCANCODE_SPACE, TitleQuit, 1, true},  // the quit confirmation
        {SDL_SCANCODE_BACKSPACE, TitleQuit, 0, false},
        {SDL_SCANCODE_SPACE, TitleQuit, 1, true},  // open again, no quit
        {SDL_SCANCODE_UP, TitleQuit, 1, true},     // no moving with a panel open
        {SDL_SCANCODE_BACKSPACE, TitleQuit, 0, false},
        {SDL_SCANCODE_UP, TitleInfo, 0, false},
        {SDL_SCANCODE_SPACE, TitleInfo, 1, false},  // the how-to-play page
        {SDL_SCANCODE_DOWN, TitleInfo, 1, false},
    };
    for (const auto& s : steps) {
        TapKey(s.key);
        SCOPED_TRACE(SDL_GetScancodeName(s.key));
        EXPECT_EQ(Item(), s.item);
        EXPECT_EQ(Frame(), s.frame);
        EXPECT_EQ(Splash()->panelOpen[TitleQuit], s.quitOpen);
    }
    EXPECT_TRUE(Splash()->panelOpen[TitleInfo]);
    TapKey(SDL_SCANCODE_RETURN);  // with a panel open too
    EXPECT_EQ(State(), GameState::LevelSelectScreen);
}

// Slot 0 empty: the pad of slot 1 is player 1's, on the title and in the
// quick match it starts.
TEST_F(Title, ALonePadInTheSecondSlotDrivesTheTitleIntoAMatch) {
    auto gone = std::make_unique<VirtualPad>();
    VirtualPad lone;
    RunToTitle();
    gone.reset();
    ASSERT_TRUE(StepFrames(1));
    lone.rumbles.clear();
    Press(lone, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(Item(), TitleQuickMatch);
    Press(lone, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(Splash()->panelOpen[TitleQuickMatch]);
    EXPECT_FALSE(lone.rumbles.empty()) << "the confirm buzzes the pad that pressed";
    Press(lone, SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(Splash()->panelOpen[TitleQuickMatch]);
    Press(lone, SDL_CONTROLLER_BUTTON_A);
    Press(lone, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(State(), GameState::Level0);
    auto* level = dynamic_cast<VXMatchLevel*>(LevelObjectForState(GameState::Level0));
    ASSERT_TRUE(level && level->players[0] && level->players[1]);
    EXPECT_EQ(level->players[0]->GetPlayerLogic()->padIndex, 1);
    EXPECT_EQ(level->players[1]->GetPlayerLogic()->padIndex, 4) << "the keyboard";
}

TEST_F(Title, QuickMatchAndQuitAskFirst) {
    RunToTitle();
    TapKey(SDL_SCANCODE_DOWN);
    ASSERT_EQ(Item(), TitleQuickMatch);
    TapKey(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(Splash()->panelOpen[TitleQuickMatch]);
    EXPECT_EQ(State(), GameState::SplashScreen);
    TapKey(SDL_SCANCODE_SPACE);
    EXPECT_EQ(State(), GameState::Level0);

    // Back from the match, whose countdown has ended (input runs again).
    FrameContext().nextState = GameState::SplashScreen;
    FrameContext().active = 1;
    ASSERT_TRUE(StepFrames(1));
    EXPECT_TRUE(Splash()->titleShown);  // at once, with the music
    const bool music = VXAudioManager::Instance()->IsPlaying(12);
    EXPECT_TRUE(music || !VXAudioManager::Instance()->HasDevice());
    TapKey(SDL_SCANCODE_UP);
    TapKey(SDL_SCANCODE_SPACE);
    ASSERT_TRUE(Running());
    PressKey(SDL_SCANCODE_SPACE);
    EXPECT_FALSE(StepFrames(1));  // the run is over
    EXPECT_EQ(FrameContext().currentState, GameState::Quit);
}

TEST_F(Title, OptionsSetTheVolumeWithinItsEndsAndSwitchTheWindowMode) {
    RunToTitle();
    TapKey(SDL_SCANCODE_DOWN);
    TapKey(SDL_SCANCODE_DOWN);
    ASSERT_EQ(Item(), TitleOptions);
    VXTextComponent* text = TextOf(Splash()->objects->FindObject("TitleButtons"));
    EXPECT_FALSE(text->active);
    TapKey(SDL_SCANCODE_SPACE);
    ASSERT_TRUE(Splash()->panelOpen[TitleOptions]);
    EXPECT_EQ(Frame(), 3u);  // full screen, window line
    EXPECT_TRUE(text->active);
    TapKey(SDL_SCANCODE_UP);
    EXPECT_EQ(Frame(), 4u);  // the volume line

    TapKey(SDL_SCANCODE_RIGHT);
    EXPECT_EQ(FrameContext().masterVolume, 1.0f);
    EXPECT_EQ(VolumeText(), "10");
    for (int i = 9; i >= 0; --i) {
        TapKey(SDL_SCANCODE_LEFT);
        EXPECT_EQ(VolumeText(), std::to_string(i));
    }
    TapKey(SDL_SCANCODE_LEFT);
    EXPECT_EQ(FrameContext().masterVolume, 0.0f);
    EXPECT_EQ(VolumeText(), "0");

    // The window line: confirm leaves full screen, confirm again returns.
    TapKey(SDL_SCANCODE_DOWN);
    ASSERT_EQ(Frame(), 3u);
    TapKey(SDL_SCANCODE_SPACE);
    EXPECT_EQ(fullScreen, 0);
    EXPECT_EQ(Frame(), 1u);
    EXPECT_TRUE(WindowOnTheDisplay());
    EXPECT_EQ(windowWidth, screenWidth - 100);
    // The pictures span the new window (its size in the screens' layout
    // pixels, scaled to the window).
    EXPECT_FLOAT_EQ(Splash()->objects->FindObject("TitleBG")->scale[0] * ScreenScale(),
                    float(windowWidth));
    TapKey(SDL_SCANCODE_SPACE);
    EXPECT_EQ(fullScreen, 1);
    EXPECT_EQ(Frame(), 3u);

    TapKey(SDL_SCANCODE_BACKSPACE);
    EXPECT_FALSE(Splash()->panelOpen[TitleOptions]);
    EXPECT_EQ(Frame(), 0u);
    EXPECT_FALSE(text->active);
}

// The menu's sheet left out of the texture list: nothing of the menu is
// drawn, but it answers as before, and a blind confirm plays, not quits.
class TitleWithoutItsPicture : public Title {
protected:
    void PrepareData(TestHarness::TempDataTree& tree) override {
        const std::string list = TestHarness::ReadFile(tree.Data("objects/texturelist.txt"));
        const std::string entry = "MainMenu_FullSpriteSheet.png 5 7\n";
        const size_t at = list.find(entry);
        ASSERT_NE(at, std::string::npos);
        tree.WriteData("objects/texturelist.txt", std::string(list).erase(at, entry.size()));
    }
};

TEST_F(TitleWithoutItsPicture, TheMenuStillAnswers) {
    RunToTitle();
    ASSERT_EQ(Buttons()->texture, nullptr);
    EXPECT_EQ(Item(), TitlePlay);
    TapKey(SDL_SCANCODE_DOWN);
    TapKey(SDL_SCANCODE_DOWN);
    EXPECT_EQ(Item(), TitleOptions);
    TapKey(SDL_SCANCODE_SPACE);
    EXPECT_EQ(Frame(), 3u);  // full screen, window line
    TapKey(SDL_SCANCODE_UP);
    EXPECT_EQ(Frame(), 4u);  // the volume line
    const float volume = FrameContext().masterVolume;
    TapKey(SDL_SCANCODE_LEFT);
    EXPECT_NEAR(FrameContext().masterVolume, volume - 0.1f, 1e-6f);
    TapKey(SDL_SCANCODE_BACKSPACE);
    TapKey(SDL_SCANCODE_UP);
    TapKey(SDL_SCANCODE_UP);
    EXPECT_EQ(Item(), TitlePlay);
    TapKey(SDL_SCANCODE_SPACE);
    EXPECT_EQ(State(), GameState::LevelSelectScreen);
}

// The gold volume digit stands out from its highlighted line.
TEST_F(Title, TheVolumeDigitStandsOutOnItsHighlightedLine) {
    RunToTitle();
    TapKey(SDL_SCANCODE_DOWN);
    TapKey(SDL_SCANCODE_DOWN);
    TapKey(SDL_SCANCODE_SPACE);
    TapKey(SDL_SCANCODE_UP);
    ASSERT_EQ(Frame(), 4u);  // the volume line is highlighted
    const TestHarness::FrameImage frame = CaptureFrame();
    // The inside of the volume line, digit and arrows included.
    const int x0 = int(0.64f * frame.width), x1 = int(0.95f * frame.width);
    const int y0 = int(0.45f * frame.height), y1 = int(0.53f * frame.height);
    EXPECT_TRUE(TestHarness::StandsOutInBox(frame, x0, y0, x1, y1, {234, 173, 19}));
}

TEST_F(Title, TheTitleMenuIsDrawn) {
    RunToTitle();
    const TestHarness::FrameImage frame = CaptureFrame();
    const long total = static_cast<long>(frame.width) * frame.height;
    // Not the black clear colour: the background covers the window.
    EXPECT_GT(TestHarness::CountPixelsNotOf(frame, {0, 0, 0}, 8), total * 9 / 10);
}

// Pixels of `a` and `b` that differ within the share (x0, y0)-(x1, y1) of
// the picture; -1 when the sizes differ.
long DifferentPixelsIn(const TestHarness::FrameImage& a, const TestHarness::FrameImage& b, float x0,
                       float y0, float x1, float y1) {
    if (a.Empty() || a.width != b.width || a.height != b.height) return -1;
    long count = 0;
    for (int y = static_cast<int>(y0 * a.height); y < static_cast<int>(y1 * a.height); ++y)
        for (int x = static_cast<int>(x0 * a.width); x < static_cast<int>(x1 * a.width); ++x)
            if (TestHarness::ColourDistance(a.At(x, y), b.At(x, y)) > 8) ++count;
    return count;
}

// The real program, on an X server of its own: the title's quit, confirmed,
// ends it with exit code 0.  Each step waits for what the window shows.
TEST(TitleProcess, QuittingFromTheTitleExitsWithZero) {
    TestHarness::PrivateDisplay display;
    ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
    TestHarness::TempDataTree tree(false);
    TestHarness::GameProcess::Options options;
    options.display = display.Name();
    TestHarness::GameProcess game(tree, options);
    ASSERT_TRUE(game.WaitForLine(" -- Engine running --")) << game.Output();
    const auto before = [&] {
        return std::chrono::steady_clock::now() < TestHarness::CaseDeadline();
    };
    auto capture = [&] { return display.CaptureWindowOf(game.Pid()); };
    // The title covers the window; the loading screen and the logos leave
    // most of it black.
    auto titleShown = [](const TestHarness::FrameImage& f) {
        return !f.Empty() &&
               TestHarness::CountPixelsNotOf(f, {0, 0, 0}, 8) > long(f.width) * f.height * 9 / 10;
    };

    // Clicks skip the second and third logo and do nothing elsewhere, so
    // they repeat until the title shows.
    TestHarness::FrameImage frame = capture();
    while (!titleShown(frame) && before()) {
        display.Xdotool("mousemove 10 10 mousedown 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        display.Xdotool("mouseup 1");
        frame = capture();
    }
    ASSERT_TRUE(titleShown(frame)) << game.Output();

    // Each key is held until the window shows its effect: up moves the
    // highlight from play to quit (the menu, left), space opens the quit
    // panel (right).
    struct Step {
        const char* key;
        float x0, y0, x1, y1;
    };
    for (const Step& step :
         {Step{"Up", 0.0f, 0.42f, 0.5f, 1.0f}, Step{"space", 0.6f, 0.42f, 0.95f, 0.62f}}) {
        SCOPED_TRACE(step.key);
        ASSERT_TRUE(display.Xdotool(std::string("keydown ") + step.key));
        TestHarness::FrameImage after = capture();
        while (DifferentPixelsIn(frame, after, step.x0, step.y0, step.x1, step.y1) <= 0 && before())
            after = capture();
        display.Xdotool(std::string("keyup ") + step.key);
        ASSERT_GT(DifferentPixelsIn(frame, after, step.x0, step.y0, step.x1, step.y1), 0);
        frame = after;
    }
    // Confirming again quits.
    ASSERT_TRUE(display.Xdotool("keydown space"));
    EXPECT_TRUE(game.WaitForLine("Engine systems shutting down")) << game.Output();
    display.Xdotool("keyup space");
    EXPECT_EQ(game.Wait(), 0) << game.Output();
}

}  // namespace
