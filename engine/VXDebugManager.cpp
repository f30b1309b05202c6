#include "engine/VXDebugManager.h"

#include <GL/glew.h>

#include <cstdio>

#include "engine/Message.h"
#include "graphics/VXDebugLine.h"
#include "physics/VXDebugDraw.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {
VXDebugManager* g_debugManager = nullptr;
}

VXDebugManager* VXDebugManager::Instance() {
    if (!g_debugManager) {
        g_debugManager = new VXDebugManager();
        g_drawDebugShapes = &DrawDebugShapes;
        std::printf(" -> Debug manager\n");
    }
    return g_debugManager;
}

VXDebugManager* VXDebugManager::Existing() {
    return g_debugManager;
}

void VXDebugManager::Destroy() {
    delete g_debugManager;
    g_debugManager = nullptr;
}

VXDebugManager::~VXDebugManager() {
    if (line.buffer != 0 && Platform::GetGLContext()) glDeleteBuffers(1, &line.buffer);
}

void VXDebugManager::HandleMessage(Message* msg) {
    if (!msg) return;
    if (msg->type == MSG_DEBUG_TOGGLE) {
        enabled = !enabled;
    } else if (msg->type == MSG_DEBUG_INIT) {
        auto* init = static_cast<MSGDebug*>(msg);
        line.camView = init->camView;
        line.projection = init->projection;
        if (line.buffer == 0 && Platform::GetGLContext()) glGenBuffers(1, &line.buffer);
    }
}

}  // namespace FrameWork
