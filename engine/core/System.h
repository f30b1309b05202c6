// Base of the engine's managers.  Messages are handed to them by direct calls
// (see VXEngine::Broadcast); there is no queue.
#pragma once

class Message;

namespace FrameWork {

class System {
public:
    virtual void HandleMessage(Message* msg) = 0;
    virtual void Update(float dt) = 0;
    virtual ~System() = default;
};

// The shared bodies of the managers that do not care about messages or
// updates: they take their one argument and ignore it.
inline void IgnoreMessage(Message*) {}
inline void IgnoreUpdate(float) {}

}  // namespace FrameWork
