// libFuzzer target for the tile-map reader: any bytes must parse or be
// refused without a crash, and every number it reads must survive the
// writer's number text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "graphics/VXJsonNumbers.h"
#include "graphics/VXTilemapData.h"

using namespace FrameWork;

namespace {

void CheckRoundTrip(float value) {
    const std::string text = FloatText(value);
    const float back = std::strtof(text.c_str(), nullptr);
    if (back != value && !(value == 0.0f && back == 0.0f)) std::abort();
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
    return 0;
}
