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
#include <set>
#include <tuple>
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
// A tile beyond an empty run this many cells long (or as long as the floor
// is wide, when that is more) lies far outside the floor.
constexpr double kFarGap = 32.0;
// A tile more than this share of a cell from the grid's nearest cell centre
// is off the grid.
constexpr double kOffGrid = 0.01;

// Gives the floor set its tiles' frames (tile n is paint cell n).  A frame
// outside the set's sheet would draw as its first cell, the open ground,
// so a hedge would vanish while its wall still blocks: such a tile keeps
// its number (a save writes it back) but is drawn with the frame the
// sheet's tiles of its kind use most, under a wall or open; under a wall
// with no such frame, the sheet's last cell, where the sheets keep their
// blocks.  Named in one line: how many tiles, which numbers.
void AddTileFrames(VXInstanceSet& floor, const std::vector<int32_t>& frames,
                   const std::vector<VXPaintCell>& cells, const std::string& map) {
    const size_t sheet = floor.frameTable.size();
    auto walled = [&](size_t n) { return n < cells.size() && cells[n].wallBlocked ? 1 : 0; };
    auto inSheet = [&](int32_t f) {
        return sheet == 0 || (f >= 0 && static_cast<size_t>(f) < sheet);
    };
    std::vector<int32_t> good[2];
    std::set<int32_t> bad;
    size_t badTiles[2] = {0, 0};
    for (size_t n = 0; n < frames.size(); ++n) {
        if (inSheet(frames[n]))
            good[walled(n)].push_back(frames[n]);
        else
            bad.insert(frames[n]), ++badTiles[walled(n)];
    }
    const int32_t shown[2] = {MostUsedFrame(good[0]), good[1].empty()
                                                          ? static_cast<int32_t>(sheet) - 1
                                                          : MostUsedFrame(good[1])};
    for (size_t n = 0; n < frames.size(); ++n) {
        floor.m_data3Index.push_back(frames[n]);
        floor.texOffsets.push_back(
            floor.FrameOffset(inSheet(frames[n]) ? frames[n] : shown[walled(n)]));
    }
    if (bad.empty()) return;
    std::string numbers;
    size_t listed = 0;
    for (int32_t f : bad) {
        if (listed == 5) break;
        numbers += (listed++ ? ", " : "") + std::to_string(f);
    }
    if (bad.size() > listed) numbers += " and " + std::to_string(bad.size() - listed) + " more";
    std::string drawn;
    if (badTiles[1] > 0) drawn = "frame " + std::to_string(shown[1]) + " under walls";
    if (badTiles[0] > 0)
        drawn += (drawn.empty() ? "frame " : " and frame ") + std::to_string(shown[0]) +
                 (badTiles[1] > 0 ? " elsewhere" : "");
    const size_t count = badTiles[0] + badTiles[1];
    std::printf(" -> Tile map %s: %zu %s outside the %zu of %s (%s); drawn with %s\n", map.c_str(),
                count, count == 1 ? "tile has a frame" : "tiles have frames", sheet,
                floor._name.c_str(), numbers.c_str(), drawn.c_str());
}

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
    std::vector<int32_t> tileFrames;
    for (size_t i : placed) tileFrames.push_back(i < frames.size() ? frames[i] : fill);
    AddTileFrames(*floor, tileFrames, graphics->paintCells,
                  record.fileName.empty() ? tilemapName : record.fileName);
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

// The lines about the tiles of one floor that are skipped or off the grid:
// the first few in full, in tile order, then how many more.
class SkipReport {
public:
    explicit SkipReport(std::string map) : map_(std::move(map)) {}
    ~SkipReport() {
        std::sort(lines_.begin(), lines_.end());
        size_t more[2] = {0, 0};
        for (size_t k = 0; k < lines_.size(); ++k) {
            const auto& [tile, why, skipped] = lines_[k];
            if (k < kShown)
                std::printf(" -> Tile map %s: tile %zu %s%s\n", map_.c_str(), tile, why.c_str(),
                            skipped ? "; skipped" : "");
            else
                ++more[skipped ? 1 : 0];
        }
        if (more[1] > 0)
            std::printf(" -> Tile map %s: %zu more tiles skipped\n", map_.c_str(), more[1]);
        if (more[0] > 0)
            std::printf(" -> Tile map %s: %zu more tiles off the grid\n", map_.c_str(), more[0]);
    }
    SkipReport(const SkipReport&) = delete;
    SkipReport& operator=(const SkipReport&) = delete;
    void Skip(size_t tile, std::string why) { lines_.emplace_back(tile, std::move(why), true); }
    void Name(size_t tile, std::string why) { lines_.emplace_back(tile, std::move(why), false); }

private:
    static constexpr size_t kShown = 10;
    std::string map_;
    std::vector<std::tuple<size_t, std::string, bool>> lines_;
};

std::string Coordinates(double x, double y) {
    char text[64];
    std::snprintf(text, sizeof text, "(%g, %g)", x, y);
    return text;
}

// The median of `values` (not empty), which it reorders.
double Median(std::vector<double>& values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The floor's stretch along one axis, in whole cells (lowest, highest): from
// the median tile outward, each next occupied cell joins when the empty run
// before it is no longer than the stretch so far (or kFarGap, for a small
// floor) and the stretch stays under kMaxTilemapSide; the side with the
// shorter run first.  Holes and rooms a few cells apart stay; a tile beyond
// a longer run lies far outside the floor.  Depends on the values only, not
// on their order.
std::pair<double, double> FloorStretch(std::vector<double> cells) {
    const double median = Median(cells);
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    size_t lo =
        static_cast<size_t>(std::lower_bound(cells.begin(), cells.end(), median) - cells.begin());
    size_t hi = lo;
    const double inf = HUGE_VAL;
    for (;;) {
        const double allowed = std::fmax(cells[hi] - cells[lo] + 1.0, kFarGap);
        const double down = lo > 0 ? cells[lo] - cells[lo - 1] - 1.0 : inf;
        const double up = hi + 1 < cells.size() ? cells[hi + 1] - cells[hi] - 1.0 : inf;
        const bool downFirst = down <= up;
        bool grown = false;
        for (int side = 0; side < 2 && !grown; ++side) {
            const bool goDown = (side == 0) == downFirst;
            if (!((goDown ? down : up) <= allowed)) continue;
            const double low = goDown ? cells[lo - 1] : cells[lo];
            const double high = goDown ? cells[hi] : cells[hi + 1];
            if (high - low + 1.0 >= static_cast<double>(kMaxTilemapSide)) continue;
            goDown ? --lo : ++hi;
            grown = true;
        }
        if (!grown) return {cells[lo], cells[hi]};
    }
}

// Where the grid lines lie along one axis: the offset from a multiple of the
// cell size that most tiles share (the smallest of a tie), in [0, size).
double SharedPhase(const std::vector<double>& positions, double size) {
    std::vector<double> phases;
    for (double p : positions) {
        double phase = p - size * std::floor(p / size);
        if (!(phase < size)) phase = 0.0;
        phases.push_back(phase);
    }
    std::sort(phases.begin(), phases.end());
    double best = phases.empty() ? 0.0 : phases[0];
    size_t most = 0;
    for (size_t k = 0; k < phases.size();) {
        size_t next = k;
        while (next < phases.size() && phases[next] == phases[k]) ++next;
        if (next - k > most) best = phases[k], most = next - k;
        k = next;
    }
    return best;
}

}  // namespace

std::vector<size_t> VXShapeInstancer::LayOutCells(const VXTilemapData& record) {
    rows = columns = 0;
    cellTiles.clear();
    tileCells.clear();
    std::vector<size_t> placed;
    if (cellWidth <= 0 || cellHeight <= 0) return placed;
    SkipReport report(record.fileName.empty() ? tilemapName : record.fileName);
    const auto& tiles = record.m_data1;
    const double w = cellWidth;
    const double h = cellHeight;

    // Tiles at a position that is not finite have no cell; one beyond a long
    // empty run from the rest of the floor lies far outside it.
    std::vector<size_t> finite;
    std::vector<double> xs, ys;
    for (size_t i = 0; i < tiles.size(); ++i) {
        if (!std::isfinite(tiles[i][0]) || !std::isfinite(tiles[i][1])) {
            report.Skip(i, "is not at a finite position");
            continue;
        }
        finite.push_back(i);
        xs.push_back(std::floor(tiles[i][0] / w + 0.5));
        ys.push_back(std::floor(tiles[i][1] / h + 0.5));
    }
    std::vector<size_t> near;
    if (!finite.empty()) {
        const auto [left, right] = FloorStretch(xs);
        const auto [bottom, top] = FloorStretch(ys);
        for (size_t k = 0; k < finite.size(); ++k) {
            const size_t i = finite[k];
            if (xs[k] >= left && xs[k] <= right && ys[k] >= bottom && ys[k] <= top)
                near.push_back(i);
            else
                report.Skip(i, "at " + Coordinates(tiles[i][0], tiles[i][1]) +
                                   " lies far outside the others");
        }
    }

    // The grid lines are the ones most tiles lie on, whatever their order.
    // Each tile takes the cell nearest to it (a tile halfway between two
    // takes the one to the right and below, as SnapToGrid does); of tiles on
    // one cell the one nearest its centre stays (the first listed of tiles
    // at one place).
    xs.clear();
    ys.clear();
    for (size_t i : near) {
        xs.push_back(tiles[i][0]);
        ys.push_back(tiles[i][1]);
    }
    const double ax = SharedPhase(xs, w);
    const double ay = SharedPhase(ys, h);
    std::vector<double> cx, cy;  // grid lines from (ax, ay); rows grow as y falls
    double minX = HUGE_VAL, maxY = -HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL;
    for (size_t k = 0; k < near.size(); ++k) {
        cx.push_back(std::floor((xs[k] - ax) / w + 0.5));
        cy.push_back(std::ceil((ys[k] - ay) / h - 0.5));
        minX = std::fmin(minX, cx[k]), maxX = std::fmax(maxX, cx[k]);
        minY = std::fmin(minY, cy[k]), maxY = std::fmax(maxY, cy[k]);
    }
    if (near.empty()) return placed;
    columns = static_cast<int32_t>(maxX - minX + 1.0);
    rows = static_cast<int32_t>(maxY - minY + 1.0);
    firstTileX = static_cast<float>(ax + w * minX);
    firstTileY = static_cast<float>(ay + h * maxY);
    lastTileX = firstTileX + cellWidth * static_cast<float>(columns - 1);
    lastTileY = firstTileY - cellHeight * static_cast<float>(rows - 1);

    std::vector<size_t> cellOf(near.size());
    std::vector<double> dx(near.size()), dy(near.size());  // from the cell's centre
    const auto offGrid = [&](size_t k) { return dx[k] * dx[k] + dy[k] * dy[k]; };
    std::vector<size_t> owner(static_cast<size_t>(columns) * static_cast<size_t>(rows),
                              near.size());
    for (size_t k = 0; k < near.size(); ++k) {
        cellOf[k] = static_cast<size_t>(maxY - cy[k]) * static_cast<size_t>(columns) +
                    static_cast<size_t>(cx[k] - minX);
        dx[k] = xs[k] - (ax + w * cx[k]);
        dy[k] = ys[k] - (ay + h * cy[k]);
        size_t& first = owner[cellOf[k]];
        if (first == near.size() || offGrid(k) < offGrid(first)) first = k;
    }
    cellTiles.assign(owner.size(), -1);
    for (size_t k = 0; k < near.size(); ++k) {
        const size_t cell = cellOf[k];
        if (owner[cell] != k) {
            report.Skip(near[k], "lies on tile " + std::to_string(near[owner[cell]]));
            continue;
        }
        cellTiles[cell] = static_cast<int32_t>(placed.size());
        tileCells.push_back(static_cast<int32_t>(cell));
        placed.push_back(near[k]);
        if (std::fabs(dx[k]) > kOffGrid * w || std::fabs(dy[k]) > kOffGrid * h)
            report.Name(near[k], "at " + Coordinates(xs[k], ys[k]) +
                                     " is off the grid of the others; it takes the cell at " +
                                     Coordinates(ax + w * cx[k], ay + h * cy[k]));
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
