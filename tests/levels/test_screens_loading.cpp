// The loading screen: its frames, missing lists, a second engine.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/DataRoot.h"
#include "core/VXAudioManager.h"
#include "graphics/VXGraphicsManager.h"
#include "levels/VXLoadingScreen.h"
#include "levels/VXSplashScreen.h"
#include "tests/levels/screen_fixture.h"

using namespace FrameWork;
using ScreenTest::ScreenFixture;

namespace {

size_t WordsIn(const std::filesystem::path& path) {
    std::ifstream in(path);
    return static_cast<size_t>(std::distance(std::istream_iterator<std::string>(in),
                                             std::istream_iterator<std::string>()));
}

// Frame numbers (counted from 1) of the loading screen's milestones.
struct LoadingFrames {
    int loaded = 0, done = 0, faded = 0, handedOver = 0;
};

class Loading : public ScreenFixture {
protected:
    LoadingFrames Run() {
        LoadingFrames f;
        BeginRun();
        for (int frame = 1; frame <= 600 && StepFrames(1); ++frame) {
            const VXLoadingState& s = VXLoadingScreen::State();
            if (!f.loaded && !s.loading) f.loaded = frame;
            if (!f.done && s.done) f.done = frame;
            if (!f.faded && s.fade <= 0.0f) f.faded = frame;
            if (State() == GameState::SplashScreen) {
                f.handedOver = frame;
                break;
            }
        }
        return f;
    }
};

TEST_F(Loading, ShippedDataLoadsOneOfEachKindAFrameThenFadesOutAndHandsOver) {
    const size_t sounds = WordsIn(tree->Data("objects/audiolist.txt"));
    const size_t textures = WordsIn(tree->Data("objects/texturelist.txt")) / 3;
    const size_t tilemaps = static_cast<size_t>(
        std::distance(std::filesystem::directory_iterator(tree->Data("objects/TilemapJsons")),
                      std::filesystem::directory_iterator()));

    const LoadingFrames f = Run();
    EXPECT_EQ(f.loaded, static_cast<int>(std::max({sounds, textures, tilemaps})));
    EXPECT_EQ(f.done, f.loaded + 1);
    ASSERT_GT(f.faded, f.done);
    EXPECT_EQ(f.handedOver, f.faded + 1);
    EXPECT_EQ(FrameContext().active, 1);

    // Everything listed is loaded once, and the extra tile set comes last.
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    EXPECT_EQ(VXAudioManager::Instance()->sounds.size(), sounds);
    for (const std::string& name : graphics->textureImageNames)
        EXPECT_NE(graphics->FindTexture(name), nullptr) << name;
    ASSERT_EQ(graphics->instanceSets.size(), tilemaps + 1);
    EXPECT_EQ(graphics->instanceSets.back()->_name, "carpetBomb2.png");
    EXPECT_EQ(graphics->instanceSets.back()->_depth, static_cast<int>(tilemaps));
}

// Missing lists and tile maps: loading is over at once, each unreadable list
// says so, and the screen still hands over.
TEST_F(Loading, MissingListsEndLoadingAtOnceAndTheScreenStillHandsOver) {
    for (const char* gone :
         {"objects/audiolist.txt", "objects/texturelist.txt", "objects/TilemapJsons"})
        tree->RemoveData(gone);
    testing::internal::CaptureStdout();
    const LoadingFrames f = Run();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(f.loaded, 1);
    EXPECT_EQ(f.done, 2);
    EXPECT_GT(f.handedOver, f.done);
    EXPECT_LE(f.handedOver, f.done + 62);  // the fade lasts about a second
    for (const char* list : {"texturelist", "audiolist"})
        EXPECT_NE(out.find("loading from " + DataPath("objects/") + list + ".txt failed!\n"),
                  std::string::npos)
            << out;
}

// The fade takes the same seconds at 60, 30, 15 and 10 frames a second: the
// caption's alpha drops by one a second, moved on by the frame's steps of
// 1/60 s, and the screen hands over in the frame after it reaches 0.  (The
// alpha it starts from is wherever its pulse stood.)  One engine, the
// screen visited again for each rate.
TEST_F(Loading, TheFadeTakesTheSameSecondsAtAnyFrameRate) {
    for (const char* gone :
         {"objects/audiolist.txt", "objects/texturelist.txt", "objects/TilemapJsons"})
        tree->RemoveData(gone);
    BeginRun();
    for (const int steps : {1, 2, 4, 6}) {
        SCOPED_TRACE(testing::Message() << steps << " steps a frame");
        clock.tick = steps * 16667ull;
        if (State() != GameState::LoadingScreen) {
            FrameContext().nextState = GameState::LoadingScreen;
            ASSERT_TRUE(StepFrames(1));
        }
        int done = 0, frame = 0;
        float left = 0.0f;  // the caption's alpha after the first fading frame
        while (frame < 600 && State() == GameState::LoadingScreen && StepFrames(1)) {
            ++frame;
            if (!done && VXLoadingScreen::State().done) {
                done = frame;
                left = VXLoadingScreen::State().fade;
            }
        }
        ASSERT_EQ(State(), GameState::SplashScreen);
        ASSERT_GT(left, 0.3f);
        const int fadeSteps = (frame - done) * steps;
        EXPECT_GE(fadeSteps, static_cast<int>(left * 60.0f)) << "in steps of 1/60 s";
        EXPECT_LE(fadeSteps, static_cast<int>(left * 60.0f) + 2 * steps)
            << "within the frame that reaches 0, and the next";
    }
}

// A second engine in the same process (or a second visit) starts loading
// from the beginning and reaches the logos again.  The picture's size does
// not matter here (a small window), and the first logo passes in frames of
// a quarter second.
TEST_F(Loading, ASecondEngineInOneProcessLoadsAgainAndShowsTheLogosAgain) {
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        if (run == 1) {
            FinishRun();
            engine->Shutdown();
            engine = VXEngine::Instance();
            ASSERT_TRUE(engine->Init());
        }
        engine->SetWindowed(320, 180);
        clock.tick = 16667;
        const LoadingFrames f = Run();
        EXPECT_GT(f.loaded, 1);
        ASSERT_GT(f.handedOver, 0);
        EXPECT_NE(VXGraphicsManager::Instance()->FindTexture("MainMenu_FullSpriteSheet.png"),
                  nullptr);
        auto* splash = ScreenTest::ScreenOf<VXSplashScreen>(GameState::SplashScreen);
        EXPECT_EQ(splash->phase, SplashLogo1);
        // Through the first logo, then a skip shows the title.
        clock.tick = kMaxFrameSteps * 16667ull;
        while (splash->phase == SplashLogo1 && StepFrames(1)) {
        }
        clock.tick = 16667;
        TapKey(SDL_SCANCODE_RETURN);
        EXPECT_TRUE(splash->titleShown);
        EXPECT_EQ(splash->phase, SplashTitle);
    }
}

}  // namespace
