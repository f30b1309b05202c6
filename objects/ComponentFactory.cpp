#include "objects/ComponentFactory.h"

#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXBlockBomb.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXOBB.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

std::map<int, std::shared_ptr<ComponentFactory>> g_componentFactories;

Component* SpriteComponent::Create(GameObject* o) { return new VXSpriteComponent(o); }
Component* RigidBodyComponent::Create(GameObject* o) { return new VXRigidBody(o); }
// The colliders take the owner's world matrix and size; the circle's radius
// is the owner's rotation about z.
Component* AABBComponent::Create(GameObject* o) {
    if (!o) return nullptr;
    return new VXAABB(o, o->worldMatrix, o->scale[0], o->scale[1]);
}
Component* OobbComF::Create(GameObject* o) {
    if (!o) return nullptr;
    return new VXOBB(o, o->worldMatrix, o->scale[0], o->scale[1]);
}
Component* CircleColliderComponent::Create(GameObject* o) {
    if (!o) return nullptr;
    return new VXCircleCollider(o, o->worldMatrix, o->rotation[2]);
}
Component* TextComponent::Create(GameObject* o) { return new VXTextComponent(o); }
Component* PlayerLogicCom::Create(GameObject* o) {
    return new VXPlayerLogic(o, o ? o->objectType : 0);
}
Component* PEmitterCom::Create(GameObject* o) { return new VXParticleEmitter(o, 1.5f, 100.0f); }
Component* GameManagerCom::Create(GameObject* o) { return new VXGameManagerComponent(o); }
Component* WallComFact::Create(GameObject* o) { return new VXWallLogicCom(o); }
Component* SpPtFact::Create(GameObject* o) { return new VXSpPointComponent(o); }
Component* BlockComFact::Create(GameObject* o) { return new VXBlockBombCom(o); }
Component* FlagComFact::Create(GameObject* o) { return new VXFlagCom(o); }
Component* ChestComponentFact::Create(GameObject* o) { return new VXChestComponent(o); }
Component* TrapComponent::Create(GameObject* o) { return new VXTrapComponent(o); }
Component* ShootLogicComponent::Create(GameObject* o) { return new VXShootLogicComponent(o); }
Component* EnemyLogicCom::Create(GameObject* o) { return new EnemyAILogicCom(o); }
Component* BulletComponent::Create(GameObject* o) { return new VXBulletComponent(o); }
Component* MineComFact::Create(GameObject* o) { return new VXMineCom(o); }
Component* MopComFact::Create(GameObject* o) { return new VXMopCom(o); }

void BuildComponentFactories() {
    if (!g_componentFactories.empty()) return;
    // Built in this order: 1, 3, 5, 2, 18, 6, 19, 20, 8, 9, 10, 15, 16, 4,
    // 12, 11, 13, 14, 21, 22.  The block-bomb pointer (17) has no factory.
    g_componentFactories = {
        {CT_Sprite, std::make_shared<SpriteComponent>()},
        {CT_AABB, std::make_shared<AABBComponent>()},
        {CT_CircleCollider, std::make_shared<CircleColliderComponent>()},
        {CT_RigidBody, std::make_shared<RigidBodyComponent>()},
        {CT_ShootLogic, std::make_shared<ShootLogicComponent>()},
        {CT_Text, std::make_shared<TextComponent>()},
        {CT_EnemyLogic, std::make_shared<EnemyLogicCom>()},
        {CT_Bullet, std::make_shared<BulletComponent>()},
        {CT_PlayerLogic, std::make_shared<PlayerLogicCom>()},
        {CT_ParticleEmitter, std::make_shared<PEmitterCom>()},
        {CT_GameManager, std::make_shared<GameManagerCom>()},
        {CT_Chest, std::make_shared<ChestComponentFact>()},
        {CT_Trap, std::make_shared<TrapComponent>()},
        {CT_OBB, std::make_shared<OobbComF>()},
        {CT_SpawnPoint, std::make_shared<SpPtFact>()},
        {CT_WallLogic, std::make_shared<WallComFact>()},
        {CT_BlockBomb, std::make_shared<BlockComFact>()},
        {CT_Flag, std::make_shared<FlagComFact>()},
        {CT_Mine, std::make_shared<MineComFact>()},
        {CT_Mop, std::make_shared<MopComFact>()},
    };
}

Component* CreateComponentById(int typeId, GameObject* owner) {
    auto it = g_componentFactories.lower_bound(typeId);
    if (it == g_componentFactories.end() || it->first != typeId || !it->second) return nullptr;
    return it->second->Create(owner);
}

}  // namespace FrameWork
