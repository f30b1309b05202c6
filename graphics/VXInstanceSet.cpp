// The in-memory side of an instance set: frame table, per-instance lists,
// row sort and the set's part of the tile-map file.  The GL side (buffers,
// texture, draw) is in VXInstanceSetDraw.cpp.
#include "graphics/VXInstanceSet.h"

#include "graphics/VXJsonNumbers.h"
#include "graphics/VXSheetTexture.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace FrameWork {

VXInstanceSet::VXInstanceSet(const char* name, int32_t depth)
    : _depth(depth), _name(name ? name : "") {}

void VXInstanceSet::ComputeFrames(int32_t rows, int32_t columns) {
    frameTable.clear();
    for (const VXFrameOffset& cell : SheetCellOffsets(columns, rows))
        frameTable.push_back({cell.u, cell.v});
}

Vec2f VXInstanceSet::FrameOffset(int32_t cell) const {
    if (cell < 0 || static_cast<size_t>(cell) >= frameTable.size()) return {0.0f, 0.0f};
    return frameTable[static_cast<size_t>(cell)];
}

void VXInstanceSet::AddFrameIndex(int32_t cell) {
    m_data3Index.push_back(cell);
    texOffsets.push_back(FrameOffset(cell));
}

void VXInstanceSet::ClearInstances() {
    m_data1.clear();
    m_data2.clear();
    texOffsets.clear();
    m_data3Index.clear();
    _count = 0;
}

namespace {

// Reorders `list` by `order` when it runs parallel to the positions.
template <class T>
void Permute(std::vector<T>& list, const std::vector<size_t>& order) {
    if (list.size() != order.size()) return;
    std::vector<T> sorted;
    sorted.reserve(list.size());
    for (size_t k : order) sorted.push_back(list[k]);
    list.swap(sorted);
}

}  // namespace

void VXInstanceSet::SortInstances() {
    std::vector<size_t> order(m_data1.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // Rows top to bottom (y descending), each row left to right.  A NaN
    // coordinate sorts as the lowest value so the order stays well defined.
    auto key = [](float f) { return std::isnan(f) ? -HUGE_VALF : f; };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const float ya = key(m_data1[a][1]);
        const float yb = key(m_data1[b][1]);
        if (ya != yb) return ya > yb;
        return key(m_data1[a][0]) < key(m_data1[b][0]);
    });
    Permute(m_data2, order);
    Permute(texOffsets, order);
    Permute(m_data3Index, order);
    Permute(m_data1, order);
}

void VXInstanceSet::WriteJson(rapidjson::PrettyWriter<rapidjson::StringBuffer>& writer,
                              const std::string&, int32_t) {
    SortInstances();
    writer.Key("_name");
    writer.String(_name.c_str());
    writer.Key("_texColumns");
    writer.Int(_texColumns);
    writer.Key("_texRows");
    writer.Int(_texRows);
    writer.Key("_count");
    writer.Int(_count);
    writer.Key("_depth");
    writer.Int(_depth);
    writer.Key("m_default1");
    writer.Bool(m_default1 != 0);
    writer.Key("m_default2");
    writer.Bool(m_default2 != 0);
    writer.Key("m_default3");
    writer.Bool(m_default3 != 0);

    std::vector<std::string> numbers;
    numbers.reserve(m_data1.size() * 4);
    for (const Vec4f& p : m_data1)
        for (float f : p) numbers.push_back(FloatText(f));
    WriteRawArray(writer, "m_data1", numbers, 20);

    numbers.clear();
    for (const Vec4f& c : m_data2)
        for (float f : c) numbers.push_back(FloatText(f));
    WriteRawArray(writer, "m_data2", numbers, 20);

    numbers.clear();
    for (int32_t cell : m_data3Index) numbers.push_back(std::to_string(cell));
    WriteRawArray(writer, "m_data3Index", numbers, 10);
}

}  // namespace FrameWork
