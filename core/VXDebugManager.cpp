#include "core/VXDebugManager.h"

#include <GL/glew.h>

#include <cstdio>

#include "core/Message.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {
VXDebugManager* g_debugManager = nullptr;
}

VXDebugManager* VXDebugManager::Instance() {
    if (!g_debugManager) {
        g_debugManager = new VXDebugManager();
        std::printf(" -> Debug manager\n");
    }
    return g_debugManager;
}

VXDebugManager::ShapeDrawers VXDebugManager::drawers;

void VXDebugManager::DrawRigidBodies(const std::vector<std::shared_ptr<VXRigidBody>>& list,
                                     const VXDebugLine& l) {
    if (drawers.rigidBodies) drawers.rigidBodies(list, l);
}

void VXDebugManager::DrawAABBs(const std::vector<std::shared_ptr<VXAABB>>& list,
                               const VXDebugLine& l) {
    if (drawers.aabbs) drawers.aabbs(list, l);
}

void VXDebugManager::DrawOBBs(const std::vector<std::shared_ptr<VXOBB>>& list,
                              const VXDebugLine& l) {
    if (drawers.obbs) drawers.obbs(list, l);
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
