// Plays whole matches in-process without a test framework: the engine's state
// machine driven frame by frame under the test clock, two SDL virtual pads
// holding a fixed script (sticks, triggers, the skill trigger), and the
// process's memory, GL objects and audio channels read between matches.
// The match benchmark and the soak program share it.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>

namespace FrameWork {
class VXEngine;
}

namespace Bench {

// An SDL virtual game controller.
class Pad {
public:
    Pad();
    ~Pad();
    Pad(const Pad&) = delete;
    Pad& operator=(const Pad&) = delete;
    void Axis(SDL_GameControllerAxis axis, int raw);
    // A trigger as one byte (0 released, 255 fully pressed).
    void Trigger(SDL_GameControllerAxis axis, int byte) { Axis(axis, byte * 257 - 32768); }
    void Button(SDL_GameControllerButton button, bool down);
    bool Attached() const { return joystick_ != nullptr; }

private:
    SDL_JoystickID id_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

// Both pads' input for match frame `frame`: each player sweeps its stick
// round at its own pace, fires every half second and casts its skill every
// five seconds.  Depends on the frame number only.
void ScriptPads(Pad (&pads)[2], int frame);
// Sticks centred, triggers released.
void ReleasePads(Pad (&pads)[2]);

// Resident set size now and at its peak, in kilobytes.
long ResidentKb();
long PeakResidentKb();
// Live GL texture and buffer names (probed 1 to 8192).
int LiveGlTextures();
int LiveGlBuffers();
// Audio channels allocated and channels playing.
int AllocatedAudioChannels();
int PlayingAudioChannels();

// The line-up the selection screen leaves for two players: an Archer on
// Blue and a Knight on Red, the other characters unpicked.
void FillLineUp();

struct MatchResult {
    bool finished = false;  // time-up reached and the win screen left
    int frames = 0;         // frames from entering until back at the menus
    int32_t blueTiles = 0, redTiles = 0;
    int32_t winner = 2;  // 1 Blue, 0 Red
    int32_t returnState = -1;
};

// Starts the run (loading screen and on) and runs frames until the splash
// screen runs; `frameMs`, when given, hears each frame's work time.
bool BootToTitle(FrameWork::VXEngine* engine, const std::function<void(double)>& frameMs = {});

// Enters match state `state` from the menus, plays `seconds` of it with the
// pads' script, lets the banner and win screen show and leaves with Enter.
// `frameMs`, when given, hears each played frame's work time.
MatchResult PlayMatch(FrameWork::VXEngine* engine, Pad (&pads)[2], int32_t state, int seconds,
                      const std::function<void(double)>& frameMs = {});

}  // namespace Bench
