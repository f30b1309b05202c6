// Pads in a match that come late, come and go, or sit in slot 1 alone: each
// is taken by a player without one at once and steers and fires; a one-frame
// Start pauses once, and B leads back out of the pause menu.
#include <memory>

#include "gameplay/VXPlayerLogic.h"
#include "tests/levels/MatchTestSupport.h"
#include "tests/support/VirtualPad.h"

namespace MatchTest {
namespace {

using TestHarness::VirtualPad;

class MatchPads : public MatchFixture {
protected:
    // Level 2 with an Archer on Blue against a Knight on Red, in its
    // countdown.
    VXMatchLevel& Enter() {
        FillLineUp(15, 1, 8, 2);
        MatchFixture::Enter(GameState::Level2);
        return Level(GameState::Level2);
    }
    static int PadOf(VXMatchLevel& level, int player) {
        return level.players[player]->GetPlayerLogic()->padIndex;
    }
    // Both sticks pulled down; the pad of player 1 also fires.
    void SteerDownAndFire(VirtualPad& one, VirtualPad& two) {
        one.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
        two.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
        one.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 255);
        StepFrames(3);
    }
    void ExpectSteeredAndFired(VXMatchLevel& level) {
        for (int player = 0; player < 2; ++player)
            EXPECT_NEAR(level.players[player]->rotation[2], 270.0f, 0.5f) << "player " << player;
        EXPECT_NE(Find(level, "Arrow_cloned"), nullptr) << "player 1 fired";
    }
    // A press and release both read from the device between two frames.
    void TapBetweenFrames(VirtualPad& pad, SDL_GameControllerButton b) {
        pad.Button(b, true);
        SDL_GameControllerUpdate();
        pad.Button(b, false);
        SDL_GameControllerUpdate();
        StepFrames(1);
    }
};

TEST_F(MatchPads, PadsAttachedInTheCountdownAndInPlayAreTakenAtOnce) {
    StartGame();
    VXMatchLevel& level = Enter();
    ASSERT_TRUE(FrameContext().inputBlocked) << "in the countdown";
    EXPECT_EQ(PadOf(level, 0), 4);
    EXPECT_EQ(PadOf(level, 1), 4);
    VirtualPad early;
    StepFrames(1);
    EXPECT_EQ(PadOf(level, 0), 0);
    EXPECT_EQ(PadOf(level, 1), 4) << "player 2 keeps the keyboard";
    WaitForCountdown();
    ASSERT_FALSE(FrameContext().inputBlocked);
    VirtualPad late;
    StepFrames(1);
    EXPECT_EQ(PadOf(level, 0), 0);
    EXPECT_EQ(PadOf(level, 1), 1);
    SteerDownAndFire(early, late);
    ExpectSteeredAndFired(level);
}

TEST_F(MatchPads, ALonePadInSlotOneIsPlayerOnesAndPadsThatComeBackAreTakenAgain) {
    auto gone = std::make_unique<VirtualPad>();
    auto lone = std::make_unique<VirtualPad>();
    StartGame();
    gone.reset();  // slot 0 empties; the other pad stays in slot 1
    StepFrames(1);
    VXMatchLevel& level = Enter();
    EXPECT_EQ(PadOf(level, 0), 1);
    EXPECT_EQ(PadOf(level, 1), 4);
    WaitForCountdown();
    VirtualPad second;  // takes the free slot 0
    StepFrames(1);
    EXPECT_EQ(PadOf(level, 1), 0);
    SteerDownAndFire(*lone, second);
    ExpectSteeredAndFired(level);

    // Player 1's pad goes and comes back (into slot 1 again): player 1's.
    lone.reset();
    StepFrames(1);
    VirtualPad back;
    StepFrames(1);
    EXPECT_EQ(PadOf(level, 0), 1);
    EXPECT_EQ(PadOf(level, 1), 0);
}

TEST_F(MatchPads, AOneFrameStartPausesOnceAndBLeadsBackOut) {
    VirtualPad one, two;
    StartGame();
    Enter();
    WaitForCountdown();
    TapBetweenFrames(two, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(engine->paused, 1);
    StepFrames(3);
    EXPECT_EQ(engine->paused, 1) << "counted once";

    // How to play, B back to the first page, B back to the match.
    auto press = [this](VirtualPad& pad, SDL_GameControllerButton b) {
        pad.Button(b, true);
        StepFrames(1);
        pad.Button(b, false);
        StepFrames(1);
    };
    press(one, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    press(one, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(engine->matchFlow.pageNumber, 1);
    press(two, SDL_CONTROLLER_BUTTON_B);
    ASSERT_EQ(engine->matchFlow.pageNumber, 0);
    EXPECT_EQ(engine->paused, 1);
    press(one, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(engine->paused, 0);
    TapBetweenFrames(one, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(engine->paused, 1);
}

}  // namespace
}  // namespace MatchTest
