#include "gameplay/VXFlagCom.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

// A count of cells: truncated, and never more than `cap`.
int32_t CellsAcross(float count, int32_t cap) {
    if (!std::isfinite(count) || count < 1.0f) return 0;
    return static_cast<int32_t>(std::min(count, static_cast<float>(cap)));
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
    if (!sizesOk || !set) {
        std::printf(" -> Flag \"%s\" has no capture area (%s)\n", name.c_str(),
                    sizesOk ? "no such tile set" : "cell size not finite and positive");
        HideOrnaments(owner);
        return;
    }
    const VXShapeInstancer* floor = grid ? grid : g_currentInstancer;
    if (!floor || set->m_data1.empty()) {
        std::printf(" -> Flag \"%s\" has no capture area (%s)\n", name.c_str(),
                    floor ? "the tile set is empty" : "no floor grid");
        HideOrnaments(owner);
        return;
    }
    // The grid maps a position to its tile, so each cell is found at once.
    // Only the cells over the grid (and a cell's margin round it) are
    // visited: a box larger than the grid is clamped to it.
    const float firstX = set->m_data1.front()[0];
    const float firstY = set->m_data1.front()[1];
    const double gridW = floor->cellWidth, gridH = floor->cellHeight;
    const double left = firstX - 1.5 * gridW;
    const double right = firstX + (floor->columns + 0.5) * gridW;
    const double top = firstY + 1.5 * gridH;
    const double bottom = firstY - (floor->rows + 0.5) * gridH;
    const int32_t across = CellsAcross(columns, kMostCells);
    const int32_t down = CellsAcross(rows, kMostCells);
    // The cells from `from` up to `to` have their centres, start + (k + 0.5)
    // size, within [low, high]; never more of them than the grid has a side
    // (and its margin), however small they are.
    auto span = [](double start, double size, double low, double high, int32_t count,
                   int32_t gridCount, int32_t& from, int32_t& to) {
        double first = std::ceil((low - start) / size - 0.5);
        if (!(first > 0.0)) first = 0.0;
        from = static_cast<int32_t>(std::min(first, static_cast<double>(count)));
        double last = std::floor((high - start) / size - 0.5) + 1.0;
        last = std::min(last, static_cast<double>(from) + gridCount + 3.0);
        if (!(last > from)) last = from;
        to = static_cast<int32_t>(std::min(last, static_cast<double>(count)));
    };
    int32_t c0 = 0, c1 = 0, r0 = 0, r1 = 0;
    span(x, cellWidth, left, right, across, floor->columns, c0, c1);
    span(y, cellHeight, bottom, top, down, floor->rows, r0, r1);

    std::vector<VXPaintCell>& paint = VXGraphicsManager::Instance()->paintCells;
    float cy = y - cellHeight * 0.5f + cellHeight * static_cast<float>(r0);
    const float x0 = x - cellWidth * 0.5f + cellWidth * static_cast<float>(c0);
    for (int32_t r = r0; r < r1; ++r) {
        cy += cellHeight;
        float cx = x0;
        for (int32_t c = c0; c < c1; ++c) {
            cx += cellWidth;
            ++cellsVisited;
            const int32_t tile =
                VXShapeInstancer::SnapIndex(firstX, firstY, cx, cy, floor->cellWidth,
                                            floor->cellHeight, floor->columns, floor->rows);
            // The tile there, when its centre is the cell's (both truncated).
            if (tile < 0 || static_cast<size_t>(tile) >= set->m_data1.size()) continue;
            const auto& at = set->m_data1[static_cast<size_t>(tile)];
            if (!std::isfinite(at[0]) || !std::isfinite(at[1]) ||
                std::trunc(at[0]) != std::trunc(cx) || std::trunc(at[1]) != std::trunc(cy))
                continue;
            const size_t index = static_cast<size_t>(tile);
            if (index < paint.size()) {
                paint[index].blocked = 1;
                paint[index].wallBlocked = 1;
                paint[index].flagCell = 1;
            }
            cellList.push_back(static_cast<int>(index));
            cellPositions.emplace_back(at[0], at[1]);
        }
    }
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
