// The physics system: the collider and rigid-body lists of the running level.
#pragma once

#include <memory>
#include <vector>

#include "engine/System.h"

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
    // Moves the box colliders onto their owners.
    void Update(float dt) override;
    void Hook() override {}
    ~VXPhysicsManager() override;

    // Releases every entry of the four lists.
    void Reset();

    std::vector<std::shared_ptr<VXAABB>> aabbs;
    std::vector<std::shared_ptr<VXOBB>> obbs;
    std::vector<std::shared_ptr<VXCircleCollider>> circles;
    std::vector<std::shared_ptr<VXRigidBody>> bodies;

private:
    VXPhysicsManager();
};

}  // namespace FrameWork
