#include "platform/Platform.h"

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <thread>
#include <utility>

namespace FrameWork {
namespace Platform {

namespace {

SDL_Window* g_window = nullptr;
SDL_GLContext g_context = nullptr;
TestClock* g_testClock = nullptr;
std::string g_initError;
std::function<void()> g_swapHook;
std::vector<std::pair<int, EventHandler>> g_handlers;
int g_nextHandlerId = 1;
std::function<void()> g_onClose;
std::function<bool()> g_closeGuard;
volatile std::sig_atomic_t g_terminate = 0;
uint32_t g_randNext = 1;

extern "C" void OnTerminateSignal(int) {
    g_terminate = 1;
}

Uint32 WindowId() {
    return g_window ? SDL_GetWindowID(g_window) : 0;
}

SDL_Event BlankEvent(Uint32 type) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    return e;
}

bool IsCloseEvent(const SDL_Event& e) {
    if (e.type == SDL_QUIT) return true;
    return e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE;
}

void TakeCloseRoad() {
    if (g_onClose) {
        // The handler normally ends the process; keep a copy so that it may
        // replace itself while running.
        std::function<void()> onClose = g_onClose;
        onClose();
    }
}

}  // namespace

bool Init() {
    static bool signalsInstalled = false;
    if (!signalsInstalled) {
        // Our own handlers, so that a terminate request reaches the close road
        // even before the first event pump.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        struct sigaction action;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = OnTerminateSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
        signalsInstalled = true;
    }
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_APP_NAME, "Pellwick!", SDL_HINT_DEFAULT);
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        g_initError = SDL_GetError();
        std::fprintf(stderr, "SDL video: %s\n", g_initError.c_str());
        return false;
    }
    g_initError.clear();
    return true;
}

const char* InitError() {
    return g_initError.c_str();
}

void GetDesktopSize(int& width, int& height) {
    width = height = 0;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        width = mode.w;
        height = mode.h;
    }
}

bool CreateWindow(const char* title, int x, int y, int width, int height, bool bordered) {
    if (g_window) return true;
    if (!Init()) return false;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (!bordered) flags |= SDL_WINDOW_BORDERLESS;
    g_window = SDL_CreateWindow(title, x, y, width, height, flags);
    if (!g_window) {
        std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
        return false;
    }
    SDL_RaiseWindow(g_window);
    return true;
}

void DestroyWindow() {
    if (g_window) SDL_DestroyWindow(g_window);
    g_window = nullptr;
}

bool HasWindow() {
    return g_window != nullptr;
}
SDL_Window* GetWindow() {
    return g_window;
}

void PlaceWindow(int x, int y, int width, int height, bool bordered) {
    if (!g_window) return;
    SDL_SetWindowBordered(g_window, bordered ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowSize(g_window, width, height);
    SDL_SetWindowPosition(g_window, x, y);
}

void GetWindowRect(int& x, int& y, int& width, int& height) {
    x = y = width = height = 0;
    if (!g_window) return;
    SDL_GetWindowPosition(g_window, &x, &y);
    SDL_GetWindowSize(g_window, &width, &height);
}

bool IsWindowBordered() {
    return g_window && !(SDL_GetWindowFlags(g_window) & SDL_WINDOW_BORDERLESS);
}

bool HasFocus() {
    return g_window && (SDL_GetWindowFlags(g_window) & SDL_WINDOW_INPUT_FOCUS);
}

namespace {

SDL_GLContext MakeContext(int major, int minor) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, SDL_GL_CONTEXT_FORWARD_COMPATIBLE_FLAG);
    return SDL_GL_CreateContext(g_window);
}

}  // namespace

bool CreateGLContext(GLContextInfo& info) {
    if (!g_window) return false;
    if (!g_context) {
        g_context = MakeContext(4, 0);
        if (!g_context) g_context = MakeContext(3, 3);
        if (!g_context) return false;
    }
    if (SDL_GL_MakeCurrent(g_window, g_context) != 0) return false;
    // Under Xvfb the swap interval cannot be set; the frame limiter paces us.
    SDL_GL_SetSwapInterval(0);

    glewExperimental = GL_TRUE;
    GLenum glewResult = glewInit();
    // GLEW answers "no GLX display" under EGL yet loads every entry point:
    // what matters is that GL 3.3 is there.
    if (glewResult != GLEW_OK && !GLEW_VERSION_3_3) {
        DestroyGLContext();
        return false;
    }
    glGetError();  // glewInit may leave GL_INVALID_ENUM behind in a core context
    if (!GLEW_VERSION_3_3) {
        DestroyGLContext();
        return false;
    }

    info.major = -1;
    info.minor = -1;
    glGetIntegerv(GL_MAJOR_VERSION, &info.major);
    glGetIntegerv(GL_MINOR_VERSION, &info.minor);
    const GLubyte* vendor = glGetString(GL_VENDOR);
    const GLubyte* renderer = glGetString(GL_RENDERER);
    info.vendor = vendor ? reinterpret_cast<const char*>(vendor) : "";
    info.renderer = renderer ? reinterpret_cast<const char*>(renderer) : "";
    return true;
}

void DestroyGLContext() {
    if (g_context) {
        SDL_GL_MakeCurrent(g_window, nullptr);
        SDL_GL_DeleteContext(g_context);
    }
    g_context = nullptr;
}

SDL_GLContext GetGLContext() {
    return g_context;
}

void SetSwapHook(std::function<void()> hook) {
    g_swapHook = std::move(hook);
}

void SwapBuffers() {
    if (g_swapHook) g_swapHook();
    if (g_window) SDL_GL_SwapWindow(g_window);
    if (g_testClock) {
        ++g_testClock->swaps;
        g_testClock->Advance();
    }
}

int AddEventHandler(EventHandler handler) {
    int id = g_nextHandlerId++;
    g_handlers.emplace_back(id, std::move(handler));
    return id;
}

void RemoveEventHandler(int id) {
    g_handlers.erase(std::remove_if(g_handlers.begin(), g_handlers.end(),
                                    [id](const auto& h) { return h.first == id; }),
                     g_handlers.end());
}

void SetCloseHandler(std::function<void()> onClose) {
    g_onClose = std::move(onClose);
}

void SetCloseGuard(std::function<bool()> guard) {
    g_closeGuard = std::move(guard);
}

void PumpEvents() {
    SDL_Event e;
    bool close = false;
    while (SDL_WasInit(SDL_INIT_EVENTS) && SDL_PollEvent(&e)) {
        // A handler may add or remove handlers: walk a copy.
        auto handlers = g_handlers;
        for (auto& h : handlers) h.second(e);
        if (IsCloseEvent(e) && (!g_closeGuard || !g_closeGuard())) close = true;
    }
    if (g_terminate) {
        g_terminate = 0;
        close = true;
    }
    if (close) TakeCloseRoad();
}

void InjectKey(SDL_Scancode scancode, bool down) {
    SDL_Event e = BlankEvent(down ? SDL_KEYDOWN : SDL_KEYUP);
    e.key.timestamp = SDL_GetTicks();
    e.key.windowID = WindowId();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    SDL_PushEvent(&e);
}

void InjectText(const char* utf8) {
    SDL_Event e = BlankEvent(SDL_TEXTINPUT);
    e.text.windowID = WindowId();
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
}

void InjectMouseMove(int x, int y) {
    SDL_Event e = BlankEvent(SDL_MOUSEMOTION);
    e.motion.windowID = WindowId();
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

void InjectMouseButton(int button, bool down, int x, int y) {
    SDL_Event e = BlankEvent(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
    e.button.windowID = WindowId();
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void InjectMouseWheel(int dy) {
    SDL_Event e = BlankEvent(SDL_MOUSEWHEEL);
    e.wheel.windowID = WindowId();
    e.wheel.y = dy;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&e);
}

void InjectWindowEvent(SDL_WindowEventID event) {
    SDL_Event e = BlankEvent(SDL_WINDOWEVENT);
    e.window.windowID = WindowId();
    e.window.event = static_cast<Uint8>(event);
    SDL_PushEvent(&e);
}

void InjectQuit() {
    SDL_Event e = BlankEvent(SDL_QUIT);
    SDL_PushEvent(&e);
}

void InstallTestClock(TestClock* clock) {
    g_testClock = clock;
}
TestClock* GetTestClock() {
    return g_testClock;
}

uint64_t GetPerformanceCounter() {
    return g_testClock ? g_testClock->now : SDL_GetPerformanceCounter();
}

uint64_t GetPerformanceFrequency() {
    return g_testClock ? g_testClock->frequency : SDL_GetPerformanceFrequency();
}

void SleepSeconds(double seconds) {
    if (g_testClock || !(seconds > 0.0)) return;
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::vector<std::string> ListDirectory(const std::string& folder) {
    namespace fs = std::filesystem;
    std::string path = folder;
    while (!path.empty() && (path.back() == '*' || path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    if (path.empty() && !folder.empty() && folder[0] == '/') path = "/";
    if (path.empty()) path = ".";

    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(fs::u8path(path), ec);
    if (ec) return names;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        std::string name = it->path().filename().u8string();
        if (name == "." || name == "..") continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool OpenReadableFile(const std::string& path, std::ifstream& in, std::ios::openmode mode) {
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::u8path(path), ec)) return false;
    in.open(path, mode | std::ios::in);
    return in.is_open();
}

namespace {
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t kByteOrderMarkSize = sizeof(kByteOrderMark) - 1;
}  // namespace

void DropByteOrderMark(const char*& text, size_t& length) {
    if (text && length >= kByteOrderMarkSize &&
        std::memcmp(text, kByteOrderMark, kByteOrderMarkSize) == 0) {
        text += kByteOrderMarkSize;
        length -= kByteOrderMarkSize;
    }
}

void DropByteOrderMark(std::string& text) {
    if (text.compare(0, kByteOrderMarkSize, kByteOrderMark) == 0) text.erase(0, kByteOrderMarkSize);
}

std::string WhyNotUtf8Text(const std::string& text) {
    const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
    const size_t n = text.size();
    if (n >= 4 && ((byte(0) == 0xFF && byte(1) == 0xFE && byte(2) == 0 && byte(3) == 0) ||
                   (byte(0) == 0 && byte(1) == 0 && byte(2) == 0xFE && byte(3) == 0xFF)))
        return "UTF-32";
    if (n >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF)))
        return "UTF-16";
    if (text.find('\0') != std::string::npos) return "zero bytes: UTF-16 or binary";
    for (size_t k = 0; k < n;) {
        const unsigned char lead = byte(k);
        // Sequence length and the range of its second byte (no overlong
        // forms, no surrogates, nothing past U+10FFFF).
        size_t length = 1;
        unsigned char low = 0x80, high = 0xBF;
        if (lead < 0x80) {
            ++k;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            length = 0;
        }
        bool ok = length > 0 && k + length <= n;
        for (size_t j = 1; ok && j < length; ++j) {
            const unsigned char c = byte(k + j);
            ok = j == 1 ? c >= low && c <= high : c >= 0x80 && c <= 0xBF;
        }
        if (!ok) {
            char why[80];
            std::snprintf(why, sizeof why, "byte 0x%02X at offset %zu", lead, k);
            return why;
        }
        k += length;
    }
    return std::string();
}

std::string CleanInvisibleCharacters(std::string& line, std::string& shown) {
    static const struct {
        uint32_t code;
        bool space;
        const char* name;
    } kInvisible[] = {
        {0x00A0, true, "a no-break space"},   {0x00AD, false, "a soft hyphen"},
        {0x1680, true, "an invisible space"}, {0x200B, false, "a zero-width space"},
        {0x200C, false, "a zero-width mark"}, {0x200D, false, "a zero-width mark"},
        {0x2028, true, "a line separator"},   {0x2029, true, "a paragraph separator"},
        {0x202F, true, "a no-break space"},   {0x205F, true, "an invisible space"},
        {0x2060, false, "a word joiner"},     {0x3000, true, "an invisible space"},
        {0xFEFF, false, "a byte-order mark"},
    };
    std::string why;
    std::string clean;
    shown.clear();
    for (size_t k = 0; k < line.size();) {
        const unsigned char lead = static_cast<unsigned char>(line[k]);
        const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t j = 1; j < length && k + j < line.size(); ++j)
            code = (code << 6) | (static_cast<unsigned char>(line[k + j]) & 0x3F);
        const auto* found = std::find_if(std::begin(kInvisible), std::end(kInvisible),
                                         [code](const auto& c) { return c.code == code; });
        const bool spaces = code >= 0x2000 && code <= 0x200A;
        if (length == 1 || (found == std::end(kInvisible) && !spaces)) {
            clean.append(line, k, length);
            shown.append(line, k, length);
        } else {
            char mark[16];
            std::snprintf(mark, sizeof mark, "U+%04X", static_cast<unsigned>(code));
            if (why.empty())
                why = std::string(spaces ? "an invisible space" : found->name) + " (" + mark + ")";
            if (spaces || found->space) clean += ' ';
            shown += std::string("<") + mark + ">";
        }
        k += length;
    }
    if (!why.empty()) line = clean;
    return why;
}

void ReadListLineAsItLooks(const std::string& path, int number, std::string& line) {
    std::string shown;
    const std::string found = CleanInvisibleCharacters(line, shown);
    if (found.empty()) return;
    const auto visible = [](std::string text) {
        while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
        return text;
    };
    std::printf(" -> %s line %d: %s in \"%s\"; read as \"%s\"\n", path.c_str(), number,
                found.c_str(), visible(shown).c_str(), visible(line).c_str());
}

std::string WhyUnreadable(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path file = fs::u8path(path);
    if (fs::is_directory(file, ec)) return "is a folder";
    return fs::exists(file, ec) ? "cannot be read" : "not found";
}

bool ReadTextFile(const std::string& path, std::string& text, std::string& why) {
    namespace fs = std::filesystem;
    text.clear();
    std::error_code ec;
    const fs::path file = fs::u8path(path);
    std::ifstream in;
    if (!fs::is_directory(file, ec)) in.open(file, std::ios::binary);
    if (in.is_open())
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        text.clear();
        why = WhyUnreadable(path);
        return false;
    }
    DropByteOrderMark(text);
    why.clear();
    return true;
}

void ShowCursor(bool show) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

int Rand() {
    g_randNext = g_randNext * 1103515245u + 12345u;
    return static_cast<int>((g_randNext / 65536u) % 32768u);
}

void SRand(unsigned int seed) {
    g_randNext = seed;
}

}  // namespace Platform
}  // namespace FrameWork
