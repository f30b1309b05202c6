// A capturable flag: the patch of floor cells around it and who stands on
// it.  A lone player paints the patch cell by cell for the player's team
// and captures the flag with the last cell; two or more freeze it; nobody
// (or a lone player of the other team) rolls an uncaptured or foreign
// flag back cell by cell.  A captured flag keeps renewing its owner's
// paint.  Children: 0 the capture marker, 1 and 2 ornaments that turn while
// the flag is captured.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "objects/Component.h"

namespace FrameWork {

class SoundCue;
class VXShapeInstancer;

class VXFlagCom : public Component {
public:
    explicit VXFlagCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // Type 9 keeps the level's grid; type 3 runs Update.
    void HandleMessage(Message* message) override;
    // Nothing in the level editor, or for a flag without cells.
    void Update(float dt) override;

    // Collects the tiles of tile set `shape` (an index into the graphics
    // manager's tile-set names) under `columns` x `rows` cells of the given
    // size whose lower-left cell centre is half a cell inside (x, y), and
    // marks them as flag cells: each cell takes the first tile whose centre
    // is the cell's, both truncated to whole units.  Sizes that are not
    // finite and positive collect nothing.
    void SetCaptureArea(float x, float y, float cellWidth, float cellHeight, int32_t shape,
                        std::map<std::string, SoundCue>* sounds, float columns, float rows);
    // The player stands on the flag this frame (kept by name; a name already
    // there keeps its entry).
    void AddPlayer(GameObject* player);
    void RemovePlayer(GameObject* player);

    void CaptureStep(int32_t team);
    void SpreadOwnerPaint();
    void UpdateIdle();

    uint8_t captured = 0;
    uint8_t spareFlag = 0;
    std::map<std::string, GameObject*> playersOnFlag;
    uint32_t progress = 0;
    int32_t ownerTeam = 0;
    int32_t paintingTeam = 0;
    float holdTime = 20.0f;
    float tick = 0.08f;
    VXShapeInstancer* grid = nullptr;
    // The cells one by one (instance indexes and positions) when there are
    // at most 4194304 of them; the steps go by the blocks below.
    std::vector<int> cellList;
    std::vector<std::pair<float, float>> cellPositions;
    int32_t shapeIndex = 0;
    std::map<std::string, SoundCue>* soundMap = nullptr;
    // The cells the last SetCaptureArea looked up a tile for.
    size_t cellsVisited = 0;

private:
    // A tile under `count` cells side by side in a row.
    struct CellTile {
        int index;
        float x, y;
        uint64_t count;
    };
    // `rows` rows of cells that fall on the same tiles in the same order.
    struct CellBlock {
        uint64_t rows = 0;
        uint64_t width = 0;
        std::vector<CellTile> tiles;
    };
    std::vector<CellBlock> cellBlocks;
    uint64_t cellTotal = 0;

    // Cells usable by the steps (as many as a step count can reach).
    uint32_t CellCount() const;
    // The tile under cell k (k below CellCount()).
    const CellTile& CellAt(uint32_t k) const;
    // Paints cell k through the level's painter for `team` (0 unpaints) and
    // tints its instance.
    void PaintCell(uint32_t k, int32_t team);
    void CountDown();
    void Reset();
    void ShowOwner(int32_t team);
};

}  // namespace FrameWork
