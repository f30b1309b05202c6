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

#include <cstdio>

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
    if (!sprite->texture && !record.textureName.empty())
        std::printf(" -> Sprite of \"%s\": sheet %s is not in the texture list; it is not drawn\n",
                    o->g_name.c_str(), record.textureName.c_str());
    sprite->layer = record.layer;
    sprite->alpha = record.alpha;
    sprite->red = record.red;
    sprite->green = record.green;
    sprite->blue = record.blue;
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

// The kinds whose values the editor's panels edit take every value their
// block held; the others keep the constructor's.
void BuildBody(GameObject* o, const GameObjectData& d) {
    if (!d.rigidBody.present) return;
    auto* body = static_cast<VXRigidBody*>(AddComponentOfKind(o, CT_RigidBody));
    if (!body) return;
    const GameObjectData::RigidBody& r = d.rigidBody;
    const float* scalars[3] = {&r.mass, &r.damping, &r.inverseMass};
    float* fields[3] = {&body->mass, &body->damping, &body->inversemass};
    for (int k = 0; k < 3; ++k)
        if (r.read[k]) *fields[k] = *scalars[k];
    const float* triples[4] = {r.acceleration, r.velocity, r.position, r.accumForce};
    Vec3* vectors[4] = {&body->Acceleration, &body->Velocity, &body->Position, &body->AccumForce};
    for (int k = 0; k < 4; ++k)
        if (r.read[3 + k]) *vectors[k] = Vec3(triples[k][0], triples[k][1], triples[k][2]);
}

void BuildCircle(GameObject* o, const GameObjectData& d) {
    if (!d.circle.present) return;
    auto* circle = static_cast<VXCircleCollider*>(AddComponentOfKind(o, CT_CircleCollider));
    if (!circle) return;
    if (d.circle.read[0]) circle->radius = d.circle.radius;
    if (d.circle.read[1])
        circle->centerPt = Vec3(d.circle.centre[0], d.circle.centre[1], d.circle.centre[2]);
}

void BuildBullet(GameObject* o, const GameObjectData& d) {
    if (!d.bullet.present) return;
    auto* bullet = static_cast<VXBulletComponent*>(AddComponentOfKind(o, CT_Bullet));
    if (!bullet) return;
    bullet->savedInt = d.bullet.first;
    bullet->lifetime = d.bullet.lifetime;
    bullet->savedNumber = d.bullet.number;
    bullet->state = d.bullet.state;
}

void BuildSpawnPoint(GameObject* o, const GameObjectData& d) {
    if (!d.spawnPoint.present) return;
    auto* point = static_cast<VXSpPointComponent*>(AddComponentOfKind(o, CT_SpawnPoint));
    if (!point) return;
    point->restTimer = d.spawnPoint.restTimer;
    point->savedInt = d.spawnPoint.value;
}

void BuildWall(GameObject* o, const GameObjectData& d) {
    if (!d.wall.present) return;
    auto* wall = static_cast<VXWallLogicCom*>(AddComponentOfKind(o, CT_WallLogic));
    if (!wall) return;
    wall->hitPoints = d.wall.hitPoints;
    wall->lifeTimer = d.wall.lifeTimer;
}

// The attack durations; the rest is the character's own set-up.
void BuildPlayerLogic(GameObject* o, const GameObjectData& d) {
    if (!d.playerLogic.present) return;
    auto* logic = static_cast<VXPlayerLogic*>(AddComponentOfKind(o, CT_PlayerLogic));
    if (!logic) return;
    logic->lightAttackDuration = d.playerLogic.durations[0];
    logic->mediumAttackDuration = d.playerLogic.durations[1];
    logic->heavyAttackDuration = d.playerLogic.durations[2];
    logic->delayDuration = d.playerLogic.durations[3];
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
bool HasShootLogic(const GameObjectData& d) {
    return d.shootLogic.present;
}
bool HasEnemyAI(const GameObjectData& d) {
    return d.enemyAI.present;
}
bool HasTrap(const GameObjectData& d) {
    return d.trapPresent;
}
bool HasFlag(const GameObjectData& d) {
    return d.flagPresent;
}
bool HasBlockBomb(const GameObjectData& d) {
    return d.blockBombPresent;
}

// In the order a loaded object's components are built (and saved again).
// The block-bomb pointer (17) has no kind; 7 is not assigned.  Columns:
// type, make, joins, made by AddComponentById, build from a record, built
// for prefabs too.
const ComponentKind kKinds[] = {
    {CT_Sprite, &Make<VXSpriteComponent>, &JoinRenderList, true, &BuildSprite, true},
    {CT_RigidBody, &Make<VXRigidBody>, &JoinBodies, true, &BuildBody, true},
    {CT_CircleCollider, &MakeCircle, &JoinCircles, true, &BuildCircle, true},
    {CT_AABB, &MakeAABB, &JoinAABBs, true, &BuildAABB, true},
    {CT_ShootLogic, &Make<VXShootLogicComponent>, nullptr, true,
     &BuildMarked<CT_ShootLogic, HasShootLogic>, true},
    {CT_EnemyLogic, &Make<EnemyAILogicCom>, nullptr, true, &BuildMarked<CT_EnemyLogic, HasEnemyAI>,
     true},
    {CT_Text, &MakeText, &JoinTextList, true, &BuildTexts, true},
    {CT_Bullet, &Make<VXBulletComponent>, nullptr, true, &BuildBullet, true},
    {CT_ParticleEmitter, &MakeEmitter, &JoinEmitters, true, &BuildEmitter, false},
    {CT_Trap, &Make<VXTrapComponent>, nullptr, false, &BuildMarked<CT_Trap, HasTrap>, true},
    {CT_SpawnPoint, &Make<VXSpPointComponent>, nullptr, true, &BuildSpawnPoint, false},
    {CT_WallLogic, &Make<VXWallLogicCom>, nullptr, true, &BuildWall, false},
    {CT_Flag, &Make<VXFlagCom>, nullptr, true, &BuildMarked<CT_Flag, HasFlag>, false},
    {CT_PlayerLogic, &MakePlayerLogic, nullptr, false, &BuildPlayerLogic, false},
    // Not read from object files (the oriented box, marked by its block, is
    // built by the object manager once the object has its parent).
    {CT_GameManager, &Make<VXGameManagerComponent>, nullptr, false, nullptr, true},
    {CT_Chest, &Make<VXChestComponent>, nullptr, false, nullptr, true},
    {CT_OBB, &MakeOBB, &JoinOBBs, true, nullptr, true},
    {CT_BlockBomb, &Make<VXBlockBombCom>, nullptr, true, &BuildMarked<CT_BlockBomb, HasBlockBomb>,
     false},
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
