// Timing functions: the named curves' control points and their values against a brute-force
// reference.
#include "Bezier.h"
#include "platform/quartz/TimingFunction.h"
#include <gtest/gtest.h>

using namespace quartz;

namespace {

struct Named {
    const char* name;
    Point c1, c2;
};

const Named kNamed[] = {
    { kCAMediaTimingFunctionLinear, { 0, 0 }, { 1, 1 } },
    { kCAMediaTimingFunctionEaseIn, { 0.42f, 0 }, { 1, 1 } },
    { kCAMediaTimingFunctionEaseOut, { 0, 0 }, { 0.58f, 1 } },
    { kCAMediaTimingFunctionEaseInEaseOut, { 0.42f, 0 }, { 0.58f, 1 } },
    { kCAMediaTimingFunctionDefault, { 0.25f, 0.1f }, { 0.25f, 1 } },
};

TEST(TimingFunction, NamedCurvesHaveTheirControlPointsAndMatchTheReference)
{
    for (const Named& n : kNamed) {
        TimingFunction* f = TimingFunction::named(n.name);
        ASSERT_NE(f, nullptr) << n.name;
        EXPECT_EQ(f->controlPoint1(), n.c1) << n.name;
        EXPECT_EQ(f->controlPoint2(), n.c2) << n.name;
        EXPECT_EQ(TimingFunction::named(n.name), f) << "one shared object per name";
        for (double x : { 0.0, 0.05, 0.1, 0.25, 0.4, 0.5, 0.6, 0.75, 0.9, 0.97, 1.0 })
            EXPECT_NEAR(f->evaluate(x), reference::bezierY(n.c1.x, n.c1.y, n.c2.x, n.c2.y, x), 2e-4) << n.name << " at " << x;
    }
    EXPECT_EQ(TimingFunction::named("bouncy"), nullptr);
}

TEST(TimingFunction, KnownMidpoints)
{
    EXPECT_NEAR(TimingFunction::named(kCAMediaTimingFunctionEaseIn)->evaluate(0.5), 0.3153, 1e-4);
    EXPECT_NEAR(TimingFunction::named(kCAMediaTimingFunctionEaseOut)->evaluate(0.5), 0.6847, 1e-4);
    EXPECT_NEAR(TimingFunction::named(kCAMediaTimingFunctionEaseInEaseOut)->evaluate(0.5), 0.5, 1e-6);
    for (double x : { 0.0, 0.125, 0.3, 0.77, 1.0 })
        EXPECT_NEAR(TimingFunction::named(kCAMediaTimingFunctionLinear)->evaluate(x), x, 1e-6);
}

TEST(TimingFunction, OutOfRangeTimesClampAndSteepCurvesStillSolve)
{
    auto f = TimingFunction::withControlPoints(0.9f, 0.0f, 1.0f, 0.1f); // nearly flat, then a wall
    EXPECT_EQ(f->evaluate(-1), 0);
    EXPECT_EQ(f->evaluate(2), 1);
    for (double x : { 0.2, 0.9, 0.99, 0.999 })
        EXPECT_NEAR(f->evaluate(x), reference::bezierY(0.9, 0, 1, 0.1, x), 2e-3) << x;
    auto clamped = TimingFunction::withControlPoints(-1, 0, 3, 1);
    EXPECT_EQ(clamped->controlPoint1().x, 0);
    EXPECT_EQ(clamped->controlPoint2().x, 1);
}

} // namespace
