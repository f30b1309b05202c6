// A batch of copies of one textured quad, drawn with one instanced draw of
// the "INST" program: the floor tiles, the paint quarter-tiles and the
// particles of every emitter.  Every instance has its own centre and size,
// colour and sheet cell.
//
// The per-instance lists are plain memory and the single source of truth;
// the GL buffers are made on first upload, so the lists can be built and
// edited (tile maps, paint, tests) without a GL context.
#pragma once

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace FrameWork {

using Vec4f = std::array<float, 4>;
using Vec2f = std::array<float, 2>;

class VXInstanceSet {
public:
    VXInstanceSet(const char* name, int32_t depth);
    // Deletes the GL buffers (when they were made) and the lists.  The
    // texture is released by its owner (ReleaseTexture).
    ~VXInstanceSet();

    VXInstanceSet(const VXInstanceSet&) = delete;
    VXInstanceSet& operator=(const VXInstanceSet&) = delete;

    // Decodes the sheet at `path` into the set's texture: `rows` x `columns`
    // cells.  A second load replaces the first (old texture deleted, frame
    // table rebuilt).  An image that cannot be decoded prints the error lines
    // and leaves a 1 x 1 white texture.
    void LoadImage(const char* path, int32_t rows, int32_t columns);
    // Texture offset of every sheet cell, cell k = row x columns + column.
    void ComputeFrames(int32_t rows, int32_t columns);
    // Appends `cell` to the frame indices and its texture offset (cell 0's
    // offset for a cell outside the frame table).
    void AddFrameIndex(int32_t cell);
    // The texture offset of a sheet cell; (0, 0) outside the frame table.
    Vec2f FrameOffset(int32_t cell) const;
    std::string GetName() const { return _name; }

    // The instanced draw, in this order, with the "INST" program in use.
    void Upload();
    void Draw();
    // Deletes the GL texture (the graphics manager's texture release).
    void ReleaseTexture();

    // The set's part of the tile-map file: sorts the instances into rows and
    // writes the members "_name" to "m_data3Index".  The path is not used.
    void WriteJson(rapidjson::PrettyWriter<rapidjson::StringBuffer>& writer,
                   const std::string& path, int32_t ignored = 0);
    // Orders the instances by y descending, then each row by x ascending;
    // every per-instance list moves with its instance.
    void SortInstances();
    // Empties the four per-instance lists and sets the count to 0.
    void ClearInstances();

    int32_t _count = 0;
    uint32_t quadBuffer = 0;
    uint32_t uvBuffer = 0;
    uint32_t texture = 0;
    uint32_t positionBuffer = 0;
    uint32_t colourBuffer = 0;
    uint32_t offsetBuffer = 0;
    int32_t _texColumns = 1;
    int32_t _texRows = 1;
    std::array<Vec2f, 4> uvCorners{{{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}}};
    int32_t _depth = 0;
    std::string _name;
    std::vector<Vec2f> frameTable;
    uint8_t visible = 1;
    uint8_t m_default1 = 1;
    uint8_t m_default2 = 1;
    uint8_t m_default3 = 1;
    std::vector<Vec4f> m_data1;
    std::vector<Vec4f> m_data2;
    std::vector<Vec2f> texOffsets;
    std::vector<int32_t> m_data3Index;

private:
    void MakeBuffers();
};

}  // namespace FrameWork
