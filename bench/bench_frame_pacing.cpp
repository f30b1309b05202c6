// The frame limiter on the real clock: the game from its start (loading
// screen, then the screens it hands over to, with no input), 600 frames
// after a warm-up of 180, and what they cost the processor.
//
// Prints the mean frame time (wall clock and the engine's own frameTime) in
// milliseconds, the slowest frame, and the process's CPU time over the 600
// frames (all threads, from /proc/self/stat) as a share of one core.
//
// Run it from a folder next to a VXEngine/data copy, under an X server:
//   cd build/bench-run && xvfb-run -a -s "-screen 0 1920x1080x24" ../bench/bench_frame_pacing
#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "engine/VXWindow.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

using namespace FrameWork;

namespace {

constexpr int kWarmUp = 180;
constexpr int kFrames = 600;

// User plus system time of this process, in seconds.
double CpuSeconds() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    unsigned long long utime = 0, stime = 0;
    // The second field (the name) has no spaces here; fields 14 and 15.
    for (int i = 1; i <= 15 && stat >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main() {
    BuildStartupGlobals();
    fullScreen = 0;
    VXEngine* engine = VXEngine::Instance();
    if (!engine->Init()) {
        std::printf("the engine did not start\n");
        return 1;
    }
    engine->SetWindowed(1600, 900);
    engine->BeginRun();
    for (int i = 0; i < kWarmUp; ++i)
        if (!engine->RunFrame()) return 1;

    double engineSum = 0.0, slowest = 0.0;
    const double cpu0 = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) {
        if (!engine->RunFrame()) return 1;
        engineSum += engine->frameTime;
        slowest = std::max(slowest, static_cast<double>(engine->frameTime));
    }
    const auto end = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds() - cpu0;
    const double wall = std::chrono::duration<double>(end - start).count();

    std::printf("frames: %d (after %d warm-up frames)\n", kFrames, kWarmUp);
    std::printf("mean frame, wall clock: %.3f ms\n", wall * 1000.0 / kFrames);
    std::printf("mean frame, engine frameTime: %.3f ms\n", engineSum * 1000.0 / kFrames);
    std::printf("slowest frame: %.3f ms\n", slowest * 1000.0);
    std::printf("CPU: %.1f%% of one core\n", 100.0 * cpu / wall);
    engine->ReleaseLevelResources();
    engine->Shutdown();
    return 0;
}
