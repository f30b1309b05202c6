// Hostile image files: headers crafted here (no binary files kept), checked
// without GL, then loaded through the real loaders under a GL context.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/DataRoot.h"
#include "core/GameState.h"
#include "graphics/VXImageFile.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXShaderProgram.h"
#include "graphics/VXSheetTexture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/GlFixture.h"

using namespace FrameWork;
using TestHarness::Printed;

namespace {

using Bytes = std::string;

void Put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = char(v & 0xff);
    b[at + 1] = char(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = char((v >> (8 * k)) & 0xff);
}
void PutBe32(Bytes& b, uint32_t v) {
    for (int k = 3; k >= 0; --k) b += char((v >> (8 * k)) & 0xff);
}

// An 18-byte TGA header followed by `payload` zero bytes.
Bytes Tga(int type, int mapType, uint32_t mapLength, int mapBits, uint32_t w, uint32_t h, int bits,
          size_t payload) {
    Bytes b(18, '\0');
    b[1] = char(mapType);
    b[2] = char(type);
    Put16(b, 5, mapLength);
    b[7] = char(mapBits);
    Put16(b, 12, w);
    Put16(b, 14, h);
    b[16] = char(bits);
    return b + Bytes(payload, '\0');
}

// A DDS header (uncompressed RGBA, or `fourCC`) and `payload` zero bytes.
Bytes Dds(uint32_t w, uint32_t h, const char* fourCC, uint32_t caps2, size_t payload) {
    Bytes b(128, '\0');
    std::memcpy(&b[0], "DDS ", 4);
    Put32(b, 4, 124);
    Put32(b, 8, 0x1 | 0x2 | 0x4 | 0x1000);
    Put32(b, 12, h);
    Put32(b, 16, w);
    Put32(b, 76, 32);
    Put32(b, 80, fourCC ? 0x4 : 0x41);
    if (fourCC) std::memcpy(&b[84], fourCC, 4);
    Put32(b, 88, 32);
    Put32(b, 108, 0x1000);
    Put32(b, 112, caps2);
    return b + Bytes(payload, '\0');
}

// A PNG signature, IHDR, one IDAT holding `idat` and IEND (CRCs left 0);
// `cut` drops that many bytes from the end.
Bytes Png(uint32_t w, uint32_t h, int depth, int colour, const Bytes& idat, size_t cut = 0) {
    Bytes b("\x89PNG\r\n\x1a\n", 8);
    auto chunk = [&](const char* type, const Bytes& data) {
        PutBe32(b, static_cast<uint32_t>(data.size()));
        b += type;
        b += data;
        PutBe32(b, 0);
    };
    Bytes ihdr;
    PutBe32(ihdr, w);
    PutBe32(ihdr, h);
    ihdr += char(depth);
    ihdr += char(colour);
    ihdr += Bytes(3, '\0');
    chunk("IHDR", ihdr);
    chunk("IDAT", idat);
    chunk("IEND", "");
    return b.substr(0, b.size() - cut);
}

// `raw` zero bytes deflated, less `cut` bytes at the end.
Bytes Deflated(size_t raw, size_t cut = 0) {
    Bytes out(compressBound(raw), '\0');
    uLongf length = out.size();
    compress(reinterpret_cast<Bytef*>(&out[0]), &length,
             reinterpret_cast<const Bytef*>(Bytes(raw, '\0').data()), raw);
    return out.substr(0, length - cut);
}

struct Crafted {
    const char* name;
    Bytes bytes;
    const char* problem;  // "" when the header is accepted
};

const std::vector<Crafted>& CraftedFiles() {
    static const std::vector<Crafted> files = {
        {"tga_huge.tga", Tga(2, 0, 0, 0, 65510, 65533, 32, 0).substr(0, 17), "not a PNG, TGA"},
        {"tga_huge18.tga", Tga(2, 0, 0, 0, 65510, 65533, 32, 0), "larger than the largest"},
        {"tga_short.tga", Tga(2, 0, 0, 0, 64, 64, 32, 100), "more pixel data"},
        {"tga_palette_bits.tga", Tga(1, 1, 4, 255, 4, 4, 8, 200), "not a PNG, TGA"},
        {"tga_rle_short.tga", Tga(10, 0, 0, 0, 64, 64, 24, 0) + "\x05" + Bytes(6, 'x'),
         "more pixel data"},
        {"tga_ok.tga", Tga(2, 0, 0, 0, 2, 2, 32, 16), ""},
        {"dds_huge.dds", Dds(60000, 60000, nullptr, 0, 0), "larger than the largest"},
        {"dds_short.dds", Dds(64, 64, nullptr, 0, 64 * 63 * 4), "more pixel data"},
        {"dds_dxt_short.dds", Dds(64, 64, "DXT5", 0, 255 * 16), "more pixel data"},
        {"dds_cube.dds", Dds(4, 4, nullptr, 0x200, 6 * 64), "cube maps"},
        {"dds_fourcc.dds", Dds(4, 4, "ATI2", 0, 64), "only DXT1"},
        {"dds_ok.dds", Dds(4, 4, "DXT1", 0, 8), ""},
        {"png_wide.png", Png(20000, 1, 8, 6, Deflated(80001)), "larger than the largest"},
        {"png_bomb.png", Png(8000, 8000, 8, 6, Bytes(1000, '\0')), "more pixel data"},
        {"png_cut.png", Png(4, 4, 8, 6, Deflated(68), 20), "more pixel data"},
        {"png_endless.png", Png(4, 4, 8, 6, Deflated(68, 6)), "more pixel data"},
        {"png_more.png", Png(4, 4, 8, 6, Deflated(68 * 4)), "larger than its header"},
        {"png_garbage.png", Png(4, 4, 8, 6, Bytes(40, '\x55')), "corrupt"},
        {"png_depth.png", Png(4, 4, 16, 2, Deflated(200)), "pixel layout"},
        {"png_ok.png", Png(4, 4, 8, 6, Deflated(68)), ""},
        {"jpeg.jpg", Bytes("\xff\xd8\xff\xe0", 4) + Bytes(40, '\0'), "not a PNG, TGA"},
    };
    return files;
}

TEST(ImageHeader, CraftedHeadersAreRefusedBeforeAnyDecode) {
    for (const Crafted& c : CraftedFiles()) {
        VXImageHeader header;
        const std::string problem =
            CheckImageHeader(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(),
                             kImageSideCap, header);
        if (!*c.problem)
            EXPECT_EQ(problem, "") << c.name;
        else
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
    }
}

TEST(ShaderFiles, AFolderCannotBeReadAndMakesNoShader) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    VXShaderProgram record{};
    EXPECT_EQ(Printed([&] { record.CompileShaderFiles(folder, folder); }),
              "Error - Vertex shader file cannot be read: " + folder + "\n");
    EXPECT_EQ(record.vertexShader, 0u);
}

class HostileImages : public TestHarness::RenderGL {};

// Every crafted file through the texture table and an instance set: one line
// naming the file, the default image in its place, no crash.
TEST_F(HostileImages, EachIsReportedAndReplacedByTheDefaultImage) {
    VXImage fallback;
    ASSERT_EQ(LoadImageFile(kDefaultImagePath, fallback), VXImageLoad::Decoded);
    for (const Crafted& c : CraftedFiles()) {
        if (!*c.problem || std::strstr(c.problem, "not a PNG")) continue;
        tree->WriteData("img/" + std::string(c.name), c.bytes);
        const std::string path = DataPath("img/" + std::string(c.name));
        VXTextureRecord* record = nullptr;
        std::string said = Printed([&] { record = graphics->AddNamedTexture(c.name, path, 4, 4); });
        EXPECT_EQ(said.find(" -> Image " + path + " refused: "), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        ASSERT_NE(record, nullptr) << c.name;
        EXPECT_EQ(record->width, fallback.width) << c.name;
        EXPECT_EQ(record->frameOffsets.size(), 1u) << c.name;
        EXPECT_NE(record->texture, 0u);

        VXInstanceSet set(c.name, 0);
        said = Printed([&] { set.LoadImage(path.c_str(), 2, 2); });
        EXPECT_EQ(said.find(" -> Image " + path + " refused: "), 0u) << said;
        EXPECT_NE(set.texture, 0u);
        set.ReleaseTexture();
    }
}

// A size GL refuses (the header check may know no context) is reported too.
TEST_F(HostileImages, RefusedUploadShowsTheDefaultImage) {
    VXImage wide;
    wide.width = 20000;
    wide.height = 1;
    wide.pixels = static_cast<unsigned char*>(std::calloc(20000, 4));
    bool fellBack = false;
    GLuint texture = 0;
    const std::string said =
        Printed([&] { texture = UploadSheetImage(wide, "wide.png", fellBack); });
    EXPECT_EQ(said,
              " -> Image wide.png (20000 x 1) could not be made a texture; the default image "
              "is shown instead\n");
    EXPECT_TRUE(fellBack);
    EXPECT_NE(texture, 0u);
    EXPECT_LT(wide.width, 20000);
    glDeleteTextures(1, &texture);
}

// The game's own start: a texture list with a huge grid and crafted images,
// and a sound file too short for any format, through the loading screen.
class HostileGameData : public TestHarness::EngineFixture {
    void PrepareData(TestHarness::TempDataTree& data) override {
        std::string list = TestHarness::ReadFile(data.Data("objects/texturelist.txt"));
        std::filesystem::copy_file(data.Data("img/Arrow.png"), data.Data("img/ArrowGrid.png"));
        list += "\nArrowGrid.png 51 42949672\n";
        for (const Crafted& c : CraftedFiles()) {
            data.WriteData("img/" + std::string(c.name), c.bytes);
            list += std::string(c.name) + " 2 2\n";
        }
        data.WriteData("objects/texturelist.txt", list);
        std::istringstream sounds(TestHarness::ReadFile(data.Data("objects/audiolist.txt")));
        sounds >> firstSound;
        data.WriteData("audio/" + firstSound, "OggS\0");
    }

protected:
    std::string firstSound;
};

TEST_F(HostileGameData, TheLoadingScreenReportsEachFileAndHandsOver) {
    const std::string said = Printed([&] {
        BeginRun();
        EXPECT_TRUE(RunUntilState(GameState::SplashScreen, 3000));
    });
    EXPECT_NE(said.find("ArrowGrid.png asks for a 51 x 42949672 sheet; 51 x 256 used\n"),
              std::string::npos);
    EXPECT_NE(said.find("loading sound " + DataPath("audio/" + firstSound) + " failed!\n"),
              std::string::npos);
    for (const Crafted& c : CraftedFiles()) {
        const std::string path = DataPath("img/" + std::string(c.name));
        EXPECT_EQ(said.find(" -> Image " + path + " refused: ") != std::string::npos,
                  *c.problem && !std::strstr(c.problem, "not a PNG"))
            << c.name;
        ASSERT_NE(engine->graphics->FindTexture(c.name), nullptr) << c.name;
    }
    const VXTextureRecord* grid = engine->graphics->FindTexture("ArrowGrid.png");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->frameOffsets.size(), 51u * 256u);
}

}  // namespace
