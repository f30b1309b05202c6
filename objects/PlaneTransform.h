// A transform of the plane, as an object is drawn: the point (u, v) of the
// object's unit quad (corners at plus or minus one half) lands at
// (xx u + xy v + x, yx u + yy v + y).  Columns (xx, yx) and (xy, yy) are
// the object's own x and y axes as drawn, with their lengths.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace FrameWork {

struct PlaneTransform {
    double xx = 1.0, xy = 0.0, x = 0.0;
    double yx = 0.0, yy = 1.0, y = 0.0;

    double Determinant() const { return xx * yy - xy * yx; }
    void Apply(double u, double v, double& outX, double& outY) const {
        outX = xx * u + xy * v + x;
        outY = yx * u + yy * v + y;
    }
    // The transform that undoes this one; false, with `out` untouched, when
    // this one flattens the plane (within float precision) onto a line.
    bool Inverse(PlaneTransform& out) const;
};

// `v` as a float, held within the float range (a plain cast of a larger
// value is undefined).
inline float PlaneToFloat(double v) {
    return static_cast<float>(std::isnan(v) ? v : std::clamp(v, -double(FLT_MAX), double(FLT_MAX)));
}

// `outer` applied after `inner`.
PlaneTransform operator*(const PlaneTransform& outer, const PlaneTransform& inner);

}  // namespace FrameWork
