// The Viking's block bomb, which locks a 3 by 3 block of floor for 20 s and
// paints the eight tiles round the centre for the caster's team, and the
// pointer that turns once round while the block stays locked.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "objects/Component.h"

namespace FrameWork {

class VXShapeInstancer;

// Sprite rows: 0 idle (rests on its last frame), 1 explosion.
class VXBlockBombCom : public Component {
public:
    explicit VXBlockBombCom(GameObject* owner) : Component(owner) {}
    // Unlocks what it still holds (wall and flag cells excepted).
    ~VXBlockBombCom() override;
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // Type 9 keeps the level's grid; type 3 runs Update.
    void HandleMessage(Message* message) override;
    // First update after a drop: collect, paint and lock the block; then the
    // countdown, the spawn points under the bomb marked used, and at 0 the
    // explosion, the unlock and the bomb hidden.
    void Update(float dt) override;
    // A new drop: the idle row from frame 0, 20 s, its cells unlocked.
    void Init() override;

    // The tile under the bomb and its eight neighbours (tiles off the grid
    // are left out); then LockCells.
    void CollectCells();
    // Paints the neighbours, then locks every cell that is not a wall or
    // flag cell.
    void LockCells();
    void PaintCells();
    // Unlocks every listed cell that is not a wall or flag cell.
    void UnlockCells();
    void EndBomb();

    float timer = 10.0f;
    uint8_t ending = 0;
    std::string casterName;
    int32_t team = 0;
    VXShapeInstancer* grid = nullptr;
    std::vector<int> cells;
    std::vector<std::pair<float, float>> positions;

private:
    // Sets or clears `blocked` on the listed cells that exist in the paint
    // table; with `all` clear, wall and flag cells are left alone.
    void SetBlocked(uint8_t blocked, bool all);
};

// No factory: the levels construct it and attach it themselves.  Saves
// nothing.  Hidden for `delay` seconds, then turns its object by
// `turnSpeed` degrees a second until `lifetime` runs out.
class VXBlockBombPointer : public Component {
public:
    explicit VXBlockBombPointer(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}
    void Update(float dt) override;

    float lifetime = 0.0f;
    float spareNumber = 0.0f;
    float turnSpeed = 0.0f;
    float delay = 1.5f;
};

}  // namespace FrameWork
