// The in-process engine fixture: a temporary data tree, the real engine with
// its window under the X server of the test run, and the test clock (every
// frame lasts exactly one tick of 16667 us, with no real wait).
//
// A test derives from EngineFixture, may write data files in PrepareData(),
// and then drives the real state machine frame by frame:
//
//   TEST_F(EngineFixture, Something) {
//       BeginRun();              // the loading screen starts
//       RunUntilState(7);        // frames until the splash screen runs
//       FrameImage f = CaptureFrame();
//   }
//
// The window's close road ends the process; the fixture replaces it with a
// counter (closeRequests) unless a test asks for the real one.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/VXEngine.h"
#include "platform/Platform.h"
#include "tests/support/FrameImage.h"
#include "tests/support/TempDataTree.h"

namespace FrameWork {
class VXLevel_Base;
}

namespace TestHarness {

class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs before the engine starts: write or remove data files here.
    virtual void PrepareData(TempDataTree&) {}

    // The state machine, one step at a time.
    void BeginRun();
    // Runs up to `frames` frames; false as soon as the run has ended.
    bool StepFrames(int frames);
    // Runs frames until `state` is the current state (checked after each
    // frame, state switches included); false when it does not come within
    // `maxFrames` or the run ends.
    bool RunUntilState(int state, int maxFrames = 600);
    // Ends the running state through its Free, as a -2 would, and releases
    // the level resources.
    void FinishRun();
    bool Running() const { return running_; }

    // Puts a level object in place of the object of `state` until the end of
    // the test.
    void ReplaceLevel(int state, FrameWork::VXLevel_Base* level);

    // Input through the platform layer; the events reach the engine in the
    // next frame's message pump.
    void PressKey(SDL_Scancode key) { FrameWork::Platform::InjectKey(key, true); }
    void ReleaseKey(SDL_Scancode key) { FrameWork::Platform::InjectKey(key, false); }
    // Press in one frame, release in the next.
    void TapKey(SDL_Scancode key);
    void MoveMouse(int x, int y) { FrameWork::Platform::InjectMouseMove(x, y); }
    void ClickMouse(int button, int x, int y);

    // Runs one frame and returns what it drew (read before the swap).
    FrameImage CaptureFrame();

    // Gives the window back its real close road (free, shut down, exit 16).
    void UseRealCloseRoad();

    // The window lies wholly on the display (its place and size say why not).
    static ::testing::AssertionResult WindowOnTheDisplay();

    FrameWork::VXEngine* engine = nullptr;
    std::unique_ptr<TempDataTree> tree;
    FrameWork::Platform::TestClock clock;
    int closeRequests = 0;

private:
    bool running_ = false;
    std::vector<int> replaced_;
};

}  // namespace TestHarness
