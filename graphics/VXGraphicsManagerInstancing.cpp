// The graphics manager's instance-set table, tile-map registry and the body
// of the instanced pass.
#include "graphics/VXGraphicsManager.h"

#include "graphics/VXParticleEmitter.h"

#include <GL/glew.h>

namespace FrameWork {

VXInstanceSet* VXGraphicsManager::AddInstanceSet(const std::string& name, int32_t depth) {
    instanceSets.push_back(std::make_unique<VXInstanceSet>(name.c_str(), depth));
    return instanceSets.back().get();
}

VXInstanceSet* VXGraphicsManager::FindInstanceSet(const std::string& name) {
    for (auto& set : instanceSets)
        if (set->_name == name) return set.get();
    return nullptr;
}

void VXGraphicsManager::LoadInstanceSetImage(const std::string& name, const std::string& path,
                                             int32_t rows, int32_t columns) {
    if (VXInstanceSet* set = FindInstanceSet(name)) set->LoadImage(path.c_str(), rows, columns);
}

void VXGraphicsManager::LoadTilemap(const std::string& path) {
    LoadTilemapFile(path, tilemaps);
}

void VXGraphicsManager::DrawInstanceSets() {
    auto drawSet = [](VXInstanceSet& set) {
        set.Upload();
        set.Draw();
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindTexture(GL_TEXTURE_2D, 0);
    };
    for (auto& set : instanceSets)
        if (set->visible) drawSet(*set);
    for (auto& emitter : emitters) {
        if (!emitter || !emitter->active || !emitter->instanceSet) continue;
        emitter->UploadInstances();
        drawSet(*emitter->instanceSet);
    }
}

}  // namespace FrameWork
