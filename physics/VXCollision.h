// The geometry of the collision tests, as plain functions of their inputs:
// no components, no bodies, no engine state.  VXPhysicsManager's tests read
// the colliders, call these and write the answers into the rigid bodies.
#pragma once

#include <vector>

#include "physics/VXVec3.h"

namespace FrameWork {

// A box by centre and half extents.
struct BoxShape {
    float cx = 0.0f;
    float cy = 0.0f;
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
};

// The contact of two boxes: resolved on x or y, with the sign of the
// centre difference a - b on that axis (+1 when a lies on the + side; a
// difference of 0 counts as -1) and the overlap on that axis.
struct BoxContact {
    bool hit = false;
    bool onX = false;
    float sign = -1.0f;
    float overlap = 0.0f;

    // The normal shared by both boxes, pointing from b towards a.
    Vec3 Normal() const { return onX ? Vec3(sign, 0.0f, 0.0f) : Vec3(0.0f, sign, 0.0f); }
};

// Overlap of two boxes by centre distance.  Touching (an overlap of 0 or
// less on either axis) is no contact; the contact is resolved on x only
// when the y overlap is strictly larger, so ties go to y.
BoxContact OverlapBoxes(const BoxShape& a, const BoxShape& b);

// Whether two boxes given by corners overlap or touch on both axes.
bool BoxesMeet(const Vec3& aMin, const Vec3& aMax, const Vec3& bMin, const Vec3& bMax);

// The corners of a box in the oriented-box order (+x,+y), (-x,+y), (-x,-y),
// (+x,-y), built from Max, Min and the half width.
std::vector<Vec3> BoxCorners(const Vec3& min, const Vec3& max, float halfWidth);

// Outcome of a separating-axis test: whether the shapes overlap, and the
// recorded axis with the smallest depth.
struct AxisContact {
    bool hit = false;
    Vec3 axis;
    float depth = 0.0f;
};

// Separating-axis test of two convex point sets A and B.  For every axis of
// `depthAxes`, in order, the projections are compared (touching separates)
// and the candidate depth maxB - minA is recorded; the axes of
// `checkAxes` are only checked for separation.  The smallest depth wins, the
// earlier axis on equal depths.
AxisContact SeparatingAxes(const std::vector<Vec3>& pointsA, const std::vector<Vec3>& pointsB,
                           const std::vector<Vec3>& depthAxes, const std::vector<Vec3>& checkAxes);

}  // namespace FrameWork
