// Sprite sheets: where each cell of a sheet starts, and the GL texture of a
// sheet image (four 8-bit channels, clamped at the edges, nearest
// filtering, with mipmaps).  Texture records and instance sets both build
// their sheets here.
#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <string>
#include <vector>

namespace FrameWork {

class VXImage;

// Where a sheet cell starts in texture coordinates.
struct VXFrameOffset {
    float u = 0.0f;
    float v = 0.0f;
};

// Cells of a columns x rows sheet in reading order (cell n is row
// n / columns, column n % columns), row 0 at v = 0.  Each side is taken
// from 1 to kMaxSheetCells.
std::vector<VXFrameOffset> SheetCellOffsets(int64_t columns, int64_t rows);

// Keeps a sheet size asked for by a file within 1 to kMaxSheetCells a side;
// true when it had to be changed.
bool ClampSheetSize(int32_t& columns, int32_t& rows);

// Makes a texture of `width` x `height` pixels from `rgba` (rows from the top
// of the image); a null `rgba` gives a 1 x 1 white texture.  Returns 0 when
// GL refuses the upload.  Needs a current GL context.
GLuint CreateSheetTexture(const unsigned char* rgba, int width, int height);

// Uploads `image` (null pixels: 1 x 1 white).  When GL refuses it, prints a
// line naming `path`, puts the default image into `image` and uploads that;
// `fellBack` tells.  Needs a current GL context.
GLuint UploadSheetImage(VXImage& image, const std::string& path, bool& fellBack);

}  // namespace FrameWork
