// The built game as a player starts it: its standard output line by line,
// and the exit codes of its ways to end.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/GameProcess.h"
#include "tests/support/OwnDisplay.h"

// Last: Xlib's macros (None, Bool, Status) break GoogleTest's headers.
#include <X11/Xlib.h>

using TestHarness::GameProcess;
using TestHarness::TempDataTree;

namespace {

const char* const kRunning = " -- Engine running --";

// The lines of the start-up tables and the engine's first systems.
const std::vector<std::string> kSystems = {
    " -> Audio management system",    "Starting Engine systems: ", " -> Input system",
    " -> Graphics management system", " -> Game state manager",    ""};

// Start-up on a driver whose version matches `version`, then the shut-down
// lines of the close road.  A line ending in "*" is a prefix with a value after it.
std::vector<std::string> RunLines(const std::string& version) {
    std::vector<std::string> lines = kSystems;
    for (const std::string& line :
         {"Team Quorvane - OpenGL v" + version, std::string(), std::string("System GPU"),
          std::string(" -> Graphic card    : *"), std::string(" -> Model           : *"),
          std::string(), std::string("Processes"), std::string(" -> OpenGL scene setup complete"),
          std::string(" -> Debug manager"), std::string(" -> Shaders initialized"), std::string(),
          std::string(kRunning), std::string(), std::string(),
          std::string("Engine systems shutting down"), std::string(" -> Input system"),
          std::string(" -> Graphics management system"), std::string(), std::string()})
        lines.push_back(line);
    return lines;
}

// Each line equal to the expected one, or beginning with an expected prefix
// ("*" at its end) and going on; the version line is a pattern.
void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    for (size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
        const bool prefix = !expected[i].empty() && expected[i].back() == '*';
        const std::string e = prefix ? expected[i].substr(0, expected[i].size() - 1) : expected[i];
        if (e.rfind("Team Quorvane - OpenGL v", 0) == 0)
            EXPECT_TRUE(std::regex_match(actual[i], std::regex(e)))
                << actual[i] << " against " << e;
        else if (prefix)
            EXPECT_TRUE(actual[i].rfind(e, 0) == 0 && actual[i].size() > e.size())
                << "line " << i + 1;
        else
            EXPECT_EQ(actual[i], e) << "line " << i + 1;
    }
    EXPECT_EQ(actual.size(), expected.size());
}

// Starts the game, ends it by `end` and checks the close road's exit code 16.
void RunAndClose(const GameProcess::Options& options, const std::string& version,
                 const std::function<void(GameProcess&)>& end) {
    TempDataTree tree(false);
    GameProcess game(tree, options);
    ASSERT_TRUE(game.WaitForLine(kRunning)) << game.Output();
    end(game);
    EXPECT_EQ(game.Wait(), 16) << game.Output();
    ExpectLines(game.Lines(), RunLines(version));
}

// No display, or no OpenGL 3.3 context: the error lines that say which,
// then a non-zero exit code.
void ExpectStartFailure(const GameProcess::Options& options, const std::string& reason) {
    TempDataTree tree(false);
    GameProcess game(tree, options);
    const int code = game.Wait();
    EXPECT_TRUE(code != 0 && code < 128) << code << ": not ended by a signal";
    std::vector<std::string> lines = kSystems;
    lines.insert(lines.end(), {"ERROR", reason, ""});
    ExpectLines(game.Lines(), lines);
}

}  // namespace

TEST(GameSmoke, StartsAndEndsOnSigtermThroughTheCloseRoad) {
    RunAndClose({}, "4\\.[0-9]+", [](GameProcess& game) { game.Signal(SIGTERM); });
}

TEST(GameSmoke, ClosingTheWindowTakesTheCloseRoad) {
    RunAndClose({}, "[34]\\.[0-9]+", [](GameProcess& game) {
        ASSERT_TRUE(TestHarness::RequestWindowClose(game.Pid()));
    });
}

// Other tests' windows come and go on the shared X server while a test looks
// for its game's window.  One that goes away in the middle of the search is
// passed over; the test process goes on.  (On a server of its own, so that
// the flood of windows slows no other test.)
TEST(GameSmoke, WindowsThatComeAndGoDoNotEndTheSearchForOne) {
    const TestHarness::PrivateDisplay server;
    ASSERT_FALSE(server.Name().empty());
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t churn = fork();
    ASSERT_GE(churn, 0);
    if (churn == 0) {
        // Ended by the test; at most a minute of its own.
        alarm(60);
        Display* display = XOpenDisplay(server.Name().c_str());
        if (!display) _exit(1);
        for (bool first = true;; first = false) {
            Window windows[8];
            for (Window& w : windows) {
                w = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 8, 8, 0, 0, 0);
                XMapWindow(display, w);
            }
            XFlush(display);
            for (Window w : windows) XDestroyWindow(display, w);
            XFlush(display);
            if (first && write(started[1], "1", 1) != 1) _exit(1);
        }
    }
    close(started[1]);
    char c = 0;
    const bool churning = read(started[0], &c, 1) == 1;
    close(started[0]);
    Display* display = XOpenDisplay(server.Name().c_str());
    ASSERT_TRUE(display && churning);
    for (int search = 0; search < 40; ++search)
        EXPECT_EQ(TestHarness::FindTopWindowOfPid(display, getpid()), 0ul);
    XCloseDisplay(display);
    EXPECT_EQ(waitpid(churn, nullptr, WNOHANG), 0) << "the windows came and went throughout";
    kill(churn, SIGKILL);
    waitpid(churn, nullptr, 0);
}

TEST(GameSmoke, RunsOnAnOpenGL33Driver) {
    GameProcess::Options options;
    options.setEnv = {{"MESA_GL_VERSION_OVERRIDE", "3.3"}};
    RunAndClose(options, "3\\.3", [](GameProcess& game) { game.Signal(SIGTERM); });
}

TEST(GameSmoke, WithoutADisplayItReportsTheFailureAndExitsNonZero) {
    GameProcess::Options options;
    options.unsetEnv = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
    ExpectStartFailure(options, " -> No display to open the window on (*");
}

TEST(GameSmoke, ADriverBelowOpenGL33IsAFailedStart) {
    GameProcess::Options options;
    options.setEnv = {{"MESA_GL_VERSION_OVERRIDE", "2.1"}};
    ExpectStartFailure(options, " -> OpenGL failed to start up");
}

// A game that does not end within the wait is killed, and the wait says so,
// even when the game writes nothing meanwhile.
TEST(GameSmoke, AWaitThatRunsOutKillsTheGame) {
    TempDataTree tree(false);
    GameProcess game(tree);
    ASSERT_TRUE(game.WaitForLine(kRunning)) << game.Output();
    // A pidfd names this process and no other that takes its number later.
    const int process = static_cast<int>(syscall(SYS_pidfd_open, game.Pid(), 0));
    ASSERT_GE(process, 0);
    EXPECT_EQ(game.Wait(500), -1);
    pollfd ended{process, POLLIN, 0};
    EXPECT_EQ(poll(&ended, 1, 0), 1) << "the game still runs";
    close(process);
    EXPECT_EQ(waitpid(game.Pid(), nullptr, WNOHANG), -1) << "the game was not reaped";
}

// A case's waits end within its own limit, which CTest passes it, whether
// it is longer or shorter than the suite-wide one; without it (run by hand)
// the suite-wide one holds.
TEST(GameSmoke, WaitsEndWithinTheCasesOwnLimit) {
    const char* const given = std::getenv("PELLWICK_CASE_TIMEOUT");
    const std::string saved = given ? given : "";
    unsetenv("PELLWICK_CASE_TIMEOUT");
    const int suiteWide = TestHarness::CaseLimitSeconds();
    setenv("PELLWICK_CASE_TIMEOUT", "not a number", 1);
    EXPECT_EQ(TestHarness::CaseLimitSeconds(), suiteWide);
    setenv("PELLWICK_CASE_TIMEOUT", std::to_string(suiteWide * 10).c_str(), 1);
    EXPECT_EQ(TestHarness::CaseLimitSeconds(), suiteWide * 10);
    // Milliseconds from now to the deadline, as a number a failure prints.
    const auto millisecondsLeft = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   TestHarness::CaseDeadline() - std::chrono::steady_clock::now())
            .count();
    };
    const long long left = millisecondsLeft();
    EXPECT_GT(left, suiteWide * 7000LL);
    EXPECT_LT(left, suiteWide * 8000LL);
    // A limit of one second: a wait given longer ends at the deadline.
    setenv("PELLWICK_CASE_TIMEOUT", "1", 1);
    EXPECT_FALSE(TestHarness::PollUntil([] { return false; }, 20000, 10));
    // (Two readings of the deadline differ by the clocks' jitter.)
    EXPECT_LE(millisecondsLeft(), 10);
    if (given)
        setenv("PELLWICK_CASE_TIMEOUT", saved.c_str(), 1);
    else
        unsetenv("PELLWICK_CASE_TIMEOUT");
}

// An OwnDisplay ignores X errors only while it deals with the game's
// window, which may go away: the process's own handler is in place after
// each of its calls and after it, and a key name the server does not know
// fails the test.
namespace {
int g_xErrors = 0;
int CountXError(Display*, XErrorEvent*) {
    return ++g_xErrors, 0;
}
}  // namespace

TEST(GameSmoke, AnOwnDisplayLeavesOtherXErrorsToTheProcesssHandler) {
    const XErrorHandler before = XSetErrorHandler(CountXError);
    {
        TestHarness::OwnDisplay x;
        ASSERT_TRUE(x.Ready());
        Display* display = XOpenDisplay(x.Name().c_str());
        ASSERT_NE(display, nullptr);
        // No window of this process: the search ends empty.
        EXPECT_FALSE(x.FocusWindowOf(getpid(), 300));
        EXPECT_NONFATAL_FAILURE(x.HoldKey("NoSuchKey"), "NoSuchKey");
        x.HoldLeftButton(1);
        // A request naming no window, on a connection of the test's own.
        XMapWindow(display, 1);
        XSync(display, False);
        EXPECT_EQ(g_xErrors, 1);
        XCloseDisplay(display);
    }
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XMapWindow(display, 1);
    XSync(display, False);
    EXPECT_EQ(g_xErrors, 2);
    XCloseDisplay(display);
    XSetErrorHandler(before);
}
