// The F7 debug drawing in the running engine: a box outline in red where an
// AABB is, switched on and off by F7.
#include <GL/glew.h>

#include "engine/core/GameState.h"
#include "engine/core/VXDebugManager.h"
#include "engine/core/VXLevel_Base.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
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

class DebugDrawing : public TestHarness::EngineFixture {
protected:
    // Screen pixel (from the top-left) of a world point, with the camera as
    // every state starts it: zoom 1, centred on the origin.
    void ToScreen(const FrameImage& f, float x, float y, int& px, int& py) const {
        px = static_cast<int>(x + f.width / 2);
        py = f.height - 1 - static_cast<int>(y + f.height / 2);
    }
    // Whether a pixel within one of (px, py) is of `colour`.
    static bool NearColour(const FrameImage& f, int px, int py, const Rgb& colour) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (ColourDistance(f.At(px + dx, py + dy), colour) <= 8) return true;
        return false;
    }
    static long CountOf(const FrameImage& f, const Rgb& colour) {
        const long all = static_cast<long>(f.width) * f.height;
        return all - TestHarness::CountPixelsNotOf(f, colour, 8);
    }

    QuietLevel quiet;
    const Rgb red{255, 0, 0};
};

}  // namespace

TEST_F(DebugDrawing, F7ShowsARedOutlineWhereTheBoxIsAndHidesItAgain) {
    ReplaceLevel(GameState::LoadingScreen, &quiet);
    BeginRun();
    engine->active = 1;  // as the loading screen leaves it: keys are read
    ASSERT_TRUE(StepFrames(2));

    // A 200 x 100 box whose edges fall on pixel centres.
    GameObject crate(200.0f, 100.0f, 0, 1, 1, 0, 100.5f, 50.5f, "Crate", 0.0f, 0.0f, 0.0f);
    auto box = std::make_shared<VXAABB>(&crate, crate.worldMatrix, 200.0f, 100.0f);
    crate.AddComponent(box);
    VXPhysicsManager::Instance()->RegisterAABB(box);

    FrameImage off = CaptureFrame();
    ASSERT_FALSE(off.Empty());
    EXPECT_EQ(CountOf(off, red), 0);

    TapKey(SDL_SCANCODE_F7);
    ASSERT_TRUE(StepFrames(1));
    FrameImage on = CaptureFrame();
    int left, top, right, bottom;
    ToScreen(on, 0.5f, 100.5f, left, top);
    ToScreen(on, 200.5f, 0.5f, right, bottom);
    const int midX = (left + right) / 2, midY = (top + bottom) / 2;
    EXPECT_TRUE(NearColour(on, left, midY, red)) << "left edge";
    EXPECT_TRUE(NearColour(on, right, midY, red)) << "right edge";
    EXPECT_TRUE(NearColour(on, midX, top, red)) << "top edge";
    EXPECT_TRUE(NearColour(on, midX, bottom, red)) << "bottom edge";
    // An outline, not a filled box, and nothing red elsewhere.
    EXPECT_FALSE(NearColour(on, midX, midY, red));
    EXPECT_FALSE(NearColour(on, left - 10, midY, red));
    EXPECT_FALSE(NearColour(on, midX, top - 10, red));
    const long perimeter = 2 * (200 + 100);
    const long count = CountOf(on, red);
    EXPECT_GT(count, perimeter * 9 / 10);
    EXPECT_LT(count, perimeter * 12 / 10);
    if (::testing::Test::HasFailure()) on.SavePng((tree->Root() / "debug-on.png").string());

    // The frame's physics update moves the box onto its moved owner before
    // the scene is drawn.
    crate.position[0] -= 300.0f;
    crate.UpdateTransform();
    FrameImage moved = CaptureFrame();
    EXPECT_TRUE(NearColour(moved, left - 300, midY, red)) << "moved left edge";
    EXPECT_FALSE(NearColour(moved, right, midY, red)) << "old right edge";

    // An inactive box is not drawn.
    box->active = 0;
    EXPECT_EQ(CountOf(CaptureFrame(), red), 0);
    box->active = 1;

    // The second F7 switches the drawing off.
    TapKey(SDL_SCANCODE_F7);
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(CountOf(CaptureFrame(), red), 0);
    VXPhysicsManager::Instance()->Reset();
}

TEST_F(DebugDrawing, OrientedBoxEdgesAndNormalsInTheirOwnColours) {
    ReplaceLevel(GameState::LoadingScreen, &quiet);
    BeginRun();
    engine->active = 1;  // as the loading screen leaves it: keys are read
    ASSERT_TRUE(StepFrames(1));

    GameObject door(100.0f, 100.0f, 0, 1, 1, 0, -200.5f, 0.5f, "Door", 0.0f, 0.0f, 0.0f);
    auto obb = std::make_shared<VXOBB>(&door, door.worldMatrix, 100.0f, 100.0f);
    door.AddComponent(obb);
    VXPhysicsManager::Instance()->RegisterOBB(obb);

    TapKey(SDL_SCANCODE_F7);
    ASSERT_TRUE(StepFrames(1));
    FrameImage f = CaptureFrame();
    const Rgb edge{77, 179, 255};
    const Rgb normal{255, 255, 89};
    int px, py;
    // Middle of the left edge, away from the normal drawn from it.
    ToScreen(f, -250.5f, 25.5f, px, py);
    EXPECT_TRUE(NearColour(f, px, py, edge));
    // Along the up normal of the top edge, outside the box.
    ToScreen(f, -200.5f, 80.5f, px, py);
    EXPECT_TRUE(NearColour(f, px, py, normal));
    // Past its 50 units: nothing.
    ToScreen(f, -200.5f, 110.5f, px, py);
    EXPECT_FALSE(NearColour(f, px, py, normal));
    if (::testing::Test::HasFailure()) f.SavePng((tree->Root() / "debug-obb.png").string());
    VXPhysicsManager::Instance()->Reset();
}
