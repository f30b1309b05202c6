// Matrix helpers on plain float arrays.  A 4x4 matrix keeps element (row r,
// column c) at index 4r + c; points are columns, so a translation sits at
// indexes 3, 7 and 11.  Angles are in degrees.
#pragma once

namespace FrameWork {

namespace Matrix4 {
void Identity(float m[16]);
// m = R x m, R the rotation by `degrees` about the unit axis (x, y, z).
void Rotate(float m[16], float degrees, float x, float y, float z);
// out = a x b; `out` must be neither `a` nor `b`.
void Multiply(const float a[16], float out[16], const float b[16]);
float* Copy(float dst[16], const float src[16]);
}  // namespace Matrix4

namespace Matrix3 {
// A rotation about z; element (r, c) at index 3r + c.
void SetRotationZ(float m[9], float degrees);
}  // namespace Matrix3

}  // namespace FrameWork
