#include "physics/VXCollision.h"

#include <algorithm>
#include <cmath>

namespace FrameWork {

BoxContact OverlapBoxes(const BoxShape& a, const BoxShape& b) {
    BoxContact c;
    const float dx = a.cx - b.cx;
    const float dy = a.cy - b.cy;
    const float ox = (a.halfWidth + b.halfWidth) - std::fabs(dx);
    const float oy = (a.halfHeight + b.halfHeight) - std::fabs(dy);
    if (!(ox > 0.0f) || !(oy > 0.0f)) return c;
    c.hit = true;
    c.onX = oy > ox;
    const float d = c.onX ? dx : dy;
    c.sign = d > 0.0f ? 1.0f : -1.0f;
    c.overlap = c.onX ? ox : oy;
    return c;
}

bool BoxesMeet(const Vec3& aMin, const Vec3& aMax, const Vec3& bMin, const Vec3& bMax) {
    return bMin.x <= aMax.x && aMin.x <= bMax.x && bMin.y <= aMax.y && aMin.y <= bMax.y;
}

std::vector<Vec3> BoxCorners(const Vec3& min, const Vec3& max, float halfWidth) {
    return {Vec3(max.x, max.y, max.z), Vec3(max.x - 2.0f * halfWidth, max.y, max.z),
            Vec3(min.x, min.y, min.z), Vec3(min.x + 2.0f * halfWidth, min.y, min.z)};
}

namespace {

struct Range {
    float min;
    float max;
};

Range Project(const std::vector<Vec3>& points, const Vec3& axis) {
    Range r{0.0f, 0.0f};
    bool first = true;
    for (const Vec3& p : points) {
        const float d = Dot(p, axis);
        if (first) {
            r = {d, d};
            first = false;
        } else {
            r.min = std::min(r.min, d);
            r.max = std::max(r.max, d);
        }
    }
    return r;
}

bool Separated(const Range& a, const Range& b) {
    return a.max <= b.min || b.max <= a.min;
}

}  // namespace

AxisContact SeparatingAxes(const std::vector<Vec3>& pointsA, const std::vector<Vec3>& pointsB,
                           const std::vector<Vec3>& depthAxes, const std::vector<Vec3>& checkAxes) {
    AxisContact result;
    bool haveCandidate = false;
    for (const Vec3& axis : depthAxes) {
        const Range a = Project(pointsA, axis);
        const Range b = Project(pointsB, axis);
        if (Separated(a, b)) return AxisContact{};
        const float depth = b.max - a.min;
        if (!haveCandidate || depth < result.depth) {
            result.axis = axis;
            result.depth = depth;
            haveCandidate = true;
        }
    }
    for (const Vec3& axis : checkAxes) {
        if (Separated(Project(pointsA, axis), Project(pointsB, axis))) return AxisContact{};
    }
    result.hit = true;
    return result;
}

}  // namespace FrameWork
