// Base of every component: a behaviour or a piece of data attached to one
// game object, created by type id through the factory registry.
#pragma once

#include "objects/ComponentType.h"
#include "objects/JsonWriter.h"
#include "objects/UnreadBlock.h"

#include <cstdint>
#include <vector>

class Message;

namespace FrameWork {

class GameObject;

class Component {
public:
    // owner := owner, type := 0 (AddComponent stamps it), active := 1,
    // ownerObjectType := the owner's object type (0 without an owner).
    explicit Component(GameObject* owner);
    // Resets `owner`.
    virtual ~Component();

    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // Writes the component's own block (key and value) into the object
    // being written.  Components without a block write nothing.
    virtual void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) = 0;
    // Type 3 (UpdateMessage) calls Update with its frame time; any other
    // message is ignored.
    virtual void HandleMessage(Message* message);
    // Per-frame work; nothing by default.
    virtual void Update(float dt);
    // Nothing by default.
    virtual void Init();
    // Nothing by default.
    virtual void Disable();

    GameObject* owner;
    int32_t type;
    uint8_t active;
    int32_t ownerObjectType;
    // The values of its block the game did not read, put back in their
    // places whenever the component is written; they go with the component.
    std::vector<UnreadValue> unreadValues;
};

}  // namespace FrameWork
