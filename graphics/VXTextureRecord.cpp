#include "graphics/VXTextureRecord.h"

#include "graphics/VXShaderProgram.h"
#include "graphics/VXSheetTexture.h"

#include "objects/VXObjectLoader.h"

#include <algorithm>
#include <cstdio>

namespace FrameWork {

namespace {

int32_t g_textureSerial = 0;

void SetQuadUV(VXQuadVertex (&vertices)[4], float du, float dv) {
    // Vertex 0 is the top-right corner, 1 bottom-right, 2 bottom-left, 3
    // top-left.  Image row 0 (the top row of the file) is uploaded first and
    // so sits at v = 0: the top corners take v = 0 and the bottom ones v = dv,
    // so the image stands upright and a cell's offset is its top-left.
    vertices[0].u = du;
    vertices[0].v = 0.0f;
    vertices[1].u = du;
    vertices[1].v = dv;
    vertices[2].u = 0.0f;
    vertices[2].v = dv;
    vertices[3].u = 0.0f;
    vertices[3].v = 0.0f;
}

}  // namespace

int32_t NextTextureSerial() {
    return g_textureSerial++;
}
void ResetTextureSerials() {
    g_textureSerial = 0;
}

VXTextureRecord::VXTextureRecord(float red, float green, float blue)
    : vertices{{0.5f, 0.5f, 0.0f, red, green, blue, 0.0f, 0.0f},
               {0.5f, -0.5f, 0.0f, red, green, blue, 0.0f, 0.0f},
               {-0.5f, -0.5f, 0.0f, red, green, blue, 0.0f, 0.0f},
               {-0.5f, 0.5f, 0.0f, red, green, blue, 0.0f, 0.0f}},
      serial(NextTextureSerial()) {
    SetQuadUV(vertices, 1.0f, 1.0f);
    if (HasGL()) {
        glGenBuffers(1, &vertexBuffer);
        glGenBuffers(1, &indexBuffer);
    }
}

VXTextureRecord::~VXTextureRecord() {
    if (HasGL()) {
        if (vertexBuffer) glDeleteBuffers(1, &vertexBuffer);
        if (indexBuffer) glDeleteBuffers(1, &indexBuffer);
    }
}

void VXTextureRecord::Load(const std::string& path, uint32_t cols, uint32_t rowCount) {
    columns = cols;
    rows = rowCount;

    VXImage image;
    VXImageLoad result = LoadImageFile(path, image);
    // A file that cannot be read is silently replaced by the default image.
    if (result == VXImageLoad::Missing) {
        result = LoadImageFile(kDefaultImagePath, image);
        if (result == VXImageLoad::Decoded) result = VXImageLoad::DefaultShown;
    }
    if (result == VXImageLoad::Missing) {
        std::printf(
            "\nERROR\n -> Default texture not found, please find a replacement "
            "thank you\n%s\n\n",
            path.c_str());
        return;
    }
    if (result == VXImageLoad::DefaultShown) {
        // The default image stands in as a single cell.
        columns = 1;
        rows = 1;
    }
    if (result == VXImageLoad::Undecodable)
        std::printf("\nERROR\n -> Texture image fail to load, image file may be corrupted.\n%s\n\n",
                    path.c_str());
    if (HasGL()) {
        bool fellBack = false;
        texture = UploadSheetImage(image, path, fellBack);
        if (fellBack) columns = rows = 1;
    }
    // Nothing decoded: a 1 x 1 white texture stands in, so the size is known.
    width = image.pixels ? image.width : 1;
    height = image.pixels ? image.height : 1;
    ComputeFrameOffsets();
}

void VXTextureRecord::ComputeFrameOffsets() {
    // At least one cell each way, so the offsets never divide by 0, and no
    // more than a file may ask for.
    columns = std::clamp<uint32_t>(columns, 1, kMaxSheetCells);
    rows = std::clamp<uint32_t>(rows, 1, kMaxSheetCells);
    frameOffsets = SheetCellOffsets(columns, rows);
    const float du = 1.0f / static_cast<float>(columns);
    const float dv = 1.0f / static_cast<float>(rows);
    if (frameOffsets.size() >= 2)
        SetQuadUV(vertices, du, dv);
    else
        SetQuadUV(vertices, 1.0f, 1.0f);
}

void VXTextureRecord::Bind() {
    if (!HasGL()) return;
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(VXQuadVertex), nullptr);
    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(indices), indices, GL_STATIC_DRAW);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(VXQuadVertex),
                          reinterpret_cast<const void*>(6 * sizeof(float)));
    glEnableVertexAttribArray(1);
}

void VXTextureRecord::Serialize(JsonWriter& writer) const {
    writer.Int(static_cast<int>(columns));
    writer.Int(static_cast<int>(rows));
    writer.String(name.c_str());
}

}  // namespace FrameWork
