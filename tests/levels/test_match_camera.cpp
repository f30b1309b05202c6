// A match's camera under the test clock, in each arena and in each window the
// game opens: the full screen, the match's 1600 x 900 window and the options'
// window on a smaller display.  Both players are drawn whole, inside the
// picture and above the HUD's strip, while they rest where they start and
// while they stand in opposite corners of the floor.
#include <cmath>
#include <functional>

#include "gameplay/VXGameplayHUD.h"
#include "graphics/VXShapeInstancer.h"
#include "physics/VXRigidBody.h"
#include "tests/levels/MatchTestSupport.h"

namespace MatchTest {
namespace {

// Frames of half a second, as on a machine that draws two a second: the
// follow closes half of its way to the players in each, so a dozen settle
// it (and such a frame plays only a quarter second of the match).
constexpr uint64_t kSlowTick = 500000;
constexpr int kSettleFrames = 12;
// Then frames of 1/60 s, over which a settled picture holds still.
constexpr int kHoldFrames = 10;
// The Archer's and the Knight's figures reach about 0.6 of the way from
// their cell's centre to its edge (their sheets leave the lower fifth of
// each cell clear): that much of the drawn cell must be in view.
constexpr float kFigure = 0.6f;

struct Drawn {
    float x = 0.0f, y = 0.0f, half = 0.0f;  // centre and half the figure's size
};

class MatchCamera : public MatchFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        MatchFixture::SetUp();
        StartGame();
        engine->MakeBorderlessFullscreen();
        FillLineUp(15, 1, 8, 2);
        Enter(GetParam());
        for (int i = 0; i < 2; ++i) {
            players[i] = Find(Level(GetParam()), "Player" + std::to_string(i + 1));
            ASSERT_TRUE(players[i]);
            start[i][0] = players[i]->position[0];
            start[i][1] = players[i]->position[1];
        }
    }
    void TearDown() override {
        MatchFixture::TearDown();
        screenWidth = display[0];  // the display as the next case finds it
        screenHeight = display[1];
    }

    // The top of the HUD's background strip, in window pixels.
    static float HudTop() {
        for (const HudRecord& record : VXGameplayHUD::Records())
            if (record.kind == 1) return record.object->scale[1] * ScreenScale();
        ADD_FAILURE() << "no HUD strip";
        return 0.0f;
    }

    // Where the last frame drew a player (window pixels, y up).
    static Drawn Where(const GameObject* player) {
        const float* view = VXGraphicsManager::Instance()->camera.camView;
        return {view[0] * player->position[0] + view[12], view[5] * player->position[1] + view[13],
                kFigure * view[0] * player->scale[1] / 2.0f};
    }

    void Place(const float (&at)[2][2]) {
        for (int i = 0; i < 2; ++i) {
            players[i]->position[0] = at[i][0];
            players[i]->position[1] = at[i][1];
            if (auto* body = static_cast<VXRigidBody*>(players[i]->GetComponent(CT_RigidBody)))
                body->Velocity = Vec3();
        }
    }

    void Settle() {
        const uint64_t tick = clock.tick;
        clock.tick = kSlowTick;
        StepFrames(kSettleFrames);
        clock.tick = tick;
    }

    void ExpectBothWholeAboveTheHud(const std::string& when) {
        const VXGraphicsManager* g = VXGraphicsManager::Instance();
        const float w = static_cast<float>(g->camera.screenWidth);
        const float h = static_cast<float>(g->camera.screenHeight);
        for (const GameObject* player : players) {
            const Drawn d = Where(player);
            EXPECT_TRUE(d.x - d.half > 0.0f && d.x + d.half < w && d.y - d.half > HudTop() &&
                        d.y + d.half < h)
                << when << ": " << player->g_name << " at (" << player->position[0] << ", "
                << player->position[1] << ") drawn at (" << d.x << ", " << d.y << ") +-" << d.half
                << " of " << w << " x " << h << ", zoom " << g->zoom;
        }
    }

    // At their start places, the players are in view once the camera has
    // come to them, and the picture then holds still.
    void CheckAtRest() {
        Place(start);
        Settle();
        const Drawn before = Where(players[0]);
        StepFrames(kHoldFrames);
        ExpectBothWholeAboveTheHud("at rest");
        const Drawn after = Where(players[0]);
        EXPECT_LE(std::hypot(after.x - before.x, after.y - before.y), 2.0f)
            << "the picture crept from (" << before.x << ", " << before.y << ") to (" << after.x
            << ", " << after.y << ") over " << kHoldFrames << " frames at rest";
    }

    // Opposite corners of the floor, inside its wall ring, both ways round.
    void CheckInOppositeCorners() {
        const VXShapeInstancer* grid = g_currentInstancer;
        ASSERT_NE(grid, nullptr);
        const float w = static_cast<float>(grid->cellWidth);
        const float h = static_cast<float>(grid->cellHeight);
        const float left = grid->firstTileX + w, right = grid->lastTileX - w;
        const float top = grid->firstTileY - h, bottom = grid->lastTileY + h;
        const float diagonals[2][2][2] = {{{left, top}, {right, bottom}},
                                          {{left, bottom}, {right, top}}};
        for (const auto& corners : diagonals) {
            Place(corners);
            Settle();
            const std::string when = "Player1 at (" + std::to_string(corners[0][0]) + ", " +
                                     std::to_string(corners[0][1]) + "), Player2 opposite";
            for (int i = 0; i < 2; ++i)
                ASSERT_LT(std::hypot(players[i]->position[0] - corners[i][0],
                                     players[i]->position[1] - corners[i][1]),
                          w)
                    << when << ": " << players[i]->g_name << " left its corner";
            ExpectBothWholeAboveTheHud(when);
        }
    }

    GameObject* players[2] = {};
    float start[2][2] = {};
    const int display[2] = {screenWidth, screenHeight};
};

TEST_P(MatchCamera, KeepsBothPlayersWholeAboveTheHudInEveryWindow) {
    const struct {
        const char* name;
        std::function<void()> open;
    } windows[] = {
        {"full screen", [] {}},
        // Shift during the match (the countdown has ended by then).
        {"the match's 1600 x 900 window", [this] { TapKey(SDL_SCANCODE_LSHIFT); }},
        // The options' window fits the display: a 1366 x 768 one here.
        {"the options' window on a 1366 x 768 display",
         [this] {
             screenWidth = 1366;
             screenHeight = 768;
             engine->SetWindowed(screenWidth, screenHeight);
         }},
    };
    const int sizes[3][2] = {{screenWidth, screenHeight}, {1600, 900}, {1266, 668}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(windows[i].name);
        windows[i].open();
        CheckAtRest();
        const VXGraphicsManager* g = VXGraphicsManager::Instance();
        ASSERT_EQ(g->camera.screenWidth, sizes[i][0]);
        ASSERT_EQ(g->camera.screenHeight, sizes[i][1]);
        CheckInOppositeCorners();
    }
}
INSTANTIATE_TEST_SUITE_P(EachArena, MatchCamera, ::testing::Values(4, 0, 2, 3));

}  // namespace
}  // namespace MatchTest
