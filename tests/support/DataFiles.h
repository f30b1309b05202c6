// Data files a test writes for itself: small PNG and DDS images, the
// asymmetric test sheet, a WAV tone, and whole text files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace TestHarness {

struct Pixel {
    uint8_t r, g, b, a;
};

// width x height pixels, top row first, written as an 8-bit RGBA PNG or an
// uncompressed 32-bit DDS.
bool WritePng(const std::filesystem::path& path, int width, int height,
              const std::vector<Pixel>& pixels);
bool WriteDds(const std::filesystem::path& path, int width, int height,
              const std::vector<Pixel>& pixels);

// The 4 x 2 sheet of the tests: every cell one flat colour, cell n in
// reading order from the top-left, each cell `cellSize` pixels square, and
// the top-left pixel of every cell black (so that a flipped or mirrored cell
// shows its mark in the wrong corner).
std::vector<Pixel> AsymmetricSheet(int cellSize);
extern const Pixel kSheetColours[8];

// A 16-bit mono 44.1 kHz WAV of a 440 Hz tone.
void WriteTone(const std::filesystem::path& path, double seconds, int amplitude = 12000);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);

}  // namespace TestHarness
