// Sound output of the platform layer: one mixer on SDL2_mixer with numbered
// channels.  Every call is safe when no device is open (it does nothing and
// answers false), so the game can run silent.
#pragma once

#include <string>

struct Mix_Chunk;

namespace FrameWork {
namespace Platform {

using SoundClip = Mix_Chunk;

// Opens the default sound device (44.1 kHz, 16-bit stereo).  False when
// there is none; the reason is left in LastAudioError().
bool OpenAudio();
// Stops every channel and closes the device.
void CloseAudio();
bool IsAudioOpen();
const std::string& LastAudioError();

// Decodes a whole sound file (WAV, Ogg Vorbis, MP3, FLAC) into memory.  Null
// when the file cannot be read or no device is open.
SoundClip* LoadSoundClip(const std::string& path);
// Stops the channels playing the clip, then frees it.
void FreeSoundClip(SoundClip* clip);

// Makes sure channels 0 to count - 1 exist.
void ReserveChannels(int count);
// Starts `clip` once on `channel` (restarting it when it plays already), at
// `volume` (0 to 1), paused or not.  False when nothing was started.
bool PlayOnChannel(int channel, SoundClip* clip, float volume, bool paused);
void StopChannel(int channel);
void SetChannelVolume(int channel, float volume);
void SetChannelPaused(int channel, bool paused);
// True while the channel holds a sound that has not ended, paused or not.
bool IsChannelPlaying(int channel);
// Puts a channel into a numbered group of the mixer (-1: none).
void SetChannelTag(int channel, int tag);

}  // namespace Platform
}  // namespace FrameWork
