#pragma once
// An independent reference for timing curves: sample the Bézier's parameter densely and take the
// y of the sample whose x is nearest. Slow and simple on purpose; it shares nothing with the solver.

#include <cmath>

namespace reference {

inline double bezierY(double c1x, double c1y, double c2x, double c2y, double x)
{
    const int steps = 200000;
    double bestErr = 2, bestY = 0;
    for (int i = 0; i <= steps; ++i) {
        double s = static_cast<double>(i) / steps, r = 1 - s;
        double bx = 3 * r * r * s * c1x + 3 * r * s * s * c2x + s * s * s;
        double err = std::fabs(bx - x);
        if (err < bestErr) {
            bestErr = err;
            bestY = 3 * r * r * s * c1y + 3 * r * s * s * c2y + s * s * s;
        }
    }
    return bestY;
}

inline double easeIn(double x) { return bezierY(0.42, 0, 1, 1, x); }
inline double easeOut(double x) { return bezierY(0, 0, 0.58, 1, x); }
inline double easeInEaseOut(double x) { return bezierY(0.42, 0, 0.58, 1, x); }

} // namespace reference
