#include "tests/support/FrameImage.h"

#include <GL/glew.h>
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <map>

namespace TestHarness {

Rgb FrameImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2]};
}

bool FrameImage::SavePng(const std::string& path) const {
    if (Empty()) return false;
    return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

FrameImage ReadFramebuffer(int width, int height) {
    FrameImage image;
    if (width <= 0 || height <= 0) return image;
    image.width = width;
    image.height = height;
    std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    image.rgba.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
        std::memcpy(&image.rgba[y * row], &bottomUp[(height - 1 - y) * row], row);
    return image;
}

int ColourDistance(const Rgb& a, const Rgb& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

long CountDifferentPixels(const FrameImage& a, const FrameImage& b, int tolerance) {
    if (a.width != b.width || a.height != b.height) return -1;
    long count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (ColourDistance(a.At(x, y), b.At(x, y)) > tolerance) ++count;
    return count;
}

long CountPixelsNotOf(const FrameImage& image, const Rgb& colour, int tolerance) {
    long count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (ColourDistance(image.At(x, y), colour) > tolerance) ++count;
    return count;
}

long CountPixelsNear(const FrameImage& image, int x0, int y0, int x1, int y1, const Rgb& colour,
                     int tolerance) {
    long count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (ColourDistance(image.At(x, y), colour) <= tolerance) ++count;
    return count;
}

Rgb MostCommonColour(const FrameImage& image, int x0, int y0, int x1, int y1) {
    std::map<std::array<int, 3>, long> groups;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Rgb p = image.At(x, y);
            ++groups[{p.r / 8, p.g / 8, p.b / 8}];
        }
    if (groups.empty()) return Rgb();
    auto most = std::max_element(groups.begin(), groups.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    return Rgb{most->first[0] * 8 + 4, most->first[1] * 8 + 4, most->first[2] * 8 + 4};
}

::testing::AssertionResult StandsOutInBox(const FrameImage& image, int x0, int y0, int x1, int y1,
                                          const Rgb& colour) {
    const long drawn = CountPixelsNear(image, x0, y0, x1, y1, colour, 20);
    if (drawn < 30) return ::testing::AssertionFailure() << "only " << drawn << " pixels drawn";
    const Rgb back = MostCommonColour(image, x0, y0, x1, y1);
    if (ColourDistance(back, colour) <= 120)
        return ::testing::AssertionFailure()
               << "on a background of " << back.r << "," << back.g << "," << back.b;
    return ::testing::AssertionSuccess();
}

}  // namespace TestHarness
