// The audio manager and sound cues on a real mixer: SDL's "disk" driver
// writes the mix to a file, so a test can tell whether a sound was heard.
// The sounds are written by the tests themselves.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/DataRoot.h"
#include "core/VXAudioManager.h"
#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/TempDataTree.h"

using namespace FrameWork;
using TestHarness::Printed;
using TestHarness::WriteTone;
namespace fs = std::filesystem;

namespace {

constexpr int kRate = 44100;
constexpr size_t kBytesPerSecond = kRate * 2 * 2;  // the disk driver: S16 stereo

class Audio : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("pellwick_audio_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        output = dir / "mix.raw";
        tone = dir / "tone.wav";
        shortTone = dir / "short.wav";
        WriteTone(tone, 5.0);
        WriteTone(shortTone, 0.05);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        VXAudioManager::Destroy();  // a fresh manager on the disk device
        audio = VXAudioManager::Instance();
        ASSERT_TRUE(audio->HasDevice());
    }
    void TearDown() override {
        VXAudioManager::Destroy();
        if (VXEngine* engine = VXEngine::Existing()) engine->Shutdown();
        fs::remove_all(dir);
    }

    // The loudest sample of the next `seconds` of mix that starts after
    // this call (past the buffer the mixer may hold already); from the very
    // start of the file when `fromStart`.
    int PeakAhead(double seconds = 0.2, bool fromStart = false) {
        const size_t from = fromStart ? 0 : MixBytes() + kBytesPerSecond / 10;
        const size_t to = from + static_cast<size_t>(seconds * kBytesPerSecond);
        WaitFor([&] { return MixBytes() >= to; });
        std::ifstream in(output, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(from));
        std::vector<int16_t> samples((to - from) / 2);
        in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(to - from));
        int peak = 0;
        for (int16_t v : samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
        return peak;
    }
    size_t MixBytes() {
        std::error_code ec;
        const auto size = fs::file_size(output, ec);
        return ec ? 0 : static_cast<size_t>(size);
    }
    // A sound index per call, all on the test tone.
    void LoadTones(int count, const fs::path& file) {
        for (int i = 0; i < count; ++i) audio->CreateSound(file.string());
    }
    template <class Pred>
    bool WaitFor(Pred pred) {
        for (int i = 0; i < 2000; ++i) {
            if (pred()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    fs::path dir, output, tone, shortTone;
    VXAudioManager* audio = nullptr;
};

constexpr int kLoud = 5000;  // the tone peaks at 12000

TEST_F(Audio, PlayedSoundReachesTheMix) {
    LoadTones(2, tone);
    EXPECT_EQ(PeakAhead(0.2, true), 0);
    EXPECT_FALSE(audio->IsPlaying(1)) << "a channel never played reads as not playing";
    audio->PlayIndex(1);
    EXPECT_TRUE(audio->IsPlaying(1));
    EXPECT_GT(PeakAhead(), kLoud);
    audio->StopChannel(1);
    EXPECT_FALSE(audio->IsPlaying(1));
    EXPECT_EQ(PeakAhead(), 0);
}

TEST_F(Audio, PausedChannelIsSilentUntilResumed) {
    LoadTones(3, tone);
    audio->paused = true;
    audio->PlayIndex(2);
    EXPECT_TRUE(audio->IsPlaying(2)) << "a paused sound still counts as playing";
    EXPECT_EQ(PeakAhead(0.3, true), 0);
    audio->ResumePlayedChannels();
    EXPECT_GT(PeakAhead(), kLoud);
    audio->PausePlayedChannels();  // as the pause menus do
    EXPECT_EQ(PeakAhead(), 0);
}

TEST_F(Audio, VolumeZeroIsSilent) {
    LoadTones(1, tone);
    audio->volume = 0.0f;
    audio->PlayIndex(0);
    EXPECT_EQ(PeakAhead(0.3, true), 0);
    audio->SetVolume(0, 1.0f);
    EXPECT_GT(PeakAhead(), kLoud);
    audio->SetChannelVolume(0.0f);  // the match levels silence channel 0 at their start
    EXPECT_EQ(PeakAhead(), 0);
}

TEST_F(Audio, ChannelGroupPausesItsChannels) {
    LoadTones(2, tone);
    const int group = audio->CreateChannelGroup("ChannelGP");
    EXPECT_EQ(audio->CreateChannelGroup("Other"), group + 1);
    audio->SetChannelGroup(1, group);
    audio->PlayIndex(1);
    audio->SetGroupPaused(group, true);
    audio->ResumePlayedChannels();  // the main loop's resume leaves the group's pause
    EXPECT_EQ(PeakAhead(), 0);
    audio->SetGroupPaused(group, false);
    EXPECT_GT(PeakAhead(), kLoud);
    audio->SetChannelGroup(0, 99);  // bad groups are ignored
    audio->SetGroupPaused(-3, true);
    EXPECT_FALSE(audio->IsGroupPaused(99));
}

TEST_F(Audio, BadIndexesAndFailedFilesDoNothing) {
    const std::string said = Printed([&] { audio->CreateSound((dir / "missing.wav").string()); });
    EXPECT_NE(said.find("missing.wav"), std::string::npos) << said;
    LoadTones(1, tone);
    ASSERT_EQ(audio->sounds.size(), 2u) << "the failed file keeps its index";
    EXPECT_EQ(audio->sounds[0], nullptr);
    for (int i : {-1, 0, 2, 100}) {
        audio->PlayIndex(i);
        audio->SetVolume(i, 0.5f);
        audio->SetPaused(i, true);
        audio->StopChannel(i);
        audio->SetChannelGroup(i, 0);
        EXPECT_FALSE(audio->IsPlaying(i)) << i;
    }
    EXPECT_FALSE(audio->IsPlaying(1));
    audio->PlayIndex(1);
    EXPECT_TRUE(audio->IsPlaying(1));
    audio->ReleaseSounds();
    EXPECT_TRUE(audio->sounds.empty());
    EXPECT_FALSE(audio->IsPlaying(1));
}

// Every shipped sound loads quietly at its index; a missing one keeps its slot.
TEST_F(Audio, TheShippedListLoadsAndAMissingFileKeepsItsIndex) {
    TestHarness::TempDataTree tree;  // the working directory is its run folder
    tree.RemoveData("audio/whistle.ogg");
    EXPECT_EQ(Printed([&] { audio->LoadTextList(DataPath("objects/audiolist.txt")); }), "");
    ASSERT_GT(audio->names.size(), 33u);
    const std::string said = Printed([&] {
        for (int i = 0; i <= static_cast<int>(audio->names.size()); ++i) audio->LoadSound(i);
    });
    EXPECT_EQ(said.find("loading sound " + DataPath("audio/whistle.ogg") + " failed!\n"), 0u)
        << said;
    ASSERT_EQ(audio->sounds.size(), audio->names.size() + 1);
    for (size_t i = 0; i < audio->names.size(); ++i) {
        if (audio->names[i] == "whistle.ogg")
            EXPECT_EQ(audio->sounds[i], nullptr);
        else
            EXPECT_NE(audio->sounds[i], nullptr) << audio->names[i];
    }
    EXPECT_EQ(audio->sounds.back(), nullptr);
    audio->PlayIndex(kAlwaysPlayingCue);
    EXPECT_GT(PeakAhead(1.0), kLoud / 10) << audio->names[kAlwaysPlayingCue];
}

// --- Sound cues --------------------------------------------------------------

class Cues : public Audio {
protected:
    void SetUp() override {
        Audio::SetUp();
        BuildStartupGlobals();
        engine = VXEngine::Instance();
    }
    VXEngine* engine = nullptr;
};

TEST_F(Cues, OnlyTheMatchStartCuePlaysWhileInactive) {
    LoadTones(34, tone);
    engine->active = 0;
    SoundCue select(5), matchStarted(kAlwaysPlayingCue), other(33);
    select.Play();
    matchStarted.Play();
    other.Play();
    EXPECT_FALSE(audio->IsPlaying(5));
    EXPECT_TRUE(audio->IsPlaying(32));
    EXPECT_FALSE(audio->IsPlaying(33));
    select.PlayAlways();
    EXPECT_TRUE(audio->IsPlaying(5));

    engine->active = 1;
    other.Play();
    EXPECT_TRUE(audio->IsPlaying(33));
}

TEST_F(Cues, LoopingCueRestartsThroughUpdateLoop) {
    LoadTones(2, shortTone);
    SoundCue music(0, 1), effect(1, 0);
    music.PlayAlways();
    effect.PlayAlways();
    ASSERT_TRUE(WaitFor([&] { return !audio->IsPlaying(0) && !audio->IsPlaying(1); }));
    music.UpdateLoop();
    effect.UpdateLoop();
    EXPECT_EQ(music.playing, 1);
    EXPECT_TRUE(audio->IsPlaying(0)) << "the looping cue was not restarted";
    EXPECT_EQ(effect.playing, 0);
    EXPECT_FALSE(audio->IsPlaying(1));
    // Even while the engine is not active.
    engine->active = 0;
    ASSERT_TRUE(WaitFor([&] { return !audio->IsPlaying(0); }));
    music.UpdateLoop();
    EXPECT_TRUE(audio->IsPlaying(0));
}

TEST_F(Cues, MasterVolumeReachesTheChannelOneFrameLater) {
    LoadTones(1, tone);
    SoundCue music(0, 1);
    music.PlayAlways();
    engine->masterVolume = 0.0f;
    music.UpdateLoop();
    EXPECT_FLOAT_EQ(audio->volume, 0.0f);
    EXPECT_FLOAT_EQ(music.volume, 0.0f);
    EXPECT_GT(PeakAhead(), kLoud) << "the first call keeps the old volume";
    music.UpdateLoop();
    EXPECT_EQ(PeakAhead(), 0);
}

// --- No sound device -----------------------------------------------------------

TEST(AudioWithoutDevice, RunsSilentAfterOneLine) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    VXAudioManager::Destroy();
    VXAudioManager* audio = nullptr;
    const std::string said = Printed([&] { audio = VXAudioManager::Instance(); });
    EXPECT_FALSE(audio->HasDevice());
    EXPECT_NE(said.find("runs silent"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;

    SoundCue cue(0, 1);
    EXPECT_EQ(Printed([&] {
                  audio->CreateSound("/nonexistent/file.wav");
                  audio->PlayIndex(0);
                  audio->SetVolume(0, 1.0f);
                  audio->ResumePlayedChannels();
                  cue.PlayAlways();
                  cue.UpdateLoop();
              }),
              "")
        << "one line only";
    EXPECT_FALSE(audio->IsPlaying(0));
    EXPECT_EQ(audio->sounds.size(), 1u);
    VXAudioManager::Destroy();
}

}  // namespace
