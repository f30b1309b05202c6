// libFuzzer target: any bytes as a texture list, an audio list or an image
// file (the first byte chooses).  The readers must not crash; a texture list
// must give four lists of one length with every sheet inside the limits; an
// image header that passes the check must decode with SOIL without reading
// outside the file (ASan watches SOIL's copies from the buffer).
#include <SOIL/SOIL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/VXAudioManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXImageFile.h"
#include "objects/VXObjectLoader.h"

using namespace FrameWork;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The readers' lines would drown the fuzzer's own.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    return 0;
}

static void TextureList(const std::string& text) {
    VXGraphicsManager* g = VXGraphicsManager::Instance();
    std::istringstream list(text);
    g->ReadTextureList(list, "fuzz");
    const size_t n = g->textureImageNames.size();
    if (g->textureImagePaths.size() != n || g->textureColumns.size() != n ||
        g->textureRows.size() != n)
        std::abort();
    for (size_t i = 0; i < n; ++i)
        if (g->textureColumns[i] < 1 || g->textureColumns[i] > kMaxSheetCells ||
            g->textureRows[i] < 1 || g->textureRows[i] > kMaxSheetCells)
            std::abort();
    g->textureImageNames.clear();
    g->textureImagePaths.clear();
    g->textureColumns.clear();
    g->textureRows.clear();
}

static void AudioList(const std::string& text) {
    static const std::string path = "/tmp/pellwick-fuzz-audiolist-" + std::to_string(getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    std::vector<std::string> names;
    LoadTextList(path, names);
    for (const std::string& name : names)
        if (name.empty() || name.find_first_of(" \t\n\r\f\v") != std::string::npos) std::abort();
}

static void Image(const uint8_t* data, size_t size) {
    // A small limit keeps every accepted image quick to decode.
    VXImageHeader header;
    if (!CheckImageHeader(data, size, 256, header).empty()) return;
    if (header.width < 1 || header.width > 256 || header.height < 1 || header.height > 256)
        std::abort();
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = SOIL_load_image_from_memory(data, static_cast<int>(size), &width,
                                                        &height, &channels, SOIL_LOAD_RGBA);
    if (pixels) SOIL_free_image_data(pixels);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
        case 0:
            TextureList(text);
            break;
        case 1:
            AudioList(text);
            break;
        default:
            Image(data + 1, size - 1);
            break;
    }
    return 0;
}
