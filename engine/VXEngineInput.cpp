// The engine's input queries over the input manager.
#include "engine/VXEngine.h"
#include "engine/VXInputManager.h"

namespace FrameWork {

bool VXEngine::IsKeyDown(int vk) {
    return !inputBlocked && input->IsDown(vk);
}

bool VXEngine::IsButtonTriggered(int button, int pad) {
    return !inputBlocked && input->IsButtonTriggered(button, pad);
}

VXStick VXEngine::GetStick(int pad) {
    if (inputBlocked || pad < 0 || pad >= static_cast<int>(input->pads.size())) return VXStick();
    return input->pads[pad].GetThumbStick();
}

VXGamepad VXEngine::GetGamepadState(int pad) {
    if (pad < 0 || pad >= static_cast<int>(input->pads.size())) {
        // A record of no pad: its user index answers as disconnected.
        VXGamepad none;
        none.userIndex = static_cast<uint32_t>(pad);
        return none;
    }
    return input->pads[pad];
}

}  // namespace FrameWork
