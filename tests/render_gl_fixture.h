// The real engine under the X server of the test run, started on a throw-away
// data tree with the test clock; a test builds its scene straight into the
// graphics manager and reads frames back.
#pragma once

#include "engine/VXEngine.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"
#include "tests/render_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace RenderTest {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// A frame, top row first, as it appears on screen.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    // (x, y) from the top-left corner.
    Rgb At(int x, int y) const;
    bool SavePng(const std::string& path) const;
};

// Largest per-channel difference.
int Distance(const Rgb& a, const Rgb& b);
// Pixels farther than `tolerance` from `colour`.
long CountNot(const Frame& frame, const Rgb& colour, int tolerance);
long CountDifferent(const Frame& a, const Frame& b, int tolerance);

class RenderGL : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs before the engine starts: change the data tree here.
    virtual void PrepareData(DataTree&) {}

    // One frame of the main loop's drawing (clear, projection, viewport,
    // scene) read back before the swap.
    Frame CaptureFrame();

    // A root object of the given size at (x, y), kept until the test ends.
    FrameWork::GameObject* Object(float x, float y, float width, float height);
    // A sprite for a new object, in the render list.
    std::shared_ptr<FrameWork::VXSpriteComponent> Sprite(FrameWork::VXTextureRecord* texture,
                                                         float x, float y, float size);
    // A texture of one flat colour.
    FrameWork::VXTextureRecord* Solid(const std::string& name, Pixel colour);

    // Screen pixel (top-left origin) of a world point under the identity
    // camera (zoom 1, camera at 0, 0).
    int ScreenX(float worldX) const { return width / 2 + static_cast<int>(worldX); }
    int ScreenY(float worldY) const { return height - (height / 2 + static_cast<int>(worldY)); }

    std::unique_ptr<DataTree> tree;
    FrameWork::Platform::TestClock clock;
    FrameWork::VXEngine* engine = nullptr;
    FrameWork::VXGraphicsManager* graphics = nullptr;
    std::string startupOutput;
    int width = 0;
    int height = 0;
    Rgb background;
    std::vector<std::unique_ptr<FrameWork::GameObject>> objects;
};

}  // namespace RenderTest
