#include "physics/VXPhysicsManager.h"

#include "engine/Message.h"
#include "engine/VXDebugManager.h"

namespace FrameWork {

namespace {
VXPhysicsManager* g_physicsManager = nullptr;
}

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

// Colliders follow their owners once the collider components exist.
void VXPhysicsManager::Update(float) {}

void VXPhysicsManager::Reset() {
    aabbs.clear();
    obbs.clear();
    circles.clear();
    bodies.clear();
}

}  // namespace FrameWork
