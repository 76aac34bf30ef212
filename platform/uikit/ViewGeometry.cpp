// "UIView": hit-testing and converting points between views. A point in a view's coordinates
// is in its bounds' space; the layer's transform applies about the bounds' centre, which sits at
// the view's centre in the superview:
//
//   in superview = centre + T(p - bounds.origin - bounds.size / 2)
#include "platform/uikit/View.h"
#include "platform/uikit/ViewSelectors.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <limits>

namespace uikit {

using runtime::Object;
using runtime::Ref;
using runtime::Sel;

namespace {

View* V(Object* o) { return static_cast<View*>(o); }

Point toSuperview(const View* v, Point p)
{
    const quartz::Layer::Model& m = v->layer()->model();
    Point rel { p.x - m.bounds.origin.x - m.bounds.size.width * 0.5f, p.y - m.bounds.origin.y - m.bounds.size.height * 0.5f };
    if (!quartz::Transform3DIsIdentity(m.transform))
        rel = quartz::applyToPoint(m.transform, rel);
    return { m.position.x + rel.x, m.position.y + rel.y };
}

Point fromSuperview(const View* v, Point p)
{
    const quartz::Layer::Model& m = v->layer()->model();
    Point rel { p.x - m.position.x, p.y - m.position.y };
    if (!quartz::Transform3DIsIdentity(m.transform)) {
        std::optional<Point> inverse = quartz::applyInverseToPoint(m.transform, rel);
        if (!inverse) // a view shrunk to nothing contains no point
            return { std::numeric_limits<Float>::quiet_NaN(), std::numeric_limits<Float>::quiet_NaN() };
        rel = *inverse;
    }
    return { rel.x + m.bounds.origin.x + m.bounds.size.width * 0.5f, rel.y + m.bounds.origin.y + m.bounds.size.height * 0.5f };
}

const View* rootOf(const View* v)
{
    while (v->superview())
        v = v->superview();
    return v;
}

// From a view's coordinates to its root's.
Point upToRoot(const View* v, Point p)
{
    for (; v->superview(); v = v->superview())
        p = toSuperview(v, p);
    return p;
}

// From the root's coordinates down to a view's.
Point downFromRoot(const View* v, Point p)
{
    if (!v->superview())
        return p;
    return fromSuperview(v, downFromRoot(v->superview(), p));
}

bool pointInside(Object* o, Sel, Point p, Object*)
{
    return quartz::rectContainsPoint(V(o)->layer()->model().bounds, p);
}

Object* hitTest(Object* o, Sel, Point p, Object* event)
{
    View* v = V(o);
    const quartz::Layer::Model& m = v->layer()->model();
    // A view that takes no touches hides its subviews from touches too.
    if (m.hidden || m.opacity < 0.01f || !v->state().userInteractionEnabled)
        return nullptr;
    const ViewSelectors& s = viewSelectors();
    if (!runtime::send<bool>(v, s.pointInside, p, event))
        return nullptr;
    const auto& children = v->subviews();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (Object* hit = runtime::send<Object*>(it->get(), s.hitTest, fromSuperview(it->get(), p), event))
            return hit;
    return v;
}

Point convertPointTo(Object* o, Sel, Point p, Object* to)
{
    Point inRoot = upToRoot(V(o), p);
    if (!to || rootOf(V(to)) != rootOf(V(o)))
        return inRoot;
    return downFromRoot(V(to), inRoot);
}

Point convertPointFrom(Object* o, Sel, Point p, Object* from)
{
    Point inRoot = from && rootOf(V(from)) == rootOf(V(o)) ? upToRoot(V(from), p) : p;
    return downFromRoot(V(o), inRoot);
}

} // namespace

void registerGeometryMethods(runtime::ClassBuilder& b)
{
    b.method("pointInside:withEvent:", &pointInside)
        .method("hitTest:withEvent:", &hitTest)
        .method("convertPoint:toView:", &convertPointTo)
        .method("convertPoint:fromView:", &convertPointFrom);
}

View* View::hitTest(Point p, Object* event)
{
    return static_cast<View*>(runtime::send<Object*>(this, viewSelectors().hitTest, p, event));
}
bool View::pointInside(Point p, Object* event) { return runtime::send<bool>(this, viewSelectors().pointInside, p, event); }
Point View::convertPointTo(Point p, View* to) const { return runtime::send<Point>(this, viewSelectors().convertPointTo, p, to); }
Point View::convertPointFrom(Point p, View* from) const { return runtime::send<Point>(this, viewSelectors().convertPointFrom, p, from); }

} // namespace uikit
