// One loaded image and the unit quad that shows it; for a sprite sheet also
// the offset of every cell, in reading order from the top-left of the file.
#pragma once

#include "graphics/VXImageFile.h"
#include "graphics/VXSheetTexture.h"
#include "objects/JsonWriter.h"

#include <GL/glew.h>

#include <cstdint>
#include <string>
#include <vector>

namespace FrameWork {

struct VXQuadVertex {
    float x, y, z;
    float r, g, b;
    float u, v;
};

class VXTextureRecord {
public:
    VXTextureRecord(float red, float green, float blue);
    ~VXTextureRecord();
    VXTextureRecord(const VXTextureRecord&) = delete;
    VXTextureRecord& operator=(const VXTextureRecord&) = delete;

    // Loads the image at `path` as a sheet of columns x rows cells; a file
    // that cannot be opened or is refused is replaced by the default image
    // (1 x 1).
    void Load(const std::string& path, uint32_t columns, uint32_t rows);
    void ComputeFrameOffsets();
    // Makes the record current for a TEXTURE draw: quad, indices, texture.
    void Bind();
    std::string GetName() const { return name; }
    // Columns, rows and name, as the sprite's JSON block carries them.
    void Serialize(JsonWriter& writer) const;

    uint32_t columns = 1;
    uint32_t rows = 1;
    VXQuadVertex vertices[4];
    uint32_t indices[6] = {0, 1, 3, 1, 2, 3};
    GLuint texture = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    std::vector<VXFrameOffset> frameOffsets;
    int32_t serial = 0;
    std::string name = "Shape";
    // Decoded size of the image (1 x 1 when nothing could be decoded).
    int32_t width = 0;
    int32_t height = 0;
};

// The process-wide serial counter of texture records.
int32_t NextTextureSerial();
void ResetTextureSerials();

}  // namespace FrameWork
