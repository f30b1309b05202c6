// Plays matches back to back in one process and prints, after each, the
// resident memory, the live GL textures and buffers and the audio channels
// (allocated and playing).  Fails (exit 1) when a match does not finish,
// when resident memory grows by more than 5 MB after the first match, or
// when the GL or audio counts do not stay where the first match left them.
//
//   bench/in_data_tree.sh build/bench/soak_matches [matches=20] [seconds=150]
//       [width=1024 height=576]
// under an X server, with SDL_AUDIODRIVER=dummy.  The window's size changes
// none of the counts; the test suite's soak plays in a small one.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/BenchFrame.h"
#include "bench/MatchDriver.h"
#include "core/GameState.h"
#include "engine/VXEngine.h"

using namespace FrameWork;

int main(int argc, char** argv) {
    const int matches = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 150;
    const int width = argc > 4 ? std::max(64, std::atoi(argv[3])) : 1024;
    const int height = argc > 4 ? std::max(36, std::atoi(argv[4])) : 576;
    VXEngine* engine = Bench::StartEngine(width, height);
    if (!engine) return 1;
    Bench::Pad pads[2];
    if (!Bench::BootToTitle(engine)) {
        std::printf("the start screens did not reach the title\n");
        return 1;
    }
    // The maps of the selection screen and the quick match, in turn.
    const int32_t maps[] = {GameState::Level3, GameState::Level1, GameState::Level2,
                            GameState::Level0};
    long firstKb = 0;
    int firstTextures = 0, firstBuffers = 0, firstAllocated = 0, firstPlaying = 0;
    bool ok = true;
    std::printf("%-6s %-6s %-10s %-10s %-9s %-8s %-9s %-8s %-6s %-6s\n", "match", "state", "RSS kB",
                "growth kB", "textures", "buffers", "channels", "playing", "blue", "red");
    for (int m = 0; m < matches; ++m) {
        const int32_t state = maps[m % 4];
        const Bench::MatchResult result = Bench::PlayMatch(engine, pads, state, seconds);
        const long kb = Bench::ResidentKb();
        const int textures = Bench::LiveGlTextures(), buffers = Bench::LiveGlBuffers();
        const int allocated = Bench::AllocatedAudioChannels();
        const int playing = Bench::PlayingAudioChannels();
        if (m == 0) {
            firstKb = kb;
            firstTextures = textures, firstBuffers = buffers;
            firstAllocated = allocated, firstPlaying = playing;
        }
        std::printf("%-6d %-6d %-10ld %-10ld %-9d %-8d %-9d %-8d %-6d %-6d\n", m + 1, state, kb,
                    kb - firstKb, textures, buffers, allocated, playing, result.blueTiles,
                    result.redTiles);
        std::fflush(stdout);
        if (!result.finished) {
            std::printf(" -> match %d did not finish (state %d)\n", m + 1, result.returnState);
            ok = false;
            break;
        }
        if (kb - firstKb > 5 * 1024) {
            std::printf(" -> resident memory grew %ld kB since the first match\n", kb - firstKb);
            ok = false;
        }
        if (textures != firstTextures || buffers != firstBuffers || allocated != firstAllocated ||
            playing != firstPlaying) {
            std::printf(" -> GL objects or audio channels changed since the first match\n");
            ok = false;
        }
    }
    engine->nextState = GameState::Quit;
    engine->RunFrame();
    engine->ReleaseLevelResources();
    Bench::StopEngine(engine);
    std::printf("%s\n", ok ? "soak: passed" : "soak: FAILED");
    return ok ? 0 : 1;
}
