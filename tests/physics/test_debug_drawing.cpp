// The F7 debug drawing in the running engine: box outlines in red where the
// AABBs are (following their owners, inactive ones left out), oriented boxes'
// edges and normals in their own colours, bodies' velocities, all switched on
// and off by F7.
#include <GL/glew.h>

#include "core/GameState.h"
#include "core/VXLevel_Base.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"
#include "tests/support/EngineFixture.h"

using namespace FrameWork;
using TestHarness::ColourDistance;
using TestHarness::FrameImage;
using TestHarness::Rgb;

namespace {

class QuietLevel : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {}
    void Update() override {}
    void Free() override {}
};

// Whether a pixel within one of world point (x, y) is of `colour`, with the
// camera as every state starts it: zoom 1, centred on the origin.
bool NearColour(const FrameImage& f, float x, float y, const Rgb& colour) {
    const int px = static_cast<int>(x + f.width / 2);
    const int py = f.height - 1 - static_cast<int>(y + f.height / 2);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (ColourDistance(f.At(px + dx, py + dy), colour) <= 8) return true;
    return false;
}

long CountOf(const FrameImage& f, const Rgb& colour) {
    return static_cast<long>(f.width) * f.height - TestHarness::CountPixelsNotOf(f, colour, 8);
}

}  // namespace

class DebugDrawing : public TestHarness::EngineFixture {
protected:
    QuietLevel quiet;
};

TEST_F(DebugDrawing, F7ShowsCollidersWhereTheyAreAndHidesThemAgain) {
    ReplaceLevel(GameState::LoadingScreen, &quiet);
    BeginRun();
    engine->active = 1;  // as the loading screen leaves it: keys are read
    ASSERT_TRUE(StepFrames(2));
    VXPhysicsManager* physics = VXPhysicsManager::Instance();
    // A 200 x 100 box whose edges fall on pixel centres, an oriented box and
    // a moving body.
    GameObject crate(200.0f, 100.0f, 0, 1, 1, 0, 100.5f, 50.5f, "Crate", 0.0f, 0.0f, 0.0f);
    auto box = std::make_shared<VXAABB>(&crate, crate.worldMatrix, 200.0f, 100.0f);
    crate.AddComponent(box);
    physics->RegisterAABB(box);
    GameObject door(100.0f, 100.0f, 0, 1, 1, 0, -200.5f, 0.5f, "Door", 0.0f, 0.0f, 0.0f);
    auto obb = std::make_shared<VXOBB>(&door, door.worldMatrix, 100.0f, 100.0f);
    door.AddComponent(obb);
    physics->RegisterOBB(obb);
    auto body = std::make_shared<VXRigidBody>(&door);
    body->Velocity = Vec3(0, -150, 0);
    physics->RegisterRigidBody(body);

    const Rgb red{255, 0, 0}, edge{77, 179, 255}, normal{255, 255, 89};
    EXPECT_EQ(CountOf(CaptureFrame(), red), 0);
    TapKey(SDL_SCANCODE_F7);
    ASSERT_TRUE(StepFrames(1));
    FrameImage on = CaptureFrame();
    for (auto [x, y] : {std::pair{0.5f, 50.5f}, {200.5f, 50.5f}, {100.5f, 100.5f}, {100.5f, 0.5f}})
        EXPECT_TRUE(NearColour(on, x, y, red)) << "box edge at " << x << ", " << y;
    // An outline, not a filled box.
    EXPECT_FALSE(NearColour(on, 100.5f, 50.5f, red));
    const long perimeter = 2 * (200 + 100), count = CountOf(on, red);
    EXPECT_TRUE(count > perimeter * 9 / 10 && count < perimeter * 12 / 10) << count;
    EXPECT_TRUE(NearColour(on, -250.5f, 25.5f, edge)) << "oriented box's left edge";
    EXPECT_TRUE(NearColour(on, -200.5f, 80.5f, normal)) << "its up normal";
    EXPECT_FALSE(NearColour(on, -200.5f, 110.5f, normal)) << "past the normal's 50 units";
    if (HasFailure()) on.SavePng((tree->Root() / "debug-on.png").string());

    // The frame's physics update moves the box onto its moved owner before
    // the scene is drawn; an inactive box is not drawn.
    crate.position[0] -= 300.0f;
    crate.UpdateTransform();
    FrameImage moved = CaptureFrame();
    EXPECT_TRUE(NearColour(moved, -299.5f, 50.5f, red)) << "moved left edge";
    EXPECT_FALSE(NearColour(moved, 200.5f, 50.5f, red)) << "old right edge";
    box->active = 0;
    EXPECT_EQ(CountOf(CaptureFrame(), red), 0);
    box->active = 1;
    // The second F7 switches the drawing off.
    TapKey(SDL_SCANCODE_F7);
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(CountOf(CaptureFrame(), red), 0);
    physics->Reset();
}
