#include "levels/VXLevelSelectScreen.h"

namespace FrameWork {

// The selection pages come with the screens.
void VXLevelSelectScreen::Initialize() {}
void VXLevelSelectScreen::Update() {}
void VXLevelSelectScreen::Free() {}

}  // namespace FrameWork
