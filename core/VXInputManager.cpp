#include "core/VXInputManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/VXGlobalTables.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

VXInputManager* g_inputManager = nullptr;

constexpr float kVibrationLength = 0.25f;  // seconds
constexpr int kWheelTowardUser = 200;
constexpr int kWheelAwayFromUser = 201;

float TriggerValue(uint8_t raw) {
    return raw <= kTriggerThreshold ? 0.0f : raw / 255.0f;
}

float StickAxis(int16_t raw) {
    if (raw > -kStickDeadZone && raw < kStickDeadZone) return 0.0f;
    return raw / 32767.0f;
}

uint16_t MotorSpeed(float speed) {
    if (!(speed > 0.0f)) return 0;  // also NaN
    if (speed >= 1.0f) return 65535;
    return static_cast<uint16_t>(speed * 65535.0f);
}

// The sided codes behind a generic modifier.
bool EitherSideDown(const bool* down, int generic) {
    using namespace Platform;
    switch (generic) {
        case VK::Shift:
            return down[VK::LShift] || down[VK::RShift];
        case VK::Control:
            return down[VK::LControl] || down[VK::RControl];
        case VK::Menu:
            return down[VK::LMenu] || down[VK::RMenu];
        default:
            return false;
    }
}

// Whether a focus change of window `windowId` counts.  Only the game's own
// window counts (a window of an earlier engine may still report its end).
// Under the test clock the frames do not follow real time and tests share
// one X server, whose windows take the focus from each other at random:
// the focus is not followed then.
bool FollowsFocusOf(Uint32 windowId) {
    if (Platform::GetTestClock()) return false;
    SDL_Window* window = Platform::GetWindow();
    return !window || SDL_GetWindowID(window) == windowId;
}

}  // namespace

// --- Gamepad record ---------------------------------------------------------

bool VXGamepad::Poll() {
    current = VXPadState();
    Platform::GamepadState s;
    connected = Platform::ReadGamepad(static_cast<int>(userIndex), s);
    if (!connected) return false;
    current.dwPacketNumber = s.packet;
    current.Gamepad.wButtons = s.buttons;
    current.Gamepad.bLeftTrigger = s.leftTrigger;
    current.Gamepad.bRightTrigger = s.rightTrigger;
    current.Gamepad.sThumbLX = s.thumbLX;
    current.Gamepad.sThumbLY = s.thumbLY;
    current.Gamepad.sThumbRX = s.thumbRX;
    current.Gamepad.sThumbRY = s.thumbRY;
    return true;
}

bool VXGamepad::ApplyVibration() const {
    // At least a millisecond: a running vibration always has an end.
    const float ms = std::ceil(std::max(vibrationTimer, 0.0f) * 1000.0f);
    const uint32_t length = static_cast<uint32_t>(std::min(std::max(ms, 1.0f), 65535.0f));
    return Platform::SetGamepadRumble(static_cast<int>(userIndex), vibration.wLeftMotorSpeed,
                                      vibration.wRightMotorSpeed, length);
}

VXStick VXGamepad::GetThumbStick() const {
    VXStick stick;
    stick.x = StickAxis(current.Gamepad.sThumbLX);
    stick.y = StickAxis(current.Gamepad.sThumbLY);
    return stick;
}

// --- Input manager ----------------------------------------------------------

VXInputManager* VXInputManager::Instance() {
    if (!g_inputManager) {
        g_inputManager = new VXInputManager();
        std::printf(" -> Input system\n");
    }
    return g_inputManager;
}

void VXInputManager::Destroy() {
    delete g_inputManager;
    g_inputManager = nullptr;
}

VXInputManager::VXInputManager() : pads(Platform::MaxGamepads) {
    for (uint32_t i = 0; i < pads.size(); ++i) pads[i].userIndex = i;
    Platform::InitGamepads();
    handlerId = Platform::AddEventHandler([this](const SDL_Event& e) { HandleEvent(e); });
}

VXInputManager::~VXInputManager() {
    Platform::RemoveEventHandler(handlerId);
    // Leave no motor running behind us.
    for (VXGamepad& pad : pads) {
        if (pad.vibration.wLeftMotorSpeed || pad.vibration.wRightMotorSpeed) {
            pad.vibration = VXPadVibration();
            pad.ApplyVibration();
        }
    }
}

void VXInputManager::KeyDown(int vk) {
    down[vk] = true;
    tapped[vk] = false;
    // Auto-repeat keeps a held key at 2.
    if (keys[vk] != 1 && keys[vk] != 2) keys[vk] = 1;
}

void VXInputManager::KeyUp(int vk) {
    down[vk] = false;
    // A press no frame has read yet is kept for this frame; the release
    // shows in the next.
    if (keys[vk] == 1)
        tapped[vk] = true;
    else
        keys[vk] = 0xFF;
}

void VXInputManager::HandleEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int vk = Platform::VirtualKeyFromKeysym(e.key.keysym);
            if (vk <= 0 || vk > 255) break;
            const int generic = Platform::GenericVirtualKey(vk);
            if (e.type == SDL_KEYDOWN) {
                KeyDown(vk);
                if (generic) KeyDown(generic);
            } else {
                KeyUp(vk);
                // Shift is up once neither shift key is down.
                if (generic && !EitherSideDown(down, generic)) KeyUp(generic);
            }
            break;
        }
        case SDL_MOUSEMOTION:
            mouseX = e.motion.x;
            mouseY = e.motion.y;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            mouseX = e.button.x;
            mouseY = e.button.y;
            const bool pressed = e.type == SDL_MOUSEBUTTONDOWN;
            if (e.button.button == SDL_BUTTON_LEFT || e.button.button == SDL_BUTTON_RIGHT) {
                const int vk = e.button.button == SDL_BUTTON_LEFT ? Platform::VK::LButton
                                                                  : Platform::VK::RButton;
                if (pressed)
                    KeyDown(vk);
                else
                    KeyUp(vk);
            } else if (e.button.button == SDL_BUTTON_MIDDLE) {
                down[Platform::VK::MButton] = pressed;
            }
            break;
        }
        case SDL_MOUSEWHEEL: {
            int steps = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
            if (steps == 0) break;  // a sideways turn
            if (steps > 0) {
                keys[kWheelAwayFromUser] = kWheelAwayFromUser;
                wheel += 1.0f;
            } else {
                keys[kWheelTowardUser] = kWheelTowardUser;
                wheel -= 1.0f;
            }
            break;
        }
        case SDL_CONTROLLERBUTTONDOWN: {
            int slot = 0;
            uint16_t mask = 0;
            if (Platform::GamepadButtonPressed(e, slot, mask)) padPresses[slot] |= mask;
            break;
        }
        case SDL_TEXTINPUT:
            text += e.text.text;
            break;
        case SDL_WINDOWEVENT:
            if (FollowsFocusOf(e.window.windowID)) {
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) focused = true;
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                    focused = false;
                    // What is let go in another window never reaches this
                    // one: the keys and buttons held are up from here on.
                    for (int vk = 0; vk < 256; ++vk)
                        if (down[vk]) KeyUp(vk);
                }
            }
            break;
        default:
            break;
    }
}

void VXInputManager::ReadCursor() {
    int x = 0, y = 0, width = 0, height = 0;
    Platform::GetWindowRect(x, y, width, height);
    cursor.x = x + mouseX;
    cursor.y = y + mouseY;
}

void VXInputManager::PollPads(float frameTime) {
    Platform::UpdateGamepads();
    for (VXGamepad& pad : pads) {
        const bool connected = pad.Poll();
        uint16_t& presses = padPresses[pad.userIndex];
        // A button pressed and let go since the last poll reads as pressed
        // for this frame (a press the last frame already read is not new).
        if (connected) pad.current.Gamepad.wButtons |= presses & ~pad.previous.Gamepad.wButtons;
        presses = 0;
        if (connected && pad.vibrationTimer >= 0.0f) pad.vibrationTimer -= frameTime;
        if (pad.vibrationTimer < 0.0f) {
            pad.vibration = VXPadVibration();
            pad.ApplyVibration();
        }
    }
}

void VXInputManager::BeginSteps() {
    for (int vk = 0; vk < 256; ++vk) {
        frameKeys[vk] = keys[vk];
        if (unstepped[vk] == 1 && keys[vk] != 1)
            keys[vk] = 1;
        else if (unstepped[vk] == 0xFF && keys[vk] == 0)
            keys[vk] = 0xFF;
    }
}

void VXInputManager::EndStep() {
    for (uint8_t& k : keys) {
        if (k == 1)
            k = 2;
        else if (k == 0xFF)
            k = 0;
    }
}

void VXInputManager::EndSteps(int steps) {
    for (int vk = 0; vk < 256; ++vk) {
        if (steps > 0)
            unstepped[vk] = 0;
        else if (frameKeys[vk] == 1 || frameKeys[vk] == 0xFF)
            unstepped[vk] = frameKeys[vk];
        keys[vk] = frameKeys[vk];
    }
}

void VXInputManager::EndFrame() {
    for (int vk = 0; vk < 256; ++vk) {
        uint8_t& k = keys[vk];
        if (tapped[vk]) {
            k = 0xFF;
            tapped[vk] = false;
        } else if (k == 1) {
            k = 2;
        } else if (k == 0xFF) {
            k = 0;
        }
    }
    keys[kWheelTowardUser] = 0;
    keys[kWheelAwayFromUser] = 0;
    wheel = 0.0f;
    text.clear();
    for (VXGamepad& pad : pads) {
        pad.previous = pad.current;
        pad.leftTrigger = TriggerValue(pad.current.Gamepad.bLeftTrigger);
        pad.rightTrigger = TriggerValue(pad.current.Gamepad.bRightTrigger);
    }
}

bool VXInputManager::IsButtonTriggered(int button, int pad) {
    auto mask = g_gamepadButtons.find(button);
    if (mask == g_gamepadButtons.end() || pad < 0 || pad >= static_cast<int>(pads.size()))
        return false;
    VXGamepad& p = pads[pad];
    const uint16_t bit = mask->second;
    if ((p.current.Gamepad.wButtons & bit) && !(p.previous.Gamepad.wButtons & bit)) {
        p.previous.Gamepad.wButtons |= bit;
        return true;
    }
    return false;
}

int VXInputManager::PlayerPad(int player) const {
    if (player < 0) return -1;
    int seen = 0;
    for (const VXGamepad& pad : pads)
        if (pad.connected && seen++ == player) return static_cast<int>(pad.userIndex);
    return -1;
}

void VXInputManager::Vibrate(int pad, float left, float right) {
    if (pad < 0 || pad >= static_cast<int>(pads.size())) return;
    VXGamepad& p = pads[pad];
    p.vibration.wLeftMotorSpeed = MotorSpeed(left);
    p.vibration.wRightMotorSpeed = MotorSpeed(right);
    if (p.vibrationTimer < 0.0f) p.vibrationTimer = kVibrationLength;
    p.ApplyVibration();
}

}  // namespace FrameWork
