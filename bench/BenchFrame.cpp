#include "bench/BenchFrame.h"

#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "engine/VXWindow.h"
#include "graphics/VXGraphicsManager.h"
#include "platform/Platform.h"

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace Bench {

using namespace FrameWork;

namespace {
constexpr int kFrames = 120;
constexpr int kWarmUp = 10;
Platform::TestClock g_clock;
}  // namespace

VXEngine* StartEngine(int width, int height) {
    BuildStartupGlobals();
    Platform::InstallTestClock(&g_clock);
    fullScreen = 0;
    VXEngine* engine = VXEngine::Instance();
    if (!engine->Init()) {
        std::printf("the engine did not start\n");
        return nullptr;
    }
    engine->SetWindowed(width, height);
    return engine;
}

void StopEngine(VXEngine* engine) {
    engine->graphics->Clear();
    engine->Shutdown();
    Platform::InstallTestClock(nullptr);
}

double FrameMs(VXEngine* engine) {
    const auto start = std::chrono::steady_clock::now();
    engine->PumpMessages();
    engine->graphics->RenderScene();
    engine->Present();
    glFinish();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double MeasureMs(VXEngine* engine) {
    for (int i = 0; i < kWarmUp; ++i) FrameMs(engine);
    std::vector<double> times;
    for (int i = 0; i < kFrames; ++i) times.push_back(FrameMs(engine));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace Bench
