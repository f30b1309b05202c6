// The floor-tile grid of a level: built from a registered tile map, it lays
// out the floor instances and the paint quarter-tiles, creates one paint
// cell per tile, marks the tiles under walls, maps world positions to tile
// indices, pushes players back out of walls, and offers the editor's tile
// painting and the tile-map save.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace FrameWork {

class GameObject;
class SoundCue;
class VXInstanceSet;
struct VXTilemapData;

using VXSoundMap = std::map<std::string, SoundCue>;

class VXShapeInstancer {
public:
    // Publishes `soundMap` (null: no sounds) in g_instancerSoundMap and
    // fills the autotile tables.
    VXShapeInstancer(std::string tilemapName, VXSoundMap* soundMap);
    // Clears g_currentInstancer when it points here.
    ~VXShapeInstancer();

    VXShapeInstancer(const VXShapeInstancer&) = delete;
    VXShapeInstancer& operator=(const VXShapeInstancer&) = delete;

    // Releases the grid's lists and empties its tile-map name.
    void Clear();
    // Builds the floor and paint instances, the paint cells and the wall
    // marks from the record registered under the tile-map name.  A missing
    // record or instance set leaves the grid empty (with a printed line).
    void Setup();
    // The levels' form: builds from the tile map `name`.
    void Setup(const std::string& name) {
        tilemapName = name;
        Setup();
    }
    // Selects the object list 0 from `walls` and builds.
    void CopyWallList(const std::vector<GameObject*>& walls);

    // The tile index under a world position (x, y), or -1 off the grid and
    // over a hole of the floor.
    int32_t SnapToGrid(const float* position) const;
    // The tile `dRow` rows and `dCol` columns from `tile` by plain grid-cell
    // arithmetic (the last cell of a row and the first of the next are
    // neighbours); -1 off the grid, over a hole, or for an unknown tile.
    int32_t NeighbourTile(int32_t tile, int32_t dRow, int32_t dCol) const;
    // The same arithmetic over plain numbers: (x0, y0) is the first (top-left)
    // tile's centre, rows grow downward.
    static int32_t SnapIndex(float x0, float y0, float x, float y, int32_t cellWidth,
                             int32_t cellHeight, int32_t columns, int32_t rows);

    // Marks the tiles under a wall box (centre, half extents) as wall
    // blocked; every newly marked tile is taken off walkableCells.
    void MarkWall(float ox, float oy, float halfWidth, float halfHeight);

    // Sets an active player that is off the floor (beyond the outer walls)
    // down at rest on the open tile nearest to it: pushed out of a wall from
    // outside, it would only go further out.
    void ReturnToFloor(GameObject* player) const;
    // Returns the given players (c and d may be null) that are off the floor
    // to it, then hands every one whose box overlaps a wall of the current
    // object list to g_wallResponse.
    void WallHit(GameObject* a, GameObject* b, GameObject* c, GameObject* d);

    // The editor's tile tools on the selected instance set; y grows downward.
    void PaintTileCell(float x, float y, bool repaint);
    void EraseTileCell(float x, float y);

    // Writes every instance set of the graphics manager to prefix + number +
    // ".json", with object list k as the walls of set k.  Returns whether
    // the file was written.
    bool Save(int32_t ignored, int32_t rows, int32_t columns, int32_t number,
              const std::string& prefix);

    // A copy of the current grid's tile-map name (empty without a grid).
    static std::string GetName();
    // Empties the per-instance lists of every instance set of the graphics
    // manager, counts included.
    static void ClearInstanceData();
    static void ClearInstances() { ClearInstanceData(); }

    std::vector<std::vector<GameObject*>> objectLists;
    int32_t cellWidth = 100;
    int32_t cellHeight = 100;
    int32_t currentList = 0;
    int32_t walkableCells = 0;
    int32_t rows = 0;
    int32_t columns = 0;
    std::string tilemapName;
    float firstTileX = 0.0f;
    float firstTileY = 0.0f;
    float lastTileX = 0.0f;
    float lastTileY = 0.0f;
    // The floor laid out by its tiles' positions, whatever rows and columns
    // the file declares: the first and last tile are the grid's top-left and
    // bottom-right cells, `rows` x `columns` covers every placed tile, and a
    // floor edited with holes or tiles beyond its rectangle keeps each tile
    // under its own cell.  The cells lie on the grid most tiles share, so
    // the floor is the same whatever the order of its tiles.  A tile at a
    // position that is not finite, one far outside the others (beyond an
    // empty run longer than the floor is wide) and one on a cell a tile
    // nearer its centre holds are skipped, and a tile off the others' grid
    // takes the cell nearest to it; each is named on standard output.
    // Grid cell (row x columns + column) -> tile index (-1: a hole), and
    // back; the placed tiles keep their file order.
    std::vector<int32_t> cellTiles;
    std::vector<int32_t> tileCells;

private:
    // Fills rows, columns, the first and last tile and the two cell maps
    // from the positions of the tiles placed, naming the skipped ones and
    // those off the grid; the indexes in the record of the tiles placed, in
    // file order.
    std::vector<size_t> LayOutCells(const VXTilemapData& record);
    VXInstanceSet* FloorSet() const;
    VXInstanceSet* EditorSet() const;
    // The centre of the editor cell under a cursor point and the index of
    // the selected set's instance there (the list length when none); false
    // without a selected set.
    bool EditorCell(float x, float y, float& cx, float& cy, size_t& found) const;
};

// The running level's grid (null between levels).
extern VXShapeInstancer* g_currentInstancer;
// The running level's sound map (null: no sounds).
extern VXSoundMap* g_instancerSoundMap;
// The editor's tile tools: index into the graphics manager's tile-set names,
// and the selected atlas frame.
extern int32_t g_selectedTileSet;
extern int32_t g_paintCell;

// What WallHit does to a player that touches a wall (the push out and the
// bounce belong to the match); installed at start-up by the gameplay layer
// (InstallGameplayHooks).  Null: nothing.
extern void (*g_wallResponse)(GameObject* player);

// Plays the cue `name` of the running level's sound map; nothing without a
// map or when the map lacks the name.
void PlayInstancerCue(const char* name);

}  // namespace FrameWork
