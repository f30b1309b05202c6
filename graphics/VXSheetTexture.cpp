#include "graphics/VXSheetTexture.h"

#include <algorithm>
#include <cstdio>

#include "graphics/VXImageFile.h"
#include "objects/VXObjectLoader.h"

namespace FrameWork {

std::vector<VXFrameOffset> SheetCellOffsets(int64_t columns, int64_t rows) {
    columns = std::clamp<int64_t>(columns, 1, kMaxSheetCells);
    rows = std::clamp<int64_t>(rows, 1, kMaxSheetCells);
    const float du = 1.0f / static_cast<float>(columns);
    const float dv = 1.0f / static_cast<float>(rows);
    std::vector<VXFrameOffset> offsets;
    offsets.reserve(static_cast<size_t>(columns * rows));
    // Running sums, not products: the same floats the sheet was made with.
    float v = 0.0f;
    for (int64_t r = 0; r < rows; ++r) {
        float u = 0.0f;
        for (int64_t c = 0; c < columns; ++c) {
            offsets.push_back({u, v});
            u += du;
        }
        v += dv;
    }
    return offsets;
}

bool ClampSheetSize(int32_t& columns, int32_t& rows) {
    if (columns >= 1 && rows >= 1 && columns <= kMaxSheetCells && rows <= kMaxSheetCells)
        return false;
    columns = std::clamp(columns, 1, kMaxSheetCells);
    rows = std::clamp(rows, 1, kMaxSheetCells);
    return true;
}

GLuint CreateSheetTexture(const unsigned char* rgba, int width, int height) {
    static const unsigned char kWhite[4] = {255, 255, 255, 255};
    if (!rgba) {
        rgba = kWhite;
        width = height = 1;
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    const bool uploaded = glGetError() == GL_NO_ERROR;
    if (uploaded) glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (!uploaded) {
        glDeleteTextures(1, &texture);
        texture = 0;
    }
    return texture;
}

GLuint UploadSheetImage(VXImage& image, const std::string& path, bool& fellBack) {
    fellBack = false;
    GLuint texture = CreateSheetTexture(image.pixels, image.width, image.height);
    if (texture) return texture;
    std::printf(
        " -> Image %s (%d x %d) could not be made a texture; the default image is shown "
        "instead\n",
        path.c_str(), image.width, image.height);
    fellBack = true;
    if (LoadImageFile(kDefaultImagePath, image) != VXImageLoad::Decoded) image.Reset();
    texture = CreateSheetTexture(image.pixels, image.width, image.height);
    if (!image.pixels) image.width = image.height = 1;
    return texture;
}

}  // namespace FrameWork
