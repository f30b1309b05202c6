#include "platform/PlatformAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/Platform.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

namespace FrameWork {
namespace Platform {

namespace {

// The mixer probes the first twelve bytes of a file for its format.
constexpr size_t kSmallestSoundFile = 12;

bool g_audioOpen = false;
std::string g_audioError;

int MixVolume(float volume) {
    if (!(volume > 0.0f)) return 0;  // also NaN
    if (volume >= 1.0f) return MIX_MAX_VOLUME;
    return static_cast<int>(std::lround(volume * MIX_MAX_VOLUME));
}

bool ValidChannel(int channel) {
    return g_audioOpen && channel >= 0 && channel < Mix_AllocateChannels(-1);
}

}  // namespace

bool OpenAudio() {
    if (g_audioOpen) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        g_audioError = SDL_GetError();
        return false;
    }
    Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3 | MIX_INIT_FLAC);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        g_audioError = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    g_audioOpen = true;
    g_audioError.clear();
    return true;
}

void CloseAudio() {
    if (!g_audioOpen) return;
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_audioOpen = false;
}

bool IsAudioOpen() {
    return g_audioOpen;
}
const std::string& LastAudioError() {
    return g_audioError;
}

SoundClip* LoadSoundClip(const std::string& path) {
    if (!g_audioOpen) return nullptr;
    // The file is read here and always closed here: SDL_mixer keeps the
    // handle of a file too short for its format probe open for good.
    std::vector<char> bytes;
    std::ifstream in;
    if (!OpenReadableFile(path, in, std::ios::binary)) return nullptr;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    in.close();
    // No sound format fits in fewer bytes than the mixer's probe reads.
    if (bytes.size() < kSmallestSoundFile || bytes.size() > INT_MAX) return nullptr;
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!source) return nullptr;
    SoundClip* clip = Mix_LoadWAV_RW(source, 0);
    SDL_RWclose(source);
    return clip;
}

void FreeSoundClip(SoundClip* clip) {
    // SDL_mixer halts every channel that plays the chunk before freeing it.
    if (clip && g_audioOpen) Mix_FreeChunk(clip);
}

void ReserveChannels(int count) {
    if (g_audioOpen && count > Mix_AllocateChannels(-1)) Mix_AllocateChannels(count);
}

bool PlayOnChannel(int channel, SoundClip* clip, float volume, bool paused) {
    if (!clip || !ValidChannel(channel)) return false;
    // A sound that must start paused is started silent, so that the mixer
    // cannot play a few samples of it before the pause reaches the channel.
    Mix_Volume(channel, paused ? 0 : MixVolume(volume));
    if (Mix_PlayChannel(channel, clip, 0) < 0) return false;
    if (paused) {
        Mix_Pause(channel);
        Mix_Volume(channel, MixVolume(volume));
    }
    return true;
}

void StopChannel(int channel) {
    if (ValidChannel(channel)) Mix_HaltChannel(channel);
}

void SetChannelVolume(int channel, float volume) {
    if (ValidChannel(channel)) Mix_Volume(channel, MixVolume(volume));
}

void SetChannelPaused(int channel, bool paused) {
    if (!ValidChannel(channel)) return;
    if (paused)
        Mix_Pause(channel);
    else
        Mix_Resume(channel);
}

bool IsChannelPlaying(int channel) {
    return ValidChannel(channel) && Mix_Playing(channel) != 0;
}

void SetChannelTag(int channel, int tag) {
    if (ValidChannel(channel)) Mix_GroupChannel(channel, tag);
}

}  // namespace Platform
}  // namespace FrameWork
