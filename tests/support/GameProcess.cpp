#include "tests/support/GameProcess.h"

// Before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/XErrors.h"

namespace TestHarness {

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// An explicit timeout from now, cut at the case's deadline.
Clock::time_point DeadlineFor(int timeoutMs) {
    const Clock::time_point caseEnd = CaseDeadline();
    if (timeoutMs < 0) return caseEnd;
    return std::min(caseEnd, Clock::now() + std::chrono::milliseconds(timeoutMs));
}

// In a child just forked: a test that dies (a crash, CTest's limit) takes
// the child with it, so that nothing is left holding CTest's output pipe.
void DieWithParent(pid_t parent) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
}

// Ends `pid`: SIGTERM, then SIGKILL when it is still there after `graceMs`.
void EndChild(pid_t pid, int graceMs) {
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::milliseconds(graceMs);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (RemainingMs(deadline) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int DecodeStatus(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

int CaseLimitSeconds() {
    if (const char* text = std::getenv("PELLWICK_CASE_TIMEOUT")) {
        char* end = nullptr;
        const long seconds = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && seconds > 0 && seconds <= 24 * 3600)
            return static_cast<int>(seconds);
    }
    return PELLWICK_TEST_TIMEOUT;
}

Clock::time_point CaseDeadline() {
    using std::chrono::milliseconds;
    const milliseconds budget = milliseconds(std::chrono::seconds(CaseLimitSeconds())) * 3 / 4;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return Clock::now() + budget;
    // GoogleTest stamps the case's start on the system clock.
    const auto sinceStart =
        std::chrono::system_clock::now() -
        std::chrono::system_clock::time_point(milliseconds(test->result()->start_timestamp()));
    return Clock::now() - std::chrono::duration_cast<Clock::duration>(sinceStart) + budget;
}

GameProcess::GameProcess(const TempDataTree& tree) : GameProcess(tree, Options()) {}

GameProcess::GameProcess(const TempDataTree& tree, const Options& options) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    const std::string exe = GameExecutable().string();
    const std::string runDir = tree.RunDir().string();
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (const std::string& arg : options.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        DieWithParent(parent);
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        if (chdir(runDir.c_str()) != 0) _exit(125);
        for (const auto& name : options.unsetEnv) unsetenv(name.c_str());
        for (const auto& kv : options.setEnv) setenv(kv.first.c_str(), kv.second.c_str(), 1);
        if (!options.display.empty()) setenv("DISPLAY", options.display.c_str(), 1);
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

int GameProcess::ReadSome(int timeoutMs) {
    if (eof_) return -1;
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return 0;
    char buffer[4096];
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) return 0;
    if (n <= 0) {
        eof_ = true;
        return -1;
    }
    output_.append(buffer, static_cast<size_t>(n));
    return static_cast<int>(n);
}

bool GameProcess::WaitForLine(const std::string& line, int timeoutMs) {
    return WaitForLines(line, 1, timeoutMs);
}

bool GameProcess::WaitForLines(const std::string& line, size_t count, int timeoutMs) {
    const auto deadline = DeadlineFor(timeoutMs);
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
        if (ReadSome(std::min(RemainingMs(deadline), 200)) < 0) return false;
    }
}

void GameProcess::Signal(int signal) {
    if (pid_ > 0 && status_ < 0) kill(pid_, signal);
}

int GameProcess::Wait(int timeoutMs) {
    if (status_ >= 0) return DecodeStatus(status_);
    const auto deadline = DeadlineFor(timeoutMs);
    for (;;) {
        // Keep the pipe drained, so that a game blocked on a full pipe can
        // go on; each read waits at most 20 ms, so the deadline holds.
        while (ReadSome(0) > 0) {
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = status;
            // What it wrote last; bounded, in case something it started
            // still holds the pipe open.
            const auto drainEnd = Clock::now() + std::chrono::seconds(2);
            while (RemainingMs(drainEnd) > 0 && ReadSome(RemainingMs(drainEnd)) >= 0) {
            }
            return DecodeStatus(status);
        }
        if (RemainingMs(deadline) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            status_ = status;
            return -1;
        }
        ReadSome(std::min(RemainingMs(deadline), 20));
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
    IgnoringXErrors ignoring(display);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    return FindWindowOfPid(display, DefaultRootWindow(display), pidAtom, pid);
}

PrivateDisplay::PrivateDisplay(int width, int height) {
    // Xvfb writes its display number to the pipe once it takes clients.
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    const std::string fd = std::to_string(pipeFds[1]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return;
    }
    if (pid_ == 0) {
        DieWithParent(parent);
        close(pipeFds[0]);
        // Its messages would only hold CTest's pipe and say nothing a
        // failed start does not.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        // -br: a black root, so a window not drawn yet shows black and not
        // the grey weave.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-br",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(126);
    }
    close(pipeFds[1]);
    std::string number;
    const auto deadline = std::min(CaseDeadline(), Clock::now() + std::chrono::seconds(30));
    while (number.empty() || number.back() != '\n') {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (RemainingMs(deadline) == 0 || poll(&p, 1, RemainingMs(deadline)) <= 0) break;
        char c;
        if (read(pipeFds[0], &c, 1) != 1) break;
        number.push_back(c);
    }
    close(pipeFds[0]);
    if (number.size() > 1 && number.back() == '\n')
        name_ = ":" + number.substr(0, number.size() - 1);
}

PrivateDisplay::~PrivateDisplay() {
    if (pid_ > 0) EndChild(pid_, 5000);
}

bool PrivateDisplay::Xdotool(const std::string& arguments) const {
    if (name_.empty()) return false;
    const std::string command =
        "DISPLAY=" + name_ + " timeout 10 xdotool " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

FrameImage PrivateDisplay::CaptureWindowOf(pid_t pid) const {
    FrameImage image;
    if (name_.empty()) return image;
    const std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(name_.c_str()),
                                                                 XCloseDisplay);
    if (!connection) return image;
    Display* display = connection.get();
    IgnoringXErrors ignoring(display);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const Window window = FindWindowOfPid(display, DefaultRootWindow(display), pidAtom, pid);
    XWindowAttributes attributes;
    if (window && XGetWindowAttributes(display, window, &attributes) &&
        attributes.map_state == IsViewable) {
        XImage* x = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes,
                              ZPixmap);
        if (x) {
            image.width = x->width;
            image.height = x->height;
            image.rgba.resize(static_cast<size_t>(x->width) * x->height * 4);
            uint8_t* out = image.rgba.data();
            for (int y = 0; y < x->height; ++y)
                for (int column = 0; column < x->width; ++column) {
                    const unsigned long pixel = XGetPixel(x, column, y);
                    *out++ = static_cast<uint8_t>((pixel & x->red_mask) >> 16);
                    *out++ = static_cast<uint8_t>((pixel & x->green_mask) >> 8);
                    *out++ = static_cast<uint8_t>(pixel & x->blue_mask);
                    *out++ = 255;
                }
            XDestroyImage(x);
        }
    }
    return image;
}

bool RequestWindowClose(pid_t pid, int timeoutMs) {
    const std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(nullptr),
                                                                 XCloseDisplay);
    if (!connection) return false;
    Display* display = connection.get();
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    IgnoringXErrors ignoring(display);
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
    }
    return window != 0;
}

}  // namespace TestHarness
