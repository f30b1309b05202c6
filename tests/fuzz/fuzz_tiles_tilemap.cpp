// libFuzzer target for the tile-map reader: any bytes must parse or be
// refused without a crash, every number it reads must survive the writer's
// number text, and the floor grid laid out from what it read must place
// each tile once or skip it, with tables that agree.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "graphics/VXGraphicsManager.h"
#include "graphics/VXJsonNumbers.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXTilemapData.h"

using namespace FrameWork;

namespace {

void CheckRoundTrip(float value) {
    const std::string text = FloatText(value);
    const float back = std::strtof(text.c_str(), nullptr);
    if (back != value && !(value == 0.0f && back == 0.0f)) std::abort();
}

void CheckFloor(const VXTilemapData& record) {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    if (graphics->instanceSets.empty()) {
        graphics->AddInstanceSet("Floor", 0)->ComputeFrames(4, 4);
        graphics->AddInstanceSet(kPaintSetName, 0);
    }
    (graphics->tilemaps["Level_9"] = record)._name = "Floor";
    VXShapeInstancer grid("Level_9", nullptr);
    grid.Setup();
    const size_t tiles = graphics->paintCells.size();
    if (tiles > record.m_data1.size() || grid.tileCells.size() != tiles ||
        grid.cellTiles.size() != size_t(grid.rows) * size_t(grid.columns) ||
        grid.cellTiles.size() > size_t(kMaxTilemapCells))
        std::abort();
    for (size_t k = 0; k < tiles; ++k)
        if (grid.cellTiles.at(size_t(grid.tileCells[k])) != int32_t(k)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    VXTilemapData record;
    std::string why;
    const bool ok = ParseTilemap(reinterpret_cast<const char*>(data), size, record, why);
    if (!ok && why.empty()) std::abort();  // a refusal always says why
    if (record.aabbIndices.size() != record.aabbSizes.size()) std::abort();
    for (const auto& quad : record.m_data1)
        for (float f : quad) CheckRoundTrip(f);
    for (const auto& quad : record.m_data2)
        for (float f : quad) CheckRoundTrip(f);
    for (const auto& size2 : record.aabbSizes) {
        CheckRoundTrip(size2.first);
        CheckRoundTrip(size2.second);
    }
    if (ok) CheckFloor(record);
    return 0;
}
