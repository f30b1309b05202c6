// X errors ignored for a while.  Include after GoogleTest's headers: Xlib's
// macros (None, Bool, Status) break them.
#pragma once

#include <X11/Xlib.h>

namespace TestHarness {

// While it lives, X errors on this process's connections are ignored.  On a
// server where windows come and go (other tests' on the shared one, the
// game's own when it ends), one that goes away between finding it and using
// it is no reason to end the test process, as Xlib's default handler would.
// At its start it waits for the answers to what was sent before, whose
// errors the handler found in place still reports; at its end it waits for
// the answers to what was sent meanwhile, so that their errors come while
// they are still ignored, and puts that handler back.
class IgnoringXErrors {
public:
    explicit IgnoringXErrors(Display* display) : display_(display) {
        XSync(display_, False);
        previous_ = XSetErrorHandler(Ignore);
    }
    ~IgnoringXErrors() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    IgnoringXErrors(const IgnoringXErrors&) = delete;
    IgnoringXErrors& operator=(const IgnoringXErrors&) = delete;

private:
    static int Ignore(Display*, XErrorEvent*) { return 0; }
    Display* display_;
    XErrorHandler previous_ = nullptr;
};

}  // namespace TestHarness
