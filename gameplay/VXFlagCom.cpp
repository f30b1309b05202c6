#include "gameplay/VXFlagCom.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "core/GameState.h"
#include "core/Message.h"
#include "core/VXAudioManager.h"
#include "core/VXFrameContext.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXSkillParts.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"

namespace FrameWork {

namespace {

constexpr float kStepSeconds = 0.08f;
constexpr float kHoldSeconds = 20.0f;
constexpr float kOrnamentTurn = 0.5f;
constexpr float kCaptureTint = 0.8f;
// More cells than a capture box could ever need, and still an int.
constexpr int32_t kMostCells = 1 << 30;
// Cells walked round one tile centre along a side of a box: more than a
// float position can step across the two units a walk covers.
constexpr int32_t kMostWalked = 1 << 26;
// Cells held one by one in the cell list, at most.
constexpr uint64_t kMostCollected = uint64_t{1} << 22;

VXInstanceSet* ShapeSet(int32_t shape) {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    if (shape < 0 || static_cast<size_t>(shape) >= graphics->tileSetNames.size()) return nullptr;
    return graphics->FindInstanceSet(graphics->tileSetNames[static_cast<size_t>(shape)]);
}

void HideOrnaments(GameObject* flag) {
    if (VXSpriteComponent* marker = ChildSpriteOf(flag, 0)) {
        marker->alpha = 0.0f;
        marker->active = 0;
        marker->playing = false;
    }
    for (size_t k : {1, 2})
        if (VXSpriteComponent* ornament = ChildSpriteOf(flag, k)) {
            ornament->fadeOut = true;
            ornament->fadeIn = false;
        }
}

// A coordinate truncated to whole units (finite values only).
int64_t Whole(float v) {
    return static_cast<int64_t>(std::trunc(static_cast<double>(v)));
}

// One run of cells along a side of a capture box: `count` cells in a row
// whose centres truncate to `value`.
struct CentreRun {
    int64_t value;
    uint64_t count;
};

// The cells along one side of a capture box, `count` cells of `size` from
// `start`, whose centres truncate to one of `shared`, as runs in order.
// Each centre is the one before plus the size, kept as f32, from start -
// size / 2.  Only the cells round each shared value are walked (from a cell
// a unit short of it, reached in one step), so the work goes by the tiles,
// not by the cells' size; `stalled` tells cells too small for a float
// position to move on.
std::vector<CentreRun> SharedRuns(float start, float size, int32_t count,
                                  const std::set<int64_t>& shared, bool& stalled) {
    std::vector<CentreRun> out;
    int32_t k = 0;
    float centre = start - size * 0.5f;
    for (const int64_t value : shared) {
        if (k >= count || stalled) break;
        // A cell a unit short of the centres that truncate to the value.
        const double below = static_cast<double>(value > 0 ? value : value - 1) - 1.0;
        const double jump = std::floor((below - start) / size - 0.5);
        if (jump >= static_cast<double>(count)) break;
        if (jump > static_cast<double>(k)) {
            k = static_cast<int32_t>(jump);
            centre = start - size * 0.5f + size * static_cast<float>(k);
        }
        uint64_t run = 0;
        for (int32_t walked = 0; k < count && walked < kMostWalked; ++walked) {
            const float before = centre;
            const float next = centre + size;
            if (next == before) {
                stalled = true;
                break;
            }
            if (!std::isfinite(next) || Whole(next) > value) break;
            centre = next;
            ++k;
            if (Whole(centre) == value) ++run;
        }
        if (run > 0) out.push_back({value, run});
    }
    return out;
}

// a + b, held at the largest count.
uint64_t AddCells(uint64_t a, uint64_t b) {
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

uint64_t TimesCells(uint64_t a, uint64_t b) {
    return b != 0 && a > UINT64_MAX / b ? UINT64_MAX : a * b;
}

// A count of cells: truncated, and never more than `cap`.
int32_t CellsAcross(float count, int32_t cap) {
    if (!std::isfinite(count) || count < 1.0f) return 0;
    return static_cast<int32_t>(std::min(count, static_cast<float>(cap)));
}

// Why a capture box of `columns` x `rows` cells from (x, y) found no tile:
// no tile centre lies in the box, or its cells' size misses them.
std::string WhyNoCell(float x, float y, float cellWidth, float cellHeight, float columns,
                      float rows, const std::map<std::pair<int64_t, int64_t>, size_t>& tileAt) {
    char size[64];
    std::snprintf(size, sizeof size, "cell size %g x %g", static_cast<double>(cellWidth),
                  static_cast<double>(cellHeight));
    if (CellsAcross(columns, kMostCells) == 0 || CellsAcross(rows, kMostCells) == 0)
        return std::string(size) + ": larger than the flag's box";
    // The box the cells span, however many there are.
    const double right = x + static_cast<double>(cellWidth) * std::floor(columns);
    const double top = y + static_cast<double>(cellHeight) * std::floor(rows);
    for (const auto& tile : tileAt) {
        const auto [tx, ty] = tile.first;
        if (tx < std::floor(x) || tx > right || ty < std::floor(y) || ty > top) continue;
        // Cells too small for a float position to move from one to the next.
        const float fx = static_cast<float>(tx), fy = static_cast<float>(ty);
        if (fx + cellWidth == fx || fy + cellHeight == fy)
            return std::string(size) + ": too small to step from cell to cell at the flag's place";
        return std::string(size) + ": no cell centre lies on a tile's";
    }
    return "no tile under it";
}

}  // namespace

void VXFlagCom::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXFlagCom");
    writer.StartArray();
    writer.EndArray();
}

void VXFlagCom::HandleMessage(Message* message) {
    if (message && message->type == MSG_BOMB_INIT)
        grid = static_cast<MsgBombInit*>(message)->grid;
    else
        Component::HandleMessage(message);
}

void VXFlagCom::SetCaptureArea(float x, float y, float cellWidth, float cellHeight, int32_t shape,
                               std::map<std::string, SoundCue>* sounds, float columns, float rows) {
    shapeIndex = shape;
    soundMap = sounds;
    cellPositions.clear();
    cellBlocks.clear();
    cellTotal = 0;
    cellsVisited = 0;
    const std::string name = owner ? owner->g_name : std::string();
    const bool sizesOk = std::isfinite(cellWidth) && cellWidth > 0.0f &&
                         std::isfinite(cellHeight) && cellHeight > 0.0f && std::isfinite(x) &&
                         std::isfinite(y);
    VXInstanceSet* set = ShapeSet(shape);
    const VXShapeInstancer* floor = grid ? grid : g_currentInstancer;
    const char* noArea = !sizesOk               ? "cell size not finite and positive"
                         : !set                 ? "no such tile set"
                         : !floor               ? "no floor grid"
                         : set->m_data1.empty() ? "the tile set is empty"
                                                : nullptr;
    if (noArea) {
        std::printf(" -> Flag \"%s\" has no capture area (%s)\n", name.c_str(), noArea);
        HideOrnaments(owner);
        return;
    }
    // Each cell takes the first tile whose centre is the cell's, both
    // truncated to whole units.  The tiles are looked up by that key, and
    // only the rows and columns whose centres a tile shares are visited,
    // whatever the cells' size.
    std::map<std::pair<int64_t, int64_t>, size_t> tileAt;
    std::set<int64_t> tileXs, tileYs;
    for (size_t k = 0; k < set->m_data1.size(); ++k) {
        const auto& at = set->m_data1[k];
        if (!std::isfinite(at[0]) || !std::isfinite(at[1])) continue;
        const std::pair<int64_t, int64_t> key(Whole(at[0]), Whole(at[1]));
        tileAt.emplace(key, k);
        tileXs.insert(key.first);
        tileYs.insert(key.second);
    }
    bool stalled = false;
    const std::vector<CentreRun> across =
        SharedRuns(x, cellWidth, CellsAcross(columns, kMostCells), tileXs, stalled);
    const std::vector<CentreRun> down =
        SharedRuns(y, cellHeight, CellsAcross(rows, kMostCells), tileYs, stalled);

    // Rows whose centres share a tile row repeat one pattern of tiles: a
    // block of them, however many cells that makes.
    std::vector<VXPaintCell>& paint = VXGraphicsManager::Instance()->paintCells;
    std::set<int> tiles;
    for (const CentreRun& row : down) {
        CellBlock block;
        block.rows = row.count;
        for (const CentreRun& column : across) {
            ++cellsVisited;
            auto found = tileAt.find({column.value, row.value});
            if (found == tileAt.end()) continue;
            const size_t index = found->second;
            if (index < paint.size()) {
                paint[index].blocked = 1;
                paint[index].wallBlocked = 1;
                paint[index].flagCell = 1;
            }
            tiles.insert(static_cast<int>(index));
            block.tiles.push_back({static_cast<int>(index), set->m_data1[index][0],
                                   set->m_data1[index][1], column.count});
            block.width = AddCells(block.width, column.count);
        }
        if (block.tiles.empty()) continue;
        cellTotal = AddCells(cellTotal, TimesCells(block.rows, block.width));
        cellBlocks.push_back(std::move(block));
    }
    // The cells one by one, while there are few enough to hold.
    if (cellTotal <= kMostCollected)
        for (const CellBlock& block : cellBlocks)
            for (uint64_t r = 0; r < block.rows; ++r)
                for (const CellTile& tile : block.tiles)
                    for (uint64_t n = 0; n < tile.count; ++n) {
                        cellList.push_back(tile.index);
                        cellPositions.emplace_back(tile.x, tile.y);
                    }
    if (cellTotal == 0)
        std::printf(" -> Flag \"%s\" has no capture cell (%s)\n", name.c_str(),
                    WhyNoCell(x, y, cellWidth, cellHeight, columns, rows, tileAt).c_str());
    // Cells under a unit wide fall on a tile many times over, and each
    // takes a capture step of its own.
    if (cellTotal > tiles.size())
        std::printf(
            " -> Flag \"%s\" takes %llu steps (%.0f s alone on it) to capture: its %llu "
            "cells of %g x %g fall on %zu tiles\n",
            name.c_str(), static_cast<unsigned long long>(cellTotal),
            static_cast<double>(cellTotal) * kStepSeconds,
            static_cast<unsigned long long>(cellTotal), static_cast<double>(cellWidth),
            static_cast<double>(cellHeight), tiles.size());
    HideOrnaments(owner);
}

void VXFlagCom::AddPlayer(GameObject* player) {
    if (player) playersOnFlag.emplace(player->g_name, player);
}

void VXFlagCom::RemovePlayer(GameObject* player) {
    if (player) playersOnFlag.erase(player->g_name);
}

uint32_t VXFlagCom::CellCount() const {
    return static_cast<uint32_t>(std::min<uint64_t>(cellTotal, UINT32_MAX));
}

const VXFlagCom::CellTile& VXFlagCom::CellAt(uint32_t k) const {
    uint64_t rest = k;
    for (const CellBlock& block : cellBlocks) {
        const uint64_t cells = TimesCells(block.rows, block.width);
        if (rest >= cells) {
            rest -= cells;
            continue;
        }
        rest %= block.width;
        for (const CellTile& tile : block.tiles) {
            if (rest < tile.count) return tile;
            rest -= tile.count;
        }
    }
    return cellBlocks.back().tiles.back();
}

void VXFlagCom::Update(float) {
    if (!owner || FrameContext().currentState == GameState::LevelEditor) return;
    // A flag whose area matched no tile stays as it is.
    if (CellCount() == 0) return;
    if (progress >= CellCount()) progress = CellCount() - 1;

    if (playersOnFlag.empty()) {
        if (captured)
            SpreadOwnerPaint();
        else
            UpdateIdle();
    } else if (playersOnFlag.size() == 1) {
        if (const VXPlayerLogic* logic = LogicOf(playersOnFlag.begin()->second))
            CaptureStep(logic->team);
    }
    if (captured && owner->children.size() >= 3) {
        if (GameObject* a = owner->children[1]) a->rotation[2] += kOrnamentTurn;
        if (GameObject* b = owner->children[2]) b->rotation[2] -= kOrnamentTurn;
    }
}

void VXFlagCom::PaintCell(uint32_t k, int32_t team) {
    const CellTile& cell = CellAt(k);
    const int index = cell.index;
    if (VXInstanceSet* set = ShapeSet(shapeIndex))
        if (index >= 0 && static_cast<size_t>(index) < set->m_data2.size()) {
            const float tint = team == 0 ? 1.0f : kCaptureTint;
            auto& colour = set->m_data2[static_cast<size_t>(index)];
            colour[0] = colour[1] = colour[2] = tint;
        }
    StrokeWithPainter(cell.x, cell.y, team, kFlagPainterType);
}

void VXFlagCom::CountDown() {
    if (tick > 0.0f) tick -= FrameContext().frameTime;
}

void VXFlagCom::CaptureStep(int32_t team) {
    const uint32_t count = CellCount();
    if (count == 0) return;
    if (captured) {
        if (ownerTeam == team)
            SpreadOwnerPaint();
        else
            UpdateIdle();
        return;
    }
    if (paintingTeam != 0 && paintingTeam != team) {
        UpdateIdle();
        return;
    }
    if (tick <= 0.0f && progress < count) {
        PaintCell(progress, team);
        ++progress;
        paintingTeam = team;
        tick = kStepSeconds;
    }
    if (progress >= count) {
        captured = 1;
        progress = count - 1;
        ShowOwner(paintingTeam);
        ownerTeam = team;
        tick = kStepSeconds;
        holdTime = kHoldSeconds;
        HidePainter();
        if (soundMap) {
            auto cue = soundMap->find("FlagCaptured");
            if (cue != soundMap->end()) cue->second.Play();
        }
    }
    CountDown();
}

void VXFlagCom::ShowOwner(int32_t team) {
    PlayRow(SpriteOf(owner), team);
    if (VXSpriteComponent* marker = ChildSpriteOf(owner, 0)) {
        marker->active = 1;
        marker->alpha = 1.0f;
        PlayRow(marker, 0);
    }
    for (size_t k : {1, 2})
        if (VXSpriteComponent* ornament = ChildSpriteOf(owner, k)) {
            PlayRow(ornament, team - 1);
            ornament->fadeIn = true;
        }
}

void VXFlagCom::SpreadOwnerPaint() {
    const uint32_t count = CellCount();
    if (count == 0) return;
    if (progress < count && tick <= 0.0f) {
        PaintCell(progress, ownerTeam);
        ++progress;
        tick = kStepSeconds;
    }
    if (progress >= count) {
        tick = kStepSeconds;
        progress = count - 1;
        HidePainter();
    }
    CountDown();
}

void VXFlagCom::UpdateIdle() {
    const uint32_t count = CellCount();
    if (count == 0) return;
    if (tick <= 0.0f) {
        const uint32_t k = std::min(progress, count - 1);
        PaintCell(k, 0);
        tick = kStepSeconds;
        if (progress == 0)
            Reset();
        else
            --progress;
    }
    CountDown();
}

void VXFlagCom::Reset() {
    ownerTeam = 0;
    paintingTeam = 0;
    tick = kStepSeconds;
    captured = 0;
    PlayRow(SpriteOf(owner), 0);
    HideOrnaments(owner);
}

}  // namespace FrameWork
