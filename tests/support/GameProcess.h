// Runs the built game as a separate process on a temporary data tree, with
// its standard output captured line by line.  Used by the smoke tests.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempDataTree.h"

typedef struct _XDisplay Display;

namespace TestHarness {

class GameProcess {
public:
    struct Options {
        std::vector<std::pair<std::string, std::string>> setEnv;
        std::vector<std::string> unsetEnv;
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
    // the game ends or `timeoutMs` passes first.
    bool WaitForLine(const std::string& line, int timeoutMs = 60000);
    // The same for the `count`-th such line.
    bool WaitForLines(const std::string& line, size_t count, int timeoutMs);
    void Signal(int signal);
    // Waits for the end; the exit code, 128 + signal when killed by one, or
    // -1 (after killing it) when it does not end within `timeoutMs`.
    int Wait(int timeoutMs = 60000);
    // Standard output so far, split at line ends (a last unfinished line
    // included).
    std::vector<std::string> Lines() const;
    const std::string& Output() const { return output_; }

private:
    // Reads what is available within `timeoutMs`; false at end of output.
    bool ReadSome(int timeoutMs);

    pid_t pid_ = -1;
    int fd_ = -1;
    bool eof_ = false;
    int status_ = -1;
    std::string output_;
};

// Sends a window-manager close request (WM_DELETE_WINDOW) to the top-level
// window of process `pid` on the X display; false when no such window is
// found within `timeoutMs`.
bool RequestWindowClose(pid_t pid, int timeoutMs = 10000);

// The top-level window (an X Window id) of process `pid` on `display`, by
// its _NET_WM_PID; 0 when there is none.
unsigned long FindTopWindowOfPid(Display* display, pid_t pid);

}  // namespace TestHarness
