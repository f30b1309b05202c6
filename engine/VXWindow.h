// The window and its OpenGL context.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "core/VXFrameContext.h"

namespace FrameWork {

// The window's size and mode live in the frame context (windowWidth,
// windowHeight, screenWidth, screenHeight, fullScreen).

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
