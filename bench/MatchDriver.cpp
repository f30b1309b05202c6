#include "bench/MatchDriver.h"

#include <GL/glew.h>
#include <SDL_mixer.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>

#include "core/GameState.h"
#include "core/VXFrameContext.h"
#include "engine/VXEngine.h"
#include "gameplay/VXMatchState.h"
#include "graphics/VXPaintMap.h"
#include "platform/Platform.h"

namespace Bench {

using namespace FrameWork;

Pad::Pad() {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.Rumble = [](void*, Uint16, Uint16) { return 0; };
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    if (device < 0) {
        std::printf(" -> no virtual pad: %s\n", SDL_GetError());
        return;
    }
    id_ = SDL_JoystickGetDeviceInstanceID(device);
    joystick_ = SDL_JoystickOpen(device);
    // Released triggers rest at the bottom of the raw range.
    Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
    Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
}

Pad::~Pad() {
    if (!joystick_) return;
    for (int device = 0; device < SDL_NumJoysticks(); ++device)
        if (SDL_JoystickGetDeviceInstanceID(device) == id_) SDL_JoystickDetachVirtual(device);
    SDL_JoystickClose(joystick_);
}

void Pad::Axis(SDL_GameControllerAxis axis, int raw) {
    if (joystick_) SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(raw));
}

void Pad::Button(SDL_GameControllerButton button, bool down) {
    if (joystick_) SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
}

void ScriptPads(Pad (&pads)[2], int frame) {
    for (int p = 0; p < 2; ++p) {
        // One turn every 4 s (player 1) or 5 s (player 2), the second player
        // going the other way round.
        const double turn = frame / (p == 0 ? 240.0 : -300.0) * 2.0 * M_PI + p * M_PI;
        pads[p].Axis(SDL_CONTROLLER_AXIS_LEFTX, static_cast<int>(32000 * std::cos(turn)));
        pads[p].Axis(SDL_CONTROLLER_AXIS_LEFTY, static_cast<int>(32000 * std::sin(turn)));
        pads[p].Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, (frame + 15 * p) % 30 < 3 ? 255 : 0);
        pads[p].Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, (frame + 150 * p) % 300 < 3 ? 255 : 0);
    }
}

void ReleasePads(Pad (&pads)[2]) {
    for (Pad& pad : pads) {
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
        pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
        pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
    }
}

long ResidentKb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int LiveGlTextures() {
    int live = 0;
    for (GLuint name = 1; name <= 8192; ++name) live += glIsTexture(name) == GL_TRUE;
    return live;
}

int LiveGlBuffers() {
    int live = 0;
    for (GLuint name = 1; name <= 8192; ++name) live += glIsBuffer(name) == GL_TRUE;
    return live;
}

int AllocatedAudioChannels() {
    return Mix_AllocateChannels(-1);
}

int PlayingAudioChannels() {
    return Mix_Playing(-1);
}

void FillLineUp() {
    auto& lineUp = FrameContext().lineUp;
    lineUp.clear();
    lineUp.emplace_back(1, 15, 1);
    lineUp.emplace_back(2, 8, 2);
    for (int kind : {6, 7, 18, 19})
        lineUp.emplace_back(static_cast<int>(lineUp.size()) + 1, kind, 0);
}

namespace {

// One frame of the state machine, its work time (with the GPU's share) told
// to `frameMs`; false once the run has ended.
bool Step(VXEngine* engine, const std::function<void(double)>& frameMs) {
    const auto start = std::chrono::steady_clock::now();
    const bool running = engine->RunFrame();
    if (frameMs) {
        glFinish();
        frameMs(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
    }
    return running;
}

}  // namespace

bool BootToTitle(VXEngine* engine, const std::function<void(double)>& frameMs) {
    FrameContext().stateAfterLoading = GameState::SplashScreen;
    engine->BeginRun();
    for (int i = 0; i < 6000; ++i) {
        if (!Step(engine, frameMs)) return false;
        if (FrameContext().currentState == GameState::SplashScreen) return true;
    }
    return false;
}

MatchResult PlayMatch(VXEngine* engine, Pad (&pads)[2], int32_t state, int seconds,
                      const std::function<void(double)>& frameMs) {
    MatchResult result;
    VXFrameContext& frame = FrameContext();
    FillLineUp();
    frame.selectionMode = 2;
    frame.nextState = state;
    if (!Step(engine, {}) || frame.currentState != state) return result;
    g_secondsLeft = seconds;
    // The count-down, then the match until time-up.
    const int limit = (seconds + 30) * 60;
    int played = 0;
    while (!g_matchOver && result.frames < limit) {
        if (frame.active && !frame.inputBlocked) ScriptPads(pads, played++);
        if (!Step(engine, frameMs)) return result;
        ++result.frames;
    }
    ReleasePads(pads);
    result.blueTiles = VXPaintMap::TeamTileCount[0];
    result.redTiles = VXPaintMap::TeamTileCount[1];
    result.winner = g_winner;
    // The banner and the win screen for four seconds, then Enter.
    for (int i = 0; i < 240 && Step(engine, {}); ++i) ++result.frames;
    Platform::InjectKey(SDL_SCANCODE_RETURN, true);
    Step(engine, {});
    Platform::InjectKey(SDL_SCANCODE_RETURN, false);
    for (int i = 0; i < 10 && frame.currentState == state && Step(engine, {}); ++i) ++result.frames;
    result.returnState = frame.currentState;
    result.finished = g_matchOver == 0 && frame.currentState != state;
    return result;
}

}  // namespace Bench
