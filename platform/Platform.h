// The platform layer: the one place that talks to SDL for the window, the
// OpenGL context, the event pump, the clock, the file system and the C
// runtime services whose behaviour must not depend on the host.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace FrameWork {
namespace Platform {

// --- Start-up ---------------------------------------------------------------
// Initialises SDL's video and event subsystems (X11 unless SDL_VIDEODRIVER
// says otherwise) and installs the SIGTERM / SIGINT handlers.  Safe to call
// more than once.  False when SDL cannot start (no display to talk to).
bool Init();
// Why the last Init failed (SDL's words), or "" after a success.
const char* InitError();
// Desktop size of the first display; 0 x 0 when video is not available.
void GetDesktopSize(int& width, int& height);

// --- Window -----------------------------------------------------------------
// Creates the one window with an OpenGL surface (double buffered, 24 depth and
// 8 stencil bits).  `bordered` gives a captioned window.  False on failure.
bool CreateWindow(const char* title, int x, int y, int width, int height, bool bordered);
void DestroyWindow();
bool HasWindow();
SDL_Window* GetWindow();
// Moves, resizes and sets the border of the window in one step.
void PlaceWindow(int x, int y, int width, int height, bool bordered);
void GetWindowRect(int& x, int& y, int& width, int& height);
bool IsWindowBordered();
// Whether the window has the keyboard focus.
bool HasFocus();

// --- OpenGL context ---------------------------------------------------------
struct GLContextInfo {
    int major = -1;           // from GL_MAJOR_VERSION
    int minor = -1;           // from GL_MINOR_VERSION
    const char* vendor = "";  // glGetString(GL_VENDOR)
    const char* renderer = "";
};
// Asks for a 4.0 forward-compatible core context and falls back to 3.3 core;
// loads the entry points through GLEW.  False when no context is made or GL
// 3.3 is not reachable.
bool CreateGLContext(GLContextInfo& info);
void DestroyGLContext();
SDL_GLContext GetGLContext();
void SwapBuffers();
// Called just before every buffer swap, with the finished frame still in the
// back buffer (tests read it back there).  Empty to remove.
void SetSwapHook(std::function<void()> hook);

// --- Events -----------------------------------------------------------------
// The pump plays the part of a window procedure: each pending event goes to
// every installed handler in installation order.  A quit request, a window
// close request, SIGTERM or SIGINT calls the close handler (after the
// handlers have seen the event).
using EventHandler = std::function<void(const SDL_Event&)>;
int AddEventHandler(EventHandler handler);  // returns an id for RemoveEventHandler
void RemoveEventHandler(int id);
void SetCloseHandler(std::function<void()> onClose);
// Asked before a window close or quit request (not SIGTERM or SIGINT) takes
// the close road: true holds it back (the program asks the user first).
// Empty to remove.
void SetCloseGuard(std::function<bool()> guard);
void PumpEvents();

// Event injection for tests and tools: the events go through the same pump.
void InjectKey(SDL_Scancode scancode, bool down);
void InjectText(const char* utf8);
void InjectMouseMove(int x, int y);
void InjectMouseButton(int button, bool down, int x, int y);  // SDL_BUTTON_LEFT ...
void InjectMouseWheel(int dy);
void InjectWindowEvent(SDL_WindowEventID event);
void InjectQuit();

// --- Clock ------------------------------------------------------------------
// A clock that tests install in place of the performance counter.  Its value
// stands still while the frame runs and moves on by `tick` at every buffer
// swap, so each frame measures exactly `tick` and the frame limiter's busy
// wait ends at once.  The default tick is 16667 us, the first whole number of
// microseconds that is not below 1/60 s.
struct TestClock {
    uint64_t now = 1000000;
    uint64_t frequency = 1000000;
    uint64_t tick = 16667;
    uint64_t swaps = 0;
    void Advance() { now += tick; }
};
void InstallTestClock(TestClock* clock);  // null restores the real counter
TestClock* GetTestClock();
uint64_t GetPerformanceCounter();
uint64_t GetPerformanceFrequency();
// Gives up the processor for about `seconds` (it may wake a little late);
// returns at once while a test clock is installed.
void SleepSeconds(double seconds);

// --- Files ------------------------------------------------------------------
// The regular files in `folder` (a trailing "*", "/" or "\" is ignored), by
// name only, "." and ".." left out, sorted byte-wise.  Empty when the folder
// cannot be read.  Names stay UTF-8.
std::vector<std::string> ListDirectory(const std::string& folder);
// Opens `path` for reading when it is a file that can be read; a missing
// path or a folder (which opens, but reads nothing) gives false.
bool OpenReadableFile(const std::string& path, std::ifstream& in,
                      std::ios::openmode mode = std::ios::in);
// The whole of a text file as designers' tools leave it: a leading UTF-8
// byte-order mark (what Windows editors write) is dropped; CRLF line ends
// stay, and every reader takes "\r" for white space.  False, with `why`
// saying "not found", "is a folder" or "cannot be read", when the file
// gives no text.
bool ReadTextFile(const std::string& path, std::string& text, std::string& why);
// Why `path` gives no file to read: "not found", "is a folder" or "cannot be
// read" (the last also for a file that opens).
std::string WhyUnreadable(const std::string& path);
// Why `text` is not UTF-8 text ("UTF-16", "UTF-32", "zero bytes: UTF-16 or
// binary", "byte 0xE9 at offset 12"); empty when it is.
// The list readers refuse such a file whole instead of reading broken names.
std::string WhyNotUtf8Text(const std::string& text);
// Characters of UTF-8 `line` that look like a space, or like nothing, but are
// neither to a reader that splits on white space (a no-break space, a
// byte-order mark inside the text, a zero-width space): the spaces become
// plain spaces, the others are taken out, and the line is read as it looks.
// Empty when there is none; else the first named ("a byte-order mark
// (U+FEFF)"), and `shown` the line with each written as <U+FEFF>.
std::string CleanInvisibleCharacters(std::string& line, std::string& shown);
// Line `number` of the list at `path` as it looks (above); a line naming
// what was found, the line as it stands and as it is read, is printed once.
void ReadListLineAsItLooks(const std::string& path, int number, std::string& line);
// `text` without a leading UTF-8 byte-order mark.
void DropByteOrderMark(std::string& text);
void DropByteOrderMark(const char*& text, size_t& length);

// --- Cursor and process-wide services ---------------------------------------
void ShowCursor(bool show);

// A 15-bit generator of our own, so that every machine draws the same
// numbers from the same seed (the game relies on RAND_MAX being 32767).
constexpr int RandMax = 32767;
int Rand();
void SRand(unsigned int seed);

}  // namespace Platform
}  // namespace FrameWork
