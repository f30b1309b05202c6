#include "physics/VXDebugDraw.h"

#include "physics/VXAABB.h"
#include "physics/VXOBB.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

template <class T, class Emit>
void ForEachActive(const std::vector<std::shared_ptr<T>>& list, Emit emit) {
    for (const auto& item : list)
        if (item && item->active) emit(*item);
}

}  // namespace

std::vector<DebugSegment> BoxOutlineSegments(const std::vector<std::shared_ptr<VXAABB>>& list) {
    std::vector<DebugSegment> out;
    ForEachActive(list, [&out](const VXAABB& b) {
        const float x0 = b.Min.x, y0 = b.Min.y, x1 = b.Max.x, y1 = b.Max.y;
        out.push_back({x0, y0, x0, y1});
        out.push_back({x1, y0, x1, y1});
        out.push_back({x0, y1, x1, y1});
        out.push_back({x0, y0, x1, y0});
    });
    return out;
}

std::vector<DebugSegment> VelocitySegments(const std::vector<std::shared_ptr<VXRigidBody>>& list) {
    std::vector<DebugSegment> out;
    ForEachActive(list, [&out](const VXRigidBody& b) {
        out.push_back(
            {b.Position.x, b.Position.y, b.Position.x + b.Velocity.x, b.Position.y + b.Velocity.y});
    });
    return out;
}

std::vector<DebugSegment> OBBEdgeSegments(const VXOBB& b) {
    std::vector<DebugSegment> out;
    const auto& v = b.OBB_Vertices;
    for (size_t i = 0; i < v.size(); ++i) {
        const Vec3& p = v[i];
        const Vec3& q = v[(i + 1) % v.size()];
        out.push_back({p.x, p.y, q.x, q.y});
    }
    return out;
}

std::vector<DebugSegment> OBBNormalSegments(const VXOBB& b) {
    std::vector<DebugSegment> out;
    const auto& v = b.OBB_Vertices;
    const auto& n = b.OBB_Normal;
    for (size_t i = 0; i < v.size() && i < n.size(); ++i) {
        const Vec3 m = (v[i] + v[(i + 1) % v.size()]) * 0.5f;
        const Vec3 tip = m + n[i] * kDebugNormalLength;
        out.push_back({m.x, m.y, tip.x, tip.y});
    }
    return out;
}

}  // namespace FrameWork
