// The physics system: the collider and rigid-body lists of the running
// level, and the collision tests the levels, skills and hazards call.
#pragma once

#include <memory>
#include <vector>

#include "core/System.h"
#include "physics/VXVec3.h"

namespace FrameWork {

class VXAABB;
class VXOBB;
class VXCircleCollider;
class VXRigidBody;

class VXPhysicsManager : public System {
public:
    // Created without a line.
    static VXPhysicsManager* Instance();
    static void Destroy();

    // Type 7 hands the four lists to the debug manager; others are ignored.
    void HandleMessage(Message* msg) override;
    // Moves the active box and oriented-box colliders onto their owners'
    // world matrices; circles and bodies are not touched.  dt is not used.
    void Update(float dt) override;
    ~VXPhysicsManager() override;

    // Append the component unless that very component is already listed.
    void RegisterAABB(std::shared_ptr<VXAABB> box);
    void RegisterOBB(std::shared_ptr<VXOBB> box);
    void RegisterCircle(std::shared_ptr<VXCircleCollider> circle);
    void RegisterRigidBody(std::shared_ptr<VXRigidBody> body);

    // Releases every entry of the four lists (their capacity stays).
    void Reset();

    // --- Collision tests.  They use no state of the manager; a contact is
    // written only into owners that have a rigid body.

    // Box against box by centre distance; touching is no contact.  Writes
    // the contact (normal from b towards a, signed depth, side flag,
    // contactOnX) into both bodies.
    static bool CollideAABB(VXAABB* a, VXAABB* b);
    // The same test writing only a's body.
    static void ResolveBoxOverlapOneSided(VXAABB* a, VXAABB* b);
    static bool CollideBoxOneSided(VXAABB* a, VXAABB* b);
    // Whether both boxes are active and overlap or touch now (Min / Max);
    // the velocities do not change the answer.  Writes nothing.
    static bool SweptAABB(VXAABB* a, const Vec3& velocityA, VXAABB* b, const Vec3& velocityB);
    // Separating-axis test of two oriented boxes (active flags not read);
    // b's body gets the depth and axis of a's smallest overlap.
    static bool CollideOBB(VXOBB* a, VXOBB* b);
    // Separating-axis test of a box against an oriented box; a's body gets
    // the depth and axis of the smallest overlap on b's axes.
    static bool CollideAABBOBB(VXAABB* a, VXOBB* b);

    std::vector<std::shared_ptr<VXAABB>> aabbs;
    std::vector<std::shared_ptr<VXOBB>> obbs;
    std::vector<std::shared_ptr<VXCircleCollider>> circles;
    std::vector<std::shared_ptr<VXRigidBody>> bodies;

private:
    VXPhysicsManager();
};

}  // namespace FrameWork
