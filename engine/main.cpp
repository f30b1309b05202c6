// Entry point of the game.
#include <cstdio>

#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "platform/Platform.h"

int main() {
    // Line-buffered, so that progress lines show as they happen even when
    // standard output is a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    FrameWork::BuildStartupGlobals();
    FrameWork::Platform::ShowCursor(false);
    FrameWork::VXEngine* engine = FrameWork::VXEngine::Instance();
    if (!engine->Init()) return 1;
    engine->Run();
    engine->Shutdown();
    std::printf("\n\n");
    return 0;
}
