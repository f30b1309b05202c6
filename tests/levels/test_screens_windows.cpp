// The loading screen, the title with its options panel, the selection and the
// map choice full screen on a 1920 x 1080 display, where the screens are
// drawn at their own pixels, and in the windows the game opens on a
// 1366 x 768 display (full screen, and the options' 1266 x 668 window, also
// reached through the title options' switch): every sprite and text, as the
// renderer draws it, stands where and as large as the layout puts it in that
// window (TestHarness::LayoutRecord), and is whole within the window but for
// the quit prompt, which waits below it; the selection's key footer along
// the bottom stays clear.
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

    // Each drawn box of `objects` is where the layout puts it, and whole
    // but for the quit prompt, which waits below the window.
    void Check(const std::string& screen, const VXObjectManager* objects, bool reference) {
        ASSERT_NE(objects, nullptr) << screen;
        const auto boxes = TestHarness::DrawnBoxes(*objects);
        EXPECT_GE(boxes.size(), 3u) << screen;
        layout.Check(screen, boxes, reference);
        for (const auto& [name, box] : boxes)
            EXPECT_TRUE(name == "QuitButton" || TestHarness::Overflow(box) <= 0.5f)
                << screen << ": " << name << " drawn at " << box << " in " << windowWidth << " x "
                << windowHeight;
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
    TestHarness::LayoutRecord layout;
};

TEST_F(ScreensInWindows, LoadingTitleSelectionAndMapStandWhereTheLayoutPutsThemInEveryWindow) {
    TestHarness::DrawRecorder recorder;
    for (const TestHarness::CheckedWindow& window : TestHarness::kCheckedWindows) {
        SCOPED_TRACE(window.name);
        const bool reference = &window == &TestHarness::kCheckedWindows[0];
        TestHarness::OpenWindow(engine, window);
        ASSERT_EQ(windowWidth, window.width);
        ASSERT_EQ(windowHeight, window.height);
        if (reference)
            BeginRun();
        else
            FrameContext().nextState = GameState::LoadingScreen;
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
        if (window.fullScreen && !reference) {
            // The panel's own switch to the window and back: the picture
            // and the volume digit follow at once.
            SCOPED_TRACE("across the panel's switch to the window and back");
            TapKey(SDL_SCANCODE_SPACE);
            ASSERT_EQ(windowWidth, TestHarness::kCheckedWindows[2].width);
            Check("title options", Splash()->objects.get(), false);
            TapKey(SDL_SCANCODE_SPACE);
            ASSERT_EQ(windowWidth, window.width);
            Check("title options", Splash()->objects.get(), false);
        }

        TapKey(SDL_SCANCODE_RETURN);
        ASSERT_EQ(State(), GameState::LevelSelectScreen);
        clock.tick = 4 * 16667;  // through the intro at 15 frames a second
        for (int i = 0;
             i < 100 && SpriteOf(Select()->m_objects->FindObject("Player1Selector"))->alpha < 1.0f;
             ++i)
            ASSERT_TRUE(StepFrames(1));
        clock.tick = 16667;
        Check("selection", Select()->m_objects.get(), reference);
        if (reference) {  // drawn at the layout's own pixels: its title is 880 x 170
            const ScreenBox title = TestHarness::DrawnBoxes(*Select()->m_objects).at("CS_Icon");
            EXPECT_TRUE(std::fabs(title.width - 880) < 0.5f && std::fabs(title.height - 170) < 0.5f)
                << "the selection's title is drawn " << title.width << " x " << title.height
                << " px in 1920 x 1080";
        }
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
