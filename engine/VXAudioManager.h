// Sound: the sound list, one sound and one channel per sound index.
#pragma once

#include <string>
#include <vector>

namespace FrameWork {

class VXAudioManager {
public:
    static VXAudioManager* Instance();
    // Closes the sound system, frees the lists and deletes the manager; the
    // next Instance() creates a new one.
    static void Destroy();

    // Main loop: un-pause every channel that has been played.
    void ResumePlayedChannels();
    // End of the run: release every loaded sound, empty the sound and
    // channel lists.
    void ReleaseSounds();

    std::vector<std::string> names;
    float volume = 1.0f;
    bool paused = false;

private:
    VXAudioManager() = default;
};

}  // namespace FrameWork
