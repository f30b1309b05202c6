// Draws the physics state as coloured lines; F7 switches it on and off.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/System.h"

namespace FrameWork {

class VXAABB;
class VXOBB;
class VXCircleCollider;
class VXRigidBody;

// A one-segment line buffer and the camera matrices it is drawn with.
struct VXDebugLine {
    uint32_t buffer = 0;
    float* camView = nullptr;
    float* projection = nullptr;
};

class VXDebugManager : public System {
public:
    static VXDebugManager* Instance();
    static void Destroy();
    static VXDebugManager* Existing();  // null until Instance() has run

    // 4 flips `enabled`; 5 keeps the camera matrices and makes the line buffer.
    void HandleMessage(Message* msg) override;
    void Update(float) override {}
    ~VXDebugManager() override;

    // The drawings of the scene draw's debug step, with the PRIMITIVES
    // program current and the line's camera uploaded: velocities, box
    // outlines, oriented-box outlines and edge normals.  Each calls its
    // drawer in `drawers`; nothing is drawn while none is installed.
    void DrawRigidBodies(const std::vector<std::shared_ptr<VXRigidBody>>& list,
                         const VXDebugLine& line);
    void DrawAABBs(const std::vector<std::shared_ptr<VXAABB>>& list, const VXDebugLine& line);
    void DrawOBBs(const std::vector<std::shared_ptr<VXOBB>>& list, const VXDebugLine& line);

    // The drawers behind the three Draw operations.  The graphics layer,
    // which draws lines, installs them when the graphics manager is made
    // (InstallDebugShapeDrawers).
    struct ShapeDrawers {
        void (*rigidBodies)(const std::vector<std::shared_ptr<VXRigidBody>>&,
                            const VXDebugLine&) = nullptr;
        void (*aabbs)(const std::vector<std::shared_ptr<VXAABB>>&, const VXDebugLine&) = nullptr;
        void (*obbs)(const std::vector<std::shared_ptr<VXOBB>>&, const VXDebugLine&) = nullptr;
    };
    static ShapeDrawers drawers;

    // The physics manager's lists, written on the physics set-up message.
    std::vector<std::shared_ptr<VXAABB>>* aabbs = nullptr;
    std::vector<std::shared_ptr<VXOBB>>* obbs = nullptr;
    std::vector<std::shared_ptr<VXCircleCollider>>* circles = nullptr;
    std::vector<std::shared_ptr<VXRigidBody>>* bodies = nullptr;
    VXDebugLine line;
    uint8_t enabled = 0;

private:
    VXDebugManager() = default;
};

}  // namespace FrameWork
