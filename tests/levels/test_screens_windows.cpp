// The loading screen, the title with its options panel, the selection and the
// map choice full screen on a 1920 x 1080 display, where the screens are
// drawn at their own pixels, and in the windows the game opens on a
// 1366 x 768 display (full screen, and the options' 1266 x 668 window):
// every sprite and text is drawn whole within the window, but what waits
// off it by design, which reaches no further (in the screens' layout
// pixels) than at 1920 x 1080; the selection's key footer along the bottom
// stays clear.
#include <map>
#include <string>

#include "levels/VXLevelSelectScreen.h"
#include "levels/VXLoadingScreen.h"
#include "levels/VXSplashScreen.h"
#include "tests/levels/screen_fixture.h"
#include "tests/support/ScreenBoxes.h"

using namespace FrameWork;
using ScreenTest::ScreenFixture;
using TestHarness::ScreenBox;

namespace {

// The selection background's key footer: its bottom twentieth.
constexpr float kFooterShare = 0.05f;

class ScreensInWindows : public ScreenFixture {
protected:
    void TearDown() override {
        ScreenFixture::TearDown();
        screenWidth = display[0];  // the display as the next case finds it
        screenHeight = display[1];
    }

    // Each drawn box of `objects` is whole, but for the quit prompt, which
    // waits below the window: it reaches no further than at 1920 x 1080 (the
    // first window, which records).
    void Check(const std::string& screen, const VXObjectManager* objects, bool reference) {
        ASSERT_NE(objects, nullptr) << screen;
        const auto boxes = TestHarness::DrawnBoxes(*objects);
        EXPECT_GE(boxes.size(), 3u) << screen;
        for (const auto& [name, box] : boxes) {
            const std::string key = screen + ": " + name;
            const float past = TestHarness::Overflow(box);
            const bool waits = name == "QuitButton";
            if (reference && waits) farthest[key] = past;
            EXPECT_LE(past, (waits ? farthest[key] : 0.0f) + 0.5f)
                << key << " drawn at (" << box.left << ", " << box.bottom << ") to (" << box.right
                << ", " << box.top << ") in " << windowWidth << " x " << windowHeight;
        }
    }

    // Nothing on the window but the background reaches into the footer.
    void CheckFooter(const std::string& screen) {
        const float band = kFooterShare * static_cast<float>(windowHeight);
        for (const auto& [name, box] : TestHarness::DrawnBoxes(*Select()->m_objects)) {
            const bool onWindow = box.top > 0.0f && box.bottom < windowHeight && box.right > 0.0f &&
                                  box.left < windowWidth;
            if (name == "LevelSelectAnimation" || !onWindow) continue;
            EXPECT_GE(box.bottom, band) << screen << ": " << name << " covers the key footer in "
                                        << windowWidth << " x " << windowHeight;
        }
    }

    VXLevelSelectScreen* Select() {
        return ScreenTest::ScreenOf<VXLevelSelectScreen>(GameState::LevelSelectScreen);
    }
    VXSplashScreen* Splash() {
        return ScreenTest::ScreenOf<VXSplashScreen>(GameState::SplashScreen);
    }

    const int display[2] = {screenWidth, screenHeight};
    std::map<std::string, float> farthest;
};

TEST_F(ScreensInWindows, LoadingTitleSelectionAndMapAreWholeInEveryWindow) {
    for (const TestHarness::CheckedWindow& window : TestHarness::kCheckedWindows) {
        SCOPED_TRACE(window.name);
        const bool reference = &window == &TestHarness::kCheckedWindows[0];
        TestHarness::OpenWindow(engine, window);
        ASSERT_EQ(windowWidth, window.width);
        ASSERT_EQ(windowHeight, window.height);
        if (reference) {
            BeginRun();
            ASSERT_TRUE(StepFrames(1));
            const VXGraphicsManager* g = VXGraphicsManager::Instance();
            EXPECT_EQ(g->screenScale, 1.0f);
            EXPECT_EQ(g->viewScale, 1.0f);
            EXPECT_EQ(LayoutWidth(), 1920.0f);
            EXPECT_EQ(LayoutHeight(), 1080.0f);
        } else {
            FrameContext().nextState = GameState::LoadingScreen;
        }
        ASSERT_TRUE(RunUntilState(GameState::LoadingScreen, 2));
        ASSERT_TRUE(StepFrames(3));
        Check("loading", VXLoadingScreen::Objects(), reference);

        // The title with its options panel open (down twice from "play").
        ASSERT_TRUE(RunUntilState(GameState::SplashScreen));
        FrameContext().nextState = GameState::Reload;
        ASSERT_TRUE(StepFrames(1));
        TapKey(SDL_SCANCODE_DOWN);
        TapKey(SDL_SCANCODE_DOWN);
        TapKey(SDL_SCANCODE_SPACE);
        ASSERT_TRUE(Splash()->panelOpen[2]);
        Check("title options", Splash()->objects.get(), reference);

        TapKey(SDL_SCANCODE_RETURN);
        ASSERT_EQ(State(), GameState::LevelSelectScreen);
        clock.tick = 4 * 16667;  // through the intro at 15 frames a second
        for (int i = 0;
             i < 100 && SpriteOf(Select()->m_objects->FindObject("Player1Selector"))->alpha < 1.0f;
             ++i)
            ASSERT_TRUE(StepFrames(1));
        clock.tick = 16667;
        Check("selection", Select()->m_objects.get(), reference);
        CheckFooter("selection");

        // Both ready: the map choice fades in over everything.
        for (SDL_Scancode key :
             {SDL_SCANCODE_A, SDL_SCANCODE_SPACE, SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN})
            TapKey(key);
        ASSERT_TRUE(Select()->m_mapSelectOpen);
        ASSERT_TRUE(StepFrames(10));
        Check("map choice", Select()->m_objects.get(), reference);
        CheckFooter("map choice");
    }
}

}  // namespace
