#include "graphics/VXImageFile.h"

#include <GL/glew.h>
#include <SOIL/SOIL.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "core/DataRoot.h"
#include "graphics/VXShaderProgram.h"

namespace FrameWork {

const std::string kDefaultImagePath = DataPath("img/default.png");

namespace {

uint32_t Le16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint32_t Be32(const unsigned char* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

const char kTooShort[] = "its header promises more pixel data than the file holds";

std::string SideProblem(uint32_t width, uint32_t height, uint32_t maxSide) {
    if (width == 0 || height == 0) return "it has no pixels";
    if (width <= maxSide && height <= maxSide) return "";
    return std::to_string(width) + " x " + std::to_string(height) +
           " pixels is larger than the largest texture (" + std::to_string(maxSide) + ")";
}

// Deflate packs at most 258 bytes into 2 bits, so a stream of n bytes
// never inflates to more than 1032 n.
constexpr uint64_t kMaxInflateRatio = 1032;

// Inflates the image data, given as the IDAT chunks in order, without keeping
// it: SOIL's inflater reads zeros past the end of its input, so a stream
// that does not end inside the file can make it write forever.  The stream
// must end inside the data and give no more than `expected` bytes.
std::string CheckPngStream(const std::vector<std::pair<const unsigned char*, uint32_t>>& idat,
                           uint64_t expected) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return "its pixel data cannot be checked";
    unsigned char out[65536];
    uint64_t produced = 0;
    int result = Z_OK;
    for (size_t k = 0; k < idat.size() && result == Z_OK; ++k) {
        z.next_in = const_cast<unsigned char*>(idat[k].first);
        z.avail_in = idat[k].second;
        do {
            z.next_out = out;
            z.avail_out = sizeof out;
            result = inflate(&z, Z_NO_FLUSH);
            produced += sizeof out - z.avail_out;
            if (result == Z_BUF_ERROR) result = Z_OK;  // no progress until more input
        } while (result == Z_OK && (z.avail_in > 0 || z.avail_out == 0) && produced <= expected);
    }
    inflateEnd(&z);
    if (produced > expected) return "its pixel data is larger than its header says";
    if (result == Z_STREAM_END) return "";
    return result == Z_OK ? kTooShort : "its pixel data is corrupt";
}

std::string CheckPng(const unsigned char* d, size_t size, uint32_t maxSide, VXImageHeader& h) {
    h.format = "PNG";
    if (size < 33 || Be32(d + 8) != 13 || std::memcmp(d + 12, "IHDR", 4) != 0)
        return "its PNG header is missing";
    h.width = Be32(d + 16);
    h.height = Be32(d + 20);
    std::string problem = SideProblem(h.width, h.height, maxSide);
    if (!problem.empty()) return problem;
    // The decoder reads 8-bit and smaller samples, not interlaced.
    const unsigned depth = d[24], colour = d[25];
    int channels = 0;
    if (depth == 8)
        channels = colour == 0 || colour == 3 ? 1
                   : colour == 2              ? 3
                   : colour == 4              ? 2
                   : colour == 6              ? 4
                                              : 0;
    if ((depth == 1 || depth == 2 || depth == 4) && (colour == 0 || colour == 3)) channels = 1;
    if (channels == 0 || d[26] != 0 || d[27] != 0 || d[28] != 0)
        return "its PNG pixel layout is not read (8-bit samples, not interlaced)";
    // Walk the chunks to the end: each must lie inside the file.
    std::vector<std::pair<const unsigned char*, uint32_t>> idat;
    uint64_t compressed = 0;
    size_t at = 8;
    for (;;) {
        if (size - at < 12) return kTooShort;
        const uint32_t length = Be32(d + at);
        if (length > 0x7fffffffu || length > size - at - 12) return kTooShort;
        if (std::memcmp(d + at + 4, "IDAT", 4) == 0) {
            idat.emplace_back(d + at + 8, length);
            compressed += length;
        }
        const bool end = std::memcmp(d + at + 4, "IEND", 4) == 0;
        at += 12 + static_cast<size_t>(length);
        if (end) break;
    }
    const uint64_t rowBytes = (static_cast<uint64_t>(h.width) * channels * depth + 7) / 8 + 1;
    const uint64_t expected = rowBytes * h.height;
    if (compressed == 0 || compressed * kMaxInflateRatio < expected) return kTooShort;
    return CheckPngStream(idat, expected);
}

// A TGA has no magic number: the header must make sense as a whole.  The
// decoder reads at most four bytes a pixel and one palette index a pixel.
std::string CheckTga(const unsigned char* d, size_t size, uint32_t maxSide, VXImageHeader& h) {
    const char* unknown = "it is not a PNG, TGA or DDS image";
    if (size < 18) return unknown;
    const unsigned idLength = d[0], mapType = d[1], type = d[2];
    const uint32_t mapStart = Le16(d + 3), mapLength = Le16(d + 5);
    const unsigned mapBits = d[7], bits = d[16];
    auto whole = [](unsigned b) { return b == 8 || b == 16 || b == 24 || b == 32; };
    const bool indexed = type == 1 || type == 9;
    const bool known = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    if (mapType > 1 || !known || !whole(bits)) return unknown;
    if (indexed != (mapType == 1)) return unknown;
    if (indexed && (bits != 8 || !whole(mapBits) || mapLength == 0)) return unknown;
    h.format = "TGA";
    h.width = Le16(d + 12);
    h.height = Le16(d + 14);
    std::string problem = SideProblem(h.width, h.height, maxSide);
    if (!problem.empty()) return problem;

    uint64_t at = 18 + idLength;
    if (indexed) at += mapStart + static_cast<uint64_t>(mapLength) * (mapBits / 8);
    const uint64_t pixelBytes = bits / 8;
    uint64_t pixels = static_cast<uint64_t>(h.width) * h.height;
    if (type < 9) return at + pixels * pixelBytes <= size ? "" : kTooShort;
    // Run-length packets: walk them, so every byte the decoder takes is there.
    while (pixels > 0) {
        if (at >= size) return kTooShort;
        const unsigned packet = d[at++];
        const uint64_t count = std::min<uint64_t>((packet & 0x7f) + 1, pixels);
        at += (packet & 0x80) ? pixelBytes : count * pixelBytes;
        pixels -= count;
    }
    return at <= size ? "" : kTooShort;
}

std::string CheckDds(const unsigned char* d, size_t size, uint32_t maxSide, VXImageHeader& h) {
    h.format = "DDS";
    if (size < 128 || Le32(d + 4) != 124 || Le32(d + 76) != 32) return "its DDS header is missing";
    const uint32_t flags = Le32(d + 8), pixelFlags = Le32(d + 80), fourCC = Le32(d + 84);
    const uint32_t bitCount = Le32(d + 88), caps = Le32(d + 108), caps2 = Le32(d + 112);
    const uint32_t needed = 0x1 | 0x2 | 0x4 | 0x1000;  // caps, height, width, pixel format
    if ((flags & needed) != needed || !(caps & 0x1000)) return "its DDS header is incomplete";
    if (caps2 & (0x200 | 0x200000)) return "cube maps and volume textures are not used";
    h.width = Le32(d + 16);
    h.height = Le32(d + 12);
    std::string problem = SideProblem(h.width, h.height, maxSide);
    if (!problem.empty()) return problem;
    uint64_t bytes = 0;
    const uint64_t blocks = static_cast<uint64_t>((h.width + 3) / 4) * ((h.height + 3) / 4);
    if (pixelFlags & 0x4) {
        if (fourCC == Le32(reinterpret_cast<const unsigned char*>("DXT1")))
            bytes = blocks * 8;
        else if (fourCC == Le32(reinterpret_cast<const unsigned char*>("DXT3")) ||
                 fourCC == Le32(reinterpret_cast<const unsigned char*>("DXT5")))
            bytes = blocks * 16;
        else
            return "only DXT1, DXT3 and DXT5 compression is read";
    } else if (pixelFlags & 0x40) {
        // The decoder takes three bytes a pixel, four with the alpha flag.
        const uint32_t channels = (pixelFlags & 0x1) ? 4 : 3;
        if (bitCount != channels * 8) return "its DDS pixel layout is not read";
        bytes = static_cast<uint64_t>(h.width) * h.height * channels;
    } else {
        return "its DDS pixel layout is not read";
    }
    return 128 + bytes <= size ? "" : kTooShort;
}

// The whole file, or false when it cannot be read (missing, a folder).
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& out) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    unsigned char chunk[65536];
    size_t got = 0;
    bool ok = true;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (out.size() + got > static_cast<size_t>(INT_MAX)) {
            ok = false;
            break;
        }
        out.insert(out.end(), chunk, chunk + got);
    }
    if (std::ferror(file)) ok = false;
    std::fclose(file);
    return ok;
}

}  // namespace

std::string CheckImageHeader(const unsigned char* data, size_t size, uint32_t maxSide,
                             VXImageHeader& header) {
    static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    header = VXImageHeader();
    if (!data || size == 0) return "the file is empty";
    if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return CheckPng(data, size, maxSide, header);
    if (size >= 4 && std::memcmp(data, "DDS ", 4) == 0)
        return CheckDds(data, size, maxSide, header);
    // Every other format SOIL knows starts with bytes that make no TGA header.
    return CheckTga(data, size, maxSide, header);
}

uint32_t MaxImageSide() {
    if (!HasGL()) return kImageSideCap;
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    if (side <= 0) return kImageSideCap;
    return std::min(static_cast<uint32_t>(side), kImageSideCap);
}

void VXImage::Reset() {
    if (pixels) SOIL_free_image_data(pixels);
    pixels = nullptr;
    width = height = 0;
}

void VXImage::Take(VXImage& other) {
    if (this == &other) return;
    Reset();
    pixels = other.pixels;
    width = other.width;
    height = other.height;
    other.pixels = nullptr;
    other.width = other.height = 0;
}

VXImageLoad LoadImageFile(const std::string& path, VXImage& out) {
    out.Reset();
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, bytes)) return VXImageLoad::Missing;
    VXImageHeader header;
    const std::string problem =
        CheckImageHeader(bytes.data(), bytes.size(), MaxImageSide(), header);
    // A file in no format the game reads is not decoded; the caller reports
    // it as it reports an image the decoder gives up on.
    if (!problem.empty() && !*header.format) return VXImageLoad::Undecodable;
    if (!problem.empty()) {
        std::printf(" -> Image %s refused: %s; the default image is shown instead\n", path.c_str(),
                    problem.c_str());
        if (path == kDefaultImagePath) return VXImageLoad::Undecodable;
        return LoadImageFile(kDefaultImagePath, out) == VXImageLoad::Decoded
                   ? VXImageLoad::DefaultShown
                   : VXImageLoad::Undecodable;
    }
    int channels = 0;
    out.pixels = SOIL_load_image_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                             &out.width, &out.height, &channels, SOIL_LOAD_RGBA);
    if (!out.pixels || out.width <= 0 || out.height <= 0) {
        out.Reset();
        return VXImageLoad::Undecodable;
    }
    return VXImageLoad::Decoded;
}

}  // namespace FrameWork
