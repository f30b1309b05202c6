#include "platform/PlatformInput.h"

#include <algorithm>
#include <vector>

namespace FrameWork {
namespace Platform {

// --- Keyboard ---------------------------------------------------------------

namespace {

int VirtualKeyFromScancode(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return VK::KeyA + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return VK::Key0 + 1 + (sc - SDL_SCANCODE_1);
    if (sc == SDL_SCANCODE_0) return VK::Key0;
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return VK::F1 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_F13 && sc <= SDL_SCANCODE_F24)
        return VK::F1 + 12 + (sc - SDL_SCANCODE_F13);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9)
        return VK::Numpad0 + 1 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
        case SDL_SCANCODE_KP_0:
            return VK::Numpad0;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_RETURN2:
        case SDL_SCANCODE_KP_ENTER:
            return VK::Return;
        case SDL_SCANCODE_ESCAPE:
            return VK::Escape;
        case SDL_SCANCODE_BACKSPACE:
            return VK::Back;
        case SDL_SCANCODE_TAB:
            return VK::Tab;
        case SDL_SCANCODE_SPACE:
            return VK::Space;
        case SDL_SCANCODE_LSHIFT:
            return VK::LShift;
        case SDL_SCANCODE_RSHIFT:
            return VK::RShift;
        case SDL_SCANCODE_LCTRL:
            return VK::LControl;
        case SDL_SCANCODE_RCTRL:
            return VK::RControl;
        case SDL_SCANCODE_LALT:
            return VK::LMenu;
        case SDL_SCANCODE_RALT:
            return VK::RMenu;
        case SDL_SCANCODE_LGUI:
            return VK::LWin;
        case SDL_SCANCODE_RGUI:
            return VK::RWin;
        case SDL_SCANCODE_APPLICATION:
            return VK::Apps;
        case SDL_SCANCODE_PAUSE:
            return VK::Pause;
        case SDL_SCANCODE_CAPSLOCK:
            return VK::Capital;
        case SDL_SCANCODE_PAGEUP:
            return VK::Prior;
        case SDL_SCANCODE_PAGEDOWN:
            return VK::Next;
        case SDL_SCANCODE_END:
            return VK::End;
        case SDL_SCANCODE_HOME:
            return VK::Home;
        case SDL_SCANCODE_LEFT:
            return VK::Left;
        case SDL_SCANCODE_UP:
            return VK::Up;
        case SDL_SCANCODE_RIGHT:
            return VK::Right;
        case SDL_SCANCODE_DOWN:
            return VK::Down;
        case SDL_SCANCODE_PRINTSCREEN:
            return VK::Snapshot;
        case SDL_SCANCODE_INSERT:
            return VK::Insert;
        case SDL_SCANCODE_DELETE:
            return VK::Delete;
        case SDL_SCANCODE_KP_MULTIPLY:
            return VK::Multiply;
        case SDL_SCANCODE_KP_PLUS:
            return VK::Add;
        case SDL_SCANCODE_KP_MINUS:
            return VK::Subtract;
        case SDL_SCANCODE_KP_PERIOD:
            return VK::Decimal;
        case SDL_SCANCODE_KP_DIVIDE:
            return VK::Divide;
        case SDL_SCANCODE_NUMLOCKCLEAR:
            return VK::NumLock;
        case SDL_SCANCODE_SCROLLLOCK:
            return VK::Scroll;
        case SDL_SCANCODE_SEMICOLON:
            return VK::Oem1;
        case SDL_SCANCODE_EQUALS:
            return VK::OemPlus;
        case SDL_SCANCODE_COMMA:
            return VK::OemComma;
        case SDL_SCANCODE_MINUS:
            return VK::OemMinus;
        case SDL_SCANCODE_PERIOD:
            return VK::OemPeriod;
        case SDL_SCANCODE_SLASH:
            return VK::Oem2;
        case SDL_SCANCODE_GRAVE:
            return VK::Oem3;
        case SDL_SCANCODE_LEFTBRACKET:
            return VK::Oem4;
        case SDL_SCANCODE_BACKSLASH:
            return VK::Oem5;
        case SDL_SCANCODE_RIGHTBRACKET:
            return VK::Oem6;
        case SDL_SCANCODE_APOSTROPHE:
            return VK::Oem7;
        default:
            return 0;
    }
}

}  // namespace

int VirtualKeyFromKeysym(const SDL_Keysym& key) {
    // Letters by what they type, so that a key labelled "Z" answers 'Z' on
    // any layout; the rest by position.
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return VK::KeyA + (key.sym - SDLK_a);
    return VirtualKeyFromScancode(key.scancode);
}

int GenericVirtualKey(int vk) {
    switch (vk) {
        case VK::LShift:
        case VK::RShift:
            return VK::Shift;
        case VK::LControl:
        case VK::RControl:
            return VK::Control;
        case VK::LMenu:
        case VK::RMenu:
            return VK::Menu;
        default:
            return 0;
    }
}

// --- Game controllers ------------------------------------------------------

namespace {

// SDL caps one rumble request at 65535 ms.
constexpr uint32_t kLongestRumbleMs = 0xFFFF;

struct Slot {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    GamepadState last;  // for the packet counter
    uint16_t low = 0;
    uint16_t high = 0;
    bool rumbleSent = false;
    Uint64 rumbleEndsAt = 0;  // SDL ticks at which the running request ends
};

Slot g_slots[MaxGamepads];

// SDL's buttons (named by their place on the pad, as on the classic pad) to
// the bits of the button word.  The guide button has no bit.
struct ButtonBit {
    SDL_GameControllerButton button;
    uint16_t mask;
};
constexpr ButtonBit kButtonBits[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::DPadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::DPadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::DPadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::DPadRight},
    {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::Back},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, PadButton::LeftThumb},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, PadButton::RightThumb},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::LeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::RightShoulder},
    {SDL_CONTROLLER_BUTTON_A, PadButton::A},
    {SDL_CONTROLLER_BUTTON_B, PadButton::B},
    {SDL_CONTROLLER_BUTTON_X, PadButton::X},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::Y},
};
int g_gamepadsReady = -1;  // -1 not tried, 0 failed, 1 running

void ClearSlot(Slot& slot) {
    if (slot.controller) SDL_GameControllerClose(slot.controller);
    slot = Slot();
}

// The joystick instance ids the last full scan saw, in device order.
std::vector<SDL_JoystickID> g_scannedIds;

// Frees the slots of controllers that went away and seats new ones.  Asking
// SDL whether a device is a game controller searches its mapping table, and
// pads are read several times a frame: the full scan runs only when the
// device list or a slot has changed since the last one.
void ScanControllers() {
    if (g_gamepadsReady != 1) return;
    bool changed = false;
    for (Slot& slot : g_slots)
        if (slot.controller && !SDL_GameControllerGetAttached(slot.controller)) {
            ClearSlot(slot);
            changed = true;
        }

    const int count = SDL_NumJoysticks();
    std::vector<SDL_JoystickID> ids(static_cast<size_t>(std::max(count, 0)));
    for (int device = 0; device < count; ++device)
        ids[static_cast<size_t>(device)] = SDL_JoystickGetDeviceInstanceID(device);
    if (!changed && ids == g_scannedIds) return;
    g_scannedIds = std::move(ids);
    for (int device = 0; device < count; ++device) {
        if (!SDL_IsGameController(device)) continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
        if (id < 0) continue;
        bool seated = false;
        Slot* free = nullptr;
        for (Slot& slot : g_slots) {
            if (slot.controller && slot.id == id) seated = true;
            if (!slot.controller && !free) free = &slot;
        }
        if (seated || !free) continue;
        SDL_GameController* controller = SDL_GameControllerOpen(device);
        if (!controller) continue;
        free->controller = controller;
        free->id = id;
    }
}

bool SameState(const GamepadState& a, const GamepadState& b) {
    return a.buttons == b.buttons && a.leftTrigger == b.leftTrigger &&
           a.rightTrigger == b.rightTrigger && a.thumbLX == b.thumbLX && a.thumbLY == b.thumbLY &&
           a.thumbRX == b.thumbRX && a.thumbRY == b.thumbRY;
}

void SendRumble(Slot& slot, uint32_t durationMs) {
    // A stop is sent with no duration (SDL reads 0 as "no end").
    const bool stop = !slot.low && !slot.high;
    SDL_GameControllerRumble(slot.controller, slot.low, slot.high, stop ? 0 : durationMs);
    slot.rumbleSent = true;
    slot.rumbleEndsAt = SDL_GetTicks64() + (stop ? 0 : durationMs);
}

}  // namespace

uint8_t TriggerByte(int16_t sdlTrigger) {
    const int t = std::max<int>(0, sdlTrigger);
    return static_cast<uint8_t>((t * 255 + 16383) / 32767);
}

int16_t FlipAxis(int16_t sdlAxis) {
    return sdlAxis == -32768 ? int16_t(32767) : static_cast<int16_t>(-sdlAxis);
}

bool InitGamepads() {
    if (g_gamepadsReady < 0) {
        // The pads are read like the keyboard's neighbours on the desk: with or
        // without the window's focus.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        g_gamepadsReady = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0 ? 1 : 0;
    }
    return g_gamepadsReady == 1;
}

void UpdateGamepads() {
    if (g_gamepadsReady != 1) return;
    SDL_GameControllerUpdate();
    ScanControllers();
}

bool ReadGamepad(int slot, GamepadState& out) {
    out = GamepadState();
    if (slot < 0 || slot >= MaxGamepads) return false;
    ScanControllers();
    Slot& s = g_slots[slot];
    if (!s.controller) return false;
    SDL_GameController* c = s.controller;
    GamepadState st;
    for (const ButtonBit& b : kButtonBits)
        if (SDL_GameControllerGetButton(c, b.button)) st.buttons |= b.mask;
    st.leftTrigger = TriggerByte(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    st.rightTrigger = TriggerByte(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    st.thumbLX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    st.thumbLY = FlipAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY));
    st.thumbRX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTX);
    st.thumbRY = FlipAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTY));
    st.packet = s.last.packet;
    if (!SameState(st, s.last)) ++st.packet;
    s.last = st;
    out = st;
    return true;
}

bool GamepadButtonPressed(const SDL_Event& e, int& slot, uint16_t& mask) {
    if (e.type != SDL_CONTROLLERBUTTONDOWN) return false;
    for (int i = 0; i < MaxGamepads; ++i) {
        if (!g_slots[i].controller || g_slots[i].id != e.cbutton.which) continue;
        for (const ButtonBit& b : kButtonBits)
            if (b.button == e.cbutton.button) {
                slot = i;
                mask = b.mask;
                return true;
            }
        return false;
    }
    return false;
}

bool SetGamepadRumble(int slot, uint16_t lowFrequency, uint16_t highFrequency,
                      uint32_t durationMs) {
    if (slot < 0 || slot >= MaxGamepads) return false;
    ScanControllers();
    Slot& s = g_slots[slot];
    if (!s.controller) return false;
    durationMs = std::min(std::max<uint32_t>(durationMs, 1), kLongestRumbleMs);
    // Asking again for what already runs, to end no later, changes nothing.
    const bool same = s.rumbleSent && s.low == lowFrequency && s.high == highFrequency;
    if (same && ((!s.low && !s.high) || SDL_GetTicks64() + durationMs <= s.rumbleEndsAt))
        return true;
    s.low = lowFrequency;
    s.high = highFrequency;
    SendRumble(s, durationMs);
    return true;
}

void CloseGamepads() {
    for (Slot& slot : g_slots) ClearSlot(slot);
    g_scannedIds.clear();
}

}  // namespace Platform
}  // namespace FrameWork
