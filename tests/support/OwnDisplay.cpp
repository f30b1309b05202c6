#include "tests/support/OwnDisplay.h"

// Before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/support/XErrors.h"

namespace TestHarness {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The 8-bit value of the channel `mask` selects in `pixel`.
unsigned Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1ul)) ++shift;
    const unsigned long top = mask >> shift;
    return static_cast<unsigned>(((pixel & mask) >> shift) * 255ul / top);
}

double Brightness(XImage* image, int x, int y) {
    const unsigned long p = XGetPixel(image, x, y);
    return (Channel(p, image->red_mask) + Channel(p, image->green_mask) +
            Channel(p, image->blue_mask)) /
           3.0;
}

// Mean brightness of the `w` x `h` patch at (x0, y0), every `step` pixels.
double MeanOf(XImage* image, int x0, int y0, int w, int h, int step) {
    double sum = 0.0;
    int n = 0;
    for (int y = y0; y < y0 + h; y += step)
        for (int x = x0; x < x0 + w; x += step, ++n) sum += Brightness(image, x, y);
    return n ? sum / n : 0.0;
}

}  // namespace

// The game's window can go away under any request that names it (the game
// ends, or is killed): those requests are made while IgnoringXErrors lives.
// Errors of the others, a key that does not exist, say, are reported.

OwnDisplay::OwnDisplay() {
    if (!Name().empty()) display_ = XOpenDisplay(Name().c_str());
}

OwnDisplay::~OwnDisplay() {
    if (!display_) return;
    if (damage_) {
        IgnoringXErrors ignoring(display_);
        XDamageDestroy(display_, damage_);
    }
    XCloseDisplay(display_);
}

bool OwnDisplay::FocusWindowOf(pid_t pid, int timeoutMs) {
    if (!display_) return false;
    const auto deadline =
        std::min(CaseDeadline(), Clock::now() + std::chrono::milliseconds(timeoutMs));
    IgnoringXErrors ignoring(display_);
    for (;;) {
        const unsigned long window = FindTopWindowOfPid(display_, pid);
        XWindowAttributes a{};
        if (window && XGetWindowAttributes(display_, window, &a) && a.map_state == IsViewable) {
            window_ = window;
            // Every frame the game presents damages its window: that is how
            // frames are counted from here.
            int error = 0;
            if (XDamageQueryExtension(display_, &damageEvent_, &error))
                damage_ = XDamageCreate(display_, window, XDamageReportNonEmpty);
            XTestFakeMotionEvent(display_, -1, a.x + a.width / 2, a.y + a.height / 2, CurrentTime);
            KeepFocus();
            return true;
        }
        if (MsLeft(deadline) == 0) return false;
        Sleep(100);
    }
}

void OwnDisplay::KeepFocus() {
    IgnoringXErrors ignoring(display_);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (window_ && focus != window_) XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XSync(display_, False);
}

void OwnDisplay::WaitFrames(int frames) {
    if (!damage_) {
        Sleep(frames * 100);
        return;
    }
    // A frame under way when the input went out may not have seen it, so
    // the frames are counted from the next damage on.  Several frames
    // between two looks count as one: the wait only grows.
    IgnoringXErrors ignoring(display_);
    const auto deadline =
        std::min(CaseDeadline(), Clock::now() + std::chrono::milliseconds(frames * 5000));
    int seen = 0;
    while (seen < frames && MsLeft(deadline) > 0) {
        while (XPending(display_) && seen < frames) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == damageEvent_ + XDamageNotify) {
                XDamageSubtract(display_, damage_, None, None);
                ++seen;
            }
        }
        if (seen < frames) {
            pollfd p{ConnectionNumber(display_), POLLIN, 0};
            poll(&p, 1, std::min(MsLeft(deadline), 100));
        }
    }
}

void OwnDisplay::HoldKey(const std::string& name, int frames) {
    if (!display_) return;
    const KeySym symbol = XStringToKeysym(name.c_str());
    const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display_, symbol);
    if (code == 0) {
        ADD_FAILURE() << "no key \"" << name << "\" on the test's X server";
        return;
    }
    KeepFocus();
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    WaitFrames(frames);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    WaitFrames(frames);
}

void OwnDisplay::HoldLeftButton(int frames) {
    if (!display_) return;
    KeepFocus();
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    WaitFrames(frames);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    WaitFrames(frames);
}

ScreenLook OwnDisplay::Look() const {
    ScreenLook look;
    if (!display_) return look;
    const int w = DisplayWidth(display_, DefaultScreen(display_));
    const int h = DisplayHeight(display_, DefaultScreen(display_));
    XImage* image =
        XGetImage(display_, DefaultRootWindow(display_), 0, 0, w, h, AllPlanes, ZPixmap);
    if (!image) return look;
    look.mean = MeanOf(image, 0, 0, w, h, 8);
    const int c = std::min({64, w, h});
    look.darkestCorner =
        std::min({MeanOf(image, 0, 0, c, c, 4), MeanOf(image, w - c, 0, c, c, 4),
                  MeanOf(image, 0, h - c, c, c, 4), MeanOf(image, w - c, h - c, c, c, 4)});
    XDestroyImage(image);
    return look;
}

bool PollUntil(const std::function<bool()>& done, int timeoutMs, int pollMs) {
    const auto deadline =
        std::min(CaseDeadline(), Clock::now() + std::chrono::milliseconds(timeoutMs));
    for (;;) {
        if (done()) return true;
        if (MsLeft(deadline) == 0) return false;
        Sleep(std::min(pollMs, MsLeft(deadline)));
    }
}

}  // namespace TestHarness
