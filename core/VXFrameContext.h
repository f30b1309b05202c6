// What the layers above the engine core read and write of the running game:
// the frame's time, the state ids, the run flags, the match line-up and the
// window's mode.  The engine object owns the frame loop and fills these in;
// levels, screens, gameplay components and the editor reach them here, so
// that nothing below the application needs the engine object itself.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Message.h"
#include "core/VXInputManager.h"

namespace FrameWork {

// The match's fixed step: 1/60 s in the whole microseconds a frame is
// measured in, and as the seconds the systems are handed.
constexpr uint64_t kStepMicroseconds = 16667;
constexpr float kStepTime = static_cast<float>(kStepMicroseconds) * 0.000001f;
// Steps at most in one frame: a machine drawing down to 4 frames a second
// plays the same match; a stall of more than a quarter second only loses
// the rest of its time.
constexpr int32_t kMaxFrameSteps = 15;

struct VXFrameContext {
    // 0 keyboard, 1 one pad, 2 two pads; written by the select screen's
    // commit, read by the match levels.
    int32_t selectionMode = 0;
    // The six line-up records of the next or running match.
    std::vector<GameLevelInitObject> lineUp;

    // State ids (see GameState.h).  A level or screen ends itself by writing
    // `nextState`; the switch happens after the frame.
    int32_t levelInUse = 0;
    int32_t nextState = 0;
    int32_t currentState = 0;
    int32_t previousState = 0;

    // Seconds of the last frame, and since the run began.  While a match
    // level and the physics run their steps, `frameTime` holds the step's
    // time (kStepTime), whatever the frame lasted.
    float frameTime = 0.0f;
    float totalTime = 0.0f;
    // Fixed steps of kStepTime the time since the last frame holds (what is
    // left over waits for the next frame; beyond kMaxFrameSteps a stall is
    // lost).  A match runs this many steps in the frame, and sprite
    // animations and the match clock move on by as many ticks.
    int32_t frameSteps = 1;

    // Input queries answer false while `inputBlocked` is set; the engine
    // rewrites it at every frame's end as the negation of `active`.
    uint8_t inputBlocked = 1;
    uint8_t paused = 0;
    // Gameplay running: set by the loading screen, cleared while a match
    // counts down.
    uint8_t active = 0;
    // 0 to 1; the sound cues take it every frame.
    float masterVolume = 1.0f;
    // Where the loading screen hands over once the assets are in: the splash
    // screen (7), or the level editor (1) when the game starts with --editor.
    int32_t stateAfterLoading = 7;

    // Window-mode switches; the application installs them at start-up, and
    // until then they do nothing.
    void (*makeBorderlessFullscreen)() = nullptr;
    void (*setWindowed)(int width, int height) = nullptr;
};

// The one frame context of the process.
VXFrameContext& FrameContext();

// The frame's time in whole steps of kStepTime (at most kMaxFrameSteps):
// what the screens' fades and slides and the menus' repeat timers move on
// by, so that they take the same seconds at any frame rate and a stall past
// a quarter second only loses the rest, as a match does.
inline float SteppedFrameTime() {
    return static_cast<float>(FrameContext().frameSteps) * kStepTime;
}

// The size the frame uses for the viewport and the projection.
extern int32_t windowWidth;
extern int32_t windowHeight;
// The desktop size, read once at start-up.
extern int32_t screenWidth;
extern int32_t screenHeight;
// 1 while the window is borderless and screen-sized.
extern uint8_t fullScreen;

// The screens (loading, splash and title, selection, and the match's HUD,
// countdown, pause pages and end screens) are laid out in the pixels of a
// 1920 x 1080 window, and drawn scaled by the window's smaller ratio to that
// size, about the window's centre: so every one of them is whole in any
// shape of window, and a 1920 x 1080 window shows them pixel for pixel.
constexpr float kLayoutWidth = 1920.0f;
constexpr float kLayoutHeight = 1080.0f;
// min(width / 1920, height / 1080) of the window; 1 while it has no area.
float ScreenScale();
// The window's size in layout pixels (its size / ScreenScale()): 1920 x 1080
// or more, one of the two exactly.  What a screen spreads over the whole
// window (a background, a HUD along its bottom) takes this size.
float LayoutWidth();
float LayoutHeight();

// The window's two modes: borderless at the screen's size, or a captioned
// window at (100, 100) of the given size.
void MakeBorderlessFullscreen();
void SetWindowed(int width, int height);

// Input queries that answer false (or a centred stick) while input is
// blocked.  A triggered key is one whose state byte is 1 (pressed this frame);
// a triggered button is marked seen, so a second test in the same frame is
// false.
bool IsKeyTriggered(int vk);
bool IsKeyDown(int vk);
bool IsButtonTriggered(int button, int pad);
VXStick GetStick(int pad);
// The pad of player 1 (player 0) or player 2 (player 1) on the menus: the
// first or second connected pad, whatever its index; -1 when none.
int PlayerPad(int player);
// A copy of a pad's record, blocked or not; for an index outside 0 to 3 a
// blank record that reads as no pad.
VXGamepad GetGamepadState(int pad);

}  // namespace FrameWork
