// The screens under the real engine and the test clock: reaching the title
// quickly, reading the screens' objects, tapping keys and pad buttons.
#pragma once

#include "core/GameState.h"
#include "core/VXFrameContext.h"
#include "engine/VXLevelObjects.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXSpriteComponent.h"
#include "levels/VXScreenObjects.h"
#include "objects/GameObject.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/VirtualPad.h"

namespace ScreenTest {

template <class Screen>
Screen* ScreenOf(int state) {
    return static_cast<Screen*>(FrameWork::LevelObjectForState(state));
}

class ScreenFixture : public TestHarness::EngineFixture {
protected:
    // Loading screen, then the splash screen run again at once (a visit that
    // does not follow the loading screen starts in the title).
    void RunToTitle() {
        BeginRun();
        ASSERT_TRUE(RunUntilState(GameState::SplashScreen));
        FrameWork::FrameContext().nextState = GameState::Reload;
        ASSERT_TRUE(StepFrames(1));
    }
    // A pad button down for one frame, then up for one.
    void Press(TestHarness::VirtualPad& pad, SDL_GameControllerButton b) {
        pad.Button(b, true);
        StepFrames(1);
        pad.Button(b, false);
        StepFrames(1);
    }
    int State() const { return FrameWork::FrameContext().currentState; }
};

}  // namespace ScreenTest
