// What the input and sound tests make for themselves: a virtual game
// controller held in the test's hands (SDL's virtual joystick of the
// game-controller type, its rumble requests recorded) and tone files.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace InputTest {

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

// Writes a 16-bit mono 44.1 kHz WAV of a 440 Hz tone.
inline void WriteTone(const std::string& path, double seconds, int amplitude = 12000) {
    constexpr int kRate = 44100;
    const uint32_t frames = static_cast<uint32_t>(seconds * kRate);
    std::vector<int16_t> samples(frames);
    for (uint32_t i = 0; i < frames; ++i)
        samples[i] = static_cast<int16_t>(amplitude * std::sin(2 * M_PI * 440.0 * i / kRate));
    const uint32_t dataBytes = frames * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

}  // namespace InputTest
