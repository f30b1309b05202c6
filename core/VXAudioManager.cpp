#include "core/VXAudioManager.h"

#include <cstdio>
#include <sstream>

#include "core/DataRoot.h"
#include "core/VXFrameContext.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {
VXAudioManager* g_audioManager = nullptr;
const std::string kAudioFolder = DataPath("audio/");
}  // namespace

void LoadTextList(const std::string& path, std::vector<std::string>& out) {
    std::string text;
    std::string why;
    if (!Platform::ReadTextFile(path, text, why)) {
        std::printf("loading from %s failed!\n", path.c_str());
        return;
    }
    why = Platform::WhyNotUtf8Text(text);
    if (!why.empty()) {
        std::printf(" -> %s is not UTF-8 text (%s): not read\n", path.c_str(), why.c_str());
        return;
    }
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        Platform::ReadListLineAsItLooks(path, number, line);
        std::istringstream words(line);
        for (std::string word; words >> word;) out.push_back(word);
    }
}

// --- Manager ----------------------------------------------------------------

VXAudioManager* VXAudioManager::Instance() {
    if (!g_audioManager) {
        g_audioManager = new VXAudioManager();
        std::printf(" -> Audio management system\n");
        g_audioManager->deviceOpen = Platform::OpenAudio();
        if (!g_audioManager->deviceOpen)
            std::printf(" -> No sound device (%s): the game runs silent\n",
                        Platform::LastAudioError().c_str());
    }
    return g_audioManager;
}

void VXAudioManager::Destroy() {
    delete g_audioManager;
    g_audioManager = nullptr;
}

VXAudioManager::~VXAudioManager() {
    ReleaseSounds();
    if (deviceOpen) Platform::CloseAudio();
}

void VXAudioManager::LoadTextList(const std::string& path) {
    FrameWork::LoadTextList(path, names);
}

void VXAudioManager::AddSound(const std::string& path) {
    Platform::SoundClip* clip = nullptr;
    if (deviceOpen) {
        clip = Platform::LoadSoundClip(path);
        if (!clip) std::printf("loading sound %s failed!\n", path.c_str());
    }
    // The slot is kept even when the file failed, so later indexes keep
    // their meaning.
    sounds.push_back(clip);
    channels.emplace_back();
    Platform::ReserveChannels(static_cast<int>(sounds.size()));
}

void VXAudioManager::LoadSound(int i) {
    if (i < 0 || i >= static_cast<int>(names.size())) {
        std::printf("loading sound %d failed: no such name in the audio list\n", i);
        AddSound("");
        return;
    }
    AddSound(kAudioFolder + names[i]);
}

void VXAudioManager::CreateSound(const std::string& path) {
    AddSound(path);
}

bool VXAudioManager::Playable(int i) const {
    return i >= 0 && i < static_cast<int>(sounds.size()) && sounds[i] != nullptr;
}

bool VXAudioManager::Played(int i) const {
    return Playable(i) && channels[i].played;
}

void VXAudioManager::ApplyPause(int i) {
    const VXChannel& ch = channels[i];
    Platform::SetChannelPaused(i, ch.paused || IsGroupPaused(ch.group));
}

void VXAudioManager::PlayIndex(int i) {
    if (!Playable(i)) return;
    VXChannel& ch = channels[i];
    ch.paused = paused;
    if (!Platform::PlayOnChannel(i, sounds[i], volume, paused || IsGroupPaused(ch.group))) return;
    ch.played = true;
}

void VXAudioManager::SetChannelVolume(float v) {
    SetVolume(0, v);
}

void VXAudioManager::StopChannel(int i) {
    if (Played(i)) Platform::StopChannel(i);
}

void VXAudioManager::SetVolume(int i, float v) {
    if (Played(i)) Platform::SetChannelVolume(i, v);
}

void VXAudioManager::SetPaused(int i, bool pause) {
    if (!Played(i)) return;
    channels[i].paused = pause;
    ApplyPause(i);
}

bool VXAudioManager::IsPlaying(int i) const {
    return Played(i) && Platform::IsChannelPlaying(i);
}

int VXAudioManager::CreateChannelGroup(const std::string& name) {
    groupNames.push_back(name);
    groupPaused.push_back(0);
    return static_cast<int>(groupNames.size()) - 1;
}

void VXAudioManager::SetChannelGroup(int i, int group) {
    if (!Playable(i)) return;
    if (group < -1 || group >= static_cast<int>(groupNames.size())) return;
    channels[i].group = group;
    Platform::SetChannelTag(i, group);
    if (channels[i].played) ApplyPause(i);
}

void VXAudioManager::SetGroupPaused(int group, bool pause) {
    if (group < 0 || group >= static_cast<int>(groupPaused.size())) return;
    groupPaused[group] = pause ? 1 : 0;
    for (int i = 0; i < static_cast<int>(channels.size()); ++i)
        if (channels[i].group == group && Played(i)) ApplyPause(i);
}

bool VXAudioManager::IsGroupPaused(int group) const {
    return group >= 0 && group < static_cast<int>(groupPaused.size()) && groupPaused[group];
}

void VXAudioManager::ResumePlayedChannels() {
    for (int i = 0; i < static_cast<int>(channels.size()); ++i) SetPaused(i, false);
}

void VXAudioManager::PausePlayedChannels() {
    for (int i = 0; i < static_cast<int>(channels.size()); ++i) SetPaused(i, true);
}

void VXAudioManager::ReleaseSounds() {
    for (Platform::SoundClip* clip : sounds) Platform::FreeSoundClip(clip);
    sounds.clear();
    channels.clear();
}

// --- Sound cue --------------------------------------------------------------

void SoundCue::Play() {
    if (FrameContext().active || index == kAlwaysPlayingCue) PlayAlways();
}

void SoundCue::PlayAlways() {
    VXAudioManager::Instance()->PlayIndex(index);
}

void SoundCue::UpdateLoop() {
    VXAudioManager* audio = VXAudioManager::Instance();
    playing = audio->IsPlaying(index) ? 1 : 0;
    audio->SetVolume(index, audio->volume);
    if (loop == 1 && playing == 0) {
        playing = 1;
        audio->PlayIndex(index);
    }
    const float master = FrameContext().masterVolume;
    volume = master;
    audio->volume = master;
}

}  // namespace FrameWork
