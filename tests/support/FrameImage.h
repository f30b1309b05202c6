// Frames read back from the GL back buffer, saved as PNG, compared with a
// tolerance.
#pragma once

#include <gtest/gtest.h>

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

// In the box [x0, x1) x [y0, y1): the number of pixels within `tolerance` of
// `colour`, and the most frequent colour (channels grouped in steps of 8,
// the middle of its group returned).
long CountPixelsNear(const FrameImage& image, int x0, int y0, int x1, int y1, const Rgb& colour,
                     int tolerance);
Rgb MostCommonColour(const FrameImage& image, int x0, int y0, int x1, int y1);
// Success when some pixels of the box (at least 30) are of `colour` and the
// box's most frequent colour (its background) is far from it, so that
// `colour` reads on it.
::testing::AssertionResult StandsOutInBox(const FrameImage& image, int x0, int y0, int x1, int y1,
                                          const Rgb& colour);

}  // namespace TestHarness
