#pragma once
// The layer transform: a 4x4 matrix of Float in the phone's row-vector convention. A point is the
// row [x y z 1] multiplied on the left, so translations live in m41..m43, and A then B is A x B.
//
//   Transform3DScale(t, sx, sy, sz)      = MakeScale(sx, sy, sz) x t   (scale first, then t)
//   Transform3DTranslate(t, tx, ty, tz)  = MakeTranslation(tx, ty, tz) x t
//   Transform3DConcat(a, b)              = a x b                        (a first, then b)
//
// A layer applies its transform about its anchor point, the centre of its bounds.

#include "platform/quartz/Geometry.h"
#include <optional>

namespace quartz {

struct Transform3D {
    Float m11 = 1, m12 = 0, m13 = 0, m14 = 0;
    Float m21 = 0, m22 = 1, m23 = 0, m24 = 0;
    Float m31 = 0, m32 = 0, m33 = 1, m34 = 0;
    Float m41 = 0, m42 = 0, m43 = 0, m44 = 1;

    bool operator==(const Transform3D&) const = default;
    // Row by row, m11 first.
    Float at(int row, int column) const { return (&m11)[row * 4 + column]; }
    Float& at(int row, int column) { return (&m11)[row * 4 + column]; }
};

inline constexpr Transform3D Transform3DIdentity {};

bool Transform3DIsIdentity(const Transform3D&);
bool Transform3DEqualToTransform(const Transform3D&, const Transform3D&);
Transform3D Transform3DMakeScale(Float sx, Float sy, Float sz);
Transform3D Transform3DMakeTranslation(Float tx, Float ty, Float tz);
Transform3D Transform3DScale(const Transform3D& t, Float sx, Float sy, Float sz);
Transform3D Transform3DTranslate(const Transform3D& t, Float tx, Float ty, Float tz);
Transform3D Transform3DConcat(const Transform3D& a, const Transform3D& b);

// The plane part: a point (x, y, 0) through the matrix, divided by w when w is not 1.
Point applyToPoint(const Transform3D&, Point);
// The plane part's inverse applied to a point; nothing when it is singular (a zero scale).
std::optional<Point> applyInverseToPoint(const Transform3D&, Point);
// The bounding box of `bounds` transformed about its centre, placed with that centre at `position`:
// what the phone reports as a layer's frame.
Rect frameOf(Point position, const Rect& bounds, const Transform3D&);

} // namespace quartz
