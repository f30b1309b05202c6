#include "engine/VXEngine.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstdlib>

#include "core/DataRoot.h"
#include "core/GameState.h"
#include "core/VXAudioManager.h"
#include "core/VXDebugManager.h"
#include "core/VXInputManager.h"
#include "core/VXLevel_Base.h"
#include "engine/VXGameStateManager.h"
#include "gameplay/VXMatchState.h"
#include "graphics/VXGraphicsManager.h"
#include "physics/VXPhysicsManager.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {

VXEngine* g_engine = nullptr;

constexpr float kFrameLimit = 0.016666668f;  // 1/60 s
// The frame limiter: how long before the frame's end the one long sleep
// stops, the naps after it, and the end it waits out on the counter alone.
constexpr float kSleepMargin = 0.001f;
constexpr float kNapTime = 0.0001f;
constexpr float kSpinTime = 0.0003f;
constexpr int kVkEscape = 27;
constexpr int kVkF7 = 118;

// Whole microseconds between two counter readings.
uint64_t ElapsedMicroseconds(uint64_t from, uint64_t to, uint64_t frequency) {
    if (frequency == 0) return 0;
    // Split so that long gaps on fast counters do not overflow.
    const uint64_t ticks = to - from;
    return ticks / frequency * 1000000ull + ticks % frequency * 1000000ull / frequency;
}

// The same, as seconds.
float ElapsedSeconds(uint64_t from, uint64_t to, uint64_t frequency) {
    const uint64_t micro = ElapsedMicroseconds(from, to, frequency);
    float seconds = static_cast<float>(micro);
    if (micro != 0) seconds *= 0.000001f;
    return seconds;
}

// A new engine starts from a fresh frame context, with the window-mode
// switches pointing at itself.
VXMatchFlow& ResetMatchFlow() {
    MatchFlow() = VXMatchFlow();
    return MatchFlow();
}

VXFrameContext& ResetFrameContext() {
    VXFrameContext& frame = FrameContext();
    const int32_t afterLoading = frame.stateAfterLoading;
    frame = VXFrameContext();
    frame.stateAfterLoading = afterLoading;  // a start option, kept across engines
    frame.makeBorderlessFullscreen = [] {
        if (g_engine) g_engine->MakeBorderlessFullscreen();
    };
    frame.setWindowed = [](int width, int height) {
        if (g_engine) g_engine->SetWindowed(width, height);
    };
    return frame;
}

}  // namespace

VXEngine* VXEngine::Instance() {
    if (!g_engine) {
        std::printf("Starting Engine systems: \n");
        g_engine = new VXEngine();
    }
    return g_engine;
}

VXEngine* VXEngine::Existing() {
    return g_engine;
}

VXEngine::VXEngine()
    : input(VXInputManager::Instance()),
      graphics(VXGraphicsManager::Instance()),
      physics(VXPhysicsManager::Instance()),
      audio(VXAudioManager::Instance()),
      gameState(VXGameStateManager::Instance()),
      matchFlow(ResetMatchFlow()),
      frame(ResetFrameContext()),
      selectionMode(frame.selectionMode),
      frameTime(frame.frameTime),
      totalTime(frame.totalTime),
      levelInUse(frame.levelInUse),
      nextState(frame.nextState),
      currentState(frame.currentState),
      previousState(frame.previousState),
      inputBlocked(frame.inputBlocked),
      paused(frame.paused),
      active(frame.active),
      masterVolume(frame.masterVolume),
      lineUp(frame.lineUp) {}

bool VXEngine::Init() {
    // No display at all is said as such; a window that cannot be made on a
    // display takes the same road as a context that cannot be made.
    if (!Platform::Init()) {
        std::printf("\nERROR\n -> No display to open the window on (%s)\n\n",
                    Platform::InitError());
        return false;
    }
    const bool windowMade = CreateAppWindow();
    if (!windowMade || !context.CreateGLContext(Platform::GetWindow())) {
        Platform::DestroyGLContext();
        Platform::DestroyWindow();
        std::printf("\nERROR\n -> OpenGL failed to start up\n\n");
        return false;
    }
    LoadShaders();
    frameTime = 0.0f;
    totalTime = 0.0f;
    counterLast = Platform::GetPerformanceCounter();
    stepBacklog = 0;
    MakeBorderlessFullscreen();
    InstallCloseRoad();
    std::printf("\n -- Engine running --\n\n");
    return true;
}

void VXEngine::LoadShaders() {
    const std::string bin = DataPath("bin/");
    graphics->LoadShader(bin + "vPRIMITIVES.vert", bin + "fPRIMITIVES.frag");
    graphics->LoadShader(bin + "vTEXTURE.vert", bin + "fTEXTURE.frag");
    graphics->LoadShader(bin + "vFONT.vert", bin + "fFONT.frag");
    graphics->LoadShader(bin + "vINST.vert", bin + "fINST.frag");
    graphics->InitShaderGlobals();
    debug = VXDebugManager::Instance();
    MSGPhysics physicsLists(debug);
    Broadcast(&physicsLists);
    MSGDebug debugInit(MSG_DEBUG_INIT, graphics->camera.camView, graphics->camera.projection);
    Broadcast(&debugInit);
    size_t failed = 0;
    for (const VXShaderProgram& program : graphics->shaderPrograms)
        if (program.status == 0) ++failed;
    if (failed == 0)
        std::printf(" -> Shaders initialized\n");
    else
        std::printf(" -> Shaders: %zu of %zu programs did not build; what they draw is skipped\n",
                    failed, graphics->shaderPrograms.size());
}

void VXEngine::Broadcast(Message* msg) {
    if (graphics) graphics->HandleMessage(msg);
    if (physics) physics->HandleMessage(msg);
    if (input) input->HandleMessage(msg);
    if (debug) debug->HandleMessage(msg);
}

void VXEngine::Run() {
    BeginRun();
    while (RunFrame()) {
    }
    ReleaseLevelResources();
}

void VXEngine::BeginRun() {
    debugToggle = MSGDebug(MSG_DEBUG_TOGGLE, nullptr, nullptr);
    levelInUse = GameState::LoadingScreen;
    gameState->GetLevelForState(GameState::LoadingScreen, gameState->level);
    currentState = previousState = nextState = GameState::LoadingScreen;
    running = true;
    StartState();
}

bool VXEngine::RunFrame() {
    if (!SwitchStates()) return false;
    Frame();
    return SwitchStates();
}

bool VXEngine::SwitchStates() {
    if (!running) return false;
    while (currentState != nextState) {
        EndState();
        if (currentState == GameState::Quit) {
            running = false;
            return false;
        }
        StartState();
    }
    return true;
}

void VXEngine::StartState() {
    if (currentState == GameState::Back)
        currentState = nextState = previousState;
    else
        levelInUse = nextState;
    matchFlow.LoadStateUI(GameState::IsMatchState(nextState) ? 1 : 0);
    if (levelInUse >= 0 && gameState->level) gameState->level->Initialize();
    if (graphics->renderList.size() >= 2) graphics->SortRenderList();
    graphics->zoom = 1.0f;
    graphics->cameraX = 0.0f;
    graphics->cameraY = 0.0f;
    paused = 0;
}

void VXEngine::Frame() {
    PumpMessages();
    if (paused == 0 && !g_matchOver) {
        UpdateLevel();
        audio->ResumePlayedChannels();
    }
    matchFlow.Update();
    HandlePauseToggle(matchFlow.matchUI != 0);
    graphics->RenderScene();
    if (IsKeyTriggered(kVkF7)) Broadcast(&debugToggle);
    Present();
}

void VXEngine::UpdateLevel() {
    VXLevel_Base* level = levelInUse >= 0 ? gameState->level : nullptr;
    if (!GameState::IsMatchState(currentState)) {
        if (level) level->Update();
        physics->Update(frameTime);
        return;
    }
    // The match moves in fixed steps, so that a slow or stalled frame plays
    // the same match as steady 1/60 s frames; the boxes follow their owners
    // after each step.  A step that ends the match or the state ends the
    // frame's steps.
    const float measured = frameTime;
    frameTime = kStepTime;
    input->BeginSteps();
    int32_t ran = 0;
    while (ran < frame.frameSteps && paused == 0 && !g_matchOver && nextState == currentState) {
        if (level) level->Update();
        physics->Update(frameTime);
        input->EndStep();
        ++ran;
    }
    input->EndSteps(ran);
    frameTime = measured;
}

void VXEngine::EndState() {
    if (levelInUse >= 0 && gameState->level) gameState->level->Free();
    graphics->ClearStateLists();
    matchFlow.Reset();
    if (nextState == GameState::Reload) nextState = currentState;
    gameState->GetLevelForState(nextState, gameState->level);
    previousState = currentState;
    currentState = nextState;
}

void VXEngine::PumpMessages() {
    Platform::PumpEvents();
    UpdateFrameTime();
    input->ReadCursor();
    input->PollPads(frameTime);
    if (Platform::GetGLContext())
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    graphics->UseTextureProgram();
    FitViewToWindow();
}

void VXEngine::FitViewToWindow() {
    if (!graphics) return;
    graphics->camera.screenWidth = windowWidth;
    graphics->camera.screenHeight = windowHeight;
    graphics->UploadProjection();
    if (Platform::GetGLContext()) glViewport(0, 0, windowWidth, windowHeight);
    graphics->editorMode = (nextState == GameState::LevelEditor) ? 1 : 0;
    // The screens and the match's interface are drawn scaled to the window;
    // the editor draws in window pixels, and a match's world under its own
    // camera.
    const float scale = graphics->editorMode ? 1.0f : ScreenScale();
    graphics->screenScale = scale;
    graphics->viewScale = GameState::IsMatchState(currentState) ? 1.0f : scale;
}

void VXEngine::UpdateFrameTime() {
    counterFrequency = Platform::GetPerformanceFrequency();
    counterNow = Platform::GetPerformanceCounter();
    frameTime = ElapsedSeconds(counterLast, counterNow, counterFrequency);
    // The same whole microseconds, in fixed steps; a stall past the last
    // step a frame may run is dropped.
    stepBacklog += ElapsedMicroseconds(counterLast, counterNow, counterFrequency);
    const uint64_t steps = stepBacklog / kStepMicroseconds;
    if (steps > static_cast<uint64_t>(kMaxFrameSteps)) {
        frame.frameSteps = kMaxFrameSteps;
        stepBacklog = 0;
    } else {
        frame.frameSteps = static_cast<int32_t>(steps);
        stepBacklog -= steps * kStepMicroseconds;
    }
    counterLast = counterNow;
}

void VXEngine::LimitFrameRate() {
    // The frame ends when 1/60 s has passed since it began: sleep until
    // about a millisecond before that, then in short naps, and wait out the
    // last fraction on the counter (a sleep may wake late; the counter does
    // not).
    if (counterFrequency == 0) counterFrequency = Platform::GetPerformanceFrequency();
    for (;;) {
        counterNow = Platform::GetPerformanceCounter();
        frameTime = ElapsedSeconds(counterLast, counterNow, counterFrequency);
        const float left = kFrameLimit - frameTime;
        if (left <= 0.0f) break;
        if (left > kSleepMargin)
            Platform::SleepSeconds(left - kSleepMargin);
        else if (left > kSpinTime)
            Platform::SleepSeconds(kNapTime);
    }
    totalTime += frameTime;
}

void VXEngine::Present() {
    Platform::SwapBuffers();
    input->EndFrame();
    LimitFrameRate();
    inputBlocked = (active == 0) ? 1 : 0;
}

std::vector<std::string> VXEngine::ListDirectory(const std::string& pattern) {
    return Platform::ListDirectory(pattern);
}

void VXEngine::ListDirectory(std::vector<std::string>& out, const std::string& pattern) {
    for (std::string& name : Platform::ListDirectory(pattern)) out.push_back(std::move(name));
}

void VXEngine::ReleaseLevelResources() {
    g_winner = 2;
    g_matchOver = 0;
    graphics->Clear();
    physics->Reset();
    audio->ReleaseSounds();
    inputBlocked = 1;
}

void VXEngine::HandlePauseToggle(bool allowed) {
    if (!allowed || g_matchOver || !active) return;
    if (!inputBlocked && input->keys[kVkEscape] == 1) {
        paused = !paused;
        return;
    }
    const int first = input->PlayerPad(0), second = input->PlayerPad(1);
    if (input->IsButtonTriggered(4, first) || input->IsButtonTriggered(4, second) ||
        input->IsButtonTriggered(5, first) || input->IsButtonTriggered(5, second)) {
        paused = !paused;
        return;
    }
    // Losing the focus pauses a running match; getting it back does not
    // resume it.
    if (!paused) paused = input->HasFocus() ? 0 : 1;
}

void VXEngine::Shutdown() {
    std::printf("\nEngine systems shutting down\n -> Input system\n");
    VXInputManager::Destroy();
    input = nullptr;
    VXGraphicsManager::Shutdown();
    graphics = nullptr;
    VXGameStateManager::Destroy();
    gameState = nullptr;
    VXPhysicsManager::Destroy();
    physics = nullptr;
    VXAudioManager::Destroy();
    audio = nullptr;
    VXDebugManager::Destroy();
    debug = nullptr;
    lineUp.clear();
    matchFlow.Clear();
    // The window and the context end with the engine, so that a new engine
    // can be started in the same process.
    Platform::SetCloseHandler(nullptr);
    Platform::DestroyGLContext();
    Platform::DestroyWindow();
    context = VXGLContext();
    if (g_engine == this) g_engine = nullptr;
    const int32_t afterLoading = FrameContext().stateAfterLoading;
    FrameContext() = VXFrameContext();
    FrameContext().stateAfterLoading = afterLoading;
    delete this;
}

void VXEngine::InstallCloseRoad() {
    Platform::SetCloseHandler([] {
        if (g_engine) g_engine->CloseRoad();
    });
}

void VXEngine::CloseRoad() {
    if (nextState >= 0 && gameState && gameState->level) gameState->level->Free();
    Shutdown();
    std::printf("\n\n");
    std::fflush(stdout);
    std::exit(16);
}

}  // namespace FrameWork
