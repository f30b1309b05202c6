// A virtual game controller held in the test's hands: SDL's virtual joystick
// of the game-controller type, its rumble requests recorded.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace TestHarness {

using MotorPair = std::pair<Uint16, Uint16>;
inline MotorPair Motors(int low, int high) {
    return MotorPair(Uint16(low), Uint16(high));
}

class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.userdata = this;
        desc.Rumble = [](void* self, Uint16 low, Uint16 high) {
            static_cast<VirtualPad*>(self)->rumbles.emplace_back(low, high);
            return 0;
        };
        const int device = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(device, 0) << SDL_GetError();
        id = SDL_JoystickGetDeviceInstanceID(device);
        joystick = SDL_JoystickOpen(device);
        EXPECT_NE(joystick, nullptr) << SDL_GetError();
        // Released triggers rest at the bottom of the raw range.
        Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
        Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
    }
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void Button(SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(joystick, b, down ? 1 : 0);
    }
    void Axis(SDL_GameControllerAxis a, int raw) {
        SDL_JoystickSetVirtualAxis(joystick, a, static_cast<Sint16>(raw));
    }
    // A trigger as the classic pads report it: one byte.
    void Trigger(SDL_GameControllerAxis a, int byte) { Axis(a, byte * 257 - 32768); }
    void Unplug() {
        if (!joystick) return;
        for (int device = 0; device < SDL_NumJoysticks(); ++device)
            if (SDL_JoystickGetDeviceInstanceID(device) == id) SDL_JoystickDetachVirtual(device);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
    }

    std::vector<MotorPair> rumbles;

private:
    SDL_JoystickID id = -1;
    SDL_Joystick* joystick = nullptr;
};

}  // namespace TestHarness
