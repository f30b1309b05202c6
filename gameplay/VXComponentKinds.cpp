#include "gameplay/VXComponentKinds.h"

#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXBlockBomb.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

// Kinds made from the owner alone.
template <class T>
Component* Make(GameObject* owner, int) {
    return new T(owner);
}

// The colliders take the owner's world matrix and size; the circle's radius
// is the owner's rotation about z.
Component* MakeAABB(GameObject* o, int) {
    return o ? new VXAABB(o, o->worldMatrix, o->scale[0], o->scale[1]) : nullptr;
}
Component* MakeOBB(GameObject* o, int) {
    return o ? new VXOBB(o, o->worldMatrix, o->scale[0], o->scale[1]) : nullptr;
}
Component* MakeCircle(GameObject* o, int) {
    return o ? new VXCircleCollider(o, o->worldMatrix, o->rotation[2]) : nullptr;
}
Component* MakeText(GameObject* o, int number) {
    auto* text = new VXTextComponent(o);
    text->number = number;
    return text;
}
Component* MakePlayerLogic(GameObject* o, int) {
    return new VXPlayerLogic(o, o ? o->objectType : 0);
}
Component* MakeEmitter(GameObject* o, int) {
    return new VXParticleEmitter(o, 1.5f, 100.0f);
}

template <class T>
std::shared_ptr<T> As(const std::shared_ptr<Component>& c) {
    return std::static_pointer_cast<T>(c);
}

void JoinRenderList(const std::shared_ptr<Component>& c) {
    VXGraphicsManager::Instance()->AddToRenderList(As<VXSpriteComponent>(c));
}
void JoinTextList(const std::shared_ptr<Component>& c) {
    VXGraphicsManager::Instance()->textList.push_back(As<VXTextComponent>(c));
}
void JoinEmitters(const std::shared_ptr<Component>& c) {
    VXGraphicsManager::Instance()->emitters.push_back(As<VXParticleEmitter>(c));
}
void JoinBodies(const std::shared_ptr<Component>& c) {
    VXPhysicsManager::Instance()->RegisterRigidBody(As<VXRigidBody>(c));
}
void JoinAABBs(const std::shared_ptr<Component>& c) {
    VXPhysicsManager::Instance()->RegisterAABB(As<VXAABB>(c));
}
void JoinOBBs(const std::shared_ptr<Component>& c) {
    VXPhysicsManager::Instance()->RegisterOBB(As<VXOBB>(c));
}
void JoinCircles(const std::shared_ptr<Component>& c) {
    VXPhysicsManager::Instance()->RegisterCircle(As<VXCircleCollider>(c));
}

// The block-bomb pointer (17) has no kind; 7 is not assigned.
const ComponentKind kKinds[] = {
    {CT_Sprite, &Make<VXSpriteComponent>, &JoinRenderList, true},
    {CT_AABB, &MakeAABB, &JoinAABBs, true},
    {CT_CircleCollider, &MakeCircle, &JoinCircles, true},
    {CT_RigidBody, &Make<VXRigidBody>, &JoinBodies, true},
    {CT_ShootLogic, &Make<VXShootLogicComponent>, nullptr, true},
    {CT_Text, &MakeText, &JoinTextList, true},
    {CT_EnemyLogic, &Make<EnemyAILogicCom>, nullptr, true},
    {CT_Bullet, &Make<VXBulletComponent>, nullptr, true},
    {CT_PlayerLogic, &MakePlayerLogic, nullptr, false},
    {CT_ParticleEmitter, &MakeEmitter, &JoinEmitters, true},
    {CT_GameManager, &Make<VXGameManagerComponent>, nullptr, false},
    {CT_Chest, &Make<VXChestComponent>, nullptr, false},
    {CT_Trap, &Make<VXTrapComponent>, nullptr, false},
    {CT_OBB, &MakeOBB, &JoinOBBs, true},
    {CT_SpawnPoint, &Make<VXSpPointComponent>, nullptr, true},
    {CT_WallLogic, &Make<VXWallLogicCom>, nullptr, true},
    {CT_BlockBomb, &Make<VXBlockBombCom>, nullptr, true},
    {CT_Flag, &Make<VXFlagCom>, nullptr, true},
    {CT_Mine, &Make<VXMineCom>, nullptr, true},
    {CT_Mop, &Make<VXMopCom>, nullptr, true},
};

}  // namespace

const ComponentKind* ComponentKindTable(size_t& count) {
    count = sizeof(kKinds) / sizeof(kKinds[0]);
    return kKinds;
}

void BuildComponentFactories() {
    size_t count = 0;
    const ComponentKind* kinds = ComponentKindTable(count);
    InstallComponentKinds(kinds, count);
}

}  // namespace FrameWork
