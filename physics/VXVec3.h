// A three-float vector (x, y, z) for the physics state: velocities, forces,
// contact normals and collider corners.
#pragma once

#include <cmath>

namespace FrameWork {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vec3() = default;
    constexpr Vec3(float x_, float y_, float z_ = 0.0f) : x(x_), y(y_), z(z_) {}

    Vec3& operator+=(const Vec3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Vec3& operator-=(const Vec3& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
};

inline Vec3 operator+(Vec3 a, const Vec3& b) {
    return a += b;
}
inline Vec3 operator-(Vec3 a, const Vec3& b) {
    return a -= b;
}
inline Vec3 operator*(const Vec3& v, float s) {
    return Vec3(v.x * s, v.y * s, v.z * s);
}
inline Vec3 operator*(float s, const Vec3& v) {
    return v * s;
}
inline bool operator==(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(const Vec3& a, const Vec3& b) {
    return !(a == b);
}

inline float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float Length(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}

}  // namespace FrameWork
