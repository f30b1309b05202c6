// The whole game as players play it: the real engine from the loading screen
// on, driven only by keys and virtual pads, every state it enters recorded.
#pragma once

#include <SDL.h>

#include <functional>
#include <set>
#include <vector>

#include "core/GameState.h"
#include "core/VXFrameContext.h"
#include "engine/VXLevelObjects.h"
#include "gameplay/VXMatchState.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXPaintMap.h"
#include "levels/VXSplashScreen.h"
#include "tests/support/EngineFixture.h"

namespace WholeGame {

using namespace FrameWork;

// Painted cells per team (index 1 Blue, 2 Red), counted cell by cell.
struct Floor {
    int cells[3] = {};
};
inline Floor RecountFloor() {
    Floor floor;
    for (const VXPaintCell& cell : VXGraphicsManager::Instance()->paintCells)
        if (cell.painted && cell.team >= 1 && cell.team <= 2) ++floor.cells[cell.team];
    return floor;
}

class Road : public TestHarness::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        // A small window keeps llvmpipe's share of thousands of frames low;
        // the selection screen's keyboard road needs 640 by 360 (its team
        // icons sit 375 pixels in from each edge).
        engine->SetWindowed(640, 360);
    }
    int State() const { return FrameContext().currentState; }
    // One frame; the state it ends in joins the road when it is new.
    bool Step(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            if (!StepFrames(1)) return false;
            if (road.empty() || road.back() != State()) road.push_back(State());
        }
        return true;
    }
    bool StepUntil(const std::function<bool()>& done, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            if (!Step()) return false;
        }
        return done();
    }
    void Tap(SDL_Scancode key) {
        PressKey(key);
        Step();
        ReleaseKey(key);
        Step();
    }
    // Holds exactly the keys of `down` among those held so far.
    void HoldKeys(const std::set<SDL_Scancode>& down) {
        for (SDL_Scancode key : held)
            if (!down.count(key)) ReleaseKey(key);
        for (SDL_Scancode key : down)
            if (!held.count(key)) PressKey(key);
        held = down;
    }
    // The loading screen, the three logos and the title's menu.
    void RunToTitle() {
        BeginRun();
        Step();
        ASSERT_TRUE(StepUntil(
            [this] {
                auto* splash =
                    static_cast<VXSplashScreen*>(LevelObjectForState(GameState::SplashScreen));
                return State() == GameState::SplashScreen && splash->phase == SplashTitle &&
                       splash->titleShown;
            },
            3000));
    }
    // Frames until the count-down has run and the players may move.
    void WaitForPlay() {
        ASSERT_TRUE(
            StepUntil([] { return FrameContext().active && !FrameContext().inputBlocked; }, 600));
    }

    std::vector<int> road;
    std::set<SDL_Scancode> held;
};

}  // namespace WholeGame
