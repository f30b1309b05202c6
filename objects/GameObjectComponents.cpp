// The game object's operations that reach into particular component kinds.
#include "objects/GameObject.h"

#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXBlockBomb.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"

namespace FrameWork {

bool GameObject::AddTextComponent(std::shared_ptr<VXTextComponent> component) {
    return Attach(std::shared_ptr<Component>(std::move(component)), CT_Text, false);
}

Component* GameObject::FindComponentWithKey(int typeId, const int& key) const {
    for (const auto& c : components) {
        if (!c || c->type != typeId) continue;
        // Only texts carry a number.
        if (typeId == CT_Text && static_cast<VXTextComponent*>(c.get())->number == key)
            return c.get();
    }
    return nullptr;
}

template <class T>
static T* Typed(const GameObject* object) {
    return static_cast<T*>(object->GetComponent(ComponentTypeOf<T>::value));
}

VXAABB* GameObject::GetAABB() const { return Typed<VXAABB>(this); }
VXCircleCollider* GameObject::GetCircleCollider() const { return Typed<VXCircleCollider>(this); }
VXPlayerLogic* GameObject::GetPlayerLogic() const { return Typed<VXPlayerLogic>(this); }
VXWallLogicCom* GameObject::GetWallLogic() const { return Typed<VXWallLogicCom>(this); }
VXSpPointComponent* GameObject::GetSpawnPoint() const { return Typed<VXSpPointComponent>(this); }
VXBlockBombCom* GameObject::GetBlockBomb() const { return Typed<VXBlockBombCom>(this); }
VXFlagCom* GameObject::GetFlag() const { return Typed<VXFlagCom>(this); }
VXBlockBombPointer* GameObject::GetBlockBombPointer() const { return Typed<VXBlockBombPointer>(this); }
VXMineCom* GameObject::GetMine() const { return Typed<VXMineCom>(this); }
VXMopCom* GameObject::GetMop() const { return Typed<VXMopCom>(this); }

void GameObject::SetFollower(GameObject* f) {
    follower = f;
    if (!f) return;
    auto* sprite = Typed<VXSpriteComponent>(f);
    VXPlayerLogic* logic = GetPlayerLogic();
    if (logic && sprite) sprite->SetAnimation(logic->team == 1 ? 0 : 1);
    if (sprite) sprite->worldSpace = true;
}

}  // namespace FrameWork
