#include "tests/support/DataFiles.h"

#include <stb_image_write.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace TestHarness {

const Pixel kSheetColours[8] = {{255, 0, 0, 255},   {0, 255, 0, 255},   {0, 0, 255, 255},
                                {255, 255, 0, 255}, {255, 0, 255, 255}, {0, 255, 255, 255},
                                {255, 128, 0, 255}, {128, 0, 255, 255}};

bool WritePng(const fs::path& path, int width, int height, const std::vector<Pixel>& pixels) {
    return stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4) != 0;
}

bool WriteDds(const fs::path& path, int width, int height, const std::vector<Pixel>& pixels) {
    uint32_t header[31] = {};
    header[0] = 124;                             // size
    header[1] = 0x1 | 0x2 | 0x4 | 0x8 | 0x1000;  // caps, height, width, pitch, format
    header[2] = static_cast<uint32_t>(height);
    header[3] = static_cast<uint32_t>(width);
    header[4] = static_cast<uint32_t>(width) * 4;  // pitch
    header[18] = 32;                               // pixel format size
    header[19] = 0x40 | 0x1;                       // RGB with alpha
    header[21] = 32;                               // bits per pixel
    header[22] = 0x00ff0000;                       // red mask
    header[23] = 0x0000ff00;                       // green
    header[24] = 0x000000ff;                       // blue
    header[25] = 0xff000000;                       // alpha
    header[26] = 0x1000;                           // texture
    std::ofstream out(path, std::ios::binary);
    out.write("DDS ", 4);
    out.write(reinterpret_cast<const char*>(header), sizeof(header));
    for (const Pixel& p : pixels) {
        const char bgra[4] = {static_cast<char>(p.b), static_cast<char>(p.g),
                              static_cast<char>(p.r), static_cast<char>(p.a)};
        out.write(bgra, 4);
    }
    return static_cast<bool>(out);
}

std::vector<Pixel> AsymmetricSheet(int cellSize) {
    const int width = 4 * cellSize;
    const int height = 2 * cellSize;
    std::vector<Pixel> pixels(static_cast<size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int cell = (y / cellSize) * 4 + x / cellSize;
            const bool mark = (x % cellSize) < cellSize / 4 && (y % cellSize) < cellSize / 4;
            pixels[static_cast<size_t>(y * width + x)] =
                mark ? Pixel{0, 0, 0, 255} : kSheetColours[cell];
        }
    return pixels;
}

void WriteTone(const fs::path& path, double seconds, int amplitude) {
    constexpr int kRate = 44100;
    const uint32_t frames = static_cast<uint32_t>(seconds * kRate);
    std::vector<int16_t> samples(frames);
    for (uint32_t i = 0; i < frames; ++i)
        samples[i] = static_cast<int16_t>(amplitude * std::sin(2 * M_PI * 440.0 * i / kRate));
    const uint32_t dataBytes = frames * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

}  // namespace TestHarness
