#include "graphics/VXShapeInstancer.h"

#include "core/VXAudioManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXTilemapData.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace FrameWork {

VXShapeInstancer* g_currentInstancer = nullptr;
VXSoundMap* g_instancerSoundMap = nullptr;
int32_t g_selectedTileSet = 0;
int32_t g_paintCell = 0;
void (*g_wallResponse)(GameObject* player) = nullptr;

namespace {

// Floor tiles are drawn 4 units wider than their cell so neighbours overlap;
// each paint quarter-tile is 54 units wide, 25 units off the tile's centre.
constexpr float kFloorTileSize = 104.0f;
constexpr float kQuarterSize = 54.0f;
constexpr float kQuarterOffset = 25.0f;
// Walls are sampled every 50 units, starting 25 units inside their edge.
constexpr float kWallStep = 50.0f;
// Layouts of a floor at most: each round after the first follows a skip
// that shrank the box, which a floor as edited needs once.
constexpr int kMostLayoutRounds = 32;

}  // namespace

void PlayInstancerCue(const char* name) {
    if (!g_instancerSoundMap) return;
    auto it = g_instancerSoundMap->find(name);
    if (it != g_instancerSoundMap->end()) it->second.Play();
}

VXShapeInstancer::VXShapeInstancer(std::string name, VXSoundMap* soundMap)
    : tilemapName(std::move(name)) {
    g_instancerSoundMap = soundMap;
    FillAutotileTables();
}

VXShapeInstancer::~VXShapeInstancer() {
    if (g_currentInstancer == this) g_currentInstancer = nullptr;
}

void VXShapeInstancer::Clear() {
    objectLists.clear();
    objectLists.shrink_to_fit();
    tilemapName.clear();
}

VXInstanceSet* VXShapeInstancer::FloorSet() const {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    auto it = graphics->tilemaps.find(tilemapName);
    return it == graphics->tilemaps.end() ? nullptr : graphics->FindInstanceSet(it->second._name);
}

VXInstanceSet* VXShapeInstancer::EditorSet() const {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    if (g_selectedTileSet < 0 ||
        static_cast<size_t>(g_selectedTileSet) >= graphics->tileSetNames.size())
        return nullptr;
    return graphics->FindInstanceSet(
        graphics->tileSetNames[static_cast<size_t>(g_selectedTileSet)]);
}

void VXShapeInstancer::CopyWallList(const std::vector<GameObject*>& walls) {
    if (objectLists.empty()) objectLists.emplace_back();
    objectLists[0] = walls;
}

void VXShapeInstancer::Setup() {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    // A new build replaces the previous one (the editor reloads its state).
    graphics->paintCells.clear();
    walkableCells = 0;
    rows = columns = 0;
    cellTiles.clear();
    tileCells.clear();

    auto it = graphics->tilemaps.find(tilemapName);
    if (it == graphics->tilemaps.end()) {
        std::printf(" -> Tile map %s is not loaded: the floor stays empty\n", tilemapName.c_str());
        return;
    }
    const VXTilemapData& record = it->second;
    VXInstanceSet* floor = graphics->FindInstanceSet(record._name);
    if (!floor) {
        std::printf(" -> Tile set %s is not loaded: the floor stays empty\n", record._name.c_str());
        return;
    }
    VXInstanceSet* paint = graphics->FindInstanceSet(kPaintSetName);
    if (!paint) std::printf(" -> Tile set %s is not loaded: no paint is drawn\n", kPaintSetName);

    const std::vector<size_t> placed = LayOutCells(record);
    floor->ClearInstances();
    if (paint) paint->ClearInstances();

    graphics->paintCells.reserve(placed.size());
    for (size_t i : placed) {
        const float x = record.m_data1[i][0];
        const float y = record.m_data1[i][1];
        floor->m_data1.push_back({x, y, kFloorTileSize, kFloorTileSize});
        floor->m_data2.push_back({1.0f, 1.0f, 1.0f, 1.0f});
        ++walkableCells;
        if (paint) {
            const float quarters[4][2] = {{x - kQuarterOffset, y + kQuarterOffset},
                                          {x + kQuarterOffset, y + kQuarterOffset},
                                          {x - kQuarterOffset, y - kQuarterOffset},
                                          {x + kQuarterOffset, y - kQuarterOffset}};
            for (const auto& q : quarters) {
                paint->m_data1.push_back({q[0], q[1], kQuarterSize, kQuarterSize});
                paint->m_data2.push_back({1.0f, 1.0f, 1.0f, 0.0f});
                paint->AddFrameIndex(0);
            }
        }
        graphics->paintCells.emplace_back();
    }
    floor->_count = static_cast<int32_t>(placed.size());
    if (paint) paint->_count = static_cast<int32_t>(placed.size() * 4);

    if (currentList >= 0 && static_cast<size_t>(currentList) < objectLists.size())
        for (GameObject* wall : objectLists[static_cast<size_t>(currentList)]) {
            VXAABB* box = wall ? wall->GetAABB() : nullptr;
            if (box)
                MarkWall(wall->position[0], wall->position[1], box->halfWidth, box->halfHeight);
        }

    // The atlas frames of the placed tiles, one each (the loader fits a
    // frame list of the wrong length to the tiles, and says so).
    const std::vector<int32_t>& frames = record.m_data3Index;
    const int32_t fill = frames.size() < record.m_data1.size() ? MostUsedFrame(frames) : 0;
    for (size_t i : placed) floor->AddFrameIndex(i < frames.size() ? frames[i] : fill);
}

void VXShapeInstancer::MarkWall(float ox, float oy, float halfWidth, float halfHeight) {
    if (!std::isfinite(ox) || !std::isfinite(oy) || !std::isfinite(halfWidth) ||
        !std::isfinite(halfHeight))
        return;
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    VXInstanceSet* floor = FloorSet();
    if (!floor || floor->m_data1.empty()) return;
    const float x0 = firstTileX;
    const float y0 = firstTileY;

    // Sample points beyond the grid mark nothing: start the walk at the
    // first sample near the grid, so a huge box costs no more than the grid.
    auto firstSample = [](float start, float low) {
        if (start >= low) return start;
        return low - std::fmod(low - start, kWallStep);
    };
    const float left = x0 - static_cast<float>(cellWidth);
    const float right = x0 + static_cast<float>(cellWidth) * static_cast<float>(columns + 1);
    const float bottom = y0 - static_cast<float>(cellHeight) * static_cast<float>(rows + 1);
    const float top = y0 + static_cast<float>(cellHeight);

    const float yEnd = std::fmin(oy + halfHeight + kQuarterOffset, top);
    const float xEnd = std::fmin(ox + halfWidth + kQuarterOffset, right);
    for (float y = firstSample(oy - halfHeight + kQuarterOffset, bottom); y < yEnd;
         y += kWallStep) {
        for (float x = firstSample(ox - halfWidth + kQuarterOffset, left); x < xEnd;
             x += kWallStep) {
            const float point[2] = {x, y};
            const int32_t c = SnapToGrid(point);
            if (c < 0 || static_cast<size_t>(c) >= graphics->paintCells.size()) continue;
            VXPaintCell& cell = graphics->paintCells[static_cast<size_t>(c)];
            if (!cell.wallBlocked) {
                cell.wallBlocked = 1;
                --walkableCells;
            }
        }
    }
}

int32_t VXShapeInstancer::SnapIndex(float x0, float y0, float x, float y, int32_t cellW,
                                    int32_t cellH, int32_t cols, int32_t rowCount) {
    if (cellW <= 0 || cellH <= 0 || cols <= 0 || rowCount <= 0) return -1;
    // Columns grow with x, rows as y falls; halves round away from zero.
    const float column = std::round((x - x0) / static_cast<float>(cellW));
    const float row = std::round((y0 - y) / static_cast<float>(cellH));
    if (!(column >= 0.0f && column < static_cast<float>(cols))) return -1;
    if (!(row >= 0.0f && row < static_cast<float>(rowCount))) return -1;
    return static_cast<int32_t>(row) * cols + static_cast<int32_t>(column);
}

namespace {

// The lines about skipped tiles of one floor: the first few in full, then
// how many more.
class SkipReport {
public:
    explicit SkipReport(std::string map) : map_(std::move(map)) {}
    ~SkipReport() {
        if (count_ > kShown)
            std::printf(" -> Tile map %s: %zu more tiles skipped\n", map_.c_str(), count_ - kShown);
    }
    SkipReport(const SkipReport&) = delete;
    SkipReport& operator=(const SkipReport&) = delete;
    void Skip(size_t tile, const std::string& why) {
        if (count_++ < kShown)
            std::printf(" -> Tile map %s: tile %zu %s; skipped\n", map_.c_str(), tile, why.c_str());
    }

private:
    static constexpr size_t kShown = 10;
    std::string map_;
    size_t count_ = 0;
};

std::string Coordinates(float x, float y) {
    char text[64];
    std::snprintf(text, sizeof text, "(%g, %g)", static_cast<double>(x), static_cast<double>(y));
    return text;
}

// The median of `values` (not empty), which it reorders.
double Median(std::vector<double>& values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

std::vector<size_t> VXShapeInstancer::LayOutCells(const VXTilemapData& record) {
    rows = columns = 0;
    cellTiles.clear();
    tileCells.clear();
    std::vector<size_t> placed;
    if (cellWidth <= 0 || cellHeight <= 0) return placed;
    SkipReport report(record.fileName.empty() ? tilemapName : record.fileName);

    // Tiles at a position that is not finite have no cell.
    std::vector<size_t> candidates;
    std::vector<std::pair<size_t, std::string>> skipped;
    for (size_t i = 0; i < record.m_data1.size(); ++i) {
        if (std::isfinite(record.m_data1[i][0]) && std::isfinite(record.m_data1[i][1]))
            candidates.push_back(i);
        else
            skipped.emplace_back(i, "is not at a finite position");
    }
    // The grid is laid out round the tiles it places: a tile skipped on the
    // way (a copy beside its original, one far outside) must not move it.
    // Laying out the placed tiles again skips no more of them unless the
    // smaller box shifts two of them onto one cell, so this ends in a few
    // rounds; the last one is the floor without the skipped tiles.
    for (int round = 0; round < kMostLayoutRounds; ++round) {
        placed = PlaceTiles(record, candidates, skipped);
        if (placed.size() == candidates.size() || placed.empty()) break;
        candidates = placed;  // in file order, as placed
    }
    std::sort(skipped.begin(), skipped.end());
    for (const auto& [tile, why] : skipped) report.Skip(tile, why);
    return placed;
}

std::vector<size_t> VXShapeInstancer::PlaceTiles(
    const VXTilemapData& record, const std::vector<size_t>& candidates,
    std::vector<std::pair<size_t, std::string>>& skipped) {
    rows = columns = 0;
    cellTiles.clear();
    tileCells.clear();
    std::vector<size_t> placed;
    if (candidates.empty()) return placed;
    const double w = cellWidth;
    const double h = cellHeight;
    const auto& tiles = record.m_data1;
    std::vector<double> xs, ys;
    for (size_t i : candidates) {
        xs.push_back(tiles[i][0]);
        ys.push_back(tiles[i][1]);
    }

    // From the middle of the floor outward, each tile widens the box round
    // the tiles kept before it; a tile that would stretch the box over more
    // than kMaxTilemapCells cells lies far outside the others.
    const double mx = Median(xs);
    const double my = Median(ys);
    auto away = [&](size_t i) {
        return std::fmax(std::fabs(tiles[i][0] - mx) / w, std::fabs(tiles[i][1] - my) / h);
    };
    std::vector<size_t> order = candidates;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return away(a) < away(b); });
    auto cellsOf = [&](double l, double r, double t, double b) {
        return (std::round((r - l) / w) + 1.0) * (std::round((t - b) / h) + 1.0);
    };
    std::vector<bool> inBox(tiles.size(), false);
    double left = tiles[order[0]][0], right = left;
    double top = tiles[order[0]][1], bottom = top;
    for (size_t i : order) {
        const double x = tiles[i][0];
        const double y = tiles[i][1];
        const double l = std::fmin(left, x), r = std::fmax(right, x);
        const double t = std::fmax(top, y), b = std::fmin(bottom, y);
        if (!(cellsOf(l, r, t, b) <= static_cast<double>(kMaxTilemapCells))) {
            skipped.emplace_back(
                i, "at " + Coordinates(tiles[i][0], tiles[i][1]) + " lies far outside the others");
            continue;
        }
        left = l, right = r, top = t, bottom = b;
        inBox[i] = true;
    }

    columns = static_cast<int32_t>(std::round((right - left) / w) + 1.0);
    rows = static_cast<int32_t>(std::round((top - bottom) / h) + 1.0);
    firstTileX = static_cast<float>(left);
    firstTileY = static_cast<float>(top);
    lastTileX = firstTileX + cellWidth * static_cast<float>(columns - 1);
    lastTileY = firstTileY - cellHeight * static_cast<float>(rows - 1);
    // Each cell holds the first tile (in file order) that lies on it.
    cellTiles.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), -1);
    for (size_t i : candidates) {
        if (!inBox[i]) continue;
        const int32_t cell = SnapIndex(firstTileX, firstTileY, tiles[i][0], tiles[i][1], cellWidth,
                                       cellHeight, columns, rows);
        if (cell < 0) continue;  // cannot happen: the box holds the tile
        int32_t& owner = cellTiles[static_cast<size_t>(cell)];
        if (owner >= 0) {
            skipped.emplace_back(
                i, "lies on tile " + std::to_string(placed[static_cast<size_t>(owner)]));
            continue;
        }
        owner = static_cast<int32_t>(placed.size());
        tileCells.push_back(cell);
        placed.push_back(i);
    }
    return placed;
}

int32_t VXShapeInstancer::SnapToGrid(const float* position) const {
    if (!position) return -1;
    const int32_t cell = SnapIndex(firstTileX, firstTileY, position[0], position[1], cellWidth,
                                   cellHeight, columns, rows);
    return cell < 0 || static_cast<size_t>(cell) >= cellTiles.size()
               ? -1
               : cellTiles[static_cast<size_t>(cell)];
}

int32_t VXShapeInstancer::NeighbourTile(int32_t tile, int32_t dRow, int32_t dCol) const {
    if (tile < 0 || static_cast<size_t>(tile) >= tileCells.size()) return -1;
    const int32_t cell = tileCells[static_cast<size_t>(tile)];
    if (cell < 0) return -1;
    const int64_t n = static_cast<int64_t>(cell) + static_cast<int64_t>(dRow) * columns + dCol;
    return n >= 0 && n < static_cast<int64_t>(cellTiles.size()) ? cellTiles[static_cast<size_t>(n)]
                                                                : -1;
}

void VXShapeInstancer::ReturnToFloor(GameObject* player) const {
    if (!player || !player->m_active || SnapToGrid(player->position) >= 0) return;
    const VXInstanceSet* floor = FloorSet();
    const std::vector<VXPaintCell>& cells = VXGraphicsManager::Instance()->paintCells;
    if (!floor) return;
    const float x = player->position[0];
    const float y = player->position[1];
    const Vec4f* nearest = nullptr;
    float best = 0.0f;
    for (size_t k = 0; k < floor->m_data1.size() && k < cells.size(); ++k) {
        if (cells[k].wallBlocked) continue;
        const Vec4f& tile = floor->m_data1[k];
        const float d = (tile[0] - x) * (tile[0] - x) + (tile[1] - y) * (tile[1] - y);
        if (!nearest || d < best) {
            nearest = &tile;
            best = d;
        }
    }
    if (!nearest) return;
    player->position[0] = (*nearest)[0];
    player->position[1] = (*nearest)[1];
    if (auto* body = static_cast<VXRigidBody*>(player->GetComponent(CT_RigidBody))) {
        body->Velocity = Vec3();
        body->Position = Vec3(player->position[0], player->position[1], 0.0f);
    }
}

void VXShapeInstancer::WallHit(GameObject* a, GameObject* b, GameObject* c, GameObject* d) {
    if (currentList < 0 || static_cast<size_t>(currentList) >= objectLists.size()) return;
    GameObject* const players[4] = {a, b, c, d};
    for (GameObject* player : players) ReturnToFloor(player);
    for (GameObject* wall : objectLists[static_cast<size_t>(currentList)]) {
        VXAABB* wallBox = wall ? wall->GetAABB() : nullptr;
        if (!wallBox) continue;
        for (GameObject* player : players) {
            VXAABB* box = player ? player->GetAABB() : nullptr;
            if (!box || !VXPhysicsManager::CollideAABB(box, wallBox)) continue;
            if (g_wallResponse) g_wallResponse(player);
        }
    }
}

bool VXShapeInstancer::EditorCell(float x, float y, float& cx, float& cy, size_t& found) const {
    VXInstanceSet* set = EditorSet();
    if (!set || cellWidth <= 0 || cellHeight <= 0) return false;
    // The cursor's y grows downward; world y grows upward.
    const float w = static_cast<float>(cellWidth);
    const float h = static_cast<float>(cellHeight);
    const float hx = static_cast<float>(x < 0.0f ? -(cellWidth / 2) : cellWidth / 2);
    const float hy = static_cast<float>(y < 0.0f ? -(cellHeight / 2) : cellHeight / 2);
    cx = std::trunc(x / w) * w + hx;
    cy = -(std::trunc(y / h) * h) - hy;
    if (!std::isfinite(cx) || !std::isfinite(cy)) return false;
    found = set->m_data1.size();
    for (size_t k = 0; k < set->m_data1.size(); ++k)
        if (std::trunc(set->m_data1[k][0]) == std::trunc(cx) &&
            std::trunc(set->m_data1[k][1]) == std::trunc(cy)) {
            found = k;
            break;
        }
    return true;
}

void VXShapeInstancer::PaintTileCell(float x, float y, bool repaint) {
    float cx = 0.0f, cy = 0.0f;
    size_t found = 0;
    if (!EditorCell(x, y, cx, cy, found)) return;
    VXInstanceSet* set = EditorSet();
    if (found < set->m_data1.size()) {
        if (!repaint) return;
        if (found < set->m_data3Index.size()) set->m_data3Index[found] = g_paintCell;
        if (found < set->texOffsets.size()) set->texOffsets[found] = set->FrameOffset(g_paintCell);
        return;
    }
    ++set->_count;
    set->m_data1.push_back({cx, cy, static_cast<float>(cellWidth), static_cast<float>(cellHeight)});
    set->m_data2.push_back({1.0f, 1.0f, 1.0f, 1.0f});
    set->AddFrameIndex(g_paintCell);
}

void VXShapeInstancer::EraseTileCell(float x, float y) {
    float cx = 0.0f, cy = 0.0f;
    size_t k = 0;
    if (!EditorCell(x, y, cx, cy, k)) return;
    VXInstanceSet* set = EditorSet();
    if (k >= set->m_data1.size()) return;
    const auto at = static_cast<std::ptrdiff_t>(k);
    if (set->_count > 0) --set->_count;
    set->m_data1.erase(set->m_data1.begin() + at);
    if (set->m_default2 && k < set->m_data2.size()) set->m_data2.erase(set->m_data2.begin() + at);
    if (set->m_default3) {
        if (k < set->texOffsets.size()) set->texOffsets.erase(set->texOffsets.begin() + at);
        if (k < set->m_data3Index.size()) set->m_data3Index.erase(set->m_data3Index.begin() + at);
    }
}

bool VXShapeInstancer::Save(int32_t, int32_t rowCount, int32_t columnCount, int32_t number,
                            const std::string& prefix) {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    std::vector<VXInstanceSet*> sets;
    std::vector<std::vector<VXTilemapWall>> walls;
    for (size_t k = 0; k < graphics->instanceSets.size(); ++k) {
        VXInstanceSet* set = graphics->instanceSets[k].get();
        sets.push_back(set);
        walls.emplace_back();
        if (k >= objectLists.size()) continue;
        const std::vector<GameObject*>& list = objectLists[k];
        const size_t count = set->_count > 0 ? static_cast<size_t>(set->_count) : 0;
        for (size_t j = 0; j < count && j < list.size(); ++j) {
            VXAABB* box = list[j] ? list[j]->GetAABB() : nullptr;
            if (box) walls.back().push_back({list[j]->g_name, box->halfWidth, box->halfHeight});
        }
    }
    return WriteTilemapFile(prefix + std::to_string(number) + ".json", rowCount, columnCount, sets,
                            walls);
}

std::string VXShapeInstancer::GetName() {
    return g_currentInstancer ? g_currentInstancer->tilemapName : std::string();
}

void VXShapeInstancer::ClearInstanceData() {
    for (auto& set : VXGraphicsManager::Instance()->instanceSets) set->ClearInstances();
}

}  // namespace FrameWork
