// Keyboard codes and game controllers of the platform layer.
//
// Keys reach the game as Windows virtual-key codes (the codes the key-state
// array is indexed by); game controllers reach it as records of the classic
// gamepad shape: one 16-bit button word, two trigger bytes and four signed
// 16-bit stick axes with y up, in four stable slots.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace FrameWork {
namespace Platform {

// --- Virtual-key codes ------------------------------------------------------
namespace VK {
constexpr int LButton = 0x01, RButton = 0x02, MButton = 0x04;
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D;
constexpr int Shift = 0x10, Control = 0x11, Menu = 0x12, Pause = 0x13, Capital = 0x14;
constexpr int Escape = 0x1B, Space = 0x20;
constexpr int Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24;
constexpr int Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
constexpr int Snapshot = 0x2C, Insert = 0x2D, Delete = 0x2E;
constexpr int Key0 = 0x30, KeyA = 0x41;
constexpr int LWin = 0x5B, RWin = 0x5C, Apps = 0x5D;
constexpr int Numpad0 = 0x60, Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Decimal = 0x6E,
              Divide = 0x6F;
constexpr int F1 = 0x70;  // F1 to F24 are 0x70 to 0x87
constexpr int NumLock = 0x90, Scroll = 0x91;
constexpr int LShift = 0xA0, RShift = 0xA1, LControl = 0xA2, RControl = 0xA3, LMenu = 0xA4,
              RMenu = 0xA5;
constexpr int Oem1 = 0xBA, OemPlus = 0xBB, OemComma = 0xBC, OemMinus = 0xBD, OemPeriod = 0xBE,
              Oem2 = 0xBF, Oem3 = 0xC0, Oem4 = 0xDB, Oem5 = 0xDC, Oem6 = 0xDD, Oem7 = 0xDE;
}  // namespace VK

// The virtual-key code of a key event; 0 for a key that has none.  Letters
// follow the keyboard layout (the key that types "a" is 'A'), every other
// key its position on a US keyboard.  Left and right modifiers give their
// sided codes (VK::LShift ...).
int VirtualKeyFromKeysym(const SDL_Keysym& key);
// The generic code of a sided modifier (VK::LShift and VK::RShift give
// VK::Shift, likewise Control and Menu); 0 for every other code.
int GenericVirtualKey(int vk);

// --- Game controllers ------------------------------------------------------
constexpr int MaxGamepads = 4;

// Bits of the button word.
namespace PadButton {
constexpr uint16_t DPadUp = 0x0001, DPadDown = 0x0002, DPadLeft = 0x0004, DPadRight = 0x0008;
constexpr uint16_t Start = 0x0010, Back = 0x0020, LeftThumb = 0x0040, RightThumb = 0x0080;
constexpr uint16_t LeftShoulder = 0x0100, RightShoulder = 0x0200;
constexpr uint16_t A = 0x1000, B = 0x2000, X = 0x4000, Y = 0x8000;
}  // namespace PadButton

struct GamepadState {
    uint32_t packet = 0;  // changes whenever the rest of the state changes
    uint16_t buttons = 0;
    uint8_t leftTrigger = 0;  // 0 to 255
    uint8_t rightTrigger = 0;
    int16_t thumbLX = 0;  // -32768 to 32767, y up
    int16_t thumbLY = 0;
    int16_t thumbRX = 0;
    int16_t thumbRY = 0;
};

// Starts SDL's game-controller support (once; later calls answer the first
// result).  Controllers are read whether or not the window has the focus.
bool InitGamepads();
// Once a frame: brings SDL's controller state up to date, frees the slot of
// every controller that went away and gives each new controller the lowest
// free slot.  A controller keeps its slot for as long as it stays connected.
void UpdateGamepads();
// The state of the controller in `slot` (0 to 3); false, with `out` left
// zero, when the slot holds none.
bool ReadGamepad(int slot, GamepadState& out);
// For a button-down event of a seated controller: its slot and the bit of
// its button in the button word; false for any other event.
bool GamepadButtonPressed(const SDL_Event& e, int& slot, uint16_t& mask);
// Runs the low-frequency (left) and high-frequency (right) motors of the
// controller in `slot` at the given speeds for `durationMs` (1 to 65535;
// the controller stops them by itself then) or until they are changed;
// (0, 0) stops them.  False when the slot holds no controller.
bool SetGamepadRumble(int slot, uint16_t lowFrequency, uint16_t highFrequency, uint32_t durationMs);
// Closes every controller and empties the slots.
void CloseGamepads();

// Axis conversions (exposed for tests): SDL's trigger axis 0 to 32767 to a
// byte, SDL's y axis (down positive) to y up.
uint8_t TriggerByte(int16_t sdlTrigger);
int16_t FlipAxis(int16_t sdlAxis);

}  // namespace Platform
}  // namespace FrameWork
