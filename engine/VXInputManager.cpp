#include "engine/VXInputManager.h"

#include <SDL.h>

#include <cstdio>

#include "engine/VXGlobalTables.h"

namespace FrameWork {

namespace {
VXInputManager* g_inputManager = nullptr;

float TriggerValue(uint8_t raw) {
    return raw <= 30 ? 0.0f : raw / 255.0f;
}
}  // namespace

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

VXInputManager::VXInputManager() : pads(4) {
    for (uint32_t i = 0; i < pads.size(); ++i) pads[i].userIndex = i;
}

void VXInputManager::ReadCursor() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_GetGlobalMouseState(&cursor.x, &cursor.y);
}

void VXInputManager::PollPads(float frameTime) {
    // Controllers are read here once the pad support is in; until then every
    // record reads as a pad with nothing pressed.
    (void)frameTime;
}

void VXInputManager::EndFrame() {
    for (uint8_t& k : keys) {
        if (k == 1)
            k = 2;
        else if (k == 0xFF)
            k = 0;
    }
    keys[200] = 0;
    keys[201] = 0;
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
    if ((p.current.Gamepad.wButtons & mask->second) &&
        p.current.Gamepad.wButtons != p.previous.Gamepad.wButtons) {
        p.previous = p.current;
        return true;
    }
    return false;
}

}  // namespace FrameWork
