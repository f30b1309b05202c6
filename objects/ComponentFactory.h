// The component kinds: one descriptor per component type id, installed once
// at start-up from the table the layer above the component classes keeps
// (gameplay/VXComponentKinds), and CreateComponentById, the one maker of
// components by id.
#pragma once

#include "objects/Component.h"
#include "objects/ComponentType.h"

#include <cstddef>
#include <memory>

namespace FrameWork {

class GameObject;

struct ComponentKind {
    int32_t type = 0;
    // A new component for `owner`, with `type` still 0; `number` is the
    // text's number and ignored by every other kind.
    Component* (*create)(GameObject* owner, int number) = nullptr;
    // Hands a component just attached to the manager list it joins (null:
    // it joins none).
    void (*join)(const std::shared_ptr<Component>& component) = nullptr;
    // AddComponentById makes it (player logic, game manager, chest and trap
    // are made only by their own Add operation).
    bool madeById = true;
};

// Installs the kinds (the table stays the caller's; a later call replaces
// the earlier one).
void InstallComponentKinds(const ComponentKind* kinds, size_t count);
// The installed kind of `typeId`, or null (7, 17 and unknown ids).
const ComponentKind* FindComponentKind(int typeId);

// The component made by the kind of `typeId` for `owner`, or null when no
// kind has that id; no message.
Component* CreateComponentById(int typeId, GameObject* owner);

// A new T for `owner` through the kinds, or an empty pointer.
template <class T>
std::shared_ptr<T> CreateComponent(GameObject* owner) {
    Component* made = CreateComponentById(ComponentTypeOf<T>::value, owner);
    return std::shared_ptr<T>(static_cast<T*>(made));
}

}  // namespace FrameWork
