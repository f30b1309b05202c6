#include "levels/VXLoadingScreen.h"

#include "engine/GameState.h"
#include "engine/VXEngine.h"

namespace FrameWork {

void VXLoadingScreen::Initialize() {}

// Nothing is listed to load yet: the work is done at once, so the screen
// starts the game and hands over to the splash screen.
void VXLoadingScreen::Update() {
    VXEngine* engine = VXEngine::Instance();
    engine->active = 1;
    engine->nextState = GameState::SplashScreen;
}

void VXLoadingScreen::Free() {}

}  // namespace FrameWork
