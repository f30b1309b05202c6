// The component kinds: one descriptor per component type id, installed once
// at start-up from the table the layer above the component classes keeps
// (gameplay/VXComponentKinds).  CreateComponentById and AddComponentOfKind
// make components by id; the object manager builds loaded records through
// the kinds' build steps.
#pragma once

#include "objects/Component.h"
#include "objects/ComponentType.h"

#include <cstddef>
#include <memory>

namespace FrameWork {

class GameObject;
struct GameObjectData;

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
    // Builds the kind's component on `object` from a loaded record when the
    // record holds the kind's block (null: the kind is not read from files).
    void (*build)(GameObject* object, const GameObjectData& record) = nullptr;
    // Prefab files build it too (else only level files do).
    bool inPrefabs = true;
};

// Installs the kinds (the table stays the caller's; a later call replaces
// the earlier one).  Their order is the order in which a loaded object's
// components are built, and so the order in which they are saved again.
void InstallComponentKinds(const ComponentKind* kinds, size_t count);
// The installed kinds, in their order.
const ComponentKind* InstalledComponentKinds(size_t& count);
// The installed kind of `typeId`, or null (7, 17 and unknown ids).
const ComponentKind* FindComponentKind(int typeId);

// Makes the kind's component for `owner`, attaches it (texts without the
// duplicate check, every other kind refused a second time) and hands it to
// the manager list the kind joins.  The component, or null.
Component* AddComponentOfKind(GameObject* owner, int typeId, int number = 0);

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
