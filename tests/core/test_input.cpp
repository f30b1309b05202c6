// Keyboard, mouse and gamepads through the platform layer (SDL events and
// SDL's virtual game controllers): key states frame by frame, modifiers,
// mouse and wheel, text, focus, the pad button word, triggers, sticks, edges,
// slots and vibration, the engine's queries and pause toggle, and key states
// and sound channels inside the real engine's frames.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "core/GameState.h"
#include "core/VXAudioManager.h"
#include "core/VXInputManager.h"
#include "core/VXLevel_Base.h"
#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "gameplay/VXMatchState.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"
#include "tests/support/DataFiles.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/VirtualPad.h"

using namespace FrameWork;
using TestHarness::EngineFixture;
using TestHarness::Motors;
using TestHarness::VirtualPad;
namespace VK = FrameWork::Platform::VK;

namespace {

constexpr float kFrame = 1.0f / 60.0f;

class Keys : public ::testing::Test {
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

TEST_F(Keys, KeysMapToVirtualKeyCodes) {
    const struct {
        SDL_Scancode sc;
        int vk;
    } cases[] = {
        {SDL_SCANCODE_W, 'W'},     {SDL_SCANCODE_7, '7'},       {SDL_SCANCODE_F7, 118},
        {SDL_SCANCODE_RETURN, 13}, {SDL_SCANCODE_KP_ENTER, 13}, {SDL_SCANCODE_ESCAPE, 27},
        {SDL_SCANCODE_UP, 0x26},   {SDL_SCANCODE_SLASH, 0xBF},
    };
    for (const auto& c : cases) {
        Platform::InjectKey(c.sc, true);
        Pump();
        EXPECT_EQ(Key(c.vk), 1) << SDL_GetScancodeName(c.sc);
        EndFrame();
        Platform::InjectKey(c.sc, false);
        Pump();
        EndFrame();
        EXPECT_EQ(Key(c.vk), 0) << SDL_GetScancodeName(c.sc);
    }
}

TEST_F(Keys, GenericModifierStaysDownWhileEitherSideIsDown) {
    Platform::InjectKey(SDL_SCANCODE_LSHIFT, true);
    Pump();
    EXPECT_EQ(Key(VK::Shift), 1);
    EndFrame();
    Platform::InjectKey(SDL_SCANCODE_RSHIFT, true);
    Pump();
    EXPECT_EQ(Key(VK::Shift), 2);
    EndFrame();
    Platform::InjectKey(SDL_SCANCODE_LSHIFT, false);
    Pump();
    EXPECT_EQ(Key(VK::LShift), 0xFF);
    EXPECT_TRUE(input->IsDown(VK::Shift));
    EndFrame();
    Platform::InjectKey(SDL_SCANCODE_RSHIFT, false);
    Pump();
    EXPECT_EQ(Key(VK::Shift), 0xFF);
    Platform::InjectKey(SDL_SCANCODE_RCTRL, true);
    Platform::InjectKey(SDL_SCANCODE_LALT, true);
    Pump();
    EXPECT_EQ(Key(VK::Control), 1);
    EXPECT_EQ(Key(VK::Menu), 1);
}

TEST_F(Keys, MouseButtonsWheelAndText) {
    Platform::InjectMouseButton(SDL_BUTTON_LEFT, true, 40, 30);
    Pump();
    EXPECT_EQ(Key(VK::LButton), 1);
    EXPECT_EQ(input->mouseX, 40);
    EndFrame();
    Platform::InjectMouseButton(SDL_BUTTON_RIGHT, true, 41, 31);
    Platform::InjectMouseButton(SDL_BUTTON_LEFT, false, 41, 31);
    Platform::InjectMouseMove(300, 200);
    Platform::InjectText("h");
    Platform::InjectText("\xC3\xA9");  // é
    Pump();
    EXPECT_EQ(Key(VK::LButton), 0xFF);
    EXPECT_EQ(Key(VK::RButton), 1);
    EXPECT_EQ(input->mouseY, 200);
    EXPECT_EQ(input->text, "h\xC3\xA9");
    EndFrame();
    EXPECT_EQ(input->text, "") << "text lasts one frame";
    // The wheel's slots (201 away from the user, 200 toward) last one frame.
    for (int step : {1, -2}) {
        const int slot = step > 0 ? 201 : 200;
        Platform::InjectMouseWheel(step);
        Pump();
        EXPECT_EQ(Key(slot), slot);
        EXPECT_EQ(Key(401 - slot), 0);
        EXPECT_FLOAT_EQ(input->wheel, step > 0 ? 1.0f : -1.0f);
        EndFrame();
        EXPECT_EQ(Key(slot), 0);
    }
}

TEST_F(Keys, FocusFollowsWindowEventsExceptUnderTheTestClock) {
    // What is held when the focus goes is let go: its release would reach
    // another window.
    Platform::InjectMouseButton(SDL_BUTTON_LEFT, true, 10, 10);
    Platform::InjectKey(SDL_SCANCODE_LSHIFT, true);
    Pump();
    EndFrame();
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Pump();
    EXPECT_FALSE(input->HasFocus());
    for (int vk : {VK::LButton, VK::Shift, VK::LShift}) {
        EXPECT_FALSE(input->IsDown(vk)) << "virtual key " << vk << " still down";
        EXPECT_EQ(Key(vk), 0xFF) << "virtual key " << vk;
    }
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

// A press and release that arrive between two frames read as pressed in the
// first frame and released in the next: keys, mouse buttons and modifiers.
TEST_F(Keys, TapBetweenFramesReadsPressedThenReleased) {
    Platform::InjectKey(SDL_SCANCODE_SPACE, true);
    Platform::InjectKey(SDL_SCANCODE_SPACE, false);
    Platform::InjectKey(SDL_SCANCODE_LSHIFT, true);
    Platform::InjectKey(SDL_SCANCODE_LSHIFT, false);
    Platform::InjectMouseButton(SDL_BUTTON_LEFT, true, 10, 10);
    Platform::InjectMouseButton(SDL_BUTTON_LEFT, false, 10, 10);
    Pump();
    for (int vk : {int(VK::Space), VK::LShift, VK::Shift, VK::LButton}) {
        EXPECT_EQ(Key(vk), 1) << vk;
        EXPECT_TRUE(input->IsDown(vk)) << vk << " reads down for the frame of its tap";
    }
    EndFrame();
    Pump();
    for (int vk : {int(VK::Space), VK::LShift, VK::Shift, VK::LButton}) {
        EXPECT_EQ(Key(vk), 0xFF) << vk;
        EXPECT_FALSE(input->IsDown(vk)) << vk;
    }
    EndFrame();
    EXPECT_EQ(Key(VK::Space), 0);
    // Pressed, let go and pressed again before a frame: held from then on.
    Platform::InjectKey(SDL_SCANCODE_D, true);
    Platform::InjectKey(SDL_SCANCODE_D, false);
    Platform::InjectKey(SDL_SCANCODE_D, true);
    Pump();
    EXPECT_EQ(Key('D'), 1);
    EndFrame();
    EXPECT_EQ(Key('D'), 2);
    EXPECT_TRUE(input->IsDown('D'));
    // A held key let go and pressed again inside one frame is pressed anew.
    Platform::InjectKey(SDL_SCANCODE_D, false);
    Platform::InjectKey(SDL_SCANCODE_D, true);
    Pump();
    EXPECT_EQ(Key('D'), 1);
}

// A frame that runs no step (shorter than one) keeps its press or release
// for the first step of the next frame that runs one.
TEST_F(Keys, DestroyedManagerNoLongerListens) {
    VXInputManager::Destroy();
    Platform::InjectKey(SDL_SCANCODE_B, true);
    Pump();  // would write into the freed manager if it still listened
    input = VXInputManager::Instance();
    EXPECT_EQ(Key('B'), 0);
}

// --- Gamepads and the engine's queries -------------------------------------------

class Pads : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        BuildStartupGlobals();
        engine = VXEngine::Instance();
        input = engine->input;
        g_matchOver = 0;
    }
    void TearDown() override {
        engine->Shutdown();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        g_matchOver = 0;
    }
    // One frame's input: events and pads at its start, the pause toggle, the
    // ageing at its end.
    void Frame(float frameTime = kFrame, bool matchUI = true) {
        Platform::PumpEvents();
        input->PollPads(frameTime);
        engine->HandlePauseToggle(matchUI);
        input->EndFrame();
    }
    void Poll() { input->PollPads(kFrame); }
    uint16_t Buttons(int pad) const { return input->pads[pad].current.Gamepad.wButtons; }

    VXEngine* engine = nullptr;
    VXInputManager* input = nullptr;
};

TEST_F(Pads, ButtonsFillTheButtonWord) {
    VirtualPad pad;
    const struct {
        SDL_GameControllerButton b;
        uint16_t mask;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_A, 0x1000},       {SDL_CONTROLLER_BUTTON_B, 0x2000},
        {SDL_CONTROLLER_BUTTON_X, 0x4000},       {SDL_CONTROLLER_BUTTON_Y, 0x8000},
        {SDL_CONTROLLER_BUTTON_START, 0x0010},   {SDL_CONTROLLER_BUTTON_BACK, 0x0020},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, 0x0001},  // logical buttons 0 to 6
    };
    for (int logical = 0; logical < static_cast<int>(std::size(cases)); ++logical) {
        pad.Button(cases[logical].b, true);
        Poll();
        EXPECT_EQ(Buttons(0), cases[logical].mask) << "button " << logical;
        EXPECT_TRUE(input->IsButtonTriggered(logical, 0)) << "button " << logical;
        input->EndFrame();
        pad.Button(cases[logical].b, false);
        Frame();
    }
    pad.Button(SDL_CONTROLLER_BUTTON_GUIDE, true);
    Poll();
    EXPECT_EQ(Buttons(0), 0) << "the guide button has no bit";
}

TEST_F(Pads, TriggersAndSticksHaveTheirDeadZones) {
    VirtualPad pad;
    Frame();  // SDL rests the triggers of a controller it has just opened
    const struct {
        int byte;
        float value;
    } triggers[] = {{0, 0.0f}, {30, 0.0f}, {31, 31 / 255.0f}, {128, 128 / 255.0f}, {255, 1.0f}};
    for (const auto& c : triggers) {
        pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, c.byte);
        pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 255 - c.byte);
        Frame();
        EXPECT_EQ(input->pads[0].current.Gamepad.bLeftTrigger, 255 - c.byte);
        EXPECT_NEAR(input->pads[0].rightTrigger, c.value, 1e-6f) << "byte " << c.byte;
    }
    const struct {
        int raw;
        float value;
    } sticks[] = {{0, 0.0f},
                  {7848, 0.0f},
                  {-7848, 0.0f},
                  {7849, 0.23954f},
                  {-7849, -0.23954f},
                  {32767, 1.0f},
                  {-32768, -32768 / 32767.0f}};
    for (const auto& c : sticks) {
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, c.raw);
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY,
                 c.raw == -32768 ? 32767 : -c.raw);  // SDL's y grows down
        Frame();
        const VXStick s = input->pads[0].GetThumbStick();
        EXPECT_NEAR(s.x, c.value, 1e-4f) << "raw " << c.raw;
        // Fully down reads -32767 upward, not -32768.
        EXPECT_NEAR(s.y, c.raw == -32768 ? -1.0f : c.value, 1e-4f) << "raw " << c.raw;
    }
}

TEST_F(Pads, EachButtonHasItsOwnEdge) {
    VirtualPad pad;
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    Poll();
    EXPECT_TRUE(input->IsButtonTriggered(0, 0));
    EXPECT_FALSE(input->IsButtonTriggered(0, 0)) << "one press answers once";
    input->EndFrame();
    pad.Button(SDL_CONTROLLER_BUTTON_B, true);  // A held, B pressed: only B is new
    Poll();
    EXPECT_FALSE(input->IsButtonTriggered(0, 0)) << "a held button fired again";
    EXPECT_TRUE(input->IsButtonTriggered(1, 0));
    input->EndFrame();
    pad.Button(SDL_CONTROLLER_BUTTON_X, true);  // two new buttons in one frame both count
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    Poll();
    EXPECT_TRUE(input->IsButtonTriggered(2, 0));
    EXPECT_TRUE(input->IsButtonTriggered(4, 0));
    for (auto [button, index] : {std::pair{14, 0}, {-1, 0}, {3, 4}, {3, -1}, {3, 1}})
        EXPECT_FALSE(input->IsButtonTriggered(button, index)) << button << " on " << index;
}

// A button pressed and let go between two polls (both events read from the
// device before the frame) reads as pressed in that frame, once.
TEST_F(Pads, TapBetweenPollsReadsPressedThenReleased) {
    VirtualPad pad;
    Frame();
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    SDL_GameControllerUpdate();  // the device reports the press ...
    pad.Button(SDL_CONTROLLER_BUTTON_A, false);
    SDL_GameControllerUpdate();  // ... and the release before the next frame
    Platform::PumpEvents();
    Poll();
    EXPECT_EQ(Buttons(0), 0x1000);
    EXPECT_TRUE(input->IsButtonTriggered(0, 0));
    input->EndFrame();
    Frame();
    EXPECT_EQ(Buttons(0), 0);
    EXPECT_FALSE(input->IsButtonTriggered(0, 0));
    // A press the last frame already read does not come back after its
    // release.
    pad.Button(SDL_CONTROLLER_BUTTON_B, true);
    Poll();
    EXPECT_TRUE(input->IsButtonTriggered(1, 0));
    input->EndFrame();
    pad.Button(SDL_CONTROLLER_BUTTON_B, false);
    Frame();
    EXPECT_EQ(Buttons(0), 0);
}

TEST_F(Pads, PadsKeepTheirSlots) {
    EXPECT_FALSE(input->pads[0].Poll());
    auto first = std::make_unique<VirtualPad>();
    VirtualPad second;
    first->Button(SDL_CONTROLLER_BUTTON_A, true);
    second.Button(SDL_CONTROLLER_BUTTON_B, true);
    Frame();
    EXPECT_EQ(Buttons(0), 0x1000);
    EXPECT_EQ(Buttons(1), 0x2000);
    // The first pad goes: its slot reads disconnected, the second keeps slot 1.
    first.reset();
    Frame();
    EXPECT_FALSE(input->pads[0].Poll());
    EXPECT_EQ(Buttons(1), 0x2000);
    // A new pad takes the free slot 0.
    VirtualPad third;
    third.Button(SDL_CONTROLLER_BUTTON_X, true);
    Frame();
    EXPECT_EQ(Buttons(0), 0x4000);
    // Slots 2 and 3 fill up; a fifth pad finds no slot and disturbs none.
    VirtualPad fourth, fifth, sixth;
    sixth.Button(SDL_CONTROLLER_BUTTON_Y, true);
    Frame();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(input->pads[i].Poll() && Buttons(i) != 0x8000) << i;
    // Once a slot frees up, the waiting pad takes it.
    fourth.Unplug();
    Frame();
    EXPECT_EQ(Buttons(2), 0x8000);
}

TEST_F(Pads, VibrationReachesTheMotorsAndStopsAfterItsTimer) {
    constexpr float kStep = 0.02f;  // frames of 20 ms, so that 0.25 s ends inside a frame
    VirtualPad pad;
    Frame(kStep);  // the idle timer runs out: motors off
    pad.rumbles.clear();
    for (int index : {4, -1, 1}) input->Vibrate(index, 1.0f, 1.0f);  // no pad there
    EXPECT_TRUE(pad.rumbles.empty());

    input->Vibrate(0, 2.0f, 0.5f);  // speeds are held to 0..1
    ASSERT_EQ(pad.rumbles.size(), 1u);
    EXPECT_EQ(pad.rumbles[0], Motors(65535, 32767));
    // A second call while it runs changes the speeds, not the length.
    Frame(kStep);
    input->Vibrate(0, 0.5f, -1.0f);
    ASSERT_EQ(pad.rumbles.size(), 2u);
    EXPECT_EQ(pad.rumbles[1], Motors(32767, 0));
    int frames = 1;
    while (pad.rumbles.size() == 2 && frames < 100) {
        Frame(kStep);
        ++frames;
    }
    ASSERT_EQ(pad.rumbles.size(), 3u) << "the motors never stopped";
    EXPECT_EQ(pad.rumbles[2], Motors(0, 0));
    EXPECT_EQ(frames, 13) << "0.25 s counted from the first call: 13 frames of 20 ms";
    Frame(kStep);
    Frame(kStep);
    EXPECT_EQ(pad.rumbles.size(), 3u) << "stopped motors are not asked again and again";
}

// A vibration asks the pad for its own length, so that the pad stops by
// itself when the game stalls and never sends the stop.
TEST_F(Pads, AVibrationEndsOnThePadWhenTheGameStalls) {
    VirtualPad pad;
    Frame();
    pad.rumbles.clear();
    input->Vibrate(0, 1.0f, 0.0f);
    ASSERT_EQ(pad.rumbles.size(), 1u);
    // No more frames: only SDL's own update runs, as in a stall.
    const Uint64 start = SDL_GetTicks64();
    while (pad.rumbles.back() != Motors(0, 0) && SDL_GetTicks64() - start < 5000) {
        SDL_Delay(10);
        SDL_GameControllerUpdate();
    }
    const Uint64 lasted = SDL_GetTicks64() - start;
    EXPECT_EQ(pad.rumbles.back(), Motors(0, 0)) << "the motors ran on for " << lasted << " ms";
    EXPECT_GE(lasted, 240u) << "not before the 0.25 s of the vibration";
}

// The menus' players 1 and 2 are the first two connected pads, whatever
// their slots; a third and fourth pad are left out.
TEST_F(Pads, PlayersPadsAreTheFirstTwoConnected) {
    Frame();
    EXPECT_EQ(input->PlayerPad(0), -1);
    auto a = std::make_unique<VirtualPad>();
    VirtualPad b, c;
    Frame();
    EXPECT_EQ(input->PlayerPad(0), 0);
    EXPECT_EQ(input->PlayerPad(1), 1);
    a.reset();  // slot 0 empties: the pads of slots 1 and 2 play
    Frame();
    EXPECT_EQ(input->PlayerPad(0), 1);
    EXPECT_EQ(input->PlayerPad(1), 2);
    b.Unplug();
    Frame();
    EXPECT_EQ(input->PlayerPad(0), 2);
    EXPECT_EQ(input->PlayerPad(1), -1);
    EXPECT_EQ(input->PlayerPad(-1), -1);
}

// Keys and pads answer the same way: nothing while the input is blocked.
TEST_F(Pads, EngineQueriesAnswerNothingWhileBlocked) {
    VirtualPad pad;
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    Platform::InjectKey(SDL_SCANCODE_G, true);
    Platform::PumpEvents();
    Poll();
    const std::pair<const char*, std::function<bool()>> queries[] = {
        {"key triggered", [&] { return engine->IsKeyTriggered('G'); }},
        {"key down", [&] { return engine->IsKeyDown('G'); }},
        {"button triggered", [&] { return engine->IsButtonTriggered(4, 0); }},
        {"stick", [&] { return engine->GetStick(0).x == 1.0f; }},
    };
    for (int blocked : {1, 0}) {
        engine->inputBlocked = blocked;
        for (const auto& [what, query] : queries) EXPECT_EQ(query(), !blocked) << what;
    }
    EXPECT_EQ(engine->GetGamepadState(0).current.Gamepad.wButtons, 0x0010);
    EXPECT_FALSE(engine->IsKeyDown(256));
    EXPECT_FALSE(engine->GetGamepadState(7).Poll()) << "a pad outside 0 to 3 is not there";
}

// Escape, or Start or Back on the first two pads, toggles the pause of a
// running match, once per press; nothing else does, and not outside a match.
TEST_F(Pads, PauseTogglesOnlyInARunningMatch) {
    VirtualPad pads[3];
    Frame();
    auto key = [](bool down) { Platform::InjectKey(SDL_SCANCODE_ESCAPE, down); };
    auto button = [&](int p, SDL_GameControllerButton b) {
        return [&pads, p, b](bool down) { pads[p].Button(b, down); };
    };
    const struct {
        const char* what;
        std::function<void(bool)> press;
        bool toggles;
    } presses[] = {
        {"Escape", key, true},
        {"Start on pad 0", button(0, SDL_CONTROLLER_BUTTON_START), true},
        {"Back on pad 1", button(1, SDL_CONTROLLER_BUTTON_BACK), true},
        {"Start on pad 2", button(2, SDL_CONTROLLER_BUTTON_START), false},
        {"A on pad 1", button(1, SDL_CONTROLLER_BUTTON_A), false},
    };
    const struct {
        const char* what;
        bool matchUI, active, matchOver;
    } states[] = {{"running match", true, true, false},
                  {"not a match state", false, true, false},
                  {"countdown", true, false, false},
                  {"match decided", true, true, true}};
    for (const auto& s : states) {
        for (const auto& p : presses) {
            engine->active = s.active;
            engine->inputBlocked = 0;
            engine->paused = 0;
            g_matchOver = s.matchOver;
            p.press(true);
            Frame(kFrame, s.matchUI);
            Frame(kFrame, s.matchUI);  // held: no second toggle
            p.press(false);
            Frame(kFrame, s.matchUI);
            const bool toggled = p.toggles && s.active && s.matchUI && !s.matchOver;
            EXPECT_EQ(engine->paused, toggled ? 1 : 0) << p.what << " in a " << s.what;
        }
    }
}

TEST_F(Pads, FocusLossPausesAndFocusGainDoesNotResume) {
    engine->active = 1;
    engine->inputBlocked = 0;
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Frame();
    EXPECT_EQ(engine->paused, 1);
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    Frame();
    EXPECT_EQ(engine->paused, 1);
    engine->paused = 0;
    engine->active = 0;  // outside a running match the focus does not pause
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Frame();
    EXPECT_EQ(engine->paused, 0);
}

}  // namespace

// --- Input and sound inside the real engine's frames ------------------------------

namespace {

// A level that notes, at each of its updates, what the game reads of one
// key; it can leave for another state at its first update.
class ProbeLevel : public VXLevel_Base {
public:
    explicit ProbeLevel(int key) : key(key) {}
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {}
    void Update() override {
        VXEngine* e = VXEngine::Instance();
        states.push_back(e->input->keys[key]);
        triggered.push_back(e->IsKeyTriggered(key));
        if (leaveTo != kStay) {
            e->nextState = leaveTo;
            leaveTo = kStay;
        }
    }
    void Free() override {}

    static constexpr int kStay = 100;
    int key;
    int leaveTo = kStay;
    std::vector<int> states;
    std::vector<bool> triggered;
};

class EngineFrames : public EngineFixture {
protected:
    ProbeLevel* Probe(int state, int key) {
        levels.push_back(std::make_unique<ProbeLevel>(key));
        ReplaceLevel(state, levels.back().get());
        return levels.back().get();
    }
    // The loading screen hands over to a match level at once; the match runs.
    ProbeLevel* StartMatch(int key) {
        Probe(GameState::LoadingScreen, key)->leaveTo = GameState::Level1;
        ProbeLevel* match = Probe(GameState::Level1, key);
        engine->active = 1;
        BeginRun();
        StepFrames(2);
        return match;
    }
    std::vector<std::unique_ptr<ProbeLevel>> levels;
};

TEST_F(EngineFrames, LevelsSeeKeyStatesAgeFrameByFrame) {
    ProbeLevel* loading = Probe(GameState::LoadingScreen, 'D');
    engine->active = 1;
    BeginRun();
    StepFrames(1);
    PressKey(SDL_SCANCODE_D);
    StepFrames(3);
    ReleaseKey(SDL_SCANCODE_D);
    StepFrames(2);
    // A press and release between two frames reads as pressed, then released.
    PressKey(SDL_SCANCODE_D);
    ReleaseKey(SDL_SCANCODE_D);
    StepFrames(3);
    EXPECT_EQ(loading->states, (std::vector<int>{0, 1, 2, 2, 0xFF, 0, 1, 0xFF, 0}));
    EXPECT_EQ(loading->triggered,
              (std::vector<bool>{false, true, false, false, false, false, true, false, false}));
}

// A match runs its steps with the frame's key states: a frame of four
// steps shows a press to its first step only.
TEST_F(EngineFrames, MatchStepsSeeEachPressOnce) {
    ProbeLevel* match = StartMatch('D');
    const size_t seen = match->states.size();
    clock.tick = 4 * 16667;
    StepFrames(1);
    clock.tick = 16667;
    PressKey(SDL_SCANCODE_D);
    StepFrames(1);  // four steps
    ReleaseKey(SDL_SCANCODE_D);
    StepFrames(1);
    const std::vector<int> states(match->states.begin() + static_cast<long>(seen) + 1,
                                  match->states.end());
    const std::vector<bool> triggered(match->triggered.begin() + static_cast<long>(seen) + 1,
                                      match->triggered.end());
    EXPECT_EQ(states, (std::vector<int>{1, 2, 2, 2, 0xFF}));
    EXPECT_EQ(triggered, (std::vector<bool>{true, false, false, false, false}));
}

// Frames measured at 10 ms run a step every other frame or so: a press or
// release that arrives in a frame without a step is still an edge at the
// next step.  (The frame limiter keeps the test clock's frames at 1/60 s or
// more, so the clock is set back before each frame by what it is short.)
TEST_F(EngineFrames, AFrameWithoutAStepKeepsItsEdgesForTheNextStep) {
    ProbeLevel* match = StartMatch('D');
    const size_t seen = match->states.size();
    std::vector<int> steps;
    const auto frame = [&] {
        clock.now -= clock.tick - 10000;
        StepFrames(1);
        steps.push_back(FrameContext().frameSteps);
    };
    PressKey(SDL_SCANCODE_D);
    frame();  // 10 ms: no step
    frame();  // 20 ms: a step
    frame();
    frame();
    ReleaseKey(SDL_SCANCODE_D);
    frame();  // 16.666 ms in hand: still no step
    frame();
    frame();
    ASSERT_EQ(steps, (std::vector<int>{0, 1, 0, 1, 0, 1, 1}));
    const std::vector<int> states(match->states.begin() + static_cast<long>(seen),
                                  match->states.end());
    const std::vector<bool> triggered(match->triggered.begin() + static_cast<long>(seen),
                                      match->triggered.end());
    EXPECT_EQ(states, (std::vector<int>{1, 2, 0xFF, 0})) << "the press and the release, once";
    EXPECT_EQ(triggered, (std::vector<bool>{true, false, false, false}));
}

TEST_F(EngineFrames, FramesResumeTheChannelsUnlessPaused) {
    VXAudioManager* audio = engine->audio;
    if (!audio->HasDevice()) GTEST_SKIP() << "no sound device in this run";
    const std::string tone = (tree->Root() / "tone.wav").string();
    TestHarness::WriteTone(tone, 1.0);
    audio->CreateSound(tone);
    StartMatch('A');
    audio->PlayIndex(0);
    audio->PausePlayedChannels();
    EXPECT_TRUE(audio->channels[0].paused);
    StepFrames(1);
    EXPECT_FALSE(audio->channels[0].paused) << "a running frame resumes every played channel";
    TapKey(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(engine->paused, 1);
    audio->PausePlayedChannels();
    StepFrames(2);
    EXPECT_TRUE(audio->channels[0].paused);
}

}  // namespace
