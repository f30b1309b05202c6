// A match's camera under the test clock's exact 1/60 s frames, from the first
// frame on, in a full-screen window: in every arena both players are drawn
// inside the picture and above the HUD's strip, while they rest where they
// start and when they stand in opposite corners of the floor.
#include <cmath>

#include "gameplay/VXGameplayHUD.h"
#include "graphics/VXShapeInstancer.h"
#include "physics/VXRigidBody.h"
#include "tests/levels/MatchTestSupport.h"

namespace MatchTest {
namespace {

class MatchCamera : public MatchFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        MatchFixture::SetUp();
        StartGame();
        engine->MakeBorderlessFullscreen();
        FillLineUp(15, 1, 8, 2);
        Enter(GetParam());
        players[0] = Find(Level(GetParam()), "Player1");
        players[1] = Find(Level(GetParam()), "Player2");
        ASSERT_TRUE(players[0] && players[1]);
    }

    // The top of the HUD's background strip, in window pixels.
    static float HudTop() {
        for (const HudRecord& record : VXGameplayHUD::Records())
            if (record.kind == 1) return record.object->scale[1];
        ADD_FAILURE() << "no HUD strip";
        return 0.0f;
    }

    // Where the last frame drew each player's centre (window pixels, y up),
    // checked against the picture and the HUD.
    void ExpectBothDrawnAboveTheHud(const std::string& when) {
        const VXGraphicsManager* g = VXGraphicsManager::Instance();
        const float* view = g->camera.camView;
        const float w = static_cast<float>(g->camera.screenWidth);
        const float h = static_cast<float>(g->camera.screenHeight);
        ASSERT_EQ(static_cast<int>(w), screenWidth) << "a full-screen window";
        for (GameObject* player : players) {
            const float x = view[0] * player->position[0] + view[12];
            const float y = view[5] * player->position[1] + view[13];
            EXPECT_TRUE(x > 0.0f && x < w && y > HudTop() && y < h)
                << when << ": " << player->g_name << " at (" << player->position[0] << ", "
                << player->position[1] << ") drawn at (" << x << ", " << y << ") of " << w << " x "
                << h << ", zoom " << g->zoom;
        }
    }

    GameObject* players[2] = {};
};

TEST_P(MatchCamera, KeepsBothPlayersInThePictureAfterTenSecondsAtRest) {
    StepFrames(600);
    ExpectBothDrawnAboveTheHud("after ten seconds at rest");
}

TEST_P(MatchCamera, KeepsBothPlayersInThePictureInOppositeCorners) {
    // Opposite corners of the floor, inside its wall ring.
    const VXShapeInstancer* grid = g_currentInstancer;
    ASSERT_NE(grid, nullptr);
    const float w = static_cast<float>(grid->cellWidth), h = static_cast<float>(grid->cellHeight);
    const float corners[2][2] = {{grid->firstTileX + w, grid->firstTileY - h},
                                 {grid->lastTileX - w, grid->lastTileY + h}};
    for (int i = 0; i < 2; ++i) {
        players[i]->position[0] = corners[i][0];
        players[i]->position[1] = corners[i][1];
        if (auto* body = static_cast<VXRigidBody*>(players[i]->GetComponent(CT_RigidBody)))
            body->Velocity = Vec3();
    }
    StepFrames(300);
    for (int i = 0; i < 2; ++i)
        ASSERT_LT(std::hypot(players[i]->position[0] - corners[i][0],
                             players[i]->position[1] - corners[i][1]),
                  w)
            << players[i]->g_name << " left its corner";
    ExpectBothDrawnAboveTheHud("five seconds in opposite corners");
}
INSTANTIATE_TEST_SUITE_P(EachArena, MatchCamera, ::testing::Values(4, 0, 2, 3));

}  // namespace
}  // namespace MatchTest
