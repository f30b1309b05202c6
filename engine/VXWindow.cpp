#include "engine/VXWindow.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstdio>

#include "engine/VXEngine.h"
#include "graphics/VXGraphicsManager.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {

constexpr int kWindowedX = 100;
constexpr int kWindowedY = 100;

void SetAspectRatio(VXGraphicsManager* graphics, int width, int height) {
    if (graphics && height > 0)
        graphics->aspectRatio = static_cast<float>(width) / static_cast<float>(height);
}

}  // namespace

bool VXEngine::CreateAppWindow() {
    if (screenWidth <= 0 || screenHeight <= 0) Platform::GetDesktopSize(screenWidth, screenHeight);
    if (fullScreen) {
        if (screenWidth <= 0 || screenHeight <= 0) return false;
        if (!Platform::CreateWindow("Pellwick!", kWindowedX, kWindowedY, screenWidth, screenHeight,
                                    true))
            return false;
        Platform::PlaceWindow(0, 0, screenWidth, screenHeight, false);
        windowWidth = screenWidth;
        windowHeight = screenHeight;
    } else {
        if (!Platform::CreateWindow("Pellwick!", kWindowedX, kWindowedY, 1600, 900, true))
            return false;
        windowWidth = 1600;
        windowHeight = 900;
    }
    context.window = Platform::GetWindow();
    return true;
}

void VXEngine::MakeBorderlessFullscreen() {
    fullScreen = 1;
    Platform::PlaceWindow(0, 0, screenWidth, screenHeight, false);
    windowWidth = screenWidth;
    windowHeight = screenHeight;
    SetAspectRatio(graphics, screenWidth, screenHeight);
    // The rest of the frame (a match switches during its update) already
    // draws in the new size.
    FitViewToWindow();
}

void VXEngine::SetWindowed(int width, int height) {
    fullScreen = 0;
    // The window lies wholly on the display: asked for more than fits at
    // its place (the display's own size, say), it stops at the display's
    // right and bottom edges.
    if (screenWidth > kWindowedX) width = std::min(width, screenWidth - kWindowedX);
    if (screenHeight > kWindowedY) height = std::min(height, screenHeight - kWindowedY);
    Platform::PlaceWindow(kWindowedX, kWindowedY, width, height, true);
    windowWidth = width;
    windowHeight = height;
    SetAspectRatio(graphics, width, height);
    FitViewToWindow();
}

bool VXGLContext::CreateGLContext(SDL_Window* w) {
    window = w;
    if (!window) return false;
    Platform::GLContextInfo info;
    if (!Platform::CreateGLContext(info)) return false;
    renderingContext = Platform::GetGLContext();
    vendor = info.vendor;
    renderer = info.renderer;
    std::printf("\nTeam Quorvane - OpenGL v%d.%d\n\n", info.major, info.minor);
    std::printf("System GPU\n");
    std::printf(" -> Graphic card    : %s\n", vendor);
    std::printf(" -> Model           : %s\n\n", renderer);
    std::printf("Processes\n");
    SetupScene();
    return true;
}

void VXGLContext::SetupScene() {
    glClearColor(1.0f, 0.95f, 0.88f, 1.0f);
    std::printf(" -> OpenGL scene setup complete\n");
}

}  // namespace FrameWork
