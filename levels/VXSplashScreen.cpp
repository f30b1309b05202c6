#include "levels/VXSplashScreen.h"

namespace FrameWork {

// The logos and the title menu come with the screens; until then the
// screen shows the clear colour and waits.
void VXSplashScreen::Initialize() {}
void VXSplashScreen::Update() {}
void VXSplashScreen::Free() {}

}  // namespace FrameWork
