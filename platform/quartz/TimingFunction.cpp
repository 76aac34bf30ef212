#include "platform/quartz/TimingFunction.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"
#include <algorithm>
#include <cmath>
#include <string>

namespace quartz {

namespace {

using runtime::Object;
using runtime::Sel;

Object* functionWithName(Object*, Sel, std::string name) { return TimingFunction::named(name); }

Object* functionWithControlPoints(Object*, Sel, Float c1x, Float c1y, Float c2x, Float c2y)
{
    return runtime::autorelease(TimingFunction::withControlPoints(c1x, c1y, c2x, c2y).leak());
}

runtime::Class* timingFunctionClass()
{
    static runtime::Class* cls = runtime::ClassBuilder("CAMediaTimingFunction", "NSObject")
                                     .instancesOf<TimingFunction>()
                                     .classMethod("functionWithName:", &functionWithName)
                                     .classMethod("functionWithControlPoints::::", &functionWithControlPoints)
                                     .registerClass();
    return cls;
}

[[maybe_unused]] const bool g_registered = timingFunctionClass() != nullptr;

// One coordinate of the Bézier curve from 0 to 1 with control values p1, p2 at parameter s.
double bezier(double p1, double p2, double s)
{
    double r = 1 - s;
    return 3 * r * r * s * p1 + 3 * r * s * s * p2 + s * s * s;
}

double bezierSlope(double p1, double p2, double s)
{
    double r = 1 - s;
    return 3 * r * r * p1 + 6 * r * s * (p2 - p1) + 3 * s * s * (1 - p2);
}

} // namespace

TimingFunction* TimingFunction::named(std::string_view name)
{
    struct Named {
        std::string_view name;
        Point c1, c2;
        runtime::Ref<TimingFunction> function;
    };
    static Named table[] = {
        { kCAMediaTimingFunctionLinear, { 0, 0 }, { 1, 1 }, {} },
        { kCAMediaTimingFunctionEaseIn, { 0.42f, 0 }, { 1, 1 }, {} },
        { kCAMediaTimingFunctionEaseOut, { 0, 0 }, { 0.58f, 1 }, {} },
        { kCAMediaTimingFunctionEaseInEaseOut, { 0.42f, 0 }, { 0.58f, 1 }, {} },
        { kCAMediaTimingFunctionDefault, { 0.25f, 0.1f }, { 0.25f, 1 }, {} },
    };
    for (Named& n : table)
        if (n.name == name) {
            if (!n.function)
                n.function = withControlPoints(n.c1.x, n.c1.y, n.c2.x, n.c2.y);
            return n.function.get();
        }
    return nullptr;
}

runtime::Ref<TimingFunction> TimingFunction::withControlPoints(Float c1x, Float c1y, Float c2x, Float c2y)
{
    auto object = runtime::alloc(timingFunctionClass());
    auto* f = static_cast<TimingFunction*>(object.get());
    f->setControlPoints({ c1x, c1y }, { c2x, c2y });
    return runtime::Ref<TimingFunction>(f);
}

void TimingFunction::setControlPoints(Point c1, Point c2)
{
    // x must stay in [0, 1] so that x(s) is monotonic and the curve is a function of time.
    m_c1 = { std::clamp(c1.x, 0.0f, 1.0f), c1.y };
    m_c2 = { std::clamp(c2.x, 0.0f, 1.0f), c2.y };
}

double TimingFunction::evaluate(double x) const
{
    if (!(x > 0))
        return 0;
    if (x >= 1)
        return 1;
    double p1x = m_c1.x, p2x = m_c2.x;
    // Newton's method from s = x, then bisection if it strays or stalls.
    double s = x;
    for (int i = 0; i < 8; ++i) {
        double err = bezier(p1x, p2x, s) - x;
        if (std::fabs(err) < 1e-9)
            return bezier(m_c1.y, m_c2.y, s);
        double slope = bezierSlope(p1x, p2x, s);
        if (std::fabs(slope) < 1e-6)
            break;
        s -= err / slope;
        if (s < 0 || s > 1)
            break;
    }
    double lo = 0, hi = 1;
    s = x;
    for (int i = 0; i < 60; ++i) {
        double v = bezier(p1x, p2x, s);
        if (std::fabs(v - x) < 1e-12)
            break;
        (v < x ? lo : hi) = s;
        s = (lo + hi) / 2;
    }
    return bezier(m_c1.y, m_c2.y, s);
}

} // namespace quartz
