#pragma once
// Timing functions ("CAMediaTimingFunction"): cubic Bézier curves from (0, 0) to (1, 1) through two
// control points, mapping the fraction of elapsed time x to the fraction of progress y. `evaluate`
// is a pure function: solve the curve's x(s) = x for the parameter s, then answer y(s).

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Ref.h"
#include "platform/runtime/Object.h"
#include <string_view>

namespace quartz {

// The named curves.
inline constexpr const char* kCAMediaTimingFunctionLinear = "linear";               // (0,0) (1,1)
inline constexpr const char* kCAMediaTimingFunctionEaseIn = "easeIn";               // (0.42,0) (1,1)
inline constexpr const char* kCAMediaTimingFunctionEaseOut = "easeOut";             // (0,0) (0.58,1)
inline constexpr const char* kCAMediaTimingFunctionEaseInEaseOut = "easeInEaseOut"; // (0.42,0) (0.58,1)
inline constexpr const char* kCAMediaTimingFunctionDefault = "default";             // (0.25,0.1) (0.25,1)

class TimingFunction : public runtime::Object {
public:
    // One shared object per name ("functionWithName:"); nothing for an unknown name.
    static TimingFunction* named(std::string_view name);
    // A new curve ("functionWithControlPoints::::"); x values are clamped to [0, 1].
    static runtime::Ref<TimingFunction> withControlPoints(Float c1x, Float c1y, Float c2x, Float c2y);

    Point controlPoint1() const { return m_c1; }
    Point controlPoint2() const { return m_c2; }
    // y for x in [0, 1]; x outside is clamped.
    double evaluate(double x) const;

    void setControlPoints(Point c1, Point c2); // for the runtime's initialiser

private:
    Point m_c1 { 0, 0 };
    Point m_c2 { 1, 1 };
};

} // namespace quartz
