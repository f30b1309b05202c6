// The factory registry: one stateless factory per component type id, and
// CreateComponent, the one reader of the registry.
#pragma once

#include "objects/Component.h"
#include "objects/ComponentType.h"

#include <map>
#include <memory>

namespace FrameWork {

class GameObject;

class ComponentFactory {
public:
    // A new component for `owner`, with `type` still 0; the caller wraps it
    // in a shared pointer.
    virtual Component* Create(GameObject* owner) = 0;
    virtual ~ComponentFactory() = default;
};

#define VX_DECLARE_FACTORY(Name)                        \
    class Name : public ComponentFactory {              \
    public:                                             \
        Component* Create(GameObject* owner) override;  \
    }
VX_DECLARE_FACTORY(SpriteComponent);          // 1
VX_DECLARE_FACTORY(RigidBodyComponent);       // 2
VX_DECLARE_FACTORY(AABBComponent);            // 3
VX_DECLARE_FACTORY(OobbComF);                 // 4
VX_DECLARE_FACTORY(CircleColliderComponent);  // 5
VX_DECLARE_FACTORY(TextComponent);            // 6
VX_DECLARE_FACTORY(PlayerLogicCom);           // 8
VX_DECLARE_FACTORY(PEmitterCom);              // 9
VX_DECLARE_FACTORY(GameManagerCom);           // 10
VX_DECLARE_FACTORY(WallComFact);              // 11
VX_DECLARE_FACTORY(SpPtFact);                 // 12
VX_DECLARE_FACTORY(BlockComFact);             // 13
VX_DECLARE_FACTORY(FlagComFact);              // 14
VX_DECLARE_FACTORY(ChestComponentFact);       // 15
VX_DECLARE_FACTORY(TrapComponent);            // 16
VX_DECLARE_FACTORY(ShootLogicComponent);      // 18
VX_DECLARE_FACTORY(EnemyLogicCom);            // 19
VX_DECLARE_FACTORY(BulletComponent);          // 20
VX_DECLARE_FACTORY(MineComFact);              // 21
VX_DECLARE_FACTORY(MopComFact);               // 22
#undef VX_DECLARE_FACTORY

// Type id -> factory; filled once at start-up (BuildComponentFactories, run
// by the start-up step), never changed afterwards.
extern std::map<int, std::shared_ptr<ComponentFactory>> g_componentFactories;
void BuildComponentFactories();

// The component made by the factory of `typeId` for `owner`, or null when no
// factory has that id (7, 17 and unknown ids); no message.
Component* CreateComponentById(int typeId, GameObject* owner);

// A new T for `owner` through the registry, or an empty pointer.
template <class T>
std::shared_ptr<T> CreateComponent(GameObject* owner) {
    Component* made = CreateComponentById(ComponentTypeOf<T>::value, owner);
    return std::shared_ptr<T>(static_cast<T*>(made));
}

}  // namespace FrameWork
