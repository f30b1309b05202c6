#include "levels/VXLoadingScreen.h"

#include "engine/core/GameState.h"
#include "engine/core/VXFrameContext.h"

namespace FrameWork {

void VXLoadingScreen::Initialize() {}

// Nothing is listed to load yet: the work is done at once, so the screen
// starts the game and hands over to the splash screen.
void VXLoadingScreen::Update() {
    VXFrameContext& frame = FrameContext();
    frame.active = 1;
    frame.nextState = frame.stateAfterLoading;
}

void VXLoadingScreen::Free() {}

}  // namespace FrameWork
