// The debug drawing of the physics state as coloured segments: which
// segments each list gives (plain code, testable without GL).  The graphics
// layer draws them (graphics/VXDebugLine).
#pragma once

#include <memory>
#include <vector>

#include "physics/VXVec3.h"

namespace FrameWork {

class VXAABB;
class VXOBB;
class VXRigidBody;

struct DebugColour {
    float r, g, b;
};

constexpr DebugColour kDebugBoxColour{1.0f, 0.0f, 0.0f};
constexpr DebugColour kDebugVelocityColour{0.239215f, 0.960184f, 0.0f};
constexpr DebugColour kDebugOBBEdgeColour{0.3f, 0.7f, 1.0f};
constexpr DebugColour kDebugOBBNormalColour{1.0f, 1.0f, 0.35f};
// Length of the drawn edge normals.
constexpr float kDebugNormalLength = 50.0f;

// One segment in the plane (z is not drawn).
struct DebugSegment {
    float x1, y1, x2, y2;
};

// Only active entries give segments.
// Each box: its left, right, top and bottom edges, in that order.
std::vector<DebugSegment> BoxOutlineSegments(const std::vector<std::shared_ptr<VXAABB>>& list);
// Each body: from its position to its position plus its velocity.
std::vector<DebugSegment> VelocitySegments(const std::vector<std::shared_ptr<VXRigidBody>>& list);
// An oriented box's edges corner 0-1, 1-2, 2-3, 3-0 (drawn whatever its
// active flag; the draw skips inactive boxes).
std::vector<DebugSegment> OBBEdgeSegments(const VXOBB& box);
// An oriented box's normals: from the midpoint of edge i along normal i,
// 50 long.
std::vector<DebugSegment> OBBNormalSegments(const VXOBB& box);

}  // namespace FrameWork
