#include "core/VXMath.h"

#include <cmath>
#include <cstring>

namespace FrameWork {

namespace Matrix4 {

void Identity(float m[16]) {
    std::memset(m, 0, 16 * sizeof(float));
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void Rotate(float m[16], float degrees, float x, float y, float z) {
    const float a = degrees * 0.017453292f;
    const float c = static_cast<float>(std::cos(static_cast<double>(a)));
    const float s = static_cast<float>(std::sin(static_cast<double>(a)));
    const float t = 1.0f - c;
    float r[16];
    Identity(r);
    r[0] = t * x * x + c;
    r[1] = t * x * y - s * z;
    r[2] = t * x * z + s * y;
    r[4] = t * x * y + s * z;
    r[5] = t * y * y + c;
    r[6] = t * y * z - s * x;
    r[8] = t * x * z - s * y;
    r[9] = t * y * z + s * x;
    r[10] = t * z * z + c;
    float tmp[16];
    Multiply(r, tmp, m);
    Copy(m, tmp);
}

void Multiply(const float a[16], float out[16], const float b[16]) {
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[4 * row + k] * b[4 * k + col];
            out[4 * row + col] = sum;
        }
    }
}

float* Copy(float dst[16], const float src[16]) {
    std::memcpy(dst, src, 16 * sizeof(float));
    return dst;
}

}  // namespace Matrix4

namespace Matrix3 {

void SetRotationZ(float m[9], float degrees) {
    std::memset(m, 0, 9 * sizeof(float));
    m[8] = 1.0f;
    const double a = static_cast<double>(degrees * 3.1415927f / 180.0f);
    m[0] = static_cast<float>(std::cos(a));
    m[1] = static_cast<float>(-std::sin(a));
    m[3] = static_cast<float>(std::sin(a));
    m[4] = static_cast<float>(std::cos(a));
}

}  // namespace Matrix3

}  // namespace FrameWork
