#include "tests/support/GameProcess.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace TestHarness {

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

int DecodeStatus(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

GameProcess::GameProcess(const TempDataTree& tree) : GameProcess(tree, Options()) {}

GameProcess::GameProcess(const TempDataTree& tree, const Options& options) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    const std::string exe = GameExecutable().string();
    const std::string runDir = tree.RunDir().string();
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (const std::string& arg : options.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        if (chdir(runDir.c_str()) != 0) _exit(125);
        for (const auto& name : options.unsetEnv) unsetenv(name.c_str());
        for (const auto& kv : options.setEnv) setenv(kv.first.c_str(), kv.second.c_str(), 1);
        execv(exe.c_str(), argv.data());
        _exit(126);
    }
    close(pipeFds[1]);
    fd_ = pipeFds[0];
}

GameProcess::~GameProcess() {
    if (pid_ > 0 && status_ < 0) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (fd_ >= 0) close(fd_);
}

bool GameProcess::ReadSome(int timeoutMs) {
    if (eof_) return false;
    pollfd p{fd_, POLLIN, 0};
    int ready = poll(&p, 1, timeoutMs);
    if (ready <= 0) return true;
    char buffer[4096];
    ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
        eof_ = true;
        return false;
    }
    output_.append(buffer, static_cast<size_t>(n));
    return true;
}

bool GameProcess::WaitForLine(const std::string& line, int timeoutMs) {
    return WaitForLines(line, 1, timeoutMs);
}

bool GameProcess::WaitForLines(const std::string& line, size_t count, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t checked = 0, seen = 0;
    for (;;) {
        // Look at every complete line not seen yet.
        size_t end;
        while ((end = output_.find('\n', checked)) != std::string::npos) {
            if (output_.compare(checked, end - checked, line) == 0 &&
                end - checked == line.size() && ++seen == count)
                return true;
            checked = end + 1;
        }
        if (RemainingMs(deadline) == 0) return false;
        if (!ReadSome(std::min(RemainingMs(deadline), 200))) return false;
    }
}

void GameProcess::Signal(int signal) {
    if (pid_ > 0 && status_ < 0) kill(pid_, signal);
}

int GameProcess::Wait(int timeoutMs) {
    if (status_ >= 0) return DecodeStatus(status_);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (ReadSome(0) && !eof_) {
        }
        int status = 0;
        pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            status_ = status;
            while (ReadSome(100)) {
            }
            return DecodeStatus(status);
        }
        if (RemainingMs(deadline) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            status_ = status;
            return -1;
        }
        ReadSome(20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::vector<std::string> GameProcess::Lines() const {
    std::vector<std::string> lines;
    std::string current;
    for (char c : output_) {
        if (c == '\n') {
            lines.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

namespace {

// The window of `pid` below `window`, depth first; 0 when none.
Window FindWindowOfPid(Display* display, Window window, Atom pidAtom, pid_t pid) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data) {
        const bool match =
            count == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
        XFree(data);
        if (match) return window;
    }
    Window root, parent;
    Window* children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && !found; ++i)
            found = FindWindowOfPid(display, children[i], pidAtom, pid);
        if (children) XFree(children);
    }
    return found;
}

}  // namespace

unsigned long FindTopWindowOfPid(Display* display, pid_t pid) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    return FindWindowOfPid(display, DefaultRootWindow(display), pidAtom, pid);
}

bool RequestWindowClose(pid_t pid, int timeoutMs) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Window window = 0;
    while (!window) {
        window = FindTopWindowOfPid(display, pid);
        if (window || RemainingMs(deadline) == 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }
    XCloseDisplay(display);
    return window != 0;
}

}  // namespace TestHarness
