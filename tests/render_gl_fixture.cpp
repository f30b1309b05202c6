#include "tests/render_gl_fixture.h"

#include "engine/StartupGlobals.h"
#include "engine/VXWindow.h"

#include <GL/glew.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace RenderTest {

using namespace FrameWork;

Rgb Frame::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2]};
}

bool Frame::SavePng(const std::string& path) const {
    return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

int Distance(const Rgb& a, const Rgb& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

long CountNot(const Frame& frame, const Rgb& colour, int tolerance) {
    long count = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (Distance(frame.At(x, y), colour) > tolerance) ++count;
    return count;
}

long CountDifferent(const Frame& a, const Frame& b, int tolerance) {
    if (a.width != b.width || a.height != b.height) return -1;
    long count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (Distance(a.At(x, y), b.At(x, y)) > tolerance) ++count;
    return count;
}

void RenderGL::SetUp() {
    tree = std::make_unique<DataTree>();
    PrepareData(*tree);
    BuildStartupGlobals();
    fullScreen = 1;
    clock = Platform::TestClock();
    Platform::InstallTestClock(&clock);
    engine = VXEngine::Instance();
    bool started = false;
    startupOutput = Printed([&] { started = engine->Init(); });
    ASSERT_TRUE(started) << "the engine did not start (is an X server running?)\n" << startupOutput;
    clock.Advance();
    graphics = engine->graphics;
    width = windowWidth;
    height = windowHeight;
    // The first frame clears to the scene colour: that is the background.
    const Frame empty = CaptureFrame();
    background = empty.At(width / 2, height / 2);
}

void RenderGL::TearDown() {
    if (engine) {
        graphics->ClearStateLists();
        graphics->Clear();
        engine->Shutdown();
        engine = nullptr;
    }
    objects.clear();
    Platform::InstallTestClock(nullptr);
    tree.reset();
}

Frame RenderGL::CaptureFrame() {
    engine->PumpMessages();
    graphics->RenderScene();
    Frame frame;
    frame.width = windowWidth;
    frame.height = windowHeight;
    std::vector<uint8_t> bottomUp(static_cast<size_t>(frame.width) * frame.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    frame.rgba.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(frame.width) * 4;
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(&frame.rgba[y * row], &bottomUp[(frame.height - 1 - y) * row], row);
    engine->Present();
    return frame;
}

GameObject* RenderGL::Object(float x, float y, float w, float h) {
    objects.push_back(
        std::make_unique<GameObject>(w, h, 1, 1, 1, 0, x, y, "obj", 0.0f, 0.0f, 0.0f));
    return objects.back().get();
}

std::shared_ptr<VXSpriteComponent> RenderGL::Sprite(VXTextureRecord* texture, float x, float y,
                                                    float size) {
    auto sprite = std::make_shared<VXSpriteComponent>(Object(x, y, size, size));
    sprite->texture = texture;
    graphics->AddToRenderList(sprite);
    return sprite;
}

VXTextureRecord* RenderGL::Solid(const std::string& name, Pixel colour) {
    WritePng(tree->Data("img/" + name), 4, 4, std::vector<Pixel>(16, colour));
    return graphics->AddNamedTexture(name, "../VXEngine/data/img/" + name, 1, 1);
}

}  // namespace RenderTest
