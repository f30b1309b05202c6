// Gamepads through SDL's virtual game controllers: buttons and the button
// word, triggers, sticks, the per-button edge, slots across connect and
// disconnect, and vibration reaching the device.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "engine/core/VXInputManager.h"
#include "platform/PlatformInput.h"
#include "tests/support/VirtualPad.h"

using namespace FrameWork;
using TestHarness::Motors;
using TestHarness::VirtualPad;

namespace {

constexpr float kFrame = 1.0f / 60.0f;

class Gamepads : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        BuildStartupGlobals();
        engine = VXEngine::Instance();
        input = engine->input;
    }
    void TearDown() override { engine->Shutdown(); }
    // The pad side of one frame: polled at its start, kept at its end.
    void Frame(float frameTime = kFrame) {
        input->PollPads(frameTime);
        input->EndFrame();
    }
    void Poll() { input->PollPads(kFrame); }
    uint16_t Buttons(int pad) const { return input->pads[pad].current.Gamepad.wButtons; }

    VXEngine* engine = nullptr;
    VXInputManager* input = nullptr;
};

TEST_F(Gamepads, ButtonsFillTheButtonWord) {
    VirtualPad pad;
    const struct {
        SDL_GameControllerButton b;
        uint16_t mask;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_A, 0x1000},
        {SDL_CONTROLLER_BUTTON_B, 0x2000},
        {SDL_CONTROLLER_BUTTON_X, 0x4000},
        {SDL_CONTROLLER_BUTTON_Y, 0x8000},
        {SDL_CONTROLLER_BUTTON_START, 0x0010},
        {SDL_CONTROLLER_BUTTON_BACK, 0x0020},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, 0x0001},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0x0002},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0x0004},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0x0008},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0x0100},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, 0x0040},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0x0200},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 0x0080},
    };
    for (int logical = 0; logical < 14; ++logical) {
        pad.Button(cases[logical].b, true);
        Poll();
        EXPECT_EQ(Buttons(0), cases[logical].mask) << "button " << logical;
        EXPECT_TRUE(input->IsButtonTriggered(logical, 0)) << "button " << logical;
        input->EndFrame();
        pad.Button(cases[logical].b, false);
        Frame();
    }
    // The guide button has no bit.
    pad.Button(SDL_CONTROLLER_BUTTON_GUIDE, true);
    Poll();
    EXPECT_EQ(Buttons(0), 0);
}

TEST_F(Gamepads, TriggersReadZeroUpToThirty) {
    VirtualPad pad;
    Frame();  // SDL rests the triggers of a controller it has just opened
    const struct {
        int byte;
        float value;
    } cases[] = {{0, 0.0f}, {30, 0.0f}, {31, 31 / 255.0f}, {128, 128 / 255.0f}, {255, 1.0f}};
    for (const auto& c : cases) {
        pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, c.byte);
        pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 255 - c.byte);
        Frame();
        const VXGamepad& p = input->pads[0];
        EXPECT_EQ(p.current.Gamepad.bRightTrigger, c.byte);
        EXPECT_EQ(p.current.Gamepad.bLeftTrigger, 255 - c.byte);
        EXPECT_NEAR(p.rightTrigger, c.value, 1e-6f) << "byte " << c.byte;
    }
    pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 31);
    Frame();
    EXPECT_NEAR(input->pads[0].rightTrigger, 0.1216f, 1e-4f);
}

TEST_F(Gamepads, StickDeadZoneAndYUp) {
    VirtualPad pad;
    const struct {
        int raw;
        float value;
    } cases[] = {{0, 0.0f},
                 {7848, 0.0f},
                 {-7848, 0.0f},
                 {7849, 0.23954f},
                 {-7849, -0.23954f},
                 {32767, 1.0f},
                 {-32768, -32768 / 32767.0f}};
    for (const auto& c : cases) {
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, c.raw);
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY,
                 c.raw == -32768 ? 32767 : -c.raw);  // SDL's y grows downward
        Frame();
        const VXStick s = input->pads[0].GetThumbStick();
        EXPECT_NEAR(s.x, c.value, 1e-4f) << "raw " << c.raw;
        // Fully down reads -32767 upward, not -32768.
        EXPECT_NEAR(s.y, c.raw == -32768 ? -1.0f : c.value, 1e-4f) << "raw " << c.raw;
    }
    // Pushed up on the device reads positive y in the record.
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -20000);
    Frame();
    EXPECT_EQ(input->pads[0].current.Gamepad.sThumbLY, 20000);
}

TEST_F(Gamepads, EachButtonHasItsOwnEdge) {
    VirtualPad pad;
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    Poll();
    EXPECT_TRUE(input->IsButtonTriggered(0, 0));
    EXPECT_FALSE(input->IsButtonTriggered(0, 0)) << "one press answers once";
    input->EndFrame();
    // A held, B pressed: only B is new.
    pad.Button(SDL_CONTROLLER_BUTTON_B, true);
    Poll();
    EXPECT_FALSE(input->IsButtonTriggered(0, 0)) << "a held button fired again";
    EXPECT_TRUE(input->IsButtonTriggered(1, 0));
    input->EndFrame();
    // B released while A stays held.
    pad.Button(SDL_CONTROLLER_BUTTON_B, false);
    Poll();
    EXPECT_FALSE(input->IsButtonTriggered(0, 0));
    EXPECT_FALSE(input->IsButtonTriggered(1, 0));
    input->EndFrame();
    // Two new buttons in one frame both count.
    pad.Button(SDL_CONTROLLER_BUTTON_X, true);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    Poll();
    EXPECT_TRUE(input->IsButtonTriggered(2, 0));
    EXPECT_TRUE(input->IsButtonTriggered(4, 0));
    input->EndFrame();
    // Bad indexes answer false.
    pad.Button(SDL_CONTROLLER_BUTTON_Y, true);
    Poll();
    EXPECT_FALSE(input->IsButtonTriggered(14, 0));
    EXPECT_FALSE(input->IsButtonTriggered(-1, 0));
    EXPECT_FALSE(input->IsButtonTriggered(3, 4));
    EXPECT_FALSE(input->IsButtonTriggered(3, -1));
    EXPECT_FALSE(input->IsButtonTriggered(3, 1)) << "pad 1 is not connected";
    EXPECT_TRUE(input->IsButtonTriggered(3, 0));
}

TEST_F(Gamepads, PadsKeepTheirSlots) {
    EXPECT_FALSE(input->pads[0].Poll());
    auto first = std::make_unique<VirtualPad>();
    VirtualPad second;
    first->Button(SDL_CONTROLLER_BUTTON_A, true);
    second.Button(SDL_CONTROLLER_BUTTON_B, true);
    Frame();
    EXPECT_EQ(Buttons(0), 0x1000);
    EXPECT_EQ(Buttons(1), 0x2000);
    EXPECT_TRUE(input->pads[1].Poll());
    EXPECT_FALSE(input->pads[2].Poll());

    // The first pad goes: its slot reads disconnected, the second keeps slot 1.
    first.reset();
    Frame();
    EXPECT_FALSE(input->pads[0].Poll());
    EXPECT_EQ(Buttons(0), 0);
    EXPECT_TRUE(input->pads[1].Poll());
    EXPECT_EQ(Buttons(1), 0x2000);

    // A new pad takes the free slot 0.
    VirtualPad third;
    third.Button(SDL_CONTROLLER_BUTTON_X, true);
    Frame();
    EXPECT_EQ(Buttons(0), 0x4000);
    EXPECT_EQ(Buttons(1), 0x2000);

    // Slots 2 and 3 fill up; a fifth pad finds no slot and disturbs none.
    VirtualPad fourth, fifth, sixth;
    sixth.Button(SDL_CONTROLLER_BUTTON_Y, true);
    Frame();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(input->pads[i].Poll()) << i;
    for (int i = 0; i < 4; ++i) EXPECT_NE(Buttons(i), 0x8000) << i;
    // Once a slot frees up, the waiting pad takes it.
    fourth.Unplug();
    Frame();
    EXPECT_EQ(Buttons(2), 0x8000);
}

TEST_F(Gamepads, VibrationReachesTheMotorsAndStopsAfterItsTimer) {
    // Frames of 20 ms, so that 0.25 s ends inside a frame.
    constexpr float kStep = 0.02f;
    VirtualPad pad;
    Frame(kStep);  // the idle timer runs out: motors off
    pad.rumbles.clear();

    input->Vibrate(0, 1.0f, 0.5f);
    ASSERT_EQ(pad.rumbles.size(), 1u);
    EXPECT_EQ(pad.rumbles[0], Motors(65535, 32767));
    EXPECT_FLOAT_EQ(input->pads[0].vibrationTimer, 0.25f);

    // A second call while it runs changes the speeds, not the length.
    Frame(kStep);
    input->Vibrate(0, 0.5f, 0.0f);
    ASSERT_EQ(pad.rumbles.size(), 2u);
    EXPECT_EQ(pad.rumbles[1], Motors(32767, 0));

    int frames = 1;
    while (pad.rumbles.size() == 2 && frames < 100) {
        Frame(kStep);
        ++frames;
    }
    ASSERT_EQ(pad.rumbles.size(), 3u) << "the motors never stopped";
    EXPECT_EQ(pad.rumbles[2], Motors(0, 0));
    // 0.25 s counted from the first call: 13 frames of 20 ms.
    EXPECT_EQ(frames, 13);
    EXPECT_EQ(input->pads[0].vibration.wLeftMotorSpeed, 0);
    // Stopped motors are not asked again and again.
    Frame(kStep);
    Frame(kStep);
    EXPECT_EQ(pad.rumbles.size(), 3u);
    // The next vibration starts a new 0.25 s.
    input->Vibrate(0, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(input->pads[0].vibrationTimer, 0.25f);
    EXPECT_EQ(pad.rumbles.back(), Motors(0, 65535));
}

TEST_F(Gamepads, VibrateOutsideThePadsDoesNothing) {
    VirtualPad pad;
    Frame();
    pad.rumbles.clear();
    input->Vibrate(4, 1.0f, 1.0f);
    input->Vibrate(-1, 1.0f, 1.0f);
    input->Vibrate(1, 1.0f, 1.0f);  // no pad there
    EXPECT_TRUE(pad.rumbles.empty());
    for (const VXGamepad& p : input->pads)
        EXPECT_EQ(p.vibration.wLeftMotorSpeed, p.userIndex == 1 ? 65535 : 0);
    // Speeds out of 0..1 are held to it.
    input->Vibrate(0, 2.0f, -1.0f);
    ASSERT_EQ(pad.rumbles.size(), 1u);
    EXPECT_EQ(pad.rumbles[0], Motors(65535, 0));
}

TEST_F(Gamepads, EngineQueriesFollowTheBlockedFlag) {
    VirtualPad pad;
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    Poll();
    engine->inputBlocked = 1;
    EXPECT_FALSE(engine->IsButtonTriggered(4, 0));
    EXPECT_FLOAT_EQ(engine->GetStick(0).x, 0.0f);
    EXPECT_EQ(engine->GetGamepadState(0).current.Gamepad.wButtons, 0x0010);
    engine->inputBlocked = 0;
    EXPECT_FLOAT_EQ(engine->GetStick(0).x, 1.0f);
    EXPECT_TRUE(engine->IsButtonTriggered(4, 0));
    // The copy is a copy: the live record keeps its own state.
    VXGamepad copy = engine->GetGamepadState(0);
    copy.current.Gamepad.wButtons = 0;
    EXPECT_EQ(copy.current.Gamepad.wButtons, 0);
    EXPECT_EQ(Buttons(0), 0x0010);
    // A pad outside 0 to 3 reads as a pad that is not there.
    EXPECT_FALSE(engine->GetGamepadState(7).Poll());
    EXPECT_FALSE(engine->GetGamepadState(-1).Poll());
}

TEST_F(Gamepads, StartOrBackOnTheFirstTwoPadsTogglesPause) {
    engine->active = 1;
    engine->inputBlocked = 0;
    VirtualPad pad0, pad1, pad2;
    auto press = [&](VirtualPad& pad, SDL_GameControllerButton b) {
        pad.Button(b, true);
        Poll();
        engine->HandlePauseToggle(true);
        input->EndFrame();
        pad.Button(b, false);
        Poll();
        engine->HandlePauseToggle(true);
        input->EndFrame();
    };
    press(pad0, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(engine->paused, 1);
    press(pad1, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(engine->paused, 0);
    press(pad2, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(engine->paused, 0) << "the third pad does not pause";
    press(pad1, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(engine->paused, 0);
}

}  // namespace
