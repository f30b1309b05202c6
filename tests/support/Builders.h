// Objects and components built by hand for the tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "objects/GameObject.h"
#include "physics/VXVec3.h"

namespace TestHarness {

// A root, active object of the given size at (x, y), rotated by rz degrees.
inline std::unique_ptr<FrameWork::GameObject> MakeObject(const std::string& name, float x, float y,
                                                         float sx = 20.0f, float sy = 20.0f,
                                                         float rz = 0.0f, int type = 0) {
    return std::make_unique<FrameWork::GameObject>(sx, sy, type, 1, 1, 0, x, y, name, 0.0f, 0.0f,
                                                   rz);
}

// Attaches a new component built by `args` to `o` and returns it.
template <class T, class... Args>
std::shared_ptr<T> Attach(FrameWork::GameObject& o, Args&&... args) {
    auto c = std::make_shared<T>(&o, std::forward<Args>(args)...);
    o.AddComponent(c);
    return c;
}

inline void ExpectVec(const FrameWork::Vec3& v, float x, float y, float z = 0.0f,
                      float tol = 1e-4f) {
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_NEAR(v.z, z, tol);
}

}  // namespace TestHarness
