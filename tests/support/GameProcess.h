// Runs the built game as a separate process on a temporary data tree, with
// its standard output captured line by line.  Used by the smoke tests.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/FrameImage.h"
#include "tests/support/TempDataTree.h"

typedef struct _XDisplay Display;

namespace TestHarness {

// The running case's own CTest limit in seconds, which the suite's CMake
// passes in PELLWICK_CASE_TIMEOUT; the suite-wide limit (PELLWICK_TEST_TIMEOUT)
// when that is not set, as in an executable run by hand.
int CaseLimitSeconds();

// The time by which a case has to be done with its waits: three quarters of
// its limit after the running GoogleTest case started.  Every wait of a
// GameProcess, a PrivateDisplay or an OwnDisplay ends by then, so a case
// that goes wrong fails with its own message and kills its game instead of
// running into CTest's limit.
std::chrono::steady_clock::time_point CaseDeadline();

class GameProcess {
public:
    static constexpr int kUntilCaseDeadline = -1;
    struct Options {
        std::vector<std::pair<std::string, std::string>> setEnv;
        std::vector<std::string> unsetEnv;
        // The X display to run on ("" keeps the test's own).
        std::string display;
        // Command-line arguments after the program's name.
        std::vector<std::string> args;
    };
    // Starts the game in tree.RunDir().
    explicit GameProcess(const TempDataTree& tree);
    GameProcess(const TempDataTree& tree, const Options& options);
    // Kills the game if it still runs.
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    pid_t Pid() const { return pid_; }
    // Reads output until a whole line equal to `line` has come; false when
    // the game ends or `timeoutMs` (at most: until CaseDeadline()) passes
    // first.
    bool WaitForLine(const std::string& line, int timeoutMs = kUntilCaseDeadline);
    // The same for the `count`-th such line.
    bool WaitForLines(const std::string& line, size_t count, int timeoutMs = kUntilCaseDeadline);
    void Signal(int signal);
    // Waits for the end; the exit code, 128 + signal when killed by one, or
    // -1 (after killing it) when it does not end within `timeoutMs` (at
    // most: until CaseDeadline()).
    int Wait(int timeoutMs = kUntilCaseDeadline);
    // Standard output so far, split at line ends (a last unfinished line
    // included).
    std::vector<std::string> Lines() const;
    const std::string& Output() const { return output_; }

private:
    // Reads what comes within `timeoutMs`: the number of bytes read, 0 when
    // nothing came, -1 at the end of the output.
    int ReadSome(int timeoutMs);

    pid_t pid_ = -1;
    int fd_ = -1;
    bool eof_ = false;
    int status_ = -1;
    std::string output_;
};

// An X server of the test's own (Xvfb on a free display number), for a game
// driven from outside with real key and mouse events: nothing sent there
// reaches the windows of other tests, and no other window ever covers the
// game's, so its picture can be read back.  Ended with the object.
class PrivateDisplay {
public:
    PrivateDisplay(int width = 1280, int height = 720);
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // ":N", or "" when the server did not start.
    const std::string& Name() const { return name_; }
    // Runs xdotool with `arguments` on this display (for instance
    // "keydown Up"); false when it fails or does not end within 10 s.
    bool Xdotool(const std::string& arguments) const;
    // The picture of the top-level window of process `pid`; empty when
    // there is no such window.
    FrameImage CaptureWindowOf(pid_t pid) const;

private:
    pid_t pid_ = -1;
    std::string name_;
};

// Sends a window-manager close request (WM_DELETE_WINDOW) to the top-level
// window of process `pid` on the X display; false when no such window is
// found within `timeoutMs`.
bool RequestWindowClose(pid_t pid, int timeoutMs = 10000);

// The top-level window (an X Window id) of process `pid` on `display`, by
// its _NET_WM_PID; 0 when there is none.
unsigned long FindTopWindowOfPid(Display* display, pid_t pid);

}  // namespace TestHarness
