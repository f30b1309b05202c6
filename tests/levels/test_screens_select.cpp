// The selection screen: the controller mode from the pads present, the
// keyboard road to a commit, the pad roads of modes 1 and 2, the same-frame
// cases, the deny overlay, and the screen actually drawn.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/VXInputManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "levels/VXLevelSelectScreen.h"
#include "levels/VXMatchLevels.h"
#include "platform/PlatformInput.h"
#include "tests/levels/screen_fixture.h"
#include "tests/support/Capture.h"

using namespace FrameWork;
using ScreenTest::ScreenFixture;
using TestHarness::VirtualPad;

namespace {

class Select : public ScreenFixture {
protected:
    VXLevelSelectScreen* Screen() {
        return ScreenTest::ScreenOf<VXLevelSelectScreen>(GameState::LevelSelectScreen);
    }
    GameObject* Object(const char* name) { return Screen()->m_objects->FindObject(name); }
    // Title, Enter, then frames until the selectors and portraits are in;
    // `onTitle` runs on the title.
    void RunToSelection(const std::function<void()>& onTitle = nullptr) {
        RunToTitle();
        if (onTitle) onTitle();
        TapKey(SDL_SCANCODE_RETURN);
        ASSERT_EQ(State(), GameState::LevelSelectScreen);
        for (int i = 0; i < 300 && SpriteOf(Object("Player1Selector"))->alpha < 1.0f; ++i)
            ASSERT_TRUE(StepFrames(1));
        ASSERT_TRUE(Screen()->m_introDone);
    }
    // Keys pressed together in one frame and released together in the next.
    void TapTogether(std::vector<SDL_Scancode> keys) {
        for (SDL_Scancode k : keys) PressKey(k);
        StepFrames(1);
        for (SDL_Scancode k : keys) ReleaseKey(k);
        StepFrames(1);
    }
    static GameLevelInitObject Record(int n, int kind, int team) { return {n, kind, team}; }
    void ExpectLineUp(const std::vector<GameLevelInitObject>& expected) {
        const auto& lineUp = FrameContext().lineUp;
        ASSERT_EQ(lineUp.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(lineUp[i].playerNumber, expected[i].playerNumber) << i;
            EXPECT_EQ(lineUp[i].characterKind, expected[i].characterKind) << i;
            EXPECT_EQ(lineUp[i].team, expected[i].team) << i;
        }
    }
};

TEST_F(Select, ThePadsPresentGiveTheControllerMode) {
    // By the number of pads: the first two play, a third and fourth are left
    // out; the lone pad left in slot 1 gives the one-pad mode.
    const int expected[] = {0, 1, 2, 2, 2};
    std::vector<std::unique_ptr<VirtualPad>> pads;
    VXInputManager* input = VXInputManager::Instance();
    for (int n = 0; n <= 4; ++n) {
        if (n > 0) pads.push_back(std::make_unique<VirtualPad>());
        input->PollPads(0.0f);
        EXPECT_EQ(VXLevelSelectScreen::DetectControllerMode(), expected[n]) << n << " pads";
    }
    pads[0].reset();
    pads[2].reset();
    pads[3].reset();
    input->PollPads(0.0f);
    EXPECT_EQ(VXLevelSelectScreen::DetectControllerMode(), 1) << "the pad of slot 1 alone";
}

// A press and release of a pad button between two frames counts once, as a
// press held over frames does.
TEST_F(Select, OneFramePadTapsCountOnce) {
    VirtualPad first, second;
    RunToSelection();
    auto tap = [this](VirtualPad& pad, SDL_GameControllerButton b) {
        pad.Button(b, true);
        SDL_GameControllerUpdate();
        pad.Button(b, false);
        SDL_GameControllerUpdate();
        StepFrames(1);
    };
    tap(first, SDL_CONTROLLER_BUTTON_DPAD_LEFT);  // onto Blue, one step: the Maid
    EXPECT_TRUE(Screen()->m_p1OnBlue);
    EXPECT_EQ(SpriteOf(Object("BlueTeamIcon1"))->animation.currentRowIndex, 5u);
    tap(first, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(Screen()->m_p1Ready);
    StepFrames(2);
    EXPECT_TRUE(Screen()->m_p1Ready);
    EXPECT_EQ(Screen()->m_lineUp[0].characterKind, Maid);
}

TEST_F(Select, TheKeyboardRoadCommitsSixRecordsAndStartsTheMatch) {
    RunToSelection();
    const long total = static_cast<long>(windowWidth) * windowHeight;
    const TestHarness::FrameImage frame = CaptureFrame();
    EXPECT_GT(TestHarness::CountPixelsNotOf(frame, {255, 211, 0}, 8), total * 9 / 10);

    TapKey(SDL_SCANCODE_A);  // player 1 onto Blue; the press also steps to the Maid
    TapKey(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(Screen()->m_p1Ready);
    EXPECT_TRUE(Object("BlueTeamIcon1Ready")->m_active);
    TapKey(SDL_SCANCODE_RIGHT);  // player 2 onto Red, the Knight
    TapKey(SDL_SCANCODE_DOWN);
    EXPECT_TRUE(Screen()->m_mapSelectOpen);
    TapKey(SDL_SCANCODE_RIGHT);  // map 1 (map steps ignore the cooldown)
    TapKey(SDL_SCANCODE_RETURN);
    EXPECT_EQ(State(), GameState::Level2);
    ExpectLineUp({Record(1, Maid, 1), Record(2, Knight, 2), Record(3, Archer, 0),
                  Record(4, Viking, 0), Record(5, Samurai, 0), Record(6, Pirate, 0)});
    EXPECT_EQ(FrameContext().selectionMode, 0);
}

// A second after each step (arrive, next character, ready, unready, and
// three seconds idle) the Blue portrait shows the whole picture: its team
// circle, in the portrait's tint, fills much of the middle (the empty start
// of the slide-in shows none of it).
TEST_F(Select, APortraitRestsOnTheWholePictureAfterAStep) {
    RunToSelection();
    GameObject* portrait = Object("BlueTeamIcon1");
    const std::pair<SDL_Scancode, int> steps[] = {{SDL_SCANCODE_A, 60},
                                                  {SDL_SCANCODE_D, 60},
                                                  {SDL_SCANCODE_SPACE, 60},
                                                  {SDL_SCANCODE_X, 60},
                                                  {SDL_SCANCODE_UNKNOWN, 180}};
    for (const auto& [step, frames] : steps) {
        if (step != SDL_SCANCODE_UNKNOWN) TapKey(step);
        StepFrames(frames);
        const TestHarness::FrameImage frame = CaptureFrame();
        const float tint = std::min(SpriteOf(portrait)->red, 1.0f);
        const TestHarness::Rgb team{int(38 * tint), int(112 * tint), int(240 * tint)};
        const int cx = frame.width / 2 + int(portrait->position[0]);
        const int cy = frame.height / 2 - int(portrait->position[1]);
        const int hw = int(portrait->scale[0] * 0.3f), hh = int(portrait->scale[1] * 0.3f);
        long circle = 0;
        for (int y = cy - hh; y < cy + hh; ++y)
            for (int x = cx - hw; x < cx + hw; ++x)
                circle += TestHarness::ColourDistance(frame.At(x, y), team) < 30 ? 1 : 0;
        EXPECT_GT(circle, 4L * hw * hh / 10) << "after " << SDL_GetScancodeName(step);
    }
}

TEST_F(Select, SameFrameStepsGoToPlayerOneAndAStartUsesTheMapShownBefore) {
    RunToSelection();
    TapTogether({SDL_SCANCODE_A, SDL_SCANCODE_LEFT});  // both reach for Blue
    EXPECT_TRUE(Screen()->m_p1OnBlue);
    EXPECT_FALSE(Screen()->m_p2OnBlue);
    EXPECT_EQ(Object("Player2Selector")->position[0], 0.0f);

    // Player 1 locks the Maid; player 2 browses Red onto the Maid: denied.
    TapKey(SDL_SCANCODE_SPACE);
    TapKey(SDL_SCANCODE_RIGHT);  // Knight
    TapKey(SDL_SCANCODE_LEFT);   // Archer
    TapKey(SDL_SCANCODE_LEFT);   // Maid
    EXPECT_TRUE(Object("SelectedImage2")->m_active);
    TapKey(SDL_SCANCODE_DOWN);
    EXPECT_FALSE(Screen()->m_p2Ready);
    TapKey(SDL_SCANCODE_RIGHT);  // Archer
    EXPECT_FALSE(Object("SelectedImage2")->m_active);
    TapKey(SDL_SCANCODE_DOWN);
    ASSERT_TRUE(Screen()->m_mapSelectOpen);

    // Player 1 unreadies and readies again: the map choice closes and opens.
    TapKey(SDL_SCANCODE_X);
    EXPECT_FALSE(Screen()->m_mapSelectOpen);
    TapKey(SDL_SCANCODE_SPACE);
    TapTogether({SDL_SCANCODE_D, SDL_SCANCODE_RETURN});
    EXPECT_EQ(State(), GameState::Level1);
    ExpectLineUp({Record(1, Maid, 1), Record(2, Archer, 2), Record(3, Pirate, 0),
                  Record(4, Knight, 0), Record(5, Samurai, 0), Record(6, Viking, 0)});
}

// Player 1 on the first connected pad; player 2 on the second, or on the
// arrow keys when there is only one.  A third and fourth pad are left out;
// a lone pad in slot 1 is player 1's.  The match then starts with the same
// two pads.
struct PadCase {
    const char* name;
    int pads;             // attached, from slot 0 on
    bool firstUnplugged;  // then the pad of slot 0 goes
};

void PrintTo(const PadCase& c, std::ostream* os) {
    *os << c.name;
}

class SelectPads : public Select, public ::testing::WithParamInterface<PadCase> {};

TEST_P(SelectPads, PadsTakeSidesLockAndStartTheMatch) {
    const PadCase c = GetParam();
    std::vector<std::unique_ptr<VirtualPad>> attached;
    for (int n = 0; n < c.pads; ++n) attached.push_back(std::make_unique<VirtualPad>());
    // Pads seated at the first frame; slot 0 then empties.
    RunToSelection([&] {
        if (c.firstUnplugged) attached.erase(attached.begin());
    });
    VirtualPad& first = *attached[0];
    VirtualPad* second = attached.size() >= 2 ? attached[1].get() : nullptr;
    const int mode = second ? 2 : 1;
    ASSERT_EQ(Screen()->m_controllerMode, mode);

    Press(first, SDL_CONTROLLER_BUTTON_DPAD_LEFT);  // Blue, stepped to the Maid
    Press(first, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(Screen()->m_p1Ready);
    if (second) {
        // On arrival the Red portrait is still grey: player 2's pad right
        // step leaves it on the Archer.
        Press(*second, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        Press(*second, SDL_CONTROLLER_BUTTON_A);
    } else {
        TapKey(SDL_SCANCODE_RIGHT);  // Knight
        TapKey(SDL_SCANCODE_LEFT);   // Archer
        TapKey(SDL_SCANCODE_DOWN);
    }
    ASSERT_TRUE(Screen()->m_mapSelectOpen);
    for (size_t n = 2; n < attached.size(); ++n) {
        Press(*attached[n], SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        Press(*attached[n], SDL_CONTROLLER_BUTTON_START);
    }
    ASSERT_EQ(State(), GameState::LevelSelectScreen) << "an extra pad starts nothing";
    EXPECT_EQ(SpriteOf(Object("MapSelector"))->animation.currentFrame, 0u);
    Press(first, SDL_CONTROLLER_BUTTON_DPAD_LEFT);  // map 0 wraps to 2
    Press(first, SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(State(), GameState::Level3);
    EXPECT_EQ(FrameContext().selectionMode, mode);
    ExpectLineUp({Record(1, Maid, 1), Record(2, Archer, 2), Record(3, Pirate, 0),
                  Record(4, Knight, 0), Record(5, Samurai, 0), Record(6, Viking, 0)});
    StepFrames(1);
    auto* level = dynamic_cast<VXMatchLevel*>(LevelObjectForState(GameState::Level3));
    ASSERT_TRUE(level && level->players[0] && level->players[1]);
    const int firstSlot = c.firstUnplugged ? 1 : 0;
    EXPECT_EQ(level->players[0]->GetPlayerLogic()->padIndex, firstSlot);
    EXPECT_EQ(level->players[1]->GetPlayerLogic()->padIndex, second ? firstSlot + 1 : 4);
}

INSTANTIATE_TEST_SUITE_P(Pads, SelectPads,
                         ::testing::Values(PadCase{"One", 1, false}, PadCase{"Two", 2, false},
                                           PadCase{"Three", 3, false}, PadCase{"Four", 4, false},
                                           PadCase{"LoneInSlot1", 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// At 60, 15 and 10 frames a second the selection takes the same seconds:
// the VS icon slides in and the selectors fade in by the frame's steps of
// 1/60 s, so the first key after them comes as soon; a portrait a player
// arrives on comes to full colour as soon; a portrait the deny state holds
// reads as dark (grey 0.2); the map choice fades in and out as fast; and a
// held stick repeats as often, a stalled frame counting a quarter second.
// The picture's size does not matter here: a small window.
class SelectAtRate : public Select, public ::testing::WithParamInterface<int> {};

TEST_P(SelectAtRate, TheFirstKeyHighlightAndDenyComeInTheSameSeconds) {
    const int steps = GetParam();
    engine->SetWindowed(800, 450);
    RunToTitle();
    clock.tick = steps * 16667ull;
    PressKey(SDL_SCANCODE_RETURN);
    ASSERT_TRUE(StepFrames(1));
    ReleaseKey(SDL_SCANCODE_RETURN);
    ASSERT_EQ(State(), GameState::LevelSelectScreen);
    // Steps until the selectors show in full; at 60 frames a second the
    // background's intro, the slide and the fade take 86 frames (in any
    // window: the slide is in layout pixels).
    int shownAfter = 0;
    while (shownAfter < 600 && SpriteOf(Object("Player1Selector"))->alpha < 1.0f) {
        ASSERT_TRUE(StepFrames(1));
        shownAfter += steps;
    }
    EXPECT_GE(shownAfter, 86);
    EXPECT_LT(shownAfter, 86 + steps) << "within the frame that reaches it";
    TapKey(SDL_SCANCODE_A);  // player 1 onto Blue, the Maid
    EXPECT_TRUE(Screen()->m_p1OnBlue);

    // Player 1 locks the Maid; player 2 arrives on Red (the Knight): its
    // portrait comes up from grey 0.3 in seven steps.
    TapKey(SDL_SCANCODE_SPACE);
    PressKey(SDL_SCANCODE_RIGHT);
    ASSERT_TRUE(StepFrames(1));
    ReleaseKey(SDL_SCANCODE_RIGHT);
    ASSERT_TRUE(StepFrames(1));
    ASSERT_TRUE(Screen()->m_p2OnRed);
    VXSpriteComponent* red = SpriteOf(Object("RedTeamIcon1"));
    int fullAfter = 0;
    while (fullAfter < 100 && red->red < 1.0f) {
        ASSERT_TRUE(StepFrames(1));
        fullAfter += steps;
    }
    EXPECT_LE(fullAfter, 7);
    TapKey(SDL_SCANCODE_LEFT);  // Archer
    TapKey(SDL_SCANCODE_LEFT);  // Maid, which player 1 holds
    ASSERT_TRUE(Object("SelectedImage2")->m_active);
    EXPECT_NEAR(red->red, 0.2f, 0.01f);

    // Player 2 locks the Archer: the map choice fades in over ten steps of
    // 1/60 s, and out over ten when player 2 steps back.
    TapKey(SDL_SCANCODE_RIGHT);  // Archer
    VXSpriteComponent* map = SpriteOf(Object("MapSelector"));
    const std::pair<SDL_Scancode, bool> fades[] = {{SDL_SCANCODE_DOWN, true},
                                                   {SDL_SCANCODE_UP, false}};
    for (const auto& [key, in] : fades) {
        PressKey(key);
        ASSERT_TRUE(StepFrames(1));
        ReleaseKey(key);
        int fadedAfter = 0;  // steps, from the frame that reads the release
        do {
            ASSERT_TRUE(StepFrames(1));
            fadedAfter += steps;
        } while (fadedAfter < 100 && (in ? map->alpha < 0.99f : map->alpha > 0.01f));
        EXPECT_EQ(Screen()->m_mapSelectOpen, in);
        EXPECT_GE(fadedAfter, 10) << (in ? "in" : "out");
        EXPECT_LT(fadedAfter, 10 + steps) << (in ? "in" : "out");
    }

    // With a pad, player 1 browses by the stick: a held stick steps at once
    // and then every 0.4 s (three steps in a second), and a stalled frame
    // counts as a quarter second: the step after it waits for the rest of
    // the 0.4 s.
    VirtualPad pad;
    TapKey(SDL_SCANCODE_X);  // player 1 back to browsing the Blue side
    ASSERT_EQ(Screen()->m_controllerMode, 1);
    ASSERT_FALSE(Screen()->m_p1Ready);
    VXSpriteComponent* blue = SpriteOf(Object("BlueTeamIcon1"));
    auto stepsWhileHeld = [&](int frames) {
        int moves = 0;
        for (int frame = 0; frame < frames; ++frame) {
            const int row = blue->animation.currentRowIndex;
            EXPECT_TRUE(StepFrames(1));
            moves += blue->animation.currentRowIndex != row ? 1 : 0;
        }
        return moves;
    };
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -32767);
    EXPECT_EQ(stepsWhileHeld(60 / steps), 3) << "in a second";
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    ASSERT_TRUE(StepFrames(30));
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -32767);
    ASSERT_EQ(stepsWhileHeld(1), 1) << "at once";
    // (At 10 frames a second two frames are most of the 0.4 s.)
    if (steps < 6) {
        clock.tick = 1000000;  // a frame whose swap takes a second
        EXPECT_EQ(stepsWhileHeld(1), 0) << "in the frame that stalls";
        clock.tick = steps * 16667ull;
        EXPECT_EQ(stepsWhileHeld(1), 0) << "in the frame that measures the stall";
        EXPECT_EQ(stepsWhileHeld(1), 0) << "in the frame after it: a quarter second counted";
        EXPECT_EQ(stepsWhileHeld(12 / steps + 1), 1) << "as the rest of the 0.4 s runs out";
    }
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
}

INSTANTIATE_TEST_SUITE_P(Rates, SelectAtRate, ::testing::Values(1, 4, 6),
                         [](const auto& info) { return std::to_string(60 / info.param) + "Hz"; });

TEST_F(Select, AMissingObjectSkipsItsStepsWithOneLine) {
    RunToSelection();
    auto& list = Screen()->m_objects->objects;
    GameObject* vs = Object("VSIcon");
    list.erase(std::find(list.begin(), list.end(), vs));
    delete vs;
    const std::string out = TestHarness::Printed([&] { StepFrames(3); });
    EXPECT_EQ(out, " -> screen object \"VSIcon\" not found\n");
    TapKey(SDL_SCANCODE_A);
    EXPECT_TRUE(Screen()->m_p1OnBlue);
}

TEST(SelectCommit, FourPadsCommitNothingAndAnUnlistedPairFillsInRowOrder) {
    VXLevelSelectScreen screen;
    screen.m_controllerMode = 4;
    FrameContext().lineUp.clear();
    screen.CommitSelection();
    EXPECT_TRUE(FrameContext().lineUp.empty());
    int32_t left[4];
    CharactersLeft(Maid, Maid, left);
    EXPECT_EQ(std::vector<int32_t>(left, left + 4),
              (std::vector<int32_t>{Archer, Knight, Pirate, Viking}));
}

}  // namespace
