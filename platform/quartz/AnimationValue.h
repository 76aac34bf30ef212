#pragma once
// The values an animation moves between: nothing, a number, a point, a rectangle or a transform.
// Interpolation and addition work component by component on values of the same kind; a
// transform is interpolated element by element (exact for scales and translations, which is what
// the system animates).

#include "platform/quartz/Geometry.h"
#include "platform/quartz/Transform3D.h"
#include <variant>

namespace quartz {

class AnimationValue {
public:
    using Storage = std::variant<std::monostate, Float, Point, Rect, Transform3D>;

    AnimationValue() = default;
    AnimationValue(Float f) : m_value(f) { }
    AnimationValue(Point p) : m_value(p) { }
    AnimationValue(Rect r) : m_value(r) { }
    AnimationValue(const Transform3D& t) : m_value(t) { }

    bool isNone() const { return std::holds_alternative<std::monostate>(m_value); }
    const Float* asFloat() const { return std::get_if<Float>(&m_value); }
    const Point* asPoint() const { return std::get_if<Point>(&m_value); }
    const Rect* asRect() const { return std::get_if<Rect>(&m_value); }
    const Transform3D* asTransform() const { return std::get_if<Transform3D>(&m_value); }
    bool sameKind(const AnimationValue& o) const { return m_value.index() == o.m_value.index(); }
    bool operator==(const AnimationValue&) const = default;

    // a + (b - a) * f. Values of different kinds give `a` below f = 1 and `b` from there on.
    static AnimationValue interpolate(const AnimationValue& a, const AnimationValue& b, double f);
    // base + delta for numbers, points and rectangles; for transforms the delta is applied first,
    // then the base (Concat(delta, base)), as an additive scale on top of a layer's transform.
    // Different kinds give `base`.
    static AnimationValue add(const AnimationValue& base, const AnimationValue& delta);

private:
    Storage m_value;
};

} // namespace quartz
