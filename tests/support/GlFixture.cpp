#include "tests/support/GlFixture.h"

#include "core/DataRoot.h"
#include "core/GameState.h"
#include "engine/VXWindow.h"

namespace TestHarness {

using namespace FrameWork;

void RenderGL::SetUp() {
    startupOutput = Printed([&] { EngineFixture::SetUp(); });
    if (HasFatalFailure()) return;
    ReplaceLevel(GameState::LoadingScreen, &idle);
    BeginRun();
    graphics = engine->graphics;
    width = windowWidth;
    height = windowHeight;
    // A frame with nothing in it shows the clear colour: the background.
    const FrameImage empty = CaptureFrame();
    background = empty.At(width / 2, height / 2);
}

void RenderGL::TearDown() {
    EngineFixture::TearDown();
    objects.clear();
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
    return graphics->AddNamedTexture(name, DataPath("img/" + name), 1, 1);
}

}  // namespace TestHarness
