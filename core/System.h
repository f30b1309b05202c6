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

}  // namespace FrameWork
