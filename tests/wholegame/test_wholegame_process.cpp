// The whole game from outside, as a player at the keyboard meets it: the
// built pellwick on an X server of the test's own, driven by real key
// events and watched through its standard output and what the screen shows.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "tests/support/GameProcess.h"
#include "tests/support/OwnDisplay.h"

namespace {

using TestHarness::GameProcess;
using TestHarness::OwnDisplay;
using TestHarness::PollUntil;

const char* const kMatchStarted = " -> Lv 1 Initialized";
const char* const kMatchLeft = " -> Lv 1 Free";
// One time budget for the whole road, up to the case's deadline (inside its
// own CTest limit), so that a road that stalls fails here and its game and
// X server are ended.
class Budget {
public:
    Budget() : end_(TestHarness::CaseDeadline()) {}
    // `ms`, or what is left of the budget when that is less.
    int Ms(int ms) const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              end_ - std::chrono::steady_clock::now())
                              .count();
        return static_cast<int>(std::max<long long>(0, std::min<long long>(ms, left)));
    }

private:
    std::chrono::steady_clock::time_point end_;
};

// The logos stand on the black clear colour; the title's picture fills the
// window to its corners.
bool TitleShows(const OwnDisplay& x) {
    return x.Look().darkestCorner > 20.0;
}

TEST(KeyboardProcess, QuickMatchPausedAndQuitToTheTitleThenTheSelectionStartsAMatch) {
    OwnDisplay x;
    ASSERT_TRUE(x.Ready()) << "Xvfb did not start";
    TestHarness::TempDataTree tree(false);
    GameProcess::Options options;
    options.setEnv = {{"DISPLAY", x.Name()}, {"SDL_AUDIODRIVER", "dummy"}};
    GameProcess game(tree, options);
    const Budget budget;
    ASSERT_TRUE(game.WaitForLine(" -- Engine running --", budget.Ms(120000))) << game.Output();
    ASSERT_TRUE(x.FocusWindowOf(game.Pid(), budget.Ms(30000)));

    // The loading screen, then three logos.  A click skips the second and
    // third and does nothing before them or on the title, so it repeats
    // until the title shows in two looks in a row.
    int lit = 0;
    ASSERT_TRUE(PollUntil(
        [&] {
            lit = TitleShows(x) ? lit + 1 : 0;
            if (lit == 2) return true;
            x.HoldLeftButton();
            return false;
        },
        budget.Ms(300000), 0))
        << "no title\n"
        << game.Output();

    // Title: Down moves the highlight from play to the quick match, Space
    // opens its confirmation and Space again starts it.
    for (const char* key : {"Down", "space", "space"}) x.HoldKey(key);
    ASSERT_TRUE(game.WaitForLine(kMatchStarted, budget.Ms(180000))) << game.Output();

    // Escape pauses only once the start countdown has run, and the pause
    // overlay dims the picture: Escape again only when it has not.
    ASSERT_TRUE(PollUntil(
        [&] {
            const double running = x.Look().mean;
            x.HoldKey("Escape");
            return PollUntil([&] { return x.Look().mean < 0.7 * running; }, budget.Ms(10000));
        },
        budget.Ms(120000), 0))
        << "the match did not pause\n"
        << game.Output();

    // Pause menu: Up from resume to quit, Enter opens the quit page under a
    // second overlay; its highlight starts on no, Left moves it to yes, and
    // Enter leaves for the title the match was started from.
    const double paused = x.Look().mean;
    x.HoldKey("Up");
    x.HoldKey("Return");
    ASSERT_TRUE(PollUntil([&] { return x.Look().mean < 0.8 * paused; }, budget.Ms(20000)))
        << "no quit page";
    x.HoldKey("Left");
    x.HoldKey("Return");
    ASSERT_TRUE(game.WaitForLine(kMatchLeft, budget.Ms(60000))) << game.Output();

    // Title: Enter goes to the selection.  The selection takes no key before
    // its intro has played, so its keys come in rounds until a match starts:
    // player 1 A (to Blue) and Space (ready), player 2 Right (to Red) and
    // Down (ready), Enter (the map shown).  A round that comes early does
    // nothing; a later A or Right steps to another character or map, and a
    // ready refused on the other player's character is taken next round.
    x.HoldKey("Return");
    ASSERT_TRUE(PollUntil(
        [&] {
            for (const char* key : {"a", "space", "Right", "Down", "Return"}) x.HoldKey(key);
            return game.WaitForLines(kMatchStarted, 2, budget.Ms(1000));
        },
        budget.Ms(240000), 0))
        << game.Output();

    game.Signal(SIGTERM);
    EXPECT_EQ(game.Wait(budget.Ms(60000)), 16) << game.Output();
    const std::string& out = game.Output();
    const size_t first = out.find(kMatchStarted), left = out.find(kMatchLeft);
    EXPECT_LT(first, left);
    EXPECT_LT(left, out.find(kMatchStarted, first + 1));
}

}  // namespace
