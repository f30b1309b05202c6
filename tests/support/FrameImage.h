// Frames read back from the GL back buffer, saved as PNG, compared with a
// tolerance.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TestHarness {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// RGBA pixels, top row first (as the image appears on screen).
struct FrameImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    bool Empty() const { return width == 0 || height == 0; }
    // (x, y) in screen pixels from the top-left corner.
    Rgb At(int x, int y) const;
    bool SavePng(const std::string& path) const;
};

// Reads the current GL read buffer (rows come bottom-up and are turned).
FrameImage ReadFramebuffer(int width, int height);

// Largest per-channel difference between a pixel and a colour.
int ColourDistance(const Rgb& a, const Rgb& b);
// Number of pixels of two same-sized images whose channels differ by more
// than `tolerance`; -1 when the sizes differ.
long CountDifferentPixels(const FrameImage& a, const FrameImage& b, int tolerance);
// Number of pixels whose colour is farther than `tolerance` from `colour`.
long CountPixelsNotOf(const FrameImage& image, const Rgb& colour, int tolerance);

}  // namespace TestHarness
