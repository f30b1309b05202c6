#include "tests/support/EngineFixture.h"

#include "core/GameState.h"
#include "engine/StartupGlobals.h"
#include "engine/VXLevelObjects.h"
#include "gameplay/VXMatchState.h"

namespace TestHarness {

using FrameWork::Platform::TestClock;

void EngineFixture::SetUp() {
    tree = std::make_unique<TempDataTree>();
    PrepareData(*tree);
    FrameWork::BuildStartupGlobals();
    // Process-wide values as a fresh process has them.
    FrameWork::fullScreen = 1;
    FrameWork::g_matchOver = 0;
    FrameWork::g_winner = 2;
    clock = TestClock();
    FrameWork::Platform::InstallTestClock(&clock);
    engine = FrameWork::VXEngine::Instance();
    ASSERT_TRUE(engine->Init()) << "the engine did not start (is an X server running?)";
    // The first frame measures from Init's counter reading: one tick.
    clock.Advance();
    FrameWork::Platform::SetCloseHandler([this] { ++closeRequests; });
}

void EngineFixture::TearDown() {
    if (engine) {
        if (running_) FinishRun();
        engine->Shutdown();
        engine = nullptr;
    }
    for (int state : replaced_) FrameWork::ReplaceLevelObject(state, nullptr);
    replaced_.clear();
    FrameWork::Platform::SetSwapHook(nullptr);
    FrameWork::Platform::InstallTestClock(nullptr);
    tree.reset();
}

void EngineFixture::BeginRun() {
    engine->BeginRun();
    running_ = true;
}

bool EngineFixture::StepFrames(int frames) {
    for (int i = 0; i < frames && running_; ++i) running_ = engine->RunFrame();
    return running_;
}

bool EngineFixture::RunUntilState(int state, int maxFrames) {
    for (int i = 0; i < maxFrames && running_; ++i) {
        running_ = engine->RunFrame();
        if (running_ && engine->currentState == state) return true;
    }
    return false;
}

void EngineFixture::FinishRun() {
    if (running_) {
        engine->nextState = GameState::Quit;
        running_ = engine->RunFrame();
    }
    engine->ReleaseLevelResources();
}

void EngineFixture::ReplaceLevel(int state, FrameWork::VXLevel_Base* level) {
    FrameWork::ReplaceLevelObject(state, level);
    replaced_.push_back(state);
}

void EngineFixture::TapKey(SDL_Scancode key) {
    PressKey(key);
    StepFrames(1);
    ReleaseKey(key);
    StepFrames(1);
}

void EngineFixture::ClickMouse(int button, int x, int y) {
    FrameWork::Platform::InjectMouseButton(button, true, x, y);
    StepFrames(1);
    FrameWork::Platform::InjectMouseButton(button, false, x, y);
    StepFrames(1);
}

FrameImage EngineFixture::CaptureFrame() {
    FrameImage image;
    FrameWork::Platform::SetSwapHook(
        [&image] { image = ReadFramebuffer(FrameWork::windowWidth, FrameWork::windowHeight); });
    StepFrames(1);
    FrameWork::Platform::SetSwapHook(nullptr);
    return image;
}

::testing::AssertionResult EngineFixture::WindowOnTheDisplay() {
    int x = 0, y = 0, w = 0, h = 0, displayW = 0, displayH = 0;
    FrameWork::Platform::GetWindowRect(x, y, w, h);
    FrameWork::Platform::GetDesktopSize(displayW, displayH);
    if (x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= displayW && y + h <= displayH)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "a " << w << " x " << h << " window at (" << x << ", " << y << ") on a " << displayW
           << " x " << displayH << " display";
}

void EngineFixture::UseRealCloseRoad() {
    FrameWork::VXEngine::InstallCloseRoad();
}

}  // namespace TestHarness
