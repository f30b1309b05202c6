// The real engine under the test clock: the state machine, frame timing,
// the window modes, the cleared frame, event delivery and the close road.
#include <GL/glew.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/GameState.h"
#include "core/VXDebugManager.h"
#include "core/VXLevel_Base.h"
#include "gameplay/VXMatchState.h"
#include "graphics/VXGraphicsManager.h"
#include "tests/support/EngineFixture.h"

using namespace FrameWork;
using TestHarness::EngineFixture;
using TestHarness::FrameImage;
using TestHarness::Rgb;

namespace {

// A level that writes down what the main loop does with it, and can ask for
// a state switch from Initialize or from a given Update.
class RecordingLevel : public VXLevel_Base {
public:
    explicit RecordingLevel(std::vector<std::string>* journal, std::string tag)
        : log(journal), id(std::move(tag)) {}
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {
        log->push_back(id + ":Initialize");
        VXEngine* e = VXEngine::Instance();
        matchUIAtStart = e->matchFlow.matchUI;
        ++initializes;
        if (leaveOnInitialize != kStay) {
            e->nextState = leaveOnInitialize;
            leaveOnInitialize = kStay;
        }
    }
    void Update() override {
        ++updates;
        VXEngine* e = VXEngine::Instance();
        frameTimes.push_back(e->frameTime);
        if (updates == leaveOnUpdate) e->nextState = leaveTo;
    }
    void Free() override {
        log->push_back(id + ":Free");
        std::fprintf(stderr, "%s freed\n", id.c_str());
    }

    static constexpr int kStay = 100;
    std::vector<std::string>* log;
    std::string id;
    int initializes = 0;
    int updates = 0;
    int leaveOnUpdate = -1;  // Update count at which to write leaveTo
    int leaveTo = 0;
    int leaveOnInitialize = kStay;
    int matchUIAtStart = -1;
    std::vector<float> frameTimes;
};

class EngineRun : public EngineFixture {
protected:
    RecordingLevel* Record(int state) {
        levels.push_back(std::make_unique<RecordingLevel>(&journal, std::to_string(state)));
        ReplaceLevel(state, levels.back().get());
        return levels.back().get();
    }
    std::vector<std::string> journal;
    std::vector<std::unique_ptr<RecordingLevel>> levels;
};

using StateMachine = EngineRun;

}  // namespace

// Each switch a level can ask for, as the journal of Initialize and Free
// calls the main loop makes of it in two frames.
struct Switch {
    const char* what;
    int loadingLeavesTo;  // at its first update, or from Initialize when `early`
    bool early;
    int splashLeavesTo;  // at its first update (kNone: stays)
    std::vector<std::string> journal;
    int state;  // current after two frames; -1 when the run ended
};
constexpr int kNone = RecordingLevel::kStay;

class StateSwitch : public EngineRun, public ::testing::WithParamInterface<Switch> {};

TEST_P(StateSwitch, JournalOfTwoFrames) {
    const Switch& c = GetParam();
    RecordingLevel* loading = Record(GameState::LoadingScreen);
    RecordingLevel* splash = Record(GameState::SplashScreen);
    if (c.early)
        loading->leaveOnInitialize = c.loadingLeavesTo;
    else if (c.loadingLeavesTo != kNone) {
        loading->leaveOnUpdate = 1;
        loading->leaveTo = c.loadingLeavesTo;
    }
    if (c.splashLeavesTo != kNone) {
        splash->leaveOnUpdate = 1;
        splash->leaveTo = c.splashLeavesTo;
    }
    BeginRun();
    EXPECT_EQ(StepFrames(2), c.state >= 0);
    EXPECT_EQ(journal, c.journal);
    if (c.state >= 0) {
        EXPECT_EQ(engine->levelInUse, c.state);
    }
    if (c.early) {
        EXPECT_EQ(loading->updates, 0) << "a state that leaves in Initialize runs no frame";
    }
}

INSTANTIATE_TEST_SUITE_P(
    StateMachine, StateSwitch,
    ::testing::Values(
        Switch{"Stay", kNone, false, kNone, {"5:Initialize"}, GameState::LoadingScreen},
        Switch{"Reload",
               GameState::Reload,
               false,
               kNone,
               {"5:Initialize", "5:Free", "5:Initialize"},
               GameState::LoadingScreen},
        Switch{"Back",
               GameState::SplashScreen,
               false,
               GameState::Back,
               {"5:Initialize", "5:Free", "7:Initialize", "7:Free", "7:Initialize"},
               GameState::SplashScreen},
        Switch{"Quit", GameState::Quit, false, kNone, {"5:Initialize", "5:Free"}, -1},
        Switch{"LeaveInInitialize",
               GameState::SplashScreen,
               true,
               kNone,
               {"5:Initialize", "5:Free", "7:Initialize"},
               GameState::SplashScreen}),
    [](const ::testing::TestParamInfo<Switch>& info) { return std::string(info.param.what); });

TEST_F(StateMachine, MatchInterfaceOnlyForMatchStates) {
    // Walk 5 -> 7 -> 8 -> 1 -> 4 -> 0 -> 2 -> 3, each state leaving in its
    // first frame.
    const int order[] = {5, 7, 8, 1, 4, 0, 2, 3};
    RecordingLevel* recorders[9] = {};
    for (int state : order) recorders[state] = Record(state);
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        recorders[order[i]]->leaveOnUpdate = 1;
        recorders[order[i]]->leaveTo = order[i + 1];
    }
    BeginRun();
    ASSERT_TRUE(StepFrames(8));
    for (int state : order) {
        EXPECT_EQ(recorders[state]->initializes, 1) << "state " << state;
        const bool match = state == 0 || state == 2 || state == 3 || state == 4;
        EXPECT_EQ(recorders[state]->matchUIAtStart, match ? 1 : 0) << "state " << state;
    }
    EXPECT_EQ(engine->matchFlow.matchUI, 1);
    EXPECT_EQ(engine->previousState, GameState::Level2);
}

TEST_F(StateMachine, PauseAndMatchOverStopTheLevelButNotTheFrame) {
    RecordingLevel* loading = Record(GameState::LoadingScreen);
    BeginRun();
    engine->paused = 1;
    ASSERT_TRUE(StepFrames(3));
    engine->paused = 0;
    g_matchOver = 1;
    ASSERT_TRUE(StepFrames(2));
    EXPECT_EQ(loading->updates, 0);
    EXPECT_EQ(clock.swaps, 5u);
    g_matchOver = 0;
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(loading->updates, 1);

    // A state start clears the pause and resets the camera.
    engine->paused = 1;
    engine->graphics->zoom = 2.5f;
    engine->graphics->cameraX = 40.0f;
    engine->nextState = GameState::Reload;
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(engine->paused, 0);
    EXPECT_EQ(engine->graphics->zoom, 1.0f);
    EXPECT_EQ(engine->graphics->cameraX, 0.0f);
}

TEST_F(StateMachine, RunReturnsAfterQuitAndReleasesTheLevelResources) {
    RecordingLevel* loading = Record(GameState::LoadingScreen);
    RecordingLevel* level = Record(GameState::Level1);
    loading->leaveOnUpdate = 1;
    loading->leaveTo = GameState::Level1;
    level->leaveOnUpdate = 4;
    level->leaveTo = GameState::Quit;
    engine->active = 1;
    g_winner = 1;
    engine->Run();
    EXPECT_EQ(journal,
              (std::vector<std::string>{"5:Initialize", "5:Free", "0:Initialize", "0:Free"}));
    EXPECT_EQ(level->updates, 4);
    EXPECT_EQ(g_winner, 2);
    EXPECT_EQ(g_matchOver, 0);
    EXPECT_EQ(engine->inputBlocked, 1);

    // Shut-down: every system gone.
    engine->Shutdown();
    engine = nullptr;
    EXPECT_EQ(VXEngine::Existing(), nullptr);
    EXPECT_EQ(VXDebugManager::Existing(), nullptr);
    EXPECT_FALSE(Platform::HasWindow());
}

// The default window is borderless at the desktop size; the window modes
// switch size, border, aspect and the viewport of the next frame.
TEST_F(EngineRun, WindowModesSwitchSizeAspectAndViewport) {
    EXPECT_STREQ(SDL_GetWindowTitle(Platform::GetWindow()), "Pellwick!");
    int desktopW = 0, desktopH = 0;
    Platform::GetDesktopSize(desktopW, desktopH);
    ASSERT_GT(desktopW, 0);
    BeginRun();
    const struct {
        const char* what;
        std::function<void()> set;
        bool bordered;
        std::vector<int> rect;
    } modes[] = {
        {"default", [] {}, false, {0, 0, desktopW, desktopH}},
        {"windowed", [&] { engine->SetWindowed(1600, 900); }, true, {100, 100, 1600, 900}},
        {"full screen",
         [&] { engine->MakeBorderlessFullscreen(); },
         false,
         {0, 0, desktopW, desktopH}},
        // Asked for the screen's own size at 100, 100, the captioned window
        // stops at the display's right and bottom edges.
        {"captioned",
         [&] { engine->SetWindowed(screenWidth, screenHeight); },
         true,
         {100, 100, screenWidth - 100, screenHeight - 100}},
    };
    for (const auto& m : modes) {
        SCOPED_TRACE(m.what);
        m.set();
        EXPECT_EQ(fullScreen, m.bordered ? 0 : 1);
        EXPECT_EQ(Platform::IsWindowBordered(), m.bordered);
        int x, y, w, h;
        Platform::GetWindowRect(x, y, w, h);
        EXPECT_EQ(std::vector<int>({x, y, w, h}), m.rect);
        EXPECT_TRUE(WindowOnTheDisplay());
        EXPECT_FLOAT_EQ(engine->graphics->aspectRatio, float(m.rect[2]) / float(m.rect[3]));
        ASSERT_TRUE(StepFrames(1));
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(std::vector<int>({viewport[2], viewport[3]}),
                  std::vector<int>({m.rect[2], m.rect[3]}));
    }
}

TEST_F(EngineRun, AFrameWithNothingDrawnShowsTheClearColour) {
    // Screens that draw nothing and keep the window's clear colour.
    RecordingLevel* loading = Record(GameState::LoadingScreen);
    loading->leaveOnUpdate = 1;
    loading->leaveTo = GameState::SplashScreen;
    Record(GameState::SplashScreen);
    BeginRun();
    ASSERT_TRUE(RunUntilState(GameState::SplashScreen));
    FrameImage frame = CaptureFrame();
    ASSERT_EQ(frame.width, windowWidth);
    ASSERT_EQ(frame.height, windowHeight);
    const Rgb clear{255, 242, 224};
    const long off = TestHarness::CountPixelsNotOf(frame, clear, 1);
    if (off != 0) frame.SavePng((tree->Root() / "clear.png").string());
    EXPECT_EQ(off, 0) << "frame saved under " << tree->Root();
    EXPECT_LE(TestHarness::ColourDistance(frame.At(windowWidth / 2, windowHeight / 2), clear), 1);

    // The read-back is upright: a scissored red block at the top-left corner
    // of the window shows at the top-left of the image.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, windowHeight - 10, 20, 10);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    FrameImage corner = TestHarness::ReadFramebuffer(windowWidth, windowHeight);
    EXPECT_EQ(TestHarness::ColourDistance(corner.At(5, 5), Rgb{255, 0, 0}), 0);
    EXPECT_LE(TestHarness::ColourDistance(corner.At(5, windowHeight - 5), clear), 1);
}

TEST_F(EngineRun, QuitAndWindowCloseRequestsTakeTheCloseRoad) {
    BeginRun();
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_CLOSE);
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(closeRequests, 1);
    Platform::InjectQuit();
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(closeRequests, 2);
}

TEST_F(StateMachine, TheCloseRoadFreesTheLevelAndExitsWith16) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Record(GameState::LoadingScreen);
            BeginRun();
            StepFrames(2);
            UseRealCloseRoad();
            Platform::InjectWindowEvent(SDL_WINDOWEVENT_CLOSE);
            StepFrames(1);
            std::fprintf(stderr, "still running\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(16), "5 freed");
}
