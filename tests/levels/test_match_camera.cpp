// A match's camera under the test clock, in each arena and in each window the
// game opens: the full screen, the match's 1600 x 900 window and the options'
// window on a smaller display.  Both players are driven with their keys at
// full speed, from the first frame of the count-down, apart toward opposite
// corners of the floor (into them in the options' window) and back, across
// Shift and Enter, at 15 and at 60 frames a second, paused once at an edge
// with the window switched and back; on every frame, paused ones too, each
// player's whole box is drawn inside the window and above the HUD's strip,
// in a view built for the window's size of that frame.  At rest the picture
// is the follow's own (the players' midpoint, lifted) and holds still, and a
// window of another size takes over the camera's offset from its centre.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

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
// Steady frames of 1/60 s and of 1/15 s (four match steps each).
constexpr uint64_t k60Hz = 16667;
constexpr uint64_t k15Hz = 4 * 16667;
// A box may pass a line of the window by this much (float rounding).
constexpr float kSlack = 0.01f;

// The keys of one player: forward, turn left (the angle grows), turn right.
struct Keys {
    SDL_Scancode forward, left, right;
};
const Keys kKeys[2] = {{SDL_SCANCODE_W, SDL_SCANCODE_A, SDL_SCANCODE_D},
                       {SDL_SCANCODE_UP, SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT}};

class MatchCamera : public MatchFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        MatchFixture::SetUp();
        engine->SetWindowed(320, 180);  // the loading screen in a small window
        StartGame();
        engine->MakeBorderlessFullscreen();
        FillLineUp(15, 1, 8, 2);
        Enter(GetParam());
        FindPlayers();
    }
    void TearDown() override {
        MatchFixture::TearDown();
        screenWidth = display[0];  // the display as the next case finds it
        screenHeight = display[1];
    }

    void FindPlayers() {
        for (int i = 0; i < 2; ++i) {
            players[i] = Find(Level(GetParam()), "Player" + std::to_string(i + 1));
            ASSERT_TRUE(players[i]);
            start[i][0] = players[i]->position[0];
            start[i][1] = players[i]->position[1];
        }
    }

    // The top of the HUD's background strip, in window pixels.
    static float HudTop() {
        for (const HudRecord& record : VXGameplayHUD::Records())
            if (record.kind == 1)
                return (record.object->position[1] + record.object->scale[1] / 2) * ScreenScale();
        ADD_FAILURE() << "no HUD strip";
        return 0.0f;
    }

    // How far the last frame drew a player's box past the window's edges or
    // into the HUD's strip (0 when it lies wholly in view), and where; with
    // a `margin`, past edges moved that far in.
    static float Overhang(const GameObject* player, std::string* where, float margin = 0.0f) {
        const VXGraphicsManager* g = VXGraphicsManager::Instance();
        const float* view = g->camera.camView;
        const float w = static_cast<float>(windowWidth), h = static_cast<float>(windowHeight);
        const float halfW = std::fabs(player->scale[0]) / 2,
                    halfH = std::fabs(player->scale[1]) / 2;
        const float left = view[0] * (player->position[0] - halfW) + view[12];
        const float right = view[0] * (player->position[0] + halfW) + view[12];
        const float bottom = view[5] * (player->position[1] - halfH) + view[13];
        const float top = view[5] * (player->position[1] + halfH) + view[13];
        const float strip = HudTop();
        const float out =
            std::max(0.0f, std::max({-left, right - w, strip - bottom, top - h}) + margin);
        if (where)
            *where = player->g_name + " at (" + std::to_string(player->position[0]) + ", " +
                     std::to_string(player->position[1]) + ") drawn from (" + std::to_string(left) +
                     ", " + std::to_string(bottom) + ") to (" + std::to_string(right) + ", " +
                     std::to_string(top) + ") in " + std::to_string(windowWidth) + " x " +
                     std::to_string(windowHeight) + " above " + std::to_string(strip) + ", zoom " +
                     std::to_string(g->zoom);
        return out;
    }

    // One frame of `tick` microseconds, then the checks every frame must
    // pass; out-of-view frames are gathered by phase and told once.
    void Frame(uint64_t tick) {
        clock.tick = tick;
        ASSERT_TRUE(StepFrames(1));
        Look();
    }
    void Look() {
        ++frames;
        const VXGraphicsManager* g = VXGraphicsManager::Instance();
        if (g->camera.screenWidth != windowWidth || g->camera.screenHeight != windowHeight)
            ++wrongSize;
        if (!(g->HudLinesInWindow() >= HudTop())) ++stripUnseen;
        bool out = false;
        for (const GameObject* player : players) {
            std::string where;
            const float by = Overhang(player, &where);
            if (by <= kSlack) continue;
            if (outFrames == 0 && !out) firstOut = where;
            out = true;
            worstOut = std::max(worstOut, by);
        }
        outFrames += out ? 1 : 0;
    }
    // Ends a phase: every frame of it was in view.
    void Expect(const std::string& phase) {
        EXPECT_EQ(outFrames, 0) << phase << ": a player's box was out of view on " << outFrames
                                << " of " << frames << " frames, by up to " << worstOut
                                << " px; first " << firstOut;
        EXPECT_EQ(wrongSize, 0) << phase << ": " << wrongSize
                                << " frames were drawn for another window size";
        EXPECT_EQ(stripUnseen, 0) << phase
                                  << ": the follow was told a strip lower than the HUD's on "
                                  << stripUnseen << " frames";
        outFrames = frames = wrongSize = stripUnseen = 0;
        worstOut = 0.0f;
        firstOut.clear();
    }

    void Hold(SDL_Scancode key, bool down) {
        bool& held = pressed[key];
        if (held == down) return;
        held = down;
        if (down)
            PressKey(key);
        else
            ReleaseKey(key);
    }
    void ReleaseAll() {
        for (auto& key : pressed) Hold(key.first, false);
    }

    // Both players drive at full speed toward their goals, steering with
    // their turn keys, until each has come within a cell of its goal or has
    // stood still for a while (a wall, a corner), or for at most `seconds`;
    // `during` runs before every frame with the frame's number.
    void DriveTo(const float (&goals)[2][2], uint64_t tick, float seconds = 20.0f,
                 const std::function<void(int)>& during = nullptr) {
        const VXShapeInstancer* grid = g_currentInstancer;
        ASSERT_NE(grid, nullptr);
        const float near = static_cast<float>(grid->cellWidth);
        // A frame's steps turn 3 degrees each.
        const float turn = 3.0f * static_cast<float>(tick / 16667);
        // Every half second, a player that has not moved 10 pixels since
        // the last is stuck (a wall, a corner).
        const int period = static_cast<int>(30 * 16667 / tick);
        bool stuck[2] = {false, false};
        float last[2][2] = {};
        for (int i = 0; i < 2; ++i)
            std::copy(players[i]->position, players[i]->position + 2, last[i]);
        const int limit = static_cast<int>(seconds * 1e6f / static_cast<float>(tick));
        for (int frame = 0; frame < limit; ++frame) {
            bool arrived = true;
            for (int i = 0; i < 2; ++i) {
                const float dx = goals[i][0] - players[i]->position[0];
                const float dy = goals[i][1] - players[i]->position[1];
                const bool done = std::hypot(dx, dy) < near || stuck[i];
                arrived = arrived && done;
                float off = std::atan2(dy, dx) * 57.29578f - players[i]->rotation[2];
                off = std::remainder(off, 360.0f);
                Hold(kKeys[i].forward, !done);
                Hold(kKeys[i].left, !done && off > turn / 2);
                Hold(kKeys[i].right, !done && off < -turn / 2);
            }
            if (arrived) break;
            if (pauseAtEdge &&
                Overhang(players[0], nullptr, 2) + Overhang(players[1], nullptr, 2) > 0)
                PauseAtEdge(tick);
            if (HasFatalFailure()) return;
            if (during) during(frame);
            Frame(tick);
            if (HasFatalFailure()) return;
            if ((frame + 1) % period) continue;
            for (int i = 0; i < 2; ++i) {
                stuck[i] = stuck[i] || std::hypot(players[i]->position[0] - last[i][0],
                                                  players[i]->position[1] - last[i][1]) < 10.0f;
                std::copy(players[i]->position, players[i]->position + 2, last[i]);
            }
        }
        ReleaseAll();
    }
    // The first time the pan bound holds a player at an edge, Escape pauses
    // mid-drive; Right Shift on the options page switches the window and
    // back, and Escape resumes.  Every paused frame shows both whole.
    void PauseAtEdge(uint64_t tick) {
        pauseAtEdge = false;
        const int height = windowHeight;
        std::vector<int> widths = {windowWidth};
        for (SDL_Scancode key :
             {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_DOWN, SDL_SCANCODE_DOWN, SDL_SCANCODE_RETURN,
              SDL_SCANCODE_RSHIFT, SDL_SCANCODE_RSHIFT, SDL_SCANCODE_ESCAPE}) {
            Hold(key, true), Frame(tick), Hold(key, false), Frame(tick);
            if (key == SDL_SCANCODE_RSHIFT) widths.push_back(windowWidth);
        }
        EXPECT_TRUE(widths[1] != widths[0] && widths[2] != widths[1])
            << "Right Shift twice while paused: the window " << widths[0] << ", " << widths[1]
            << ", then " << widths[2] << " wide";
        ASSERT_EQ(FrameContext().paused, 0) << "Escape did not resume the match";
        Expect("up to a pause at an edge, window switches while paused, and the resume, from " +
               std::to_string(widths[0]) + " wide");
        // The drive goes on in the window it had.
        if (windowWidth != widths[0]) engine->SetWindowed(widths[0], height);
    }

    // The players came to their corners: the drive did reach the arena's
    // edges, where the camera is tried hardest.
    void ExpectArrived(const float (&goals)[2][2], const std::string& phase) {
        const float near = static_cast<float>(g_currentInstancer->cellWidth);
        for (int i = 0; i < 2; ++i)
            EXPECT_LT(std::hypot(goals[i][0] - players[i]->position[0],
                                 goals[i][1] - players[i]->position[1]),
                      near)
                << phase << ": " << players[i]->g_name << " stopped short of its corner";
    }

    // Opposite corners of the floor, inside its wall ring: of the two
    // diagonals, either way round, the one the players reach soonest.
    void Corners(float (&out)[2][2]) {
        const VXShapeInstancer* grid = g_currentInstancer;
        ASSERT_NE(grid, nullptr);
        const float w = static_cast<float>(grid->cellWidth);
        const float h = static_cast<float>(grid->cellHeight);
        const float left = grid->firstTileX + w, right = grid->lastTileX - w;
        const float top = grid->firstTileY - h, bottom = grid->lastTileY + h;
        const float corners[4][2][2] = {{{left, top}, {right, bottom}},
                                        {{right, bottom}, {left, top}},
                                        {{left, bottom}, {right, top}},
                                        {{right, top}, {left, bottom}}};
        float best = INFINITY;
        for (const auto& pair : corners) {
            float farthest = 0.0f;
            for (int i = 0; i < 2; ++i)
                farthest = std::max(farthest, std::hypot(pair[i][0] - players[i]->position[0],
                                                         pair[i][1] - players[i]->position[1]));
            if (farthest >= best) continue;
            best = farthest;
            std::copy(&pair[0][0], &pair[0][0] + 4, &out[0][0]);
        }
    }

    // Frames until the count-down has ended, from its first.
    void ThroughTheCountdown(uint64_t tick) {
        Look();  // the frame that entered the match
        for (int i = 0; i < 600 && FrameContext().inputBlocked && !HasFatalFailure(); ++i)
            Frame(tick);
        ASSERT_FALSE(FrameContext().inputBlocked) << "the count-down did not end";
    }

    void Place(const float (&at)[2][2]) {
        for (int i = 0; i < 2; ++i) {
            players[i]->position[0] = at[i][0];
            players[i]->position[1] = at[i][1];
            if (auto* body = static_cast<VXRigidBody*>(players[i]->GetComponent(CT_RigidBody)))
                body->Velocity = Vec3();
        }
    }

    // At their start places, once the camera has come to them, the picture
    // is the follow's own: their midpoint, lifted, holding still.
    void CheckAtRest() {
        Place(start);
        clock.tick = kSlowTick;
        StepFrames(kSettleFrames);
        for (int i = 0; i < kHoldFrames; ++i) Frame(k60Hz);
        Expect("at rest");
        const VXGraphicsManager* g = VXGraphicsManager::Instance();
        const float midX = (start[0][0] + start[1][0]) / 2, midY = (start[0][1] + start[1][1]) / 2;
        EXPECT_NEAR(g->cameraX, -midX * g->zoom, 1.0f) << "at rest";
        EXPECT_NEAR(g->cameraY, -midY * g->zoom + Camera::kLift, 1.0f) << "at rest";
    }

    GameObject* players[2] = {};
    float start[2][2] = {};
    const int display[2] = {screenWidth, screenHeight};
    std::map<SDL_Scancode, bool> pressed;
    bool pauseAtEdge = true;
    int frames = 0, outFrames = 0, wrongSize = 0, stripUnseen = 0;
    float worstOut = 0.0f;
    std::string firstOut;
};

TEST_P(MatchCamera, KeepsBothPlayersWholeAboveTheHudOnEveryFrame) {
    float corners[2][2];

    // Full screen, at 15 frames a second: the count-down from its first
    // frame, then apart into opposite corners.
    const int full[2] = {windowWidth, windowHeight};
    ThroughTheCountdown(k15Hz);
    Expect("full screen, the count-down at 15 Hz");
    Corners(corners);
    DriveTo(corners, k15Hz);
    Expect("full screen, apart at 15 Hz");
    ExpectArrived(corners, "full screen, apart at 15 Hz");

    // At 60 frames a second on, Shift opens the 1600 x 900 window while the
    // players speed back toward each other; there, at 15 frames a second,
    // apart into opposite corners again.
    DriveTo(start, k60Hz, 1.0f, [this](int frame) { Hold(SDL_SCANCODE_LSHIFT, frame == 10); });
    Expect("back at 60 Hz, Shift on the way");
    ASSERT_EQ(windowWidth, 1600);
    ASSERT_EQ(windowHeight, 900);
    Corners(corners);
    DriveTo(corners, k15Hz);
    Expect("the 1600 x 900 window, apart at 15 Hz");
    ExpectArrived(corners, "the 1600 x 900 window, apart at 15 Hz");

    engine->MakeBorderlessFullscreen();
    ASSERT_EQ(windowWidth, full[0]);
    ASSERT_EQ(windowHeight, full[1]);
    CheckAtRest();

    // The options' window of a 1366 x 768 display, opened at rest: the
    // camera keeps its offset from the window's centre, rather than keeping
    // its place from the window's corner (a jump by half the change of size
    // that would take seconds to glide back).
    const VXGraphicsManager* g = VXGraphicsManager::Instance();
    const float before[2] = {g->cameraX, g->cameraY};
    screenWidth = 1366;
    screenHeight = 768;
    engine->SetWindowed(screenWidth, screenHeight);
    ASSERT_EQ(windowWidth, 1266);
    ASSERT_EQ(windowHeight, 668);
    Frame(k60Hz);
    Expect("the options' window opened at rest");
    EXPECT_LT(std::hypot(g->cameraX - before[0], g->cameraY - before[1]), 5.0f)
        << "the camera went from (" << before[0] << ", " << before[1] << ") to (" << g->cameraX
        << ", " << g->cameraY << ") when the window changed size";

    // The match starts again there, at 15 frames a second: the count-down,
    // apart into opposite corners, and on the way back Enter fills that
    // display.
    FrameContext().nextState = GameState::Reload;
    clock.tick = k15Hz;
    ASSERT_TRUE(StepFrames(1));
    FindPlayers();
    ThroughTheCountdown(k15Hz);
    Expect("the options' window, the count-down at 15 Hz");
    Corners(corners);
    DriveTo(corners, k15Hz);
    Expect("the options' window, apart at 15 Hz");
    ExpectArrived(corners, "the options' window, apart at 15 Hz");
    DriveTo(start, k15Hz, 1.5f, [this](int frame) { Hold(SDL_SCANCODE_RETURN, frame == 2); });
    Expect("back at 15 Hz, Enter on the way");
    ASSERT_EQ(windowWidth, 1366);
    ASSERT_EQ(windowHeight, 768);
    EXPECT_FALSE(pauseAtEdge) << "the pan bound never held a player at an edge to pause at";
}
INSTANTIATE_TEST_SUITE_P(EachArena, MatchCamera, ::testing::Values(4, 0, 2, 3));

}  // namespace
}  // namespace MatchTest
