// What a match frame costs next to what its picture must cost at least.
//
// At 1600 x 900 under the test clock:
//   bare        a clear-and-swap frame with nothing to draw;
//   fill floor  the picture's minimum: one full-screen textured quad for the
//               floor and one alpha-blended for the paint layer;
//   match       the largest arena (state 3) with two pad-driven players
//               moving, painting, firing and casting, and the HUD;
// each the median frame work time (messages, update, draw, swap, glFinish),
// and the match as ratios of the other two.  Then the worst loading-screen
// frame and the session's peak resident memory.
//
// bench/run_match_bench.sh runs it on a temporary layout; by hand, from a
// folder next to a VXEngine/data copy, under an X server:
//   xvfb-run -a -s "-screen 0 1920x1080x24" env SDL_AUDIODRIVER=dummy bench_match [seconds]
#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchFrame.h"
#include "bench/MatchDriver.h"
#include "core/GameState.h"
#include "core/VXFrameContext.h"
#include "engine/VXEngine.h"
#include "graphics/VXGraphicsManager.h"

using namespace FrameWork;

namespace {

double Median(std::vector<double> times) {
    if (times.empty()) return 0.0;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Two full-screen textured quads, the second blended over the first.
class FillFloor {
public:
    FillFloor(int width, int height) {
        const char* vs =
            "#version 330 core\n"
            "layout(location = 0) in vec2 corner;\n"
            "out vec2 uv;\n"
            "void main() { uv = corner * 0.5 + 0.5; gl_Position = vec4(corner, 0.0, 1.0); }\n";
        const char* fs =
            "#version 330 core\n"
            "in vec2 uv; out vec4 colour; uniform sampler2D image;\n"
            "void main() { colour = texture(image, uv); }\n";
        program_ = glCreateProgram();
        for (auto [kind, text] :
             {std::pair{GL_VERTEX_SHADER, vs}, std::pair{GL_FRAGMENT_SHADER, fs}}) {
            const GLuint shader = glCreateShader(kind);
            glShaderSource(shader, 1, &text, nullptr);
            glCompileShader(shader);
            glAttachShader(program_, shader);
            glDeleteShader(shader);
        }
        glLinkProgram(program_);
        const float corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
        glGenVertexArrays(1, &vao_);
        glBindVertexArray(vao_);
        glGenBuffers(1, &vbo_);
        glBindBuffer(GL_ARRAY_BUFFER, vbo_);
        glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
        glBindVertexArray(0);
        // Screen-sized images, sampled as the game samples its sheets
        // (nearest): an opaque floor pattern, and paint that covers part of
        // it with some alpha.
        std::vector<unsigned char> floor(static_cast<size_t>(width) * height * 4),
            paint(floor.size());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                unsigned char* f = &floor[(static_cast<size_t>(y) * width + x) * 4];
                unsigned char* p = &paint[(static_cast<size_t>(y) * width + x) * 4];
                f[0] = static_cast<unsigned char>(x * 7), f[1] = static_cast<unsigned char>(y * 5);
                f[2] = 90, f[3] = 255;
                p[0] = 40, p[1] = 90, p[2] = 220;
                p[3] = ((x / 40 + y / 40) % 3) ? 200 : 0;
            }
        glGenTextures(2, textures_);
        for (int i = 0; i < 2; ++i) {
            glBindTexture(GL_TEXTURE_2D, textures_[i]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         i == 0 ? floor.data() : paint.data());
        }
    }
    ~FillFloor() {
        glDeleteTextures(2, textures_);
        glDeleteBuffers(1, &vbo_);
        glDeleteVertexArrays(1, &vao_);
        glDeleteProgram(program_);
    }
    double FrameMs(VXEngine* engine) {
        const auto start = std::chrono::steady_clock::now();
        engine->PumpMessages();
        glViewport(0, 0, windowWidth, windowHeight);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glUseProgram(program_);
        glBindVertexArray(vao_);
        glActiveTexture(GL_TEXTURE0);
        for (int i = 0; i < 2; ++i) {
            if (i == 1) {
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            } else {
                glDisable(GL_BLEND);
            }
            glBindTexture(GL_TEXTURE_2D, textures_[i]);
            glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        }
        glBindVertexArray(0);
        engine->Present();
        glFinish();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    }

private:
    GLuint program_ = 0, vao_ = 0, vbo_ = 0, textures_[2] = {};
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 150;
    VXEngine* engine = Bench::StartEngine(1600, 900);
    if (!engine) return 1;
    Bench::Pad pads[2];

    const double bare = Bench::MeasureMs(engine);
    double fill = 0.0;
    {
        FillFloor floor(windowWidth, windowHeight);
        std::vector<double> times;
        for (int i = 0; i < 130; ++i) times.push_back(floor.FrameMs(engine));
        times.erase(times.begin(), times.begin() + 10);
        fill = Median(times);
    }

    double worstLoading = 0.0;
    int loadingFrames = 0, worstFrame = 0;
    const bool booted = Bench::BootToTitle(engine, [&](double ms) {
        if (FrameContext().currentState == GameState::LoadingScreen && ms > worstLoading)
            worstLoading = ms, worstFrame = loadingFrames;
        loadingFrames += FrameContext().currentState == GameState::LoadingScreen;
    });
    if (!booted) {
        std::printf("the start screens did not reach the title\n");
        return 1;
    }
    std::vector<double> match;
    const Bench::MatchResult result =
        Bench::PlayMatch(engine, pads, GameState::Level3, seconds, [&](double ms) {
            if (FrameContext().active && !FrameContext().inputBlocked) match.push_back(ms);
        });
    const double matchMs = Median(match);

    std::printf("\nmatch frame at %d x %d, largest arena (state 3), %d s played, %zu frames\n",
                windowWidth, windowHeight, seconds, match.size());
    std::printf("%-12s %-12s %-12s %-14s %-14s\n", "bare ms", "fill ms", "match ms", "match/bare",
                "match/fill");
    std::printf("%-12.3f %-12.3f %-12.3f %-14.2f %-14.2f\n", bare, fill, matchMs, matchMs / bare,
                matchMs / fill);
    std::printf("painted tiles: blue %d, red %d; winner %s; back at state %d\n", result.blueTiles,
                result.redTiles,
                result.winner == 1   ? "Blue"
                : result.winner == 0 ? "Red"
                                     : "none",
                result.returnState);
    std::printf("worst loading-screen frame: %.3f ms (frame %d of %d)\n", worstLoading,
                worstFrame + 1, loadingFrames);
    std::printf("peak resident memory: %.1f MB\n", Bench::PeakResidentKb() / 1024.0);
    const bool ok = result.finished;
    engine->nextState = GameState::Quit;
    engine->RunFrame();
    engine->ReleaseLevelResources();
    Bench::StopEngine(engine);
    return ok ? 0 : 1;
}
