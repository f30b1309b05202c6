// Where an object is drawn, and the values that draw it somewhere: the
// composition of an object's transform with its parents' as the renderer
// makes it, and its inverse.  The editor picks, outlines, drags and
// re-parents objects through these.
#include <algorithm>
#include <cmath>

#include "objects/GameObject.h"
#include "objects/PlaneTransform.h"

namespace FrameWork {

bool PlaneTransform::Inverse(PlaneTransform& out) const {
    const double det = Determinant();
    const double size = std::max({std::fabs(xx), std::fabs(xy), std::fabs(yx), std::fabs(yy)});
    // Float matrices turned a quarter about x or y keep a few 1e-8 of an
    // axis: a flattened plane all the same.
    if (!std::isfinite(det) || std::fabs(det) <= 1e-6 * size * size) return false;
    out.xx = yy / det;
    out.xy = -xy / det;
    out.yx = -yx / det;
    out.yy = xx / det;
    out.x = -(out.xx * x + out.xy * y);
    out.y = -(out.yx * x + out.yy * y);
    return true;
}

PlaneTransform operator*(const PlaneTransform& a, const PlaneTransform& b) {
    PlaneTransform r;
    r.xx = a.xx * b.xx + a.xy * b.yx;
    r.xy = a.xx * b.xy + a.xy * b.yy;
    r.yx = a.yx * b.xx + a.yy * b.yx;
    r.yy = a.yx * b.xy + a.yy * b.yy;
    r.x = a.xx * b.x + a.xy * b.y + a.x;
    r.y = a.yx * b.x + a.yy * b.y + a.y;
    return r;
}

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;
// Deeper than any scene nests; a longer chain is cut there.
constexpr int kMaxParentDepth = 64;

// A 3-D affine map, rows of (linear part | translation).
struct Affine {
    double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
};

Affine Times(const Affine& a, const Affine& b) {
    Affine r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            double sum = j == 3 ? a.m[i][3] : 0.0;
            for (int k = 0; k < 3; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    }
    return r;
}

// The rotation by `degrees` about axis `axis` (0 x, 1 y, 2 z), with the
// signs of the matrix helpers' rotation about a unit axis.
Affine Turn(int axis, double degrees) {
    Affine r;
    const double c = std::cos(degrees * kDegrees), s = std::sin(degrees * kDegrees);
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    r.m[i][i] = c;
    r.m[i][j] = -s;
    r.m[j][i] = s;
    r.m[j][j] = c;
    return r;
}

// The object's turns about x, then y, then z, each on the left of the one
// before, as its matrices are built; `throughZ` false stops before z.
Affine Turns(const GameObject& o, bool throughZ) {
    Affine r = Times(Turn(1, o.rotation[1]), Turn(0, o.rotation[0]));
    return throughZ ? Times(Turn(2, o.rotation[2]), r) : r;
}

// The object's own matrix: scale, the turns, then the position.
Affine Local(const GameObject& o, float scaleX, float scaleY, float x, float y) {
    Affine scale;
    scale.m[0][0] = scaleX;
    scale.m[1][1] = scaleY;
    Affine r = Times(Turns(o, true), scale);
    r.m[0][3] = x;
    r.m[1][3] = y;
    return r;
}

PlaneTransform Plane(const Affine& a) {
    PlaneTransform p;
    p.xx = a.m[0][0];
    p.xy = a.m[0][1];
    p.x = a.m[0][3];
    p.yx = a.m[1][0];
    p.yy = a.m[1][1];
    p.y = a.m[1][3];
    return p;
}

// Where the object's parents put its own matrix (identity for a root).
PlaneTransform ParentTransform(const GameObject& o) {
    return !o.isRoot && o.parent ? o.parent->DrawnTransform() : PlaneTransform{};
}

double Length(double x, double y) {
    return std::hypot(x, y);
}

}  // namespace

PlaneTransform GameObject::DrawnTransform(bool withScale) const {
    Affine world = Local(*this, withScale ? scale[0] : 1.0f, withScale ? scale[1] : 1.0f,
                         SnappedPosition(0), SnappedPosition(1));
    // A non-root object is drawn by its parent's world matrix times its own.
    int depth = 0;
    for (const GameObject* p = isRoot ? nullptr : parent; p && depth < kMaxParentDepth;
         p = p->isRoot ? nullptr : p->parent, ++depth)
        world =
            Times(Local(*p, p->scale[0], p->scale[1], p->SnappedPosition(0), p->SnappedPosition(1)),
                  world);
    return Plane(world);
}

bool GameObject::PlaceDrawnCentre(double x, double y) {
    PlaneTransform undo;
    if (!ParentTransform(*this).Inverse(undo)) return false;
    double localX = 0.0, localY = 0.0;
    undo.Apply(x, y, localX, localY);
    position[0] = PlaneToFloat(localX);
    position[1] = PlaneToFloat(localY);
    return true;
}

bool GameObject::TakeDrawnTransform(const PlaneTransform& drawn) {
    PlaneTransform undo;
    if (!ParentTransform(*this).Inverse(undo)) return false;
    // The own matrix wanted: a turn about z times the turns about x and y
    // (kept) times the scale.  Its columns are each scale times the turned
    // column of the kept turns.
    const PlaneTransform local = undo * drawn;
    const PlaneTransform kept = Plane(Turns(*this, false));
    const double column[2][2] = {{local.xx, local.yx}, {local.xy, local.yy}};
    const double keptColumn[2][2] = {{kept.xx, kept.yx}, {kept.xy, kept.yy}};
    // The turn comes from the x axis (the y axis when the x axis is drawn
    // with no length); a mirrored object stays mirrored on its own axis.
    double turn = rotation[2];
    for (int axis = 0; axis < 2; ++axis) {
        const double* c = column[axis];
        const double* k = keptColumn[axis];
        if (Length(c[0], c[1]) <= 1e-9 || Length(k[0], k[1]) <= 1e-6) continue;
        const double sign = scale[axis] < 0.0f ? -1.0 : 1.0;
        turn = (std::atan2(sign * c[1], sign * c[0]) - std::atan2(k[1], k[0])) / kDegrees;
        break;
    }
    turn = std::fmod(turn, 360.0);
    if (turn < 0.0) turn += 360.0;
    const double c = std::cos(turn * kDegrees), s = std::sin(turn * kDegrees);
    position[0] = PlaneToFloat(local.x);
    position[1] = PlaneToFloat(local.y);
    // Within [0, 360), and never -0.
    const float z = static_cast<float>(turn);
    rotation[2] = z >= 360.0f ? 0.0f : z + 0.0f;
    // Each scale: the drawn column's length along the turned kept column.
    for (int axis = 0; axis < 2; ++axis) {
        const double* k = keptColumn[axis];
        const double kx = c * k[0] - s * k[1], ky = s * k[0] + c * k[1];
        const double length2 = kx * kx + ky * ky;
        if (length2 > 1e-12)
            scale[axis] = PlaneToFloat((column[axis][0] * kx + column[axis][1] * ky) / length2);
    }
    return true;
}

void GameObject::WorldPlacement(float outPosition[2], float outRotation[3],
                                float outScale[2]) const {
    std::copy(position, position + 2, outPosition);
    std::copy(rotation, rotation + 3, outRotation);
    std::copy(scale, scale + 2, outScale);
    if (isRoot || !parent) return;
    // A root with this object's values takes the drawn transform.
    GameObject root(scale[0], scale[1], objectType, 0, 1, 0, position[0], position[1], "",
                    rotation[0], rotation[1], rotation[2]);
    if (!root.TakeDrawnTransform(DrawnTransform())) return;
    std::copy(root.position, root.position + 2, outPosition);
    std::copy(root.rotation, root.rotation + 3, outRotation);
    std::copy(root.scale, root.scale + 2, outScale);
}

void GameObject::AdoptWhereDrawn(GameObject* child) {
    if (!child || child == this) return;
    const PlaneTransform drawn = child->DrawnTransform();
    AttachChild(child);
    child->TakeDrawnTransform(drawn);
}

}  // namespace FrameWork
