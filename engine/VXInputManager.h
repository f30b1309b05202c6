// Keyboard, mouse and gamepad state.  The engine feeds it once a frame
// (PumpMessages polls, Present ages) and answers the input queries from it.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/System.h"

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

class VXGamepad {
public:
    float leftTrigger = 0.0f;
    float rightTrigger = 0.0f;
    uint32_t userIndex = 0;
    VXPadState current;
    VXPadState previous;
    VXPadVibration vibration;
    float vibrationTimer = 0.0f;
};

struct VXPoint {
    int32_t x = 0;
    int32_t y = 0;
};

class VXInputManager : public System {
public:
    static VXInputManager* Instance();
    static void Destroy();

    void HandleMessage(Message* msg) override { IgnoreMessage(msg); }
    void Update(float dt) override { IgnoreUpdate(dt); }
    void Hook() override {}

    // Per-frame steps called by the engine.
    void ReadCursor();               // PumpMessages: cursor position in screen pixels
    void PollPads(float frameTime);  // PumpMessages: read the pads, run vibration timers
    void EndFrame();                 // Present: age key states and wheel slots, keep pad states

    // True when the button's mask is down now and the pad's state changed
    // since the last frame; a true answer marks the press as seen.
    bool IsButtonTriggered(int button, int pad);

    std::vector<VXGamepad> pads;
    // Key state by virtual-key code: 0 up, 1 pressed this frame, 2 held,
    // 0xFF released this frame.  Slots 1 and 2 are the mouse buttons,
    // 200 and 201 the wheel.
    uint8_t keys[256] = {};
    VXPoint cursor;

private:
    VXInputManager();
};

}  // namespace FrameWork
