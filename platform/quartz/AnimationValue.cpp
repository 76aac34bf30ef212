#include "platform/quartz/AnimationValue.h"

namespace quartz {

namespace {

Float lerp(Float a, Float b, double f) { return static_cast<Float>(a + (b - a) * f); }

} // namespace

AnimationValue AnimationValue::interpolate(const AnimationValue& a, const AnimationValue& b, double f)
{
    if (!a.sameKind(b))
        return f < 1 ? a : b;
    if (const Float* x = a.asFloat())
        return lerp(*x, *b.asFloat(), f);
    if (const Point* p = a.asPoint()) {
        const Point& q = *b.asPoint();
        return Point { lerp(p->x, q.x, f), lerp(p->y, q.y, f) };
    }
    if (const Rect* r = a.asRect()) {
        const Rect& s = *b.asRect();
        return Rect { { lerp(r->origin.x, s.origin.x, f), lerp(r->origin.y, s.origin.y, f) },
            { lerp(r->size.width, s.size.width, f), lerp(r->size.height, s.size.height, f) } };
    }
    if (const Transform3D* t = a.asTransform()) {
        const Transform3D& u = *b.asTransform();
        Transform3D m;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                m.at(i, j) = lerp(t->at(i, j), u.at(i, j), f);
        return m;
    }
    return a;
}

AnimationValue AnimationValue::add(const AnimationValue& base, const AnimationValue& delta)
{
    if (!base.sameKind(delta))
        return base;
    if (const Float* x = base.asFloat())
        return *x + *delta.asFloat();
    if (const Point* p = base.asPoint())
        return Point { p->x + delta.asPoint()->x, p->y + delta.asPoint()->y };
    if (const Rect* r = base.asRect()) {
        const Rect& d = *delta.asRect();
        return Rect { { r->origin.x + d.origin.x, r->origin.y + d.origin.y },
            { r->size.width + d.size.width, r->size.height + d.size.height } };
    }
    if (const Transform3D* t = base.asTransform())
        return Transform3DConcat(*delta.asTransform(), *t);
    return base;
}

} // namespace quartz
