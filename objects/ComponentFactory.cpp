#include "objects/ComponentFactory.h"

#include "objects/GameObject.h"

namespace FrameWork {

namespace {
const ComponentKind* g_kinds = nullptr;
size_t g_kindCount = 0;
}  // namespace

void InstallComponentKinds(const ComponentKind* kinds, size_t count) {
    g_kinds = kinds;
    g_kindCount = kinds ? count : 0;
}

const ComponentKind* InstalledComponentKinds(size_t& count) {
    count = g_kindCount;
    return g_kinds;
}

const ComponentKind* FindComponentKind(int typeId) {
    for (size_t i = 0; i < g_kindCount; ++i)
        if (g_kinds[i].type == typeId) return &g_kinds[i];
    return nullptr;
}

Component* CreateComponentById(int typeId, GameObject* owner) {
    const ComponentKind* kind = FindComponentKind(typeId);
    return kind && kind->create ? kind->create(owner, 0) : nullptr;
}

Component* AddComponentOfKind(GameObject* owner, int typeId, int number) {
    const ComponentKind* kind = FindComponentKind(typeId);
    if (!owner || !kind || !kind->create) return nullptr;
    std::shared_ptr<Component> component(kind->create(owner, number));
    if (!owner->Attach(component, typeId, typeId != CT_Text)) return nullptr;
    if (kind->join) kind->join(component);
    return component.get();
}

}  // namespace FrameWork
