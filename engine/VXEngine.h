// The one engine object: owns the systems, the window and GL context, the
// match flow, the frame timer and the state ids that decide which level or
// screen runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Message.h"
#include "core/VXFrameContext.h"
#include "engine/VXWindow.h"
#include "gameplay/VXMatchFlow.h"

namespace FrameWork {

class VXInputManager;
class VXGraphicsManager;
class VXPhysicsManager;
class VXAudioManager;
class VXGameStateManager;
class VXDebugManager;
class VXGamepad;
struct VXStick;

class VXEngine {
public:
    // The engine; the first call prints "Starting Engine systems: " and
    // creates it with its first five systems.
    static VXEngine* Instance();
    // The engine if it exists, without creating it.
    static VXEngine* Existing();

    // Window, GL context, shader programs, debug manager; false (after the
    // error lines) when the window or the context cannot be made.
    bool Init();
    // The state machine, from the loading screen until a state writes -2.
    void Run();
    // Deletes the systems and the engine itself; the engine pointer is null
    // afterwards and the next Instance() builds a new engine.
    void Shutdown();

    // Run, one step at a time (Run is BeginRun, RunFrame until it answers
    // false, ReleaseLevelResources).  BeginRun starts the loading screen;
    // RunFrame runs one frame and the state switches it leads to, and
    // answers false once a state has written -2.
    void BeginRun();
    bool RunFrame();

    // Per-frame steps.
    void PumpMessages();
    // The camera block, projection and viewport take the window's size: at
    // the start of every frame, and at once when the window changes size.
    void FitViewToWindow();
    void UpdateFrameTime();
    void LimitFrameRate();
    void Present();

    // The regular files of a folder, by name, sorted; the pattern is a folder
    // followed by "/*" (or "\*").  The second form appends to `out`.
    std::vector<std::string> ListDirectory(const std::string& pattern);
    void ListDirectory(std::vector<std::string>& out, const std::string& pattern);

    // The clean-up when Run ends.
    void ReleaseLevelResources();

    // Window modes.
    bool CreateAppWindow();
    void MakeBorderlessFullscreen();
    void SetWindowed(int width, int height);
    // Shader programs, debug manager and the two start-up messages.
    void LoadShaders();

    // Input queries; false while input is blocked.
    bool IsKeyTriggered(int vk);
    // (VXEngineInput.cpp) The key or mouse button is down now.
    bool IsKeyDown(int vk);
    bool IsButtonTriggered(int button, int pad);
    // The left stick of a pad with its dead zone; (0, 0) while blocked.
    VXStick GetStick(int pad);
    // A copy of a pad's record, blocked or not; for an index outside 0 to 3
    // a blank record that reads as no pad.
    VXGamepad GetGamepadState(int pad);
    // The pause toggle, once a frame, with the match flow's matchUI.
    void HandlePauseToggle(bool allowed);

    // Hands one message to the graphics, physics, input and debug managers.
    void Broadcast(Message* msg);

    // The window's close road: frees the running level, shuts down and ends
    // the process with exit code 16.
    void CloseRoad();
    // Points the platform's close requests (window close, quit, SIGTERM) at
    // CloseRoad; Init does it.
    static void InstallCloseRoad();

    VXInputManager* input = nullptr;
    VXGraphicsManager* graphics = nullptr;
    VXPhysicsManager* physics = nullptr;
    VXAudioManager* audio = nullptr;
    VXGameStateManager* gameState = nullptr;
    VXDebugManager* debug = nullptr;
    VXGLContext context;
    // The match flow (gameplay's MatchFlow()), fresh for each new engine.
    VXMatchFlow& matchFlow;
    uint64_t counterNow = 0;
    uint64_t counterLast = 0;
    uint64_t counterFrequency = 0;
    // Microseconds measured but not yet run as match steps.
    uint64_t stepBacklog = 0;
    // The frame context's values, under the engine's own names.
    VXFrameContext& frame;
    int32_t& selectionMode;
    float& frameTime;
    float& totalTime;
    int32_t& levelInUse;
    int32_t& nextState;
    int32_t& currentState;
    int32_t& previousState;
    uint8_t& inputBlocked;
    uint8_t& paused;
    uint8_t& active;
    float& masterVolume;
    std::vector<GameLevelInitObject>& lineUp;

private:
    VXEngine();
    VXEngine(const VXEngine&) = delete;
    VXEngine& operator=(const VXEngine&) = delete;

    void StartState();
    void EndState();
    // Ends and starts states while the running one asks to leave; false once
    // the run is over.
    bool SwitchStates();
    void Frame();
    // The running level's update and the physics update: once with the
    // frame's time on screens and in the editor, in the frame's fixed steps
    // in a match.
    void UpdateLevel();

    MSGDebug debugToggle{MSG_DEBUG_TOGGLE, nullptr, nullptr};
    bool running = false;
};

}  // namespace FrameWork
