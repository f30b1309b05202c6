// A match at any frame rate: a frame runs at most fifteen steps, one stalled
// frame of 0.25 or 0.5 s carries nobody and nothing through a wall or out of
// the arena, and the same seconds of input at steady 1/60, 1/30 and 1/15 s
// frames play the same match.  Arena 1 (state 0): its outer wall is x 1000 to 1100 on the right,
// and an inner wall 100 thick runs along y 500 to 600 for x -500 to -100.
#include <algorithm>
#include <cmath>

#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "physics/VXRigidBody.h"
#include "tests/levels/MatchTestSupport.h"

namespace MatchTest {
namespace {

constexpr uint64_t kSteady = 16667;
constexpr float kInnerWallBottom = 500.0f, kInnerWallTop = 600.0f;
constexpr float kOuterWallLeft = 1000.0f;

class MatchSteps : public MatchFixture {
protected:
    VXMatchLevel& Play(int kind1, int kind2) {
        level = &Start(GameState::Level1, LineUp(kind1, 1, kind2, 2));
        WaitForCountdown();
        return *level;
    }
    GameObject* P(int n) const { return level->players[n - 1]; }
    // Puts an object at (x, y) moving at `speed` along `heading` degrees.
    static void Launch(GameObject* o, float x, float y, float heading, float speed) {
        o->position[0] = x;
        o->position[1] = y;
        o->rotation[2] = heading;
        const float theta = heading * 3.1415927f / 180.0f;
        BodyOf(o)->Velocity = Vec3(speed * std::cos(theta), speed * std::sin(theta), 0.0f);
    }
    // One frame that lasts `micro` microseconds, between steady frames.
    void Stall(uint64_t micro) {
        StepFrames(1);
        clock.tick = micro;
        StepFrames(1);
        clock.tick = kSteady;
        StepFrames(1);
    }
    bool OnTheFloor(const GameObject* o) const { return level->grid->SnapToGrid(o->position) >= 0; }

    VXMatchLevel* level = nullptr;
};

// The match's seconds: they grow by one step's time at every step.
float ClockSeconds() {
    return static_cast<float>(-g_secondsLeft) + g_secondAccumulator;
}

// A frame runs the steps its time holds, up to fifteen: 0.2 s runs twelve
// and loses nothing, 0.5 s runs fifteen and loses the rest, for the clock
// and for a player driving on open floor alike.
TEST_F(MatchSteps, AFrameRunsUpToFifteenStepsAndDropsTheRestOfALongerStall) {
    Play(8, 6);
    PressKey(SDL_SCANCODE_W);
    const struct {
        uint64_t micro;
        int32_t steps;
    } stalls[] = {{12 * kSteady, 12}, {500000u, 15}};
    for (const auto& stall : stalls) {
        SCOPED_TRACE(std::to_string(stall.micro) + " us");
        // Player 1 drives right along open floor at its top speed.
        Launch(P(1), -900.0f, -300.0f, 0.0f, 520.0f);
        StepFrames(2);
        float x = P(1)->position[0];
        StepFrames(1);
        ASSERT_EQ(FrameContext().frameSteps, 1);
        const float perStep = P(1)->position[0] - x;
        ASSERT_GT(perStep, 5.0f) << "player 1 drives";
        x = P(1)->position[0];
        const float clock = ClockSeconds();
        Stall(stall.micro);  // its last frame is the stalled one
        EXPECT_EQ(FrameContext().frameSteps, stall.steps);
        EXPECT_NEAR(ClockSeconds() - clock, (stall.steps + 2) * kStepTime, 0.5f * kStepTime)
            << "the clock moved on by the steps run";
        EXPECT_NEAR(P(1)->position[0] - x, (stall.steps + 2) * perStep, perStep)
            << "player 1 drove for the steps run";
        // What was left over, if anything, is gone: the next frame runs one.
        StepFrames(1);
        EXPECT_EQ(FrameContext().frameSteps, 1) << "nothing carried into the next frame";
    }
    ReleaseKey(SDL_SCANCODE_W);
}

// One stalled frame, of a quarter and of half a second (which reaches the
// cap of steps), in one match reloaded for each: it carries nobody through
// a wall, out of the arena, past the other player or the Knight's wall, and
// a shot in flight still ends on the wall.  Player 1 is the Knight, player
// 2 the Archer; each case sets both players where it needs them.
class OneStalledFrame : public MatchSteps {
protected:
    void ThroughNoWallOrOutOfTheArena(uint64_t micro) {
        // Player 1 drives up at the inner wall, player 2 right at the outer one.
        Launch(P(1), -300.0f, 440.0f, 90.0f, 520.0f);
        Launch(P(2), 900.0f, -300.0f, 0.0f, 520.0f);
        PressKey(SDL_SCANCODE_W);
        PressKey(SDL_SCANCODE_UP);
        Stall(micro);
        float highest = P(1)->position[1], rightmost = P(2)->position[0];
        for (int i = 0; i < 30; ++i) {
            StepFrames(1);
            highest = std::max(highest, P(1)->position[1]);
            rightmost = std::max(rightmost, P(2)->position[0]);
        }
        ReleaseKey(SDL_SCANCODE_W);
        ReleaseKey(SDL_SCANCODE_UP);
        EXPECT_LT(highest, kInnerWallBottom) << "player 1 stays below the wall";
        EXPECT_LT(rightmost, kOuterWallLeft) << "player 2 stays in the arena";
        EXPECT_TRUE(OnTheFloor(P(1)) && OnTheFloor(P(2)));
    }
    void AShotInFlightEndsOnTheWall(uint64_t micro) {
        Launch(P(1), 800.0f, -300.0f, 0.0f, 0.0f);
        Launch(P(2), -800.0f, -300.0f, 90.0f, 0.0f);
        // An arrow just fired upward, 60 units below the inner wall.
        P(2)->GetPlayerLogic()->FireProjectile(
            level->statics.projectilePrefabs.at(P(2)->objectType), &level->objectManager);
        GameObject* arrow = level->objectManager->objects.back();
        ASSERT_EQ(arrow->g_name, "Arrow_cloned");
        arrow->position[0] = -300.0f;
        arrow->position[1] = 440.0f;
        arrow->UpdateTransform();
        auto* bullet = static_cast<VXBulletComponent*>(arrow->GetComponent(CT_Bullet));
        ASSERT_NE(bullet, nullptr);
        const int32_t count = bullet->savedInt;
        Stall(micro);
        for (int i = 0; i < 30 && arrow->m_active; ++i) StepFrames(1);
        EXPECT_FALSE(arrow->m_active);
        EXPECT_EQ(bullet->savedInt, count - 1) << "ended by the wall, not by its lifetime";
        EXPECT_LT(arrow->position[1], kInnerWallTop) << "not beyond the wall";
    }
    void TheKnightsWallHoldsTheOpponent(uint64_t micro) {
        // The Knight raises its wall (50 thick) at (0, -300) facing along x;
        // player 2 drives at it from 120 units away.
        Launch(P(1), 0.0f, -300.0f, 0.0f, 0.0f);
        Launch(P(2), 400.0f, -300.0f, 180.0f, 0.0f);
        TapKey(SDL_SCANCODE_G);
        Launch(P(1), -700.0f, -300.0f, 0.0f, 0.0f);
        Launch(P(2), 120.0f, -300.0f, 180.0f, 520.0f);
        PressKey(SDL_SCANCODE_UP);
        Stall(micro);
        float closest = P(2)->position[0];
        for (int i = 0; i < 30; ++i) {
            StepFrames(1);
            closest = std::min(closest, P(2)->position[0]);
        }
        ReleaseKey(SDL_SCANCODE_UP);
        EXPECT_GT(closest, 0.0f) << "player 2 stays on its side of the wall";
    }
    // Last: the knock-back marks both players for three seconds.
    void PlayersDrivingHeadOnCollideAndKeepTheirSides(uint64_t micro) {
        ASSERT_FALSE(P(1)->GetPlayerLogic()->hitFlag || P(2)->GetPlayerLogic()->hitFlag);
        Launch(P(1), -500.0f, -300.0f, 0.0f, 520.0f);
        Launch(P(2), -300.0f, -300.0f, 180.0f, 520.0f);
        PressKey(SDL_SCANCODE_W);
        PressKey(SDL_SCANCODE_UP);
        Stall(micro);
        bool kept = P(1)->position[0] < P(2)->position[0];
        for (int i = 0; i < 20; ++i) {
            StepFrames(1);
            kept = kept && P(1)->position[0] < P(2)->position[0];
        }
        ReleaseKey(SDL_SCANCODE_W);
        ReleaseKey(SDL_SCANCODE_UP);
        EXPECT_TRUE(kept) << "player 1 stays on the left";
        EXPECT_TRUE(P(1)->GetPlayerLogic()->hitFlag && P(2)->GetPlayerLogic()->hitFlag)
            << "they met and were knocked back";
    }
};

TEST_F(OneStalledFrame, CarriesNothingThroughAWallAPlayerOrTheKnightsWall) {
    Play(8, 15);
    for (uint64_t micro : {250000u, 500000u}) {
        SCOPED_TRACE(std::to_string(micro / 1000) + " ms");
        if (micro != 250000u) {
            FrameContext().nextState = GameState::Reload;
            StepFrames(2);
            WaitForCountdown();
        }
        ThroughNoWallOrOutOfTheArena(micro);
        AShotInFlightEndsOnTheWall(micro);
        TheKnightsWallHoldsTheOpponent(micro);
        PlayersDrivingHeadOnCollideAndKeepTheirSides(micro);
    }
}

TEST_F(MatchSteps, APlayerOffTheFloorIsSetBackOnItNotPushedFurtherOut) {
    Play(8, 6);
    // Player 1 just outside the outer wall and touching it, player 2 far out.
    Launch(P(1), 1130.0f, -300.0f, 0.0f, 0.0f);
    Launch(P(2), 1500.0f, 0.0f, 0.0f, 0.0f);
    StepFrames(5);
    for (int n : {1, 2}) {
        EXPECT_TRUE(OnTheFloor(P(n))) << n;
        EXPECT_LT(P(n)->position[0], kOuterWallLeft) << n;
    }
    EXPECT_TRUE(P(1)->position[1] > -400.0f && P(1)->position[1] < -200.0f)
        << "on the open tile nearest to it";
}

// What one match made of the same input showed at one frame rate.
struct Outcome {
    float countdown = 0.0f;   // seconds until input is taken
    float twoSeconds = 0.0f;  // seconds the clock takes for two
    float x = 0.0f, y = 0.0f, heading = 0.0f;
    float headingAfterTurn = 0.0f;
    float closestToTheWall = 1e9f;  // player 2's least x
    int32_t blue = 0, red = 0;
};

class SteadyRates : public MatchSteps {
protected:
    // Plays a match (the first one, or the running one again) at frames of
    // `tick` microseconds, for about seven seconds: the Knight raises its wall
    // at (0, -300) across player 2's road and player 2 drives at it the
    // whole time; player 1 drives, turns right while driving, slides, turns
    // on the spot and drives again, then the clock is timed over two
    // seconds.  The input changes every 1/15 s at most, so it lands on a
    // frame's start at every rate.
    Outcome PlayAt(uint64_t tick) {
        Outcome out;
        if (!level) {
            Start(GameState::Level1, LineUp(8, 1, 6, 2));
            level = &Level(GameState::Level1);
        } else {
            FrameContext().nextState = GameState::Reload;
        }
        clock.tick = tick;
        const float seconds = static_cast<float>(tick) * 1e-6f;
        int frames = 0;
        do {
            StepFrames(1);
            ++frames;
        } while (FrameContext().inputBlocked && frames < 1000);
        out.countdown = static_cast<float>(frames) * seconds;

        Launch(P(1), 0.0f, -300.0f, 0.0f, 0.0f);
        Launch(P(2), 400.0f, -300.0f, 180.0f, 0.0f);
        TapKey(SDL_SCANCODE_G);
        Launch(P(1), -50.0f, 750.0f, 0.0f, 0.0f);
        PressKey(SDL_SCANCODE_UP);
        const auto step = [&] {
            StepFrames(1);
            out.closestToTheWall = std::min(out.closestToTheWall, P(2)->position[0]);
        };
        struct Phase {
            int units;  // of 1/15 s
            bool forward, right;
        };
        const Phase script[] = {{6, true, false},
                                {15, true, true},
                                {15, false, false},
                                {15, false, true},
                                {8, true, false}};
        const int framesPerUnit = static_cast<int>((66667 + tick / 2) / tick);
        for (const Phase& phase : script) {
            if (phase.forward)
                PressKey(SDL_SCANCODE_W);
            else
                ReleaseKey(SDL_SCANCODE_W);
            if (phase.right)
                PressKey(SDL_SCANCODE_D);
            else
                ReleaseKey(SDL_SCANCODE_D);
            for (int i = 0; i < phase.units * framesPerUnit; ++i) step();
            if (&phase == &script[1]) out.headingAfterTurn = P(1)->rotation[2];
        }
        ReleaseKey(SDL_SCANCODE_W);
        // From one turn of the clock's second to the second after it.
        const int32_t from = g_secondsLeft;
        for (int i = 0; i < 200 && g_secondsLeft == from; ++i) step();
        frames = 0;
        while (g_secondsLeft > from - 3 && frames < 1000) {
            step();
            ++frames;
        }
        out.twoSeconds = static_cast<float>(frames) * seconds;
        ReleaseKey(SDL_SCANCODE_UP);
        out.x = P(1)->position[0];
        out.y = P(1)->position[1];
        out.heading = P(1)->rotation[2];
        out.blue = VXPaintMap::TeamTileCount[0];
        out.red = VXPaintMap::TeamTileCount[1];
        return out;
    }
};

TEST_F(SteadyRates, TheSameInputAt60_30And15FramesASecondPlaysTheSameMatch) {
    const Outcome at60 = PlayAt(16667);
    EXPECT_NEAR(at60.countdown, 2.4f, 0.2f);
    EXPECT_NEAR(at60.twoSeconds, 2.0f, 0.05f);
    EXPECT_NEAR(at60.headingAfterTurn, 180.0f, 5.0f) << "180 degrees a second";
    EXPECT_GT(at60.closestToTheWall, 0.0f);
    for (uint64_t tick : {33333u, 66667u}) {
        const Outcome at = PlayAt(tick);
        SCOPED_TRACE(tick);
        // Within a frame or two of 1/15 s: the countdown and the clock are
        // seen at a frame's end.
        EXPECT_NEAR(at.countdown, at60.countdown, 0.15f);
        EXPECT_NEAR(at.twoSeconds, at60.twoSeconds, 0.1f);
        EXPECT_NEAR(at.headingAfterTurn, at60.headingAfterTurn, 5.0f);
        EXPECT_NEAR(at.heading, at60.heading, 5.0f);
        EXPECT_NEAR(at.x, at60.x, 20.0f);
        EXPECT_NEAR(at.y, at60.y, 20.0f);
        EXPECT_NEAR(at.blue, at60.blue, 1 + at60.blue / 20);
        EXPECT_NEAR(at.red, at60.red, 1 + at60.red / 20);
        EXPECT_GT(at.closestToTheWall, 0.0f) << "the Knight's wall holds player 2";
    }
}

}  // namespace
}  // namespace MatchTest
