#include "graphics/VXGraphicsManager.h"

#include <cstdio>

namespace FrameWork {

namespace {
VXGraphicsManager* g_graphicsManager = nullptr;
}

VXGraphicsManager* VXGraphicsManager::Instance() {
    if (!g_graphicsManager) {
        g_graphicsManager = new VXGraphicsManager();
        std::printf(" -> Graphics management system\n");
    }
    return g_graphicsManager;
}

void VXGraphicsManager::Shutdown() {
    if (!g_graphicsManager) return;
    delete g_graphicsManager;
    g_graphicsManager = nullptr;
    std::printf(" -> Graphics management system\n");
}

// The shader programs, the camera and the scene draw come with the renderer.
void VXGraphicsManager::LoadShader(const std::string&, const std::string&) {}
void VXGraphicsManager::InitShaderGlobals() {}
void VXGraphicsManager::UseTextureProgram() {}
void VXGraphicsManager::UploadProjection() {}
void VXGraphicsManager::RenderScene() {}
void VXGraphicsManager::SortRenderList() {}

void VXGraphicsManager::ClearStateLists() {
    renderList.clear();
    textList.clear();
    cameraTargets.clear();
}

void VXGraphicsManager::Clear() {
    renderList.clear();
    textList.clear();
}

}  // namespace FrameWork
