#include "gameplay/VXBlockBomb.h"

#include "core/Message.h"
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXLevelObjectRecord.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXSkillParts.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXPhysicsManager.h"

namespace FrameWork {

namespace {

constexpr float kBombSeconds = 20.0f;
// The object type the painter takes for the bomb's strokes: an ordinary
// painter, so locked cells stay as they are.
constexpr int32_t kBombStrokeKind = 7;

// The sprite's frame in its row, -1 when it is not playing.
long PlayingFrame(const VXSpriteComponent* sprite) {
    return sprite && sprite->playing ? static_cast<long>(sprite->animation.currentFrame) : -1;
}

long RowLength(const VXSpriteComponent* sprite, size_t row) {
    if (!sprite || row >= sprite->animation.frameRows.size()) return 0;
    return static_cast<long>(sprite->animation.frameRows[row].size());
}

}  // namespace

VXBlockBombCom::~VXBlockBombCom() {
    if (!cells.empty()) UnlockCells();
}

void VXBlockBombCom::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXBlockBombCom");
    writer.StartArray();
    SetOneLine(writer, true);
    WriteNumber(writer, timer);
    SetOneLine(writer, false);
    writer.EndArray();
}

void VXBlockBombCom::HandleMessage(Message* message) {
    if (message && message->type == MSG_BOMB_INIT)
        grid = static_cast<MsgBombInit*>(message)->grid;
    else
        Component::HandleMessage(message);
}

void VXBlockBombCom::Init() {
    if (VXSpriteComponent* sprite = SpriteOf(owner)) {
        PlayRow(sprite, 0);
        sprite->SetFrame(0);
    }
    timer = kBombSeconds;
    // A drop restarts the bomb even when its last explosion was cut short.
    ending = 0;
    UnlockCells();
}

void VXBlockBombCom::Update(float dt) {
    if (!owner) return;
    if (cells.empty()) CollectCells();
    if (timer > 0.0f) timer -= dt;

    VXAABB* box = owner->GetAABB();
    if (VXObjectManager* objects = g_blockBombContext.objectManager; objects && box) {
        for (GameObject* object : objects->objects) {
            VXSpPointComponent* point = object ? object->GetSpawnPoint() : nullptr;
            if (point && VXPhysicsManager::SweptAABB(object->GetAABB(), Vec3(), box, Vec3()))
                point->used = 1;
        }
    }

    if (timer <= 0.0f) {
        SetBlocked(0, true);
        EndBomb();
    }
    // Rest on the last frame of the idle row (not while the explosion plays,
    // whose row may be longer).
    VXSpriteComponent* sprite = SpriteOf(owner);
    if (!ending && sprite && PlayingFrame(sprite) == RowLength(sprite, 0) - 1)
        sprite->playing = false;
}

void VXBlockBombCom::CollectCells() {
    if (!grid || !owner) return;
    const float x = owner->position[0];
    const float y = owner->position[1];
    const float w = static_cast<float>(grid->cellWidth);
    const float h = static_cast<float>(grid->cellHeight);
    const float centre[2] = {x, y};
    const int32_t middle = grid->SnapToGrid(centre);
    if (middle >= 0) cells.push_back(middle);
    const float around[8][2] = {{x - w, y + h}, {x, y + h},     {x + w, y + h}, {x - w, y},
                                {x + w, y},     {x - w, y - h}, {x, y - h},     {x + w, y - h}};
    for (const auto& p : around) {
        const int32_t index = grid->SnapToGrid(p);
        if (index < 0) continue;
        cells.push_back(index);
        positions.emplace_back(p[0], p[1]);
    }
    if (!cells.empty()) LockCells();
}

void VXBlockBombCom::LockCells() {
    PaintCells();
    SetBlocked(1, false);
}

void VXBlockBombCom::PaintCells() {
    for (const auto& p : positions) StrokeWithPainter(p.first, p.second, team, kBombStrokeKind);
}

void VXBlockBombCom::UnlockCells() {
    SetBlocked(0, false);
}

void VXBlockBombCom::SetBlocked(uint8_t blocked, bool all) {
    // The level may have emptied the paint cells already.
    std::vector<VXPaintCell>& table = VXGraphicsManager::Instance()->paintCells;
    for (int index : cells) {
        if (index < 0 || static_cast<size_t>(index) >= table.size()) continue;
        VXPaintCell& cell = table[static_cast<size_t>(index)];
        if (all || !cell.wallBlocked) cell.blocked = blocked;
    }
}

void VXBlockBombCom::EndBomb() {
    ending = 1;
    VXSpriteComponent* sprite = SpriteOf(owner);
    PlayRow(sprite, 1);
    // A sprite that cannot show the explosion (no texture, too short a row)
    // ends at once.
    const long length = RowLength(sprite, 1);
    const bool shown = sprite && sprite->texture && length >= 2;
    if (shown && PlayingFrame(sprite) != length - 2) return;
    UnlockCells();
    if (owner) owner->SetActive(0);
    ending = 0;
}

void VXBlockBombPointer::Update(float dt) {
    if (!owner) return;
    VXSpriteComponent* sprite = SpriteOf(owner);
    if (delay > 0.0f) {
        if (sprite) sprite->active = 0;
        delay -= dt;
        return;
    }
    if (sprite) sprite->active = 1;
    delay = 0.0f;
    owner->rotation[2] += turnSpeed * dt;
    if (lifetime > 0.0f) lifetime -= dt;
    if (lifetime <= 0.0f) owner->SetActive(0);
}

}  // namespace FrameWork
