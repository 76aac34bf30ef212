#include "platform/quartz/Transform3D.h"
#include <algorithm>
#include <cmath>

namespace quartz {

bool Transform3DIsIdentity(const Transform3D& t) { return t == Transform3DIdentity; }

bool Transform3DEqualToTransform(const Transform3D& a, const Transform3D& b) { return a == b; }

Transform3D Transform3DMakeScale(Float sx, Float sy, Float sz)
{
    Transform3D t;
    t.m11 = sx;
    t.m22 = sy;
    t.m33 = sz;
    return t;
}

Transform3D Transform3DMakeTranslation(Float tx, Float ty, Float tz)
{
    Transform3D t;
    t.m41 = tx;
    t.m42 = ty;
    t.m43 = tz;
    return t;
}

Transform3D Transform3DConcat(const Transform3D& a, const Transform3D& b)
{
    Transform3D r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            Float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.at(i, k) * b.at(k, j);
            r.at(i, j) = sum;
        }
    return r;
}

Transform3D Transform3DScale(const Transform3D& t, Float sx, Float sy, Float sz)
{
    // MakeScale x t only scales t's first three rows; the translation row stays.
    Transform3D r = t;
    for (int j = 0; j < 4; ++j) {
        r.at(0, j) = sx * t.at(0, j);
        r.at(1, j) = sy * t.at(1, j);
        r.at(2, j) = sz * t.at(2, j);
    }
    return r;
}

Transform3D Transform3DTranslate(const Transform3D& t, Float tx, Float ty, Float tz)
{
    // MakeTranslation x t adds the translated first three rows to the last.
    Transform3D r = t;
    for (int j = 0; j < 4; ++j)
        r.at(3, j) = tx * t.at(0, j) + ty * t.at(1, j) + tz * t.at(2, j) + t.at(3, j);
    return r;
}

Point applyToPoint(const Transform3D& t, Point p)
{
    Float x = p.x * t.m11 + p.y * t.m21 + t.m41;
    Float y = p.x * t.m12 + p.y * t.m22 + t.m42;
    Float w = p.x * t.m14 + p.y * t.m24 + t.m44;
    if (w != 1 && w != 0) {
        x /= w;
        y /= w;
    }
    return { x, y };
}

std::optional<Point> applyInverseToPoint(const Transform3D& t, Point p)
{
    // The plane part [a b; c d] with translation (tx, ty); perspective is not inverted.
    double a = t.m11, b = t.m12, c = t.m21, d = t.m22;
    double det = a * d - b * c;
    if (det == 0 || !std::isfinite(det))
        return std::nullopt;
    double x = p.x - t.m41, y = p.y - t.m42;
    return Point { static_cast<Float>((x * d - y * c) / det), static_cast<Float>((y * a - x * b) / det) };
}

Rect frameOf(Point position, const Rect& bounds, const Transform3D& t)
{
    Float w = bounds.size.width, h = bounds.size.height;
    if (Transform3DIsIdentity(t))
        return { { position.x - w * 0.5f, position.y - h * 0.5f }, { w, h } };
    const Point corners[4] = { { -w * 0.5f, -h * 0.5f }, { w * 0.5f, -h * 0.5f }, { -w * 0.5f, h * 0.5f }, { w * 0.5f, h * 0.5f } };
    Point first = applyToPoint(t, corners[0]);
    Float x0 = first.x, x1 = first.x, y0 = first.y, y1 = first.y;
    for (int i = 1; i < 4; ++i) {
        Point q = applyToPoint(t, corners[i]);
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    return { { position.x + x0, position.y + y0 }, { x1 - x0, y1 - y0 } };
}

} // namespace quartz
