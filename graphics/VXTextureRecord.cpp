#include "graphics/VXTextureRecord.h"

#include "graphics/VXShaderProgram.h"
#include "graphics/VXSheetTexture.h"

#include <SOIL/SOIL.h>

#include <cstdio>

namespace FrameWork {

const char* const kDefaultImagePath = "../VXEngine/data/img/default.png";

namespace {

int32_t g_textureSerial = 0;

bool CanOpen(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

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

int32_t NextTextureSerial() { return g_textureSerial++; }
void ResetTextureSerials() { g_textureSerial = 0; }

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
    // A sheet has at least one cell each way, so the offsets never divide by 0.
    columns = cols < 1 ? 1 : cols;
    rows = rowCount < 1 ? 1 : rowCount;

    std::string chosen = path;
    if (!CanOpen(chosen)) {
        chosen = kDefaultImagePath;
        columns = 1;
        rows = 1;
        if (!CanOpen(chosen)) {
            std::printf("\nERROR\n -> Default texture not found, please find a replacement "
                        "thank you\n%s\n\n",
                        path.c_str());
            return;
        }
    }

    int channels = 0;
    width = 0;
    height = 0;
    unsigned char* pixels =
        SOIL_load_image(chosen.c_str(), &width, &height, &channels, SOIL_LOAD_RGBA);
    if (!pixels) {
        std::printf("\nERROR\n -> Texture image fail to load, image file may be corrupted.\n%s\n\n",
                    path.c_str());
    }
    if (!pixels || width <= 0 || height <= 0) {
        // Nothing decoded: a 1 x 1 white texture stands in, so the size is known.
        width = 1;
        height = 1;
    }

    ComputeFrameOffsets();

    if (HasGL()) texture = CreateSheetTexture(pixels, width, height);
    if (pixels) SOIL_free_image_data(pixels);
}

void VXTextureRecord::ComputeFrameOffsets() {
    const float du = 1.0f / static_cast<float>(columns);
    const float dv = 1.0f / static_cast<float>(rows);
    frameOffsets.clear();
    float v = 0.0f;
    for (uint32_t r = 0; r < rows; ++r) {
        float u = 0.0f;
        for (uint32_t c = 0; c < columns; ++c) {
            frameOffsets.push_back({u, v});
            u += du;
        }
        v += dv;
    }
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

void VXTextureRecord::Serialize(rapidjson::PrettyWriter<rapidjson::StringBuffer>& writer) const {
    writer.Int(static_cast<int>(columns));
    writer.Int(static_cast<int>(rows));
    writer.String(name.c_str());
}

}  // namespace FrameWork
