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
#include "objects/VXObjectLoader.h"
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

// --- Building from loaded records ---------------------------------------

void BuildSprite(GameObject* o, const GameObjectData& d) {
    if (!d.sprite.present) return;
    auto* sprite = static_cast<VXSpriteComponent*>(AddComponentOfKind(o, CT_Sprite));
    if (!sprite) return;
    const GameObjectData::Sprite& record = d.sprite;
    sprite->texture = VXGraphicsManager::Instance()->FindTexture(record.textureName);
    sprite->layer = record.layer;
    sprite->alpha = record.alpha;
    sprite->playing = record.playing;
    if (record.rowCount == 0) return;
    // The sprite's own rule, so that a rate out of 1..60 is stored as the one
    // step a second it plays at, and a save and reload keep that speed.
    sprite->SetFPS(record.fps);
    sprite->SetAnimationCount(record.rowCount);
    sprite->AddCellRows(record.rows);
}

void BuildAABB(GameObject* o, const GameObjectData& d) {
    if (!d.aabb.present) return;
    auto* box = static_cast<VXAABB*>(AddComponentOfKind(o, CT_AABB));
    if (box) box->SetHalfExtents(d.aabb.halfWidth, d.aabb.halfHeight);
}

void BuildTexts(GameObject* o, const GameObjectData& d) {
    for (const GameObjectData::Text& t : d.texts) {
        if (!t.present) continue;
        auto* text = static_cast<VXTextComponent*>(AddComponentOfKind(o, CT_Text, t.number));
        if (!text) continue;
        text->value = t.value;
        text->alpha = t.alpha;
        text->red = t.red;
        text->green = t.green;
        text->blue = t.blue;
    }
}

void BuildEmitter(GameObject* o, const GameObjectData& d) {
    if (!d.emitter.present) return;
    auto* emitter = static_cast<VXParticleEmitter*>(AddComponentOfKind(o, CT_ParticleEmitter));
    if (!emitter) return;
    const GameObjectData::Emitter& record = d.emitter;
    emitter->SetImageName(record.imageName);
    if (!record.imageName.empty())
        emitter->LoadImage(record.imageName, record.sheetRows, record.sheetColumns);
    emitter->maxNumber = record.maxNumber;
    emitter->lifetime = record.lifetime;
    emitter->emitAmount = record.emitAmount;
    emitter->scale = record.scale;
    emitter->Init();
    emitter->FillInstances();
}

// Kinds whose block only marks them: the component with its own defaults.
template <int32_t Type, bool (*Present)(const GameObjectData&)>
void BuildMarked(GameObject* o, const GameObjectData& d) {
    if (Present(d)) AddComponentOfKind(o, Type);
}
bool HasBody(const GameObjectData& d) {
    return d.rigidBody.present;
}
bool HasCircle(const GameObjectData& d) {
    return d.circle.present;
}
bool HasShootLogic(const GameObjectData& d) {
    return d.shootLogic.present;
}
bool HasEnemyAI(const GameObjectData& d) {
    return d.enemyAI.present;
}
bool HasBullet(const GameObjectData& d) {
    return d.bullet.present;
}
bool HasTrap(const GameObjectData& d) {
    return d.trapPresent;
}
bool HasSpawnPoint(const GameObjectData& d) {
    return d.spawnPoint.present;
}
bool HasWall(const GameObjectData& d) {
    return d.wall.present;
}
bool HasFlag(const GameObjectData& d) {
    return d.flagPresent;
}
bool HasPlayerLogic(const GameObjectData& d) {
    return d.playerLogic.present;
}

// In the order a loaded object's components are built (and saved again).
// The block-bomb pointer (17) has no kind; 7 is not assigned.  Columns:
// type, make, joins, made by AddComponentById, build from a record, built
// for prefabs too.
const ComponentKind kKinds[] = {
    {CT_Sprite, &Make<VXSpriteComponent>, &JoinRenderList, true, &BuildSprite, true},
    {CT_RigidBody, &Make<VXRigidBody>, &JoinBodies, true, &BuildMarked<CT_RigidBody, HasBody>,
     true},
    {CT_CircleCollider, &MakeCircle, &JoinCircles, true, &BuildMarked<CT_CircleCollider, HasCircle>,
     true},
    {CT_AABB, &MakeAABB, &JoinAABBs, true, &BuildAABB, true},
    {CT_ShootLogic, &Make<VXShootLogicComponent>, nullptr, true,
     &BuildMarked<CT_ShootLogic, HasShootLogic>, true},
    {CT_EnemyLogic, &Make<EnemyAILogicCom>, nullptr, true, &BuildMarked<CT_EnemyLogic, HasEnemyAI>,
     true},
    {CT_Text, &MakeText, &JoinTextList, true, &BuildTexts, true},
    {CT_Bullet, &Make<VXBulletComponent>, nullptr, true, &BuildMarked<CT_Bullet, HasBullet>, true},
    {CT_ParticleEmitter, &MakeEmitter, &JoinEmitters, true, &BuildEmitter, false},
    {CT_Trap, &Make<VXTrapComponent>, nullptr, false, &BuildMarked<CT_Trap, HasTrap>, true},
    {CT_SpawnPoint, &Make<VXSpPointComponent>, nullptr, true,
     &BuildMarked<CT_SpawnPoint, HasSpawnPoint>, false},
    {CT_WallLogic, &Make<VXWallLogicCom>, nullptr, true, &BuildMarked<CT_WallLogic, HasWall>,
     false},
    {CT_Flag, &Make<VXFlagCom>, nullptr, true, &BuildMarked<CT_Flag, HasFlag>, false},
    {CT_PlayerLogic, &MakePlayerLogic, nullptr, false, &BuildMarked<CT_PlayerLogic, HasPlayerLogic>,
     false},
    // Not read from object files.
    {CT_GameManager, &Make<VXGameManagerComponent>, nullptr, false, nullptr, true},
    {CT_Chest, &Make<VXChestComponent>, nullptr, false, nullptr, true},
    {CT_OBB, &MakeOBB, &JoinOBBs, true, nullptr, true},
    {CT_BlockBomb, &Make<VXBlockBombCom>, nullptr, true, nullptr, true},
    {CT_Mine, &Make<VXMineCom>, nullptr, true, nullptr, true},
    {CT_Mop, &Make<VXMopCom>, nullptr, true, nullptr, true},
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
