// An X server of the test's own and a player's hands on it: a
// PrivateDisplay (so no other test's server, pointer or focus is touched),
// real key and button events through XTEST, and a coarse look at what the
// screen shows.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

// Before any Xlib header: its macros (None, Bool) break GoogleTest's.
#include "tests/support/GameProcess.h"

typedef struct _XDisplay Display;

namespace TestHarness {

// Mean brightness (0 to 255, the mean of red, green and blue) of the whole
// screen and of its darkest corner patch.
struct ScreenLook {
    double mean = 0.0;
    double darkestCorner = 0.0;
};

class OwnDisplay {
public:
    // Starts a PrivateDisplay with one 1920 x 1080 x 24 screen and connects
    // to it; Ready() says whether both worked.
    OwnDisplay();
    // Closes the connection; the server ends with it.
    ~OwnDisplay();
    OwnDisplay(const OwnDisplay&) = delete;
    OwnDisplay& operator=(const OwnDisplay&) = delete;

    bool Ready() const { return display_ != nullptr; }
    // ":N", for the DISPLAY of a process started on this server.
    const std::string& Name() const { return server_.Name(); }

    // Gives the keyboard focus to the top-level window of `pid` (and again
    // before each press, should it have lost it) and puts the pointer on
    // it; false when no such window shows within `timeoutMs` (at most: until
    // CaseDeadline()).
    bool FocusWindowOf(pid_t pid, int timeoutMs);
    // Holds the key (an X key name: "Return", "space", "a", "Down") down
    // while the game draws `frames` frames, lets it go and waits as many
    // again, so that the game sees the press and the release in frames of
    // their own however slowly it runs.  A name with no key on the server
    // fails the test.
    void HoldKey(const std::string& name, int frames = 3);
    // The same with the left mouse button.
    void HoldLeftButton(int frames = 3);
    // Waits until the focused window has presented `frames` frames (at most
    // 5 s each and until CaseDeadline(); 100 ms each without the DAMAGE
    // extension).
    void WaitFrames(int frames);
    ScreenLook Look() const;

private:
    // Gives the focus back to the focused window when something took it (a
    // window mapped again after a mode switch loses it).
    void KeepFocus();

    PrivateDisplay server_{1920, 1080};
    Display* display_ = nullptr;
    unsigned long window_ = 0;
    unsigned long damage_ = 0;
    int damageEvent_ = 0;
};

// Calls `done` every `pollMs` until it answers true or `timeoutMs` passes
// (at most: until CaseDeadline()); its last answer.
bool PollUntil(const std::function<bool()>& done, int timeoutMs, int pollMs = 200);

}  // namespace TestHarness
