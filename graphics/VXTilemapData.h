// The tile-map file: a JSON array of instance-set records (floor tiles,
// paint layer, ...) with the walls that lie on them.  The loading screen
// reads every file of DataPath("objects/TilemapJsons/") into the
// graphics manager's registry, keyed by the file's base name; the editor
// writes them back through the floor grid's Save.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace FrameWork {

class VXInstanceSet;

struct VXTilemapData {
    int32_t row = 0;
    int32_t col = 0;
    int32_t _texColumns = 0;
    int32_t _texRows = 0;
    int32_t _count = 0;
    int32_t _depth = 0;
    std::string _name;
    bool m_default1 = false;
    bool m_default2 = false;
    bool m_default3 = false;
    std::vector<std::array<float, 4>> m_data1;
    std::vector<std::array<float, 4>> m_data2;
    std::vector<int32_t> m_data3Index;
    std::vector<int32_t> aabbIndices;
    std::vector<std::pair<float, float>> aabbSizes;
    // The file's name ("Level_0.json") for the lines about its tiles; set by
    // LoadTilemapFile.
    std::string fileName;
};

using VXTilemapRegistry = std::map<std::string, VXTilemapData>;

// The registry key of a tile-map path: the text between its last '/' and its
// last '.' ("a/b/Level_0.json" -> "Level_0").
std::string TilemapKey(const std::string& path);

// Reads the first record of a tile-map text.  False, with `why` set, when
// the text is not a JSON array holding at least one object; members that are
// missing or of the wrong type keep their defaults, and arrays are read only
// in whole groups (four numbers, or three AABB values).
bool ParseTilemap(const char* text, std::size_t length, VXTilemapData& out, std::string& why);

// The most cells a floor grid may span along one side (the box round its
// placed tiles): a thousand, where the shipped floors have two dozen.  A
// tile that would stretch the floor further lies far outside the others,
// and no floor can take more than a few megabytes for its grid.
constexpr int64_t kMaxTilemapSide = 1024;
constexpr int64_t kMaxTilemapCells = kMaxTilemapSide * kMaxTilemapSide;

// The frame a frame list uses most (the smallest of a tie; 0 for an empty
// list): the frame of the tiles the list gives none.
int32_t MostUsedFrame(const std::vector<int32_t>& frames);

// Reads the file at `path` into `registry` under its key.  A record already
// registered under that key stays.  A missing or malformed file prints one
// line and registers nothing; a frame list longer or shorter than the
// tiles prints one line with both counts and is fitted to the tiles (see
// MostUsedFrame).  Returns whether a record was added.
bool LoadTilemapFile(const std::string& path, VXTilemapRegistry& registry);

// One wall entry of the "AABB" list: the wall object's name and its half
// extents.
struct VXTilemapWall {
    std::string name;
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
};

// Writes the tile-map file: one element per instance set, each with "row" =
// rows and "col" = columns, the set's members and, for every set but the
// second, its walls (`walls[k]`, an empty list when there is none).  The
// sets are sorted into rows on the way.  The text goes to a temporary file
// that replaces `path` only when it was written whole.  Returns whether
// `path` now holds the new text.
bool WriteTilemapFile(const std::string& path, int32_t rows, int32_t columns,
                      const std::vector<VXInstanceSet*>& sets,
                      const std::vector<std::vector<VXTilemapWall>>& walls);

}  // namespace FrameWork
