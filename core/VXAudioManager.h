// Sound: the sound list, one sound and one channel per sound index.
//
// A sound's index is its place in the audio list ("audiolist.txt"); the
// loading screen loads the sounds in list order, so index i is also the i-th
// loaded sound, and it always plays on channel i: starting a sound that is
// still playing restarts it.  Every operation on an index that is out of
// range, not loaded, whose file failed to load or that was never played does
// nothing (and a never-played channel reads as not playing).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PlatformAudio.h"

namespace FrameWork {

// Appends the whitespace-separated words of the text file at `path` to
// `out`; when the file cannot be read, prints "loading from <path> failed!"
// and adds nothing.
void LoadTextList(const std::string& path, std::vector<std::string>& out);

// The channel of one sound index.
struct VXChannel {
    bool played = false;  // started at least once since the sound was loaded
    bool paused = false;  // the channel's own pause (its group may pause it too)
    int group = -1;       // channel group, -1 for none
};

class VXAudioManager {
public:
    // The first call opens the sound device; without one the game runs
    // silent after one line on standard output.
    static VXAudioManager* Instance();
    // Closes the sound system, frees the lists and deletes the manager; the
    // next Instance() creates a new one.
    static void Destroy();

    // Appends the whitespace-separated words of a text file to `names`.
    void LoadTextList(const std::string& path);
    // Loads DataPath("audio/") + names[i] as the next sound index.
    void LoadSound(int i);
    // Loads a sound file by its full path as the next sound index.
    void CreateSound(const std::string& path);
    // (Re)starts sound index i on its channel with the manager's volume and
    // pause state.
    void PlayIndex(int i);
    // The volume of channel 0 (the match levels silence it at their start).
    void SetChannelVolume(float v);

    // Per-channel control, by sound index.
    void StopChannel(int i);
    void SetVolume(int i, float v);
    void SetPaused(int i, bool pause);
    bool IsPlaying(int i) const;

    // Channel groups: a new named group (its id); a channel joins one group
    // at a time (-1 leaves it); pausing a group pauses all its channels on
    // top of their own pause state.
    int CreateChannelGroup(const std::string& name);
    void SetChannelGroup(int i, int group);
    void SetGroupPaused(int group, bool pause);
    bool IsGroupPaused(int group) const;

    // Main loop: un-pause every channel that has been played.
    void ResumePlayedChannels();
    // Pause menus: pause every channel that has been played.
    void PausePlayedChannels();
    // End of the run: release every loaded sound, empty the sound and
    // channel lists.
    void ReleaseSounds();

    // Whether a sound device is open.
    bool HasDevice() const { return deviceOpen; }

    std::vector<std::string> names;
    std::vector<Platform::SoundClip*> sounds;
    std::vector<VXChannel> channels;
    float volume = 1.0f;
    bool paused = false;

private:
    VXAudioManager() = default;
    ~VXAudioManager();
    bool Playable(int i) const;
    bool Played(int i) const;
    void AddSound(const std::string& path);
    void ApplyPause(int i);

    std::vector<std::string> groupNames;
    std::vector<uint8_t> groupPaused;
    bool deviceOpen = false;
};

// A sound of the audio manager as the levels and components keep it.
class SoundCue {
public:
    SoundCue() = default;
    explicit SoundCue(int index, uint8_t loop = 0) : index(index), loop(loop) {}

    // Plays the sound while the engine is active; the match-start sound
    // (index 32) plays at any time.
    void Play();
    // Plays the sound whatever the engine's state (menus and screens).
    void PlayAlways();
    // Once a frame for music: keeps a looping sound going and carries the
    // engine's master volume into the manager.
    void UpdateLoop();

    int32_t index = 0;
    uint8_t loop = 0;
    uint8_t playing = 0;          // the channel's last is-playing answer seen by UpdateLoop
    float volume = 1.0f;          // the master volume last copied
    bool channelPlaying = false;  // filled by the match update from IsPlaying
};

// The sound index that plays while the engine is not active.
constexpr int kAlwaysPlayingCue = 32;

}  // namespace FrameWork
