// Frame work of the sprite pass: N animated, alpha-blended 32-pixel sprites
// (N = 100, 1,000, 10,000) on one sheet and on eight sheets, at 1600 x 900,
// next to a bare clear-and-swap frame measured in the same run.  The frame
// work is all of a frame but the 60 Hz wait (the test clock ends the wait at
// once): clear, projection, the scene draw, the swap, and a glFinish so that
// the GPU's share is counted.
//
// Run it from a folder next to a VXEngine/data copy, under an X server:
//   cd build/bench-run && xvfb-run -a -s "-screen 0 1920x1080x24" ../bench/bench_render_sprites
// It writes its own images into DataPath("img/") (bench_sheet_*.png).
#include "bench/BenchFrame.h"
#include "core/DataRoot.h"
#include "engine/VXEngine.h"
#include "engine/VXWindow.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"

#include <GL/glew.h>
#include <stb_image_write.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace FrameWork;

namespace {

constexpr int kFrames = 120;  // frames a measure takes the median of (Bench::MeasureMs)

// A 4 x 2 sheet of 32-pixel cells with soft-edged discs, tinted per sheet.
std::string WriteSheet(int index) {
    const int cell = 32, w = cell * 4, h = cell * 2;
    std::vector<unsigned char> px(static_cast<size_t>(w * h * 4));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float dx = static_cast<float>(x % cell) - 15.5f;
            const float dy = static_cast<float>(y % cell) - 15.5f;
            const float d = dx * dx + dy * dy;
            unsigned char* p = &px[static_cast<size_t>((y * w + x) * 4)];
            p[0] = static_cast<unsigned char>(60 + 24 * index);
            p[1] = static_cast<unsigned char>(40 * ((x / cell) + 1));
            p[2] = static_cast<unsigned char>(120 * (y / cell) + 60);
            p[3] = d < 200.0f ? 255 : (d < 256.0f ? 128 : 0);
        }
    const std::string name = "bench_sheet_" + std::to_string(index) + ".png";
    stbi_write_png(DataPath("img/" + name).c_str(), w, h, 4, px.data(), w * 4);
    return name;
}

}  // namespace

int main() {
    VXEngine* engine = Bench::StartEngine(1600, 900);
    if (!engine) return 1;
    VXGraphicsManager* graphics = engine->graphics;

    std::vector<VXTextureRecord*> sheets;
    for (int i = 0; i < 8; ++i) {
        const std::string name = WriteSheet(i);
        sheets.push_back(graphics->AddNamedTexture(name, DataPath("img/" + name), 4, 2));
    }

    const double bare = Bench::MeasureMs(engine);
    std::printf("\nsprite pass at %d x %d, median of %d frames\n", windowWidth, windowHeight,
                kFrames);
    std::printf("%-14s %8s %12s %12s %8s\n", "scene", "sprites", "frame ms", "bare ms", "ratio");
    std::printf("%-14s %8d %12.3f %12.3f %8.2f\n", "clear+swap", 0, bare, bare, 1.0);

    for (int sheetCount : {1, 8}) {
        for (int n : {100, 1000, 10000}) {
            std::vector<std::unique_ptr<GameObject>> objects;
            unsigned seed = 12345;
            auto next = [&seed] {
                seed = seed * 1103515245u + 12345u;
                return (seed >> 16) & 0x7fff;
            };
            for (int i = 0; i < n; ++i) {
                const float x = static_cast<float>(next() % 1560) - 780.0f;
                const float y = static_cast<float>(next() % 860) - 430.0f;
                objects.push_back(std::make_unique<GameObject>(32.0f, 32.0f, 1, 1, 1, 0, x, y, "s",
                                                               0.0f, 0.0f, 0.0f));
                auto sprite = std::make_shared<VXSpriteComponent>(objects.back().get());
                sprite->texture = sheets[static_cast<size_t>(i % sheetCount)];
                sprite->layer = static_cast<int>(next() % 10);
                sprite->SetAnimationCount(1);
                for (int cell = 0; cell < 8; ++cell) sprite->AddFrame(cell, 0);
                sprite->SetFPS(12);
                sprite->alpha = 0.9f;
                graphics->AddToRenderList(sprite);
            }
            // As a state start does: sorted by layer, so mixed sheets alternate.
            graphics->SortRenderList();
            // Re-measure the bare frame beside each scene (same run, same state).
            const double ms = Bench::MeasureMs(engine);
            graphics->renderList.clear();
            const double bareNow = Bench::MeasureMs(engine);
            const std::string scene = sheetCount == 1 ? "one sheet" : "8 sheets";
            std::printf("%-14s %8d %12.3f %12.3f %8.2f\n", scene.c_str(), n, ms, bareNow,
                        ms / bareNow);
            std::fflush(stdout);
        }
    }

    Bench::StopEngine(engine);
    return 0;
}
