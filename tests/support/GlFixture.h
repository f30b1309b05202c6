// The engine fixture with an idle state in place of the loading screen: a
// test builds its scene straight into the graphics manager, and each
// CaptureFrame runs one real frame of the main loop and reads it back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/VXLevel_Base.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/EngineFixture.h"

namespace TestHarness {

// A state that draws what the test put in the graphics manager and does
// nothing else.
class IdleLevel : public FrameWork::VXLevel_Base {
public:
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {}
    void Update() override {}
    void Free() override {}
};

class RenderGL : public TestHarness::EngineFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // A root object of the given size at (x, y), kept until the test ends.
    FrameWork::GameObject* Object(float x, float y, float width, float height);
    // A sprite for a new object, in the render list.
    std::shared_ptr<FrameWork::VXSpriteComponent> Sprite(FrameWork::VXTextureRecord* texture,
                                                         float x, float y, float size);
    // A texture of one flat colour.
    FrameWork::VXTextureRecord* Solid(const std::string& name, Pixel colour);

    // Screen pixel (top-left origin) of a world point under the camera the
    // state starts with (zoom 1, camera at 0, 0).
    int ScreenX(float worldX) const { return width / 2 + static_cast<int>(worldX); }
    int ScreenY(float worldY) const { return height - (height / 2 + static_cast<int>(worldY)); }

    FrameWork::VXGraphicsManager* graphics = nullptr;
    // What the engine's start-up printed.
    std::string startupOutput;
    int width = 0;
    int height = 0;
    Rgb background;
    std::vector<std::unique_ptr<FrameWork::GameObject>> objects;
    IdleLevel idle;
};

}  // namespace TestHarness
