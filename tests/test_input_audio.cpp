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

#include "engine/StartupGlobals.h"
#include "engine/VXAudioManager.h"
#include "engine/VXEngine.h"

using namespace FrameWork;
namespace fs = std::filesystem;

namespace {

constexpr int kRate = 44100;
constexpr size_t kBytesPerSecond = kRate * 2 * 2;  // the disk driver: S16 stereo

// A 16-bit mono WAV of a 440 Hz tone.
void WriteTone(const fs::path& path, double seconds) {
    const uint32_t frames = static_cast<uint32_t>(seconds * kRate);
    std::vector<int16_t> samples(frames);
    for (uint32_t i = 0; i < frames; ++i)
        samples[i] = static_cast<int16_t>(12000 * std::sin(2 * M_PI * 440.0 * i / kRate));
    const uint32_t dataBytes = frames * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

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

    // Waits until the mix file has grown by `seconds` of sound past `from`
    // bytes, then returns the whole file.
    std::vector<int16_t> MixAfter(size_t from, double seconds) {
        const size_t want = from + static_cast<size_t>(seconds * kBytesPerSecond);
        for (int i = 0; i < 2000; ++i) {
            std::error_code ec;
            if (fs::file_size(output, ec) >= want && !ec) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return ReadMix();
    }
    std::vector<int16_t> ReadMix() {
        std::ifstream in(output, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        std::vector<int16_t> samples(bytes.size() / 2);
        std::copy(bytes.begin(), bytes.begin() + samples.size() * 2,
                  reinterpret_cast<char*>(samples.data()));
        return samples;
    }
    size_t MixBytes() {
        std::error_code ec;
        const auto size = fs::file_size(output, ec);
        return ec ? 0 : static_cast<size_t>(size);
    }
    static int Peak(const std::vector<int16_t>& s, size_t fromByte, size_t toByte) {
        int peak = 0;
        for (size_t i = fromByte / 2; i < toByte / 2 && i < s.size(); ++i)
            peak = std::max(peak, std::abs(static_cast<int>(s[i])));
        return peak;
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

TEST_F(Audio, PlayedSoundReachesTheMix) {
    LoadTones(1, tone);
    const size_t before = MixBytes();
    audio->PlayIndex(0);
    EXPECT_TRUE(audio->IsPlaying(0));
    const auto mix = MixAfter(before, 0.3);
    EXPECT_GT(Peak(mix, 0, mix.size() * 2), 5000);
}

TEST_F(Audio, NothingPlayedIsSilence) {
    LoadTones(2, tone);
    const auto mix = MixAfter(0, 0.3);
    ASSERT_GT(mix.size(), 0u);
    EXPECT_EQ(Peak(mix, 0, mix.size() * 2), 0);
    EXPECT_FALSE(audio->IsPlaying(0)) << "a channel never played reads as not playing";
}

TEST_F(Audio, PausedChannelIsSilentUntilResumed) {
    LoadTones(3, tone);
    audio->paused = true;
    audio->PlayIndex(2);
    EXPECT_TRUE(audio->IsPlaying(2)) << "a paused sound still counts as playing";
    auto mix = MixAfter(0, 0.3);
    const size_t pausedBytes = mix.size() * 2;
    EXPECT_EQ(Peak(mix, 0, pausedBytes), 0);

    audio->ResumePlayedChannels();
    mix = MixAfter(pausedBytes, 0.3);
    EXPECT_GT(Peak(mix, pausedBytes, mix.size() * 2), 5000);

    // Paused again by the pause menus: the mix falls silent.
    audio->PausePlayedChannels();
    const size_t pausedAt = MixBytes() + kBytesPerSecond / 10;  // past what was mixed already
    mix = MixAfter(pausedAt, 0.2);
    EXPECT_EQ(Peak(mix, pausedAt, mix.size() * 2), 0);
}

TEST_F(Audio, VolumeZeroIsSilent) {
    LoadTones(1, tone);
    audio->volume = 0.0f;
    audio->PlayIndex(0);
    auto mix = MixAfter(0, 0.3);
    const size_t quietBytes = mix.size() * 2;
    EXPECT_EQ(Peak(mix, 0, quietBytes), 0);
    audio->SetVolume(0, 1.0f);
    mix = MixAfter(quietBytes, 0.3);
    EXPECT_GT(Peak(mix, quietBytes, mix.size() * 2), 5000);
    // The match levels silence channel 0 at their start.
    audio->SetChannelVolume(0.0f);
    const size_t quietAt = MixBytes() + kBytesPerSecond / 10;
    mix = MixAfter(quietAt, 0.2);
    EXPECT_EQ(Peak(mix, quietAt, mix.size() * 2), 0);
}

TEST_F(Audio, StoppedChannelIsSilentAndNotPlaying) {
    LoadTones(1, tone);
    audio->PlayIndex(0);
    EXPECT_TRUE(audio->IsPlaying(0));
    audio->StopChannel(0);
    EXPECT_FALSE(audio->IsPlaying(0));
    const size_t stoppedAt = MixBytes() + kBytesPerSecond / 10;
    const auto mix = MixAfter(stoppedAt, 0.2);
    EXPECT_EQ(Peak(mix, stoppedAt, mix.size() * 2), 0);
}

TEST_F(Audio, ChannelGroupPausesItsChannels) {
    LoadTones(2, tone);
    const int group = audio->CreateChannelGroup("ChannelGP");
    EXPECT_EQ(audio->CreateChannelGroup("Other"), group + 1);
    audio->SetChannelGroup(1, group);
    audio->PlayIndex(1);
    audio->SetGroupPaused(group, true);
    EXPECT_TRUE(audio->IsGroupPaused(group));
    // The main loop's resume does not lift a group's pause.
    audio->ResumePlayedChannels();
    const size_t pausedAt = MixBytes() + kBytesPerSecond / 10;
    auto mix = MixAfter(pausedAt, 0.2);
    EXPECT_EQ(Peak(mix, pausedAt, mix.size() * 2), 0);
    audio->SetGroupPaused(group, false);
    const size_t resumedAt = MixBytes() + kBytesPerSecond / 10;
    mix = MixAfter(resumedAt, 0.2);
    EXPECT_GT(Peak(mix, resumedAt, mix.size() * 2), 5000);
    // Bad groups are ignored.
    audio->SetChannelGroup(0, 99);
    audio->SetGroupPaused(-3, true);
    EXPECT_FALSE(audio->IsGroupPaused(99));
}

TEST_F(Audio, ReplayRestartsOnTheSameChannel) {
    LoadTones(1, shortTone);
    audio->PlayIndex(0);
    ASSERT_TRUE(WaitFor([&] { return !audio->IsPlaying(0); }));
    audio->PlayIndex(0);
    EXPECT_TRUE(audio->IsPlaying(0));
    audio->PlayIndex(0);  // still playing: restarts, no second voice
    EXPECT_TRUE(audio->IsPlaying(0));
}

TEST_F(Audio, BadIndexesAndFailedFilesDoNothing) {
    testing::internal::CaptureStdout();
    audio->CreateSound((dir / "missing.wav").string());
    const std::string said = testing::internal::GetCapturedStdout();
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

TEST_F(Audio, LoadSoundReadsFromTheAudioFolder) {
    const fs::path cwd = dir / "run";
    fs::create_directories(cwd);
    fs::create_directories(dir / "VXEngine" / "data" / "audio");
    fs::copy_file(tone, dir / "VXEngine" / "data" / "audio" / "beep.wav");
    const fs::path old = fs::current_path();
    fs::current_path(cwd);
    audio->names = {"nothere.wav", "beep.wav"};
    testing::internal::CaptureStdout();
    audio->LoadSound(0);
    audio->LoadSound(1);
    audio->LoadSound(5);  // not in the list: an empty slot, no crash
    const std::string said = testing::internal::GetCapturedStdout();
    fs::current_path(old);
    ASSERT_EQ(audio->sounds.size(), 3u);
    EXPECT_EQ(audio->sounds[0], nullptr);
    EXPECT_NE(audio->sounds[1], nullptr);
    EXPECT_EQ(audio->sounds[2], nullptr);
    EXPECT_NE(said.find("../VXEngine/data/audio/nothere.wav"), std::string::npos) << said;
}

TEST_F(Audio, ListReaderTakesWordsUntilTheEnd) {
    const fs::path list = dir / "audiolist.txt";
    std::ofstream(list) << "bgm.ogg\nhit.wav\n";
    audio->LoadTextList(list.string());
    EXPECT_EQ(audio->names, (std::vector<std::string>{"bgm.ogg", "hit.wav"}))
        << "no empty name after the last line end";
    std::ofstream(list) << "  a.wav b.wav\t\tc.wav";
    audio->LoadTextList(list.string());
    EXPECT_EQ(audio->names,
              (std::vector<std::string>{"bgm.ogg", "hit.wav", "a.wav", "b.wav", "c.wav"}));

    testing::internal::CaptureStdout();
    audio->LoadTextList((dir / "none.txt").string());
    audio->LoadTextList(dir.string());  // a folder
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(audio->names.size(), 5u);
    EXPECT_NE(said.find("loading from " + (dir / "none.txt").string() + " failed!"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("loading from " + dir.string() + " failed!"), std::string::npos) << said;
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
    const size_t loudAt = MixBytes() + kBytesPerSecond / 10;
    auto mix = MixAfter(loudAt, 0.2);
    EXPECT_GT(Peak(mix, loudAt, mix.size() * 2), 5000) << "the first call keeps the old volume";
    music.UpdateLoop();
    const size_t quietAt = MixBytes() + kBytesPerSecond / 10;
    mix = MixAfter(quietAt, 0.2);
    EXPECT_EQ(Peak(mix, quietAt, mix.size() * 2), 0);
}

// --- No sound device -----------------------------------------------------------

TEST(AudioWithoutDevice, RunsSilentAfterOneLine) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    VXAudioManager::Destroy();
    testing::internal::CaptureStdout();
    VXAudioManager* audio = VXAudioManager::Instance();
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(audio->HasDevice());
    EXPECT_NE(said.find("runs silent"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;

    testing::internal::CaptureStdout();
    audio->CreateSound("/nonexistent/file.wav");
    audio->PlayIndex(0);
    audio->SetVolume(0, 1.0f);
    audio->SetPaused(0, false);
    audio->ResumePlayedChannels();
    SoundCue cue(0, 1);
    cue.PlayAlways();
    cue.UpdateLoop();
    EXPECT_FALSE(audio->IsPlaying(0));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "one line only";
    EXPECT_EQ(audio->sounds.size(), 1u);
    VXAudioManager::Destroy();
}

}  // namespace
