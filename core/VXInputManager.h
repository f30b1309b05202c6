// Keyboard, mouse and gamepad state.  The engine feeds it once a frame
// (PumpMessages polls, Present ages) and answers the input queries from it.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/System.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

// The controller state in the shape the game reads it: the button word uses
// the masks of g_gamepadButtons, triggers are bytes 0 to 255, sticks signed
// 16 bits with y up.
struct VXPadButtons {
    uint16_t wButtons = 0;
    uint8_t bLeftTrigger = 0;
    uint8_t bRightTrigger = 0;
    int16_t sThumbLX = 0;
    int16_t sThumbLY = 0;
    int16_t sThumbRX = 0;
    int16_t sThumbRY = 0;
};
struct VXPadState {
    uint32_t dwPacketNumber = 0;
    VXPadButtons Gamepad;
};
struct VXPadVibration {
    uint16_t wLeftMotorSpeed = 0;
    uint16_t wRightMotorSpeed = 0;
};

// A stick position, each axis within about -1 to 1, y up.
struct VXStick {
    float x = 0.0f;
    float y = 0.0f;
};

// Raw stick values strictly inside (-kStickDeadZone, kStickDeadZone) read 0.
constexpr int kStickDeadZone = 7849;
// Trigger bytes up to this value read 0.
constexpr uint8_t kTriggerThreshold = 30;

// One gamepad user index (0 to 3): its state this frame and last frame, the
// motor speeds and the time left on the running vibration.
class VXGamepad {
public:
    // Zeroes `current` and reads the pad into it; false when no pad answers
    // on this user index.  `connected` keeps the answer.
    bool Poll();
    // Sends `vibration` to the pad for the time left on `vibrationTimer`
    // (the motors stop by themselves then, should the game stall); false
    // when no pad answers.
    bool ApplyVibration() const;
    // The left stick of `current`, with the dead zone.
    VXStick GetThumbStick() const;

    float leftTrigger = 0.0f;
    float rightTrigger = 0.0f;
    uint32_t userIndex = 0;
    VXPadState current;
    VXPadState previous;
    VXPadVibration vibration;
    float vibrationTimer = 0.0f;
    // Whether the last poll found a pad on this user index.
    bool connected = false;
};

struct VXPoint {
    int32_t x = 0;
    int32_t y = 0;
};

class VXInputManager : public System {
public:
    static VXInputManager* Instance();
    static void Destroy();

    void HandleMessage(Message*) override {}
    void Update(float) override {}

    // One event of the platform's pump (the manager installs itself as a
    // handler of the pump when it is made).
    void HandleEvent(const SDL_Event& e);

    // Per-frame steps called by the engine.
    void ReadCursor();               // PumpMessages: cursor position in screen pixels
    void PollPads(float frameTime);  // PumpMessages: read the pads, run vibration timers
    void EndFrame();                 // Present: age key states and wheel slots, keep pad states

    // Key presses and releases across a frame's match steps: the first step
    // that runs sees them (with those of earlier frames that ran no step),
    // later steps of the frame see the keys held or up, and after the steps
    // the frame's own key states are back for the menus.
    void BeginSteps();
    void EndStep();
    void EndSteps(int steps);

    // True when the button's mask is down now and was not down at the last
    // frame's end; a true answer marks that press as seen, so asking again
    // in the same frame answers false.  Any other button or pad index
    // answers false.
    bool IsButtonTriggered(int button, int pad);
    // The user index of the pad that drives player 1 (player 0) or player 2
    // (player 1) on the menus: the first and the second pad connected at
    // the last poll, whatever their indexes; -1 when there is none.
    int PlayerPad(int player) const;
    // Starts (0.25 s) or changes the vibration of one pad; speeds 0 to 1 for
    // the low-frequency (left) and high-frequency (right) motors.  A pad
    // index outside 0 to 3 does nothing.
    void Vibrate(int pad, float left, float right);

    // Live keyboard and mouse-button state by virtual-key code, as the keys
    // are now (not aged); a key tapped since the last frame's end reads down
    // until then.
    bool IsDown(int vk) const { return vk >= 0 && vk < 256 && (down[vk] || tapped[vk]); }
    // Whether the game window has the keyboard focus (true until the window
    // reports otherwise; not followed while a test clock drives the frames).
    bool HasFocus() const { return focused; }

    std::vector<VXGamepad> pads;
    // Key state by virtual-key code: 0 up, 1 pressed this frame, 2 held,
    // 0xFF released this frame.  Slots 1 and 2 are the mouse buttons,
    // 200 and 201 the wheel.
    uint8_t keys[256] = {};
    VXPoint cursor;

    // What the editor's ImGui glue reads: the mouse in window pixels, the
    // wheel steps (+1 away from the user, -1 towards) and the text typed
    // (UTF-8) since the last frame's end.
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    float wheel = 0.0f;
    std::string text;

private:
    VXInputManager();
    ~VXInputManager() override;

    void KeyDown(int vk);
    void KeyUp(int vk);

    bool down[256] = {};
    // Keys pressed and released since the last frame's end: they read as
    // pressed in this frame and as released in the next.
    bool tapped[256] = {};
    // Pad buttons pressed since the last poll, by slot, so that a press and
    // release between two polls still reads as pressed.
    uint16_t padPresses[Platform::MaxGamepads] = {};
    bool focused = true;
    int handlerId = 0;
    // The frame's key states while its steps run, and the presses and
    // releases of frames that ran no step.
    uint8_t frameKeys[256] = {};
    uint8_t unstepped[256] = {};
};

}  // namespace FrameWork
