#include "core/VXFrameContext.h"

#include <algorithm>

namespace FrameWork {

int32_t windowWidth = 0;
int32_t windowHeight = 0;
int32_t screenWidth = 0;
int32_t screenHeight = 0;
uint8_t fullScreen = 1;

VXFrameContext& FrameContext() {
    static VXFrameContext context;
    return context;
}

float ScreenScale() {
    if (windowWidth <= 0 || windowHeight <= 0) return 1.0f;
    return std::min(static_cast<float>(windowWidth) / kLayoutWidth,
                    static_cast<float>(windowHeight) / kLayoutHeight);
}

float LayoutWidth() {
    return windowWidth > 0 && windowHeight > 0 ? static_cast<float>(windowWidth) / ScreenScale()
                                               : kLayoutWidth;
}

float LayoutHeight() {
    return windowWidth > 0 && windowHeight > 0 ? static_cast<float>(windowHeight) / ScreenScale()
                                               : kLayoutHeight;
}

void MakeBorderlessFullscreen() {
    if (FrameContext().makeBorderlessFullscreen) FrameContext().makeBorderlessFullscreen();
}

void SetWindowed(int width, int height) {
    if (FrameContext().setWindowed) FrameContext().setWindowed(width, height);
}

bool IsKeyTriggered(int vk) {
    if (FrameContext().inputBlocked || vk < 0 || vk > 255) return false;
    return VXInputManager::Instance()->keys[vk] == 1;
}

bool IsKeyDown(int vk) {
    return !FrameContext().inputBlocked && VXInputManager::Instance()->IsDown(vk);
}

bool IsButtonTriggered(int button, int pad) {
    return !FrameContext().inputBlocked &&
           VXInputManager::Instance()->IsButtonTriggered(button, pad);
}

VXStick GetStick(int pad) {
    VXInputManager* input = VXInputManager::Instance();
    if (FrameContext().inputBlocked || pad < 0 || pad >= static_cast<int>(input->pads.size()))
        return VXStick();
    return input->pads[pad].GetThumbStick();
}

int PlayerPad(int player) {
    return VXInputManager::Instance()->PlayerPad(player);
}

VXGamepad GetGamepadState(int pad) {
    VXInputManager* input = VXInputManager::Instance();
    if (pad < 0 || pad >= static_cast<int>(input->pads.size())) {
        // A record of no pad: its user index answers as disconnected.
        VXGamepad none;
        none.userIndex = static_cast<uint32_t>(pad);
        return none;
    }
    return input->pads[pad];
}

}  // namespace FrameWork
