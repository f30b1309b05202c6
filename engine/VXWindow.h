// The window and its OpenGL context.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace FrameWork {

// The size the frame uses for the viewport and the projection.
extern int32_t windowWidth;
extern int32_t windowHeight;
// The desktop size, read once by the start-up step.
extern int32_t screenWidth;
extern int32_t screenHeight;
// 1 while the window is borderless and screen-sized.
extern uint8_t fullScreen;

// The engine's window and GL block.
struct VXGLContext {
    SDL_GLContext renderingContext = nullptr;
    SDL_Window* window = nullptr;
    const char* vendor = nullptr;
    const char* renderer = nullptr;

    // Makes the context on `window`, loads GL, reports the driver and sets
    // up the scene.  False when no usable context can be made.
    bool CreateGLContext(SDL_Window* window);
    void SetupScene();
};

}  // namespace FrameWork
