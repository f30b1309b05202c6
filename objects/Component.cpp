#include "objects/Component.h"

#include "core/Message.h"
#include "objects/GameObject.h"

namespace FrameWork {

Component::Component(GameObject* o)
    : owner(o), type(0), active(1), ownerObjectType(o ? o->objectType : 0) {}

Component::~Component() {
    owner = nullptr;
}

void Component::HandleMessage(Message* message) {
    if (message && message->type == MSG_UPDATE) Update(static_cast<UpdateMessage*>(message)->dt);
}

void Component::Update(float) {}
void Component::Init() {}
void Component::Disable() {}

}  // namespace FrameWork
