// The engine's input queries over the input manager.
#include "core/VXInputManager.h"
#include "engine/VXEngine.h"

namespace FrameWork {

bool VXEngine::IsKeyDown(int vk) {
    return FrameWork::IsKeyDown(vk);
}

bool VXEngine::IsButtonTriggered(int button, int pad) {
    return FrameWork::IsButtonTriggered(button, pad);
}

VXStick VXEngine::GetStick(int pad) {
    return FrameWork::GetStick(pad);
}

VXGamepad VXEngine::GetGamepadState(int pad) {
    return FrameWork::GetGamepadState(pad);
}

bool VXEngine::IsKeyTriggered(int vk) {
    return FrameWork::IsKeyTriggered(vk);
}

}  // namespace FrameWork
