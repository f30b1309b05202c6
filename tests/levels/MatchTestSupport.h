// The match-level tests' fixture: the real engine on a copy of the shipped
// data, and a match level entered with a line-up as the state machine does.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/GameState.h"
#include "core/VXFrameContext.h"
#include "engine/VXLevelObjects.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "levels/VXMatchLevels.h"
#include "objects/GameObject.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/EngineFixture.h"

namespace MatchTest {

using namespace FrameWork;

// Replaces the first `from` after `after` in a data file of the tree.
inline void EditData(const TestHarness::TempDataTree& tree, const std::string& file,
                     const std::string& from, const std::string& to,
                     const std::string& after = "") {
    std::string text = TestHarness::ReadFile(tree.Data(file));
    const size_t at = text.find(from, text.find(after));
    ASSERT_NE(at, std::string::npos) << from << " in " << file;
    tree.WriteData(file, text.replace(at, from.size(), to));
}

class MatchFixture : public TestHarness::EngineFixture {
protected:
    // Runs the loading screen (it loads every listed asset), then enters
    // match state `state` with `lineUp`; `said` takes what the level printed.
    VXMatchLevel& Start(int state, std::vector<GameLevelInitObject> lineUp,
                        std::string* said = nullptr) {
        StartGame();
        FrameContext().lineUp = std::move(lineUp);
        const std::string printed = Enter(state);
        if (said) *said = printed;
        return Level(state);
    }
    void StartGame() {
        BeginRun();
        EXPECT_TRUE(RunUntilState(GameState::SplashScreen, 3000));
        SetWindowed(320, 180);  // small frames draw fast
    }
    static void FillLineUp(int kind1, int team1, int kind2, int team2) {
        FrameContext().lineUp = LineUp(kind1, team1, kind2, team2);
    }
    static VXMatchLevel& Level(int state) {
        return *dynamic_cast<VXMatchLevel*>(LevelObjectForState(state));
    }
    // Players 1 and 2 with their characters and teams, then the others.
    static std::vector<GameLevelInitObject> LineUp(int kind1, int team1, int kind2, int team2) {
        std::vector<GameLevelInitObject> lineUp{{1, kind1, team1}, {2, kind2, team2}};
        for (int kind : {15, 8, 6, 7, 18, 19})
            if (kind != kind1 && kind != kind2)
                lineUp.emplace_back(static_cast<int>(lineUp.size()) + 1, kind, 0);
        return lineUp;
    }
    // Runs one frame that enters `state`; what the levels printed.
    std::string Enter(int state) {
        FrameContext().nextState = state;
        return TestHarness::Printed([&] { StepFrames(1); });
    }
    // Frames until the start countdown has ended and input is taken.
    void WaitForCountdown() {
        for (int i = 0; i < 600 && FrameContext().inputBlocked; ++i) StepFrames(1);
    }

    static GameObject* Find(VXMatchLevel& level, const std::string& name) {
        return level.objectManager->FindObject(name);
    }
};

}  // namespace MatchTest
