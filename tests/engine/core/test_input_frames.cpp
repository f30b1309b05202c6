// Input and sound inside the real engine's frames (window, pump, present,
// test clock): key states as a level sees them, the pause toggle of a
// running match and the per-frame resume of the sound channels.
#include <memory>
#include <vector>

#include "engine/core/GameState.h"
#include "engine/core/VXAudioManager.h"
#include "engine/core/VXInputManager.h"
#include "engine/core/VXLevel_Base.h"
#include "platform/PlatformInput.h"
#include "tests/support/DataFiles.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/VirtualPad.h"

using namespace FrameWork;
using TestHarness::EngineFixture;
namespace VK = FrameWork::Platform::VK;

namespace {

// A level that notes, at each of its updates, what the game reads of one
// key; it can leave for another state at its first update.
class ProbeLevel : public VXLevel_Base {
public:
    explicit ProbeLevel(int key) : key(key) {}
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {}
    void Update() override {
        VXEngine* e = VXEngine::Instance();
        states.push_back(e->input->keys[key]);
        triggered.push_back(e->IsKeyTriggered(key));
        if (leaveTo != kStay) {
            e->nextState = leaveTo;
            leaveTo = kStay;
        }
    }
    void Free() override {}

    static constexpr int kStay = 100;
    int key;
    int leaveTo = kStay;
    std::vector<int> states;
    std::vector<bool> triggered;
};

class EngineFrames : public EngineFixture {
protected:
    ProbeLevel* Probe(int state, int key) {
        levels.push_back(std::make_unique<ProbeLevel>(key));
        ReplaceLevel(state, levels.back().get());
        return levels.back().get();
    }
    // The loading screen hands over to a match level at once; the match runs.
    ProbeLevel* StartMatch(int key) {
        Probe(GameState::LoadingScreen, key)->leaveTo = GameState::Level1;
        ProbeLevel* match = Probe(GameState::Level1, key);
        engine->active = 1;
        BeginRun();
        StepFrames(2);
        return match;
    }
    std::vector<std::unique_ptr<ProbeLevel>> levels;
};

TEST_F(EngineFrames, LevelsSeeKeyStatesAgeFrameByFrame) {
    ProbeLevel* loading = Probe(GameState::LoadingScreen, 'D');
    engine->active = 1;
    BeginRun();
    StepFrames(1);
    PressKey(SDL_SCANCODE_D);
    StepFrames(3);
    ReleaseKey(SDL_SCANCODE_D);
    StepFrames(2);
    // A press and release inside one frame reads as released.
    PressKey(SDL_SCANCODE_D);
    ReleaseKey(SDL_SCANCODE_D);
    StepFrames(2);
    EXPECT_EQ(loading->states, (std::vector<int>{0, 1, 2, 2, 0xFF, 0, 0xFF, 0}));
    EXPECT_EQ(loading->triggered,
              (std::vector<bool>{false, true, false, false, false, false, false, false}));
}

TEST_F(EngineFrames, FramesResumeTheChannelsUnlessPaused) {
    VXAudioManager* audio = engine->audio;
    if (!audio->HasDevice()) GTEST_SKIP() << "no sound device in this run";
    const std::string tone = (tree->Root() / "tone.wav").string();
    TestHarness::WriteTone(tone, 1.0);
    audio->CreateSound(tone);
    StartMatch('A');
    audio->PlayIndex(0);
    audio->PausePlayedChannels();
    EXPECT_TRUE(audio->channels[0].paused);
    StepFrames(1);
    EXPECT_FALSE(audio->channels[0].paused) << "a running frame resumes every played channel";
    TapKey(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(engine->paused, 1);
    audio->PausePlayedChannels();
    StepFrames(2);
    EXPECT_TRUE(audio->channels[0].paused);
}

}  // namespace
