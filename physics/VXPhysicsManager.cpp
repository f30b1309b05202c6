#include "physics/VXPhysicsManager.h"

#include <algorithm>

#include "core/Message.h"
#include "core/VXDebugManager.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXCollision.h"
#include "physics/VXOBB.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

VXPhysicsManager* g_physicsManager = nullptr;

template <class T>
void RegisterOnce(std::vector<std::shared_ptr<T>>& list, std::shared_ptr<T> item) {
    if (!item) return;
    const auto same = [&item](const std::shared_ptr<T>& p) { return p.get() == item.get(); };
    if (std::find_if(list.begin(), list.end(), same) == list.end()) list.push_back(std::move(item));
}

VXRigidBody* BodyOf(const Component* c) {
    if (!c || !c->owner) return nullptr;
    return static_cast<VXRigidBody*>(c->owner->GetComponent(CT_RigidBody));
}

BoxShape ShapeOf(const VXAABB& box) {
    return BoxShape{box.centre[0], box.centre[1], box.halfWidth, box.halfHeight};
}

// Writes one box's side of a box contact; `side` is +1 for the box whose
// centre lies on the + side of the contact axis, -1 for the other.
void WriteBoxContact(VXRigidBody* body, const BoxContact& c, float side) {
    if (!body) return;
    body->contactNormal = c.Normal();
    body->contactOnX = c.onX ? 1 : 0;
    body->penetrationDepth = side * c.overlap;
    const float flag = side > 0.0f ? 1.0f : 0.0f;
    if (c.onX)
        body->contactFlagX = flag;
    else
        body->contactFlagY = flag;
}

// The box contact of a and b, or no contact when either box is missing or
// inactive.
BoxContact BoxContactOf(const VXAABB* a, const VXAABB* b) {
    if (!a || !b || !a->active || !b->active) return BoxContact{};
    return OverlapBoxes(ShapeOf(*a), ShapeOf(*b));
}

void WriteAxisContact(VXRigidBody* body, const AxisContact& c) {
    if (!body) return;
    body->penetrationDepth = c.depth;
    body->contactNormal = c.axis;
}

}  // namespace

VXPhysicsManager* VXPhysicsManager::Instance() {
    if (!g_physicsManager) g_physicsManager = new VXPhysicsManager();
    return g_physicsManager;
}

void VXPhysicsManager::Destroy() {
    delete g_physicsManager;
    g_physicsManager = nullptr;
}

VXPhysicsManager::VXPhysicsManager() {
    aabbs.reserve(10000);
}

VXPhysicsManager::~VXPhysicsManager() {
    bodies.clear();
    circles.clear();
    obbs.clear();
    aabbs.clear();
}

void VXPhysicsManager::HandleMessage(Message* msg) {
    if (!msg || msg->type != MSG_PHYSICS_LISTS) return;
    VXDebugManager* debug = static_cast<MSGPhysics*>(msg)->debug;
    if (!debug) return;
    debug->aabbs = &aabbs;
    debug->obbs = &obbs;
    debug->circles = &circles;
    debug->bodies = &bodies;
}

void VXPhysicsManager::Update(float) {
    for (const auto& box : aabbs) {
        if (!box || !box->active || !box->owner) continue;
        box->MoveTo(box->owner->worldMatrix[3], box->owner->worldMatrix[7]);
    }
    for (const auto& box : obbs) {
        if (!box || !box->active || !box->owner) continue;
        box->Update(box->owner->worldMatrix, box->owner->rotation[2]);
    }
}

void VXPhysicsManager::RegisterAABB(std::shared_ptr<VXAABB> box) {
    RegisterOnce(aabbs, std::move(box));
}
void VXPhysicsManager::RegisterOBB(std::shared_ptr<VXOBB> box) {
    RegisterOnce(obbs, std::move(box));
}
void VXPhysicsManager::RegisterCircle(std::shared_ptr<VXCircleCollider> circle) {
    RegisterOnce(circles, std::move(circle));
}
void VXPhysicsManager::RegisterRigidBody(std::shared_ptr<VXRigidBody> body) {
    RegisterOnce(bodies, std::move(body));
}

void VXPhysicsManager::Reset() {
    aabbs.clear();
    obbs.clear();
    circles.clear();
    bodies.clear();
}

bool VXPhysicsManager::CollideAABB(VXAABB* a, VXAABB* b) {
    const BoxContact c = BoxContactOf(a, b);
    if (!c.hit) return false;
    WriteBoxContact(BodyOf(a), c, c.sign);
    WriteBoxContact(BodyOf(b), c, -c.sign);
    return true;
}

void VXPhysicsManager::ResolveBoxOverlapOneSided(VXAABB* a, VXAABB* b) {
    CollideBoxOneSided(a, b);
}

bool VXPhysicsManager::CollideBoxOneSided(VXAABB* a, VXAABB* b) {
    const BoxContact c = BoxContactOf(a, b);
    if (!c.hit) return false;
    WriteBoxContact(BodyOf(a), c, c.sign);
    return true;
}

bool VXPhysicsManager::SweptAABB(VXAABB* a, const Vec3&, VXAABB* b, const Vec3&) {
    if (!a || !b || !a->active || !b->active) return false;
    return BoxesMeet(a->Min, a->Max, b->Min, b->Max);
}

bool VXPhysicsManager::CollideOBB(VXOBB* a, VXOBB* b) {
    if (!a || !b) return false;
    const AxisContact c =
        SeparatingAxes(a->GetVertices(), b->GetVertices(), a->GetNormals(), b->GetNormals());
    if (!c.hit) return false;
    WriteAxisContact(BodyOf(b), c);
    return true;
}

bool VXPhysicsManager::CollideAABBOBB(VXAABB* a, VXOBB* b) {
    if (!a || !b || !a->active || !b->active) return false;
    const std::vector<Vec3> corners = BoxCorners(a->Min, a->Max, a->halfWidth);
    const AxisContact c =
        SeparatingAxes(corners, b->GetVertices(), b->GetNormals(), VXOBB::BuildNormals(corners));
    if (!c.hit) return false;
    WriteAxisContact(BodyOf(a), c);
    return true;
}

}  // namespace FrameWork
