// What the rendering tests share: writers for small PNG and DDS images, the
// asymmetric test sheet, and capturing what a call prints.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace RenderTest {

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

// Runs `body` with standard output captured and returns what it printed.
template <typename Body>
std::string Printed(Body body);

}  // namespace RenderTest

#include <gtest/gtest.h>

#include <cstdio>

template <typename Body>
std::string RenderTest::Printed(Body body) {
    testing::internal::CaptureStdout();
    body();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}
