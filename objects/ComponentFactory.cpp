#include "objects/ComponentFactory.h"

namespace FrameWork {

std::map<int, std::shared_ptr<ComponentFactory>> g_componentFactories;

void BuildComponentFactories() {
    if (!g_componentFactories.empty()) return;
    // Filled as the component classes join the build.
}

Component* CreateComponentById(int typeId, GameObject* owner) {
    auto it = g_componentFactories.lower_bound(typeId);
    if (it == g_componentFactories.end() || it->first != typeId || !it->second) return nullptr;
    return it->second->Create(owner);
}

}  // namespace FrameWork
