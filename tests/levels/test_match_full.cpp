// Matches to time-up.  Under the test clock the quick match and the three
// maps play their last 20 seconds (the clock's start at 150 and its count are
// the set-up's and the clock's own tests); each ends with the side that holds
// more of the floor.
#include "gameplay/VXMatchState.h"
#include "graphics/VXPaintMap.h"
#include "tests/levels/MatchTestSupport.h"

namespace MatchTest {
namespace {

class FullMatch : public MatchFixture, public ::testing::WithParamInterface<int> {};

// Red drives forward for four seconds; the winner is checked against a count
// of the painted cells.
TEST_P(FullMatch, EndsWithTheWinnerOfTheFloor) {
    Start(GetParam(), LineUp(15, 1, 8, 2));
    WaitForCountdown();
    PressKey(SDL_SCANCODE_UP);
    StepFrames(240);
    ReleaseKey(SDL_SCANCODE_UP);
    g_secondsLeft = 20;
    for (int i = 0; i < 150 * 60 && !g_matchOver; ++i) StepFrames(1);
    ASSERT_EQ(g_matchOver, 1);
    int cells[3] = {};
    for (const VXPaintCell& cell : VXGraphicsManager::Instance()->paintCells)
        if (cell.painted && cell.team >= 1 && cell.team <= 2) ++cells[cell.team];
    EXPECT_GT(cells[2], cells[1]);
    EXPECT_EQ(g_winner, cells[1] * 100 / g_totalPaintCells >= cells[2] * 100 / g_totalPaintCells);
}
INSTANTIATE_TEST_SUITE_P(EachLevel, FullMatch, ::testing::Values(4, 0, 2, 3));

}  // namespace
}  // namespace MatchTest
