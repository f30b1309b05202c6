// The team paint on the arena floor: one paint cell per floor tile, drawn as
// four quarter-tiles of the paint set "carpetBomb2.png" whose atlas cells
// are chosen by edge codes through one autotile table per team, and the two
// team tile counters that decide the match.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace FrameWork {

class GameObject;
class VXInstanceSet;

// Quadrant 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.  Code
// characters: '0' no paint, '1' open edge, '2' joined with the same-team
// neighbour across that edge, '3' (in "33") an inner corner.
struct VXPaintQuadrant {
    int32_t atlasCell = 0;
    char code[2] = {'0', '0'};
};

struct VXPaintCell {
    uint8_t painted = 0;
    uint8_t blocked = 0;
    uint8_t flagCell = 0;
    uint8_t wallBlocked = 0;
    int32_t team = 0;
    VXPaintQuadrant quadrants[4];
};

// Quadrant number -> edge code -> atlas cell of the paint sheet.
using VXAutotileTable = std::map<int32_t, std::map<std::string, int32_t>>;
extern VXAutotileTable g_autotileTeam1;
extern VXAutotileTable g_autotileTeam2;
// Fills both tables with the atlas cells of the two teams; entries already
// present are kept.
void FillAutotileTables();

// The name of the paint instance set.
extern const char* const kPaintSetName;

// The object types that select the kind of stroke.
enum VXPainterKind : int32_t {
    kFlagPainterType = 17,
    kEraserType = 20,
};

// What a splat needs to know of its painter (its object and player logic).
struct VXPainter {
    int32_t objectType = 0;
    bool active = true;
    int32_t team = 0;
    // An action timer with id 0 runs: the painter paints for the other team.
    bool swapTeam = false;
    int32_t serial = -1;
    int32_t* paintFuel = nullptr;
};

// What a splat paints on.
struct VXPaintTarget {
    std::vector<VXPaintCell>* cells = nullptr;
    VXInstanceSet* paintSet = nullptr;  // may be null: nothing drawn
    int32_t columns = 0;
    // The tile `dRow` rows and `dCol` columns from `tile` (-1: none); empty:
    // plain index arithmetic over `columns`.
    std::function<int32_t(int32_t tile, int32_t dRow, int32_t dCol)> neighbour;
    // The tile each player painted last, by player serial.
    std::vector<int32_t>* lastTiles = nullptr;
    int32_t* teamTileCount = nullptr;  // two counters: team 1, team 2
    std::function<void()> playSplat;   // may be empty
};

class VXPaintMap {
public:
    // Painted tiles of team 1 (index 0) and team 2 (index 1).
    static int32_t TeamTileCount[2];

    // Paints the tile under `painter` (which carries a player logic) on the
    // running level's grid.  Returns the tile index, or -1 when nothing was
    // painted.  The painter is read through readPainter.
    static int32_t Splat(GameObject* painter);
    // Fills `out` from a painter object and `target`'s list of the players'
    // last tiles, and answers whether it can paint (it carries a player
    // logic); installed at start-up by the gameplay layer
    // (InstallGameplayHooks).  Null: nothing paints.
    static bool (*readPainter)(GameObject* painter, VXPainter& out, VXPaintTarget& target);
    // The same over plain data: paints `tile` for `painter`.
    static int32_t Paint(const VXPainter& painter, int32_t tile, VXPaintTarget& target);

    // The 8-character pattern: the codes of quadrants 0, 1, 3, 2.
    static std::string GetTilePattern(const VXPaintCell& cell);
    // Sets the codes from a pattern and every quadrant's atlas cell from
    // `table` (a code the table lacks gives cell 0 and is added with it).
    static void SetTilePattern(VXPaintCell& cell, const char* pattern, VXAutotileTable& table);
    static std::string MakeCode(char a, char b);
};

}  // namespace FrameWork
