// The paint map's cost and the floor's frame cost.
//
// 1. Time per splat with 100, 1,000 and 5,000 tiles already painted: tiles
//    of a 100 x 100 floor change hands back and forth, so the painted area
//    stays the same while the splats run (no GL needed).
// 2. Frame work time of the largest level's floor ("Level_3", 24 x 28 = 672
//    tiles, with its 2,688 paint quarter-tiles) with half its tiles painted,
//    next to a bare clear-and-swap frame, as a ratio.
//
// Run it from a folder next to a VXEngine/data copy, under an X server:
//   cd build/bench-run && xvfb-run -a -s "-screen 0 1920x1080x24" ../bench/bench_tiles_paint
#include "bench/BenchFrame.h"
#include "core/DataRoot.h"
#include "engine/VXEngine.h"
#include "engine/VXWindow.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

using namespace FrameWork;

namespace {

// An inactive helper painter (the last-tile rule does not hold it back).
struct Painter {
    Painter() : object(50, 50, 6, 0, 1, 0, 0, 0, "BenchPainter", 0, 0, 0) {
        logic = std::make_shared<VXPlayerLogic>(&object, 6);
        object.AddComponent(logic);
        logic->paintFuel = 1 << 30;
    }
    int32_t Splat(int32_t team, float x, float y) {
        logic->team = team;
        object.position[0] = x;
        object.position[1] = y;
        return VXPaintMap::Splat(&object);
    }
    GameObject object;
    std::shared_ptr<VXPlayerLogic> logic;
};

// A rows x columns floor record with its top-left tile at (0, 0).
void RegisterFloor(VXGraphicsManager* graphics, const char* name, int rows, int columns) {
    VXTilemapData record;
    record.row = rows;
    record.col = columns;
    record._name = "FloorTiles.png";
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            record.m_data1.push_back({100.0f * c, -100.0f * r, 104, 104});
            record.m_data3Index.push_back((r + c) % 4);
        }
    graphics->tilemaps[name] = record;
}

void SplatBench(VXGraphicsManager* graphics) {
    constexpr int kSide = 100;
    RegisterFloor(graphics, "BenchFloor", kSide, kSide);
    VXShapeInstancer grid("BenchFloor", nullptr);
    std::printf("\nsplat, %d x %d floor, median of 2000 splats\n", kSide, kSide);
    std::printf("%-10s %14s\n", "painted", "us per splat");
    for (int painted : {100, 1000, 5000}) {
        grid.Setup();
        g_currentInstancer = &grid;
        Painter painter;
        for (int k = 0; k < painted; ++k)
            painter.Splat(1, 100.0f * (k % kSide), -100.0f * (k / kSide));
        std::vector<double> times;
        for (int k = 0; k < 2000; ++k) {
            // Tiles change hands: the painted area stays `painted` tiles.
            const int tile = k % painted;
            const float x = 100.0f * (tile % kSide), y = -100.0f * (tile / kSide);
            const int32_t team = (k / painted) % 2 == 0 ? 2 : 1;
            const auto start = std::chrono::steady_clock::now();
            const int32_t result = painter.Splat(team, x, y);
            const auto end = std::chrono::steady_clock::now();
            if (result < 0) std::printf("splat refused at tile %d\n", tile);
            times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        std::sort(times.begin(), times.end());
        std::printf("%-10d %14.2f\n", painted, times[times.size() / 2]);
    }
    g_currentInstancer = nullptr;
    VXShapeInstancer::ClearInstanceData();
    graphics->paintCells.clear();
}

void FloorBench(VXEngine* engine) {
    VXGraphicsManager* graphics = engine->graphics;
    const double bare = Bench::MeasureMs(engine);
    graphics->LoadTilemap(DataPath("objects/TilemapJsons/Level_3.json"));
    VXShapeInstancer grid("Level_3", nullptr);
    grid.Setup();
    g_currentInstancer = &grid;
    const int tiles = static_cast<int>(graphics->paintCells.size());
    // Half the floor painted: the left half of every row, blue above the
    // middle row and red below it.
    Painter painter;
    int painted = 0;
    const VXInstanceSet* floor = graphics->FindInstanceSet("FloorTiles.png");
    for (int k = 0; k < tiles && floor; ++k) {
        const int row = k / grid.columns, column = k % grid.columns;
        if (column >= grid.columns / 2) continue;
        const Vec4f& tile = floor->m_data1[static_cast<size_t>(k)];
        painted += painter.Splat(row < grid.rows / 2 ? 1 : 2, tile[0], tile[1]) >= 0;
    }
    graphics->zoom = 0.4f;
    const double ms = Bench::MeasureMs(engine);

    std::printf("\nfloor at %d x %d, median of 120 frames\n", windowWidth, windowHeight);
    std::printf("%-22s %8s %8s %12s %12s %8s\n", "scene", "tiles", "painted", "frame ms", "bare ms",
                "ratio");
    std::printf("%-22s %8d %8d %12.3f %12.3f %8.2f\n", "Level_3 floor + paint", tiles, painted, ms,
                bare, ms / bare);
    g_currentInstancer = nullptr;
}

}  // namespace

int main() {
    VXEngine* engine = Bench::StartEngine(1600, 900);
    if (!engine) return 1;
    VXGraphicsManager* graphics = engine->graphics;
    // The instanced pass runs once two texture records exist.
    graphics->AddNamedTexture("default.png", DataPath("img/default.png"), 1, 1);
    graphics->AddNamedTexture("default2.png", DataPath("img/default.png"), 1, 1);
    graphics->AddInstanceSet("FloorTiles.png", 0);
    graphics->LoadInstanceSetImage("FloorTiles.png", DataPath("img/FloorTiles.png"), 4, 4);
    graphics->AddInstanceSet(kPaintSetName, 0);
    graphics->LoadInstanceSetImage(kPaintSetName, DataPath("img/carpetBomb2.png"), 8, 8);
    SplatBench(engine->graphics);
    FloorBench(engine);
    Bench::StopEngine(engine);
    return 0;
}
