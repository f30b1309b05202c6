// Image files as the game reads them.  Every image (texture records, tile
// and particle sheets, images the editor imports) goes through
// LoadImageFile: the file is read whole, its header is checked here, and
// only then does SOIL decode it.  SOIL's decoder trusts the header: a size
// larger than a texture can be, or a header promising more pixel data than
// the file holds, makes it allocate gigabytes or read past its buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace FrameWork {

// The image every failed load falls back to.
extern const std::string kDefaultImagePath;

// The largest side accepted when no GL context says what a texture may be.
constexpr uint32_t kImageSideCap = 16384;

// What an accepted header says.
struct VXImageHeader {
    const char* format = "";  // "PNG", "TGA" or "DDS"; "" when none of them
    uint32_t width = 0;
    uint32_t height = 0;
};

// Checks the header of the image held in data[0, size): a PNG, a TGA or a
// DDS in a layout the decoder handles, each side from 1 to maxSide, and
// the file long enough for the pixel data its header promises.  Returns ""
// when the image may be decoded, otherwise why it is refused.  Needs no GL.
std::string CheckImageHeader(const unsigned char* data, size_t size, uint32_t maxSide,
                             VXImageHeader& header);

// GL_MAX_TEXTURE_SIZE of the current context, or kImageSideCap without one.
uint32_t MaxImageSide();

// Decoded pixels: four 8-bit channels, rows from the top of the image.
class VXImage {
public:
    VXImage() = default;
    ~VXImage() { Reset(); }
    VXImage(const VXImage&) = delete;
    VXImage& operator=(const VXImage&) = delete;
    void Reset();
    // Takes over what `other` holds.
    void Take(VXImage& other);

    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
};

enum class VXImageLoad {
    Decoded,       // `path` decoded
    DefaultShown,  // `path` refused (one line printed): the default image instead
    Missing,       // `path` cannot be read; nothing printed
    Undecodable,   // no image format the game reads, or SOIL failed; nothing
                   // printed, the caller reports it
};

// Reads, checks and decodes the image file at `path` into `out`.
VXImageLoad LoadImageFile(const std::string& path, VXImage& out);

}  // namespace FrameWork
