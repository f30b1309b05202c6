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
// Cells walked along one side of a box, and cells collected, at most.
constexpr int32_t kMostWalked = 1 << 24;
constexpr size_t kMostCollected = size_t{1} << 22;

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

// The cells along one side of a capture box, `count` cells of `size` from
// `start`, whose centres truncate to one of `shared`: (index, centre) in
// order.  Each centre is the one before plus the size, kept as f32, from
// start - size / 2; cells whose centres lie beyond every shared value are
// not walked (the walk begins at the first cell that may reach one).
std::vector<std::pair<int32_t, float>> SharedCentres(float start, float size, int32_t count,
                                                     const std::set<int64_t>& shared) {
    std::vector<std::pair<int32_t, float>> out;
    if (shared.empty() || count <= 0) return out;
    const double low = static_cast<double>(*shared.begin()) - 1.0;
    const double high = static_cast<double>(*shared.rbegin()) + 1.0;
    double first = std::floor((low - start) / size - 0.5) - 1.0;
    if (!(first > 0.0)) first = 0.0;
    if (first >= count) return out;
    const int32_t from = static_cast<int32_t>(first);
    float centre = start - size * 0.5f + size * static_cast<float>(from);
    for (int32_t k = from; k < count && k - from < kMostWalked; ++k) {
        const float before = centre;
        centre += size;
        // Beyond the tiles, or cells too small to move the centre on.
        if (static_cast<double>(centre) > high || centre == before) break;
        if (static_cast<double>(centre) >= low && shared.count(Whole(centre)))
            out.emplace_back(k, centre);
    }
    return out;
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
    const std::vector<std::pair<int32_t, float>> across =
        SharedCentres(x, cellWidth, CellsAcross(columns, kMostCells), tileXs);
    const std::vector<std::pair<int32_t, float>> down =
        SharedCentres(y, cellHeight, CellsAcross(rows, kMostCells), tileYs);

    std::vector<VXPaintCell>& paint = VXGraphicsManager::Instance()->paintCells;
    const size_t before = cellList.size();
    for (const auto& [r, cy] : down) {
        for (const auto& [c, cx] : across) {
            ++cellsVisited;
            auto found = tileAt.find({Whole(cx), Whole(cy)});
            if (found == tileAt.end() || cellList.size() >= kMostCollected) continue;
            const size_t index = found->second;
            if (index < paint.size()) {
                paint[index].blocked = 1;
                paint[index].wallBlocked = 1;
                paint[index].flagCell = 1;
            }
            cellList.push_back(static_cast<int>(index));
            cellPositions.emplace_back(set->m_data1[index][0], set->m_data1[index][1]);
        }
    }
    if (cellList.size() == before)
        std::printf(" -> Flag \"%s\" has no capture cell (%s)\n", name.c_str(),
                    WhyNoCell(x, y, cellWidth, cellHeight, columns, rows, tileAt).c_str());
    // Cells under a unit wide fall on a tile many times over, and each
    // takes a capture step of its own.
    const std::set<int> tiles(cellList.begin() + static_cast<std::ptrdiff_t>(before),
                              cellList.end());
    const size_t cells = cellList.size() - before;
    if (cells > tiles.size())
        std::printf(
            " -> Flag \"%s\" takes %zu steps (%.0f s alone on it) to capture: its %zu "
            "cells of %g x %g fall on %zu tiles\n",
            name.c_str(), cells, static_cast<double>(cells) * kStepSeconds, cells,
            static_cast<double>(cellWidth), static_cast<double>(cellHeight), tiles.size());
    HideOrnaments(owner);
}

void VXFlagCom::AddPlayer(GameObject* player) {
    if (player) playersOnFlag.emplace(player->g_name, player);
}

void VXFlagCom::RemovePlayer(GameObject* player) {
    if (player) playersOnFlag.erase(player->g_name);
}

uint32_t VXFlagCom::CellCount() const {
    return static_cast<uint32_t>(std::min(cellList.size(), cellPositions.size()));
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
    const int index = cellList[k];
    if (VXInstanceSet* set = ShapeSet(shapeIndex))
        if (index >= 0 && static_cast<size_t>(index) < set->m_data2.size()) {
            const float tint = team == 0 ? 1.0f : kCaptureTint;
            auto& colour = set->m_data2[static_cast<size_t>(index)];
            colour[0] = colour[1] = colour[2] = tint;
        }
    StrokeWithPainter(cellPositions[k].first, cellPositions[k].second, team, kFlagPainterType);
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
