// Keyboard and mouse through the platform's event pump: key states frame by
// frame, modifiers, mouse buttons and wheel, text, focus, and the engine's
// key queries and pause toggle.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "engine/core/VXInputManager.h"
#include "gameplay/VXMatchState.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

using namespace FrameWork;
namespace VK = FrameWork::Platform::VK;

namespace {

class KeyStates : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        input = VXInputManager::Instance();
    }
    void TearDown() override {
        VXInputManager::Destroy();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    // The input side of one frame: the pump at its start, the ageing at its
    // end; `keys` is read in between, as the game reads it.
    void Pump() { Platform::PumpEvents(); }
    void EndFrame() { input->EndFrame(); }
    uint8_t Key(int vk) const { return input->keys[vk]; }

    VXInputManager* input = nullptr;
};

TEST_F(KeyStates, KeysMapToVirtualKeyCodes) {
    const struct {
        SDL_Scancode sc;
        int vk;
    } cases[] = {
        {SDL_SCANCODE_W, 'W'},       {SDL_SCANCODE_7, '7'},       {SDL_SCANCODE_0, '0'},
        {SDL_SCANCODE_F7, 118},      {SDL_SCANCODE_F12, 0x7B},    {SDL_SCANCODE_RETURN, 13},
        {SDL_SCANCODE_KP_ENTER, 13}, {SDL_SCANCODE_ESCAPE, 27},   {SDL_SCANCODE_UP, 0x26},
        {SDL_SCANCODE_DOWN, 0x28},   {SDL_SCANCODE_LEFT, 0x25},   {SDL_SCANCODE_RIGHT, 0x27},
        {SDL_SCANCODE_KP_5, 0x65},   {SDL_SCANCODE_DELETE, 0x2E}, {SDL_SCANCODE_TAB, 9},
        {SDL_SCANCODE_BACKSPACE, 8}, {SDL_SCANCODE_SLASH, 0xBF},
    };
    for (const auto& c : cases) {
        Platform::InjectKey(c.sc, true);
        Pump();
        EXPECT_EQ(Key(c.vk), 1) << SDL_GetScancodeName(c.sc);
        EXPECT_TRUE(input->IsDown(c.vk)) << SDL_GetScancodeName(c.sc);
        Platform::InjectKey(c.sc, false);
        Pump();
        EndFrame();
        EXPECT_EQ(Key(c.vk), 0) << SDL_GetScancodeName(c.sc);
    }
}

TEST_F(KeyStates, GenericModifierStaysDownWhileEitherSideIsDown) {
    Platform::InjectKey(SDL_SCANCODE_LSHIFT, true);
    Pump();
    EXPECT_EQ(Key(VK::LShift), 1);
    EXPECT_EQ(Key(VK::Shift), 1);
    EXPECT_EQ(Key(VK::RShift), 0);
    EndFrame();
    Platform::InjectKey(SDL_SCANCODE_RSHIFT, true);
    Pump();
    EXPECT_EQ(Key(VK::RShift), 1);
    EXPECT_EQ(Key(VK::Shift), 2);
    EndFrame();
    Platform::InjectKey(SDL_SCANCODE_LSHIFT, false);
    Pump();
    EXPECT_EQ(Key(VK::LShift), 0xFF);
    EXPECT_EQ(Key(VK::Shift), 2);
    EXPECT_TRUE(input->IsDown(VK::Shift));
    EndFrame();
    Platform::InjectKey(SDL_SCANCODE_RSHIFT, false);
    Pump();
    EXPECT_EQ(Key(VK::Shift), 0xFF);
    EXPECT_FALSE(input->IsDown(VK::Shift));

    Platform::InjectKey(SDL_SCANCODE_RCTRL, true);
    Platform::InjectKey(SDL_SCANCODE_LALT, true);
    Pump();
    EXPECT_EQ(Key(VK::RControl), 1);
    EXPECT_EQ(Key(VK::Control), 1);
    EXPECT_EQ(Key(VK::LMenu), 1);
    EXPECT_EQ(Key(VK::Menu), 1);
}

TEST_F(KeyStates, MouseButtonsUseSlotsOneAndTwo) {
    Platform::InjectMouseButton(SDL_BUTTON_LEFT, true, 40, 30);
    Pump();
    EXPECT_EQ(Key(VK::LButton), 1);
    EXPECT_EQ(Key(VK::RButton), 0);
    EXPECT_EQ(input->mouseX, 40);
    EXPECT_EQ(input->mouseY, 30);
    EndFrame();
    Platform::InjectMouseButton(SDL_BUTTON_RIGHT, true, 41, 31);
    Platform::InjectMouseButton(SDL_BUTTON_LEFT, false, 41, 31);
    Pump();
    EXPECT_EQ(Key(VK::LButton), 0xFF);
    EXPECT_EQ(Key(VK::RButton), 1);
    EXPECT_TRUE(input->IsDown(VK::RButton));
    EXPECT_FALSE(input->IsDown(VK::LButton));
    Platform::InjectMouseMove(300, 200);
    Pump();
    EXPECT_EQ(input->mouseX, 300);
    EXPECT_EQ(input->mouseY, 200);
}

TEST_F(KeyStates, WheelSlotsLastOneFrame) {
    Platform::InjectMouseWheel(1);  // away from the user
    Pump();
    EXPECT_EQ(Key(201), 201);
    EXPECT_EQ(Key(200), 0);
    EXPECT_FLOAT_EQ(input->wheel, 1.0f);
    EndFrame();
    EXPECT_EQ(Key(201), 0);
    EXPECT_FLOAT_EQ(input->wheel, 0.0f);

    Platform::InjectMouseWheel(-2);  // toward the user
    Pump();
    EXPECT_EQ(Key(200), 200);
    EXPECT_EQ(Key(201), 0);
    EXPECT_FLOAT_EQ(input->wheel, -1.0f);
    EndFrame();
    EXPECT_EQ(Key(200), 0);
}

TEST_F(KeyStates, TextIsKeptForOneFrame) {
    Platform::InjectText("h");
    Platform::InjectText("\xC3\xA9");  // é
    Pump();
    EXPECT_EQ(input->text, "h\xC3\xA9");
    EndFrame();
    EXPECT_EQ(input->text, "");
}

TEST_F(KeyStates, FocusFollowsWindowEventsExceptUnderTheTestClock) {
    EXPECT_TRUE(input->HasFocus());
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Pump();
    EXPECT_FALSE(input->HasFocus());
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    Pump();
    EXPECT_TRUE(input->HasFocus());
    // Test runs share one X server, whose windows take the focus from each
    // other: frames driven by the test clock ignore it.
    Platform::TestClock clock;
    Platform::InstallTestClock(&clock);
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Pump();
    Platform::InstallTestClock(nullptr);
    EXPECT_TRUE(input->HasFocus());
}

TEST_F(KeyStates, DestroyedManagerNoLongerListens) {
    VXInputManager::Destroy();
    Platform::InjectKey(SDL_SCANCODE_B, true);
    Pump();  // would write into the freed manager if it still listened
    input = VXInputManager::Instance();
    EXPECT_EQ(Key('B'), 0);
}

// --- The engine's queries and the pause toggle ---------------------------

class EngineInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        BuildStartupGlobals();
        engine = VXEngine::Instance();
        g_matchOver = 0;
    }
    void TearDown() override {
        engine->Shutdown();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        g_matchOver = 0;
    }
    // A running match: the countdown is over, input is open.
    void StartMatch() {
        engine->active = 1;
        engine->inputBlocked = 0;
        engine->paused = 0;
    }
    void Frame(bool matchUI = true) {
        Platform::PumpEvents();
        engine->HandlePauseToggle(matchUI);
        engine->input->EndFrame();
    }
    void TapEscape(bool matchUI = true) {
        Platform::InjectKey(SDL_SCANCODE_ESCAPE, true);
        Frame(matchUI);
        Platform::InjectKey(SDL_SCANCODE_ESCAPE, false);
        Frame(matchUI);
    }

    VXEngine* engine = nullptr;
};

TEST_F(EngineInput, QueriesAnswerNothingWhileBlocked) {
    engine->inputBlocked = 1;
    Platform::InjectKey(SDL_SCANCODE_G, true);
    Platform::PumpEvents();
    EXPECT_EQ(engine->input->keys['G'], 1);
    EXPECT_FALSE(engine->IsKeyTriggered('G'));
    EXPECT_FALSE(engine->IsKeyDown('G'));
    engine->inputBlocked = 0;
    EXPECT_TRUE(engine->IsKeyTriggered('G'));
    EXPECT_TRUE(engine->IsKeyDown('G'));
    EXPECT_FALSE(engine->IsKeyDown('H'));
    EXPECT_FALSE(engine->IsKeyDown(-1));
    EXPECT_FALSE(engine->IsKeyDown(256));
}

TEST_F(EngineInput, EscapeTogglesPauseOnlyInARunningMatch) {
    // Not a match state.
    StartMatch();
    TapEscape(false);
    EXPECT_EQ(engine->paused, 0);
    // Countdown still running.
    engine->active = 0;
    TapEscape();
    EXPECT_EQ(engine->paused, 0);
    // Match decided.
    StartMatch();
    g_matchOver = 1;
    TapEscape();
    EXPECT_EQ(engine->paused, 0);
    g_matchOver = 0;
    // Running: each press flips it, holding does not.
    TapEscape();
    EXPECT_EQ(engine->paused, 1);
    Platform::InjectKey(SDL_SCANCODE_ESCAPE, true);
    Frame();
    EXPECT_EQ(engine->paused, 0);
    Frame();
    Frame();
    EXPECT_EQ(engine->paused, 0);
}

TEST_F(EngineInput, FocusLossPausesAndFocusGainDoesNotResume) {
    StartMatch();
    Frame();
    EXPECT_EQ(engine->paused, 0);
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Frame();
    EXPECT_EQ(engine->paused, 1);
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    Frame();
    EXPECT_EQ(engine->paused, 1);
    TapEscape();
    EXPECT_EQ(engine->paused, 0);
    // Outside a running match the focus does not pause.
    engine->active = 0;
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Frame();
    EXPECT_EQ(engine->paused, 0);
}

}  // namespace
