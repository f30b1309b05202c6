// Entry point of the game.
#include <cstdio>
#include <cstring>

#include "core/GameState.h"
#include "core/VXFrameContext.h"
#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "platform/Platform.h"

// Options: --editor starts the level editor once the loading screen has
// loaded the assets, in place of the splash screen.
int main(int argc, char** argv) {
    // Line-buffered, so that progress lines show as they happen even when
    // standard output is a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--editor") == 0)
            FrameWork::FrameContext().stateAfterLoading = GameState::LevelEditor;
    FrameWork::BuildStartupGlobals();
    FrameWork::Platform::ShowCursor(false);
    FrameWork::VXEngine* engine = FrameWork::VXEngine::Instance();
    if (!engine->Init()) return 1;
    engine->Run();
    engine->Shutdown();
    std::printf("\n\n");
    return 0;
}
