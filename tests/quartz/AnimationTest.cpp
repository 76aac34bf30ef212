// Animations as pure functions of the time since their start: phases, fill modes, repeats,
// basic from/to/by and keyframe segments.
#include "Bezier.h"
#include "platform/quartz/Animation.h"
#include <gtest/gtest.h>
#include <cmath>
#include <optional>

using namespace quartz;

namespace {

std::optional<Float> opacityAt(const PropertyAnimation& a, double t, Float beneath = 1.0f)
{
    std::optional<AnimationValue> v = a.valueAt(t, beneath);
    if (!v)
        return std::nullopt;
    return *v->asFloat();
}

runtime::Ref<BasicAnimation> fade(Float from, Float to, double duration)
{
    auto a = BasicAnimation::make("opacity");
    a->fromValue = from;
    a->toValue = to;
    a->duration = duration;
    return a;
}

struct FillCase {
    FillMode mode;
    std::optional<Float> before, during, after;
};

TEST(Animation, FillModesCoverBeforeAndAfter)
{
    const FillCase cases[] = {
        { FillMode::Removed, std::nullopt, 0.5f, std::nullopt },
        { FillMode::Forwards, std::nullopt, 0.5f, 0.8f },
        { FillMode::Backwards, 0.2f, 0.5f, std::nullopt },
        { FillMode::Both, 0.2f, 0.5f, 0.8f },
    };
    for (const FillCase& c : cases) {
        auto a = fade(0.2f, 0.8f, 1.0);
        a->fillMode = c.mode;
        EXPECT_EQ(opacityAt(*a, -0.5), c.before) << static_cast<int>(c.mode);
        std::optional<Float> mid = opacityAt(*a, 0.5);
        ASSERT_TRUE(mid);
        EXPECT_FLOAT_EQ(*mid, *c.during);
        EXPECT_EQ(opacityAt(*a, 1.0), c.after) << "the end itself is after";
        EXPECT_EQ(opacityAt(*a, 7.0), c.after);
    }
}

TEST(Animation, DefaultDurationIsAQuarterSecond)
{
    auto a = fade(0, 1, 0);
    EXPECT_DOUBLE_EQ(a->activeDuration(), 0.25);
    EXPECT_FLOAT_EQ(*opacityAt(*a, 0.125), 0.5f);
    EXPECT_EQ(a->phaseAt(0.25), AnimationPhase::After);
}

TEST(Animation, RepeatsAndAutoreverses)
{
    auto a = fade(0, 1, 1.0);
    a->autoreverses = true;
    a->repeatCount = 1.5f;
    a->fillMode = FillMode::Forwards;
    EXPECT_DOUBLE_EQ(a->activeDuration(), 3.0);
    const std::pair<double, Float> samples[] = { { 0.25, 0.25f }, { 1.25, 0.75f }, { 2.25, 0.25f }, { 2.9, 0.9f }, { 5.0, 1.0f } };
    for (auto [t, expected] : samples)
        EXPECT_NEAR(*opacityAt(*a, t), expected, 1e-5) << t;

    auto endless = fade(0, 1, 1.0);
    endless->repeatCount = HUGE_VALF;
    EXPECT_TRUE(std::isinf(endless->activeDuration()));
    EXPECT_NEAR(*opacityAt(*endless, 1000.5), 0.5f, 1e-4);
}

TEST(Animation, TimingFunctionShapesBasicProgress)
{
    auto a = fade(0, 1, 1.0);
    a->timingFunction = TimingFunction::named(kCAMediaTimingFunctionEaseIn);
    EXPECT_NEAR(*opacityAt(*a, 0.5), reference::easeIn(0.5), 1e-4);
}

TEST(Animation, BasicFromToByDefaults)
{
    auto toOnly = BasicAnimation::make("opacity");
    toOnly->toValue = 0.0f;
    EXPECT_FLOAT_EQ(*opacityAt(*toOnly, 0.125, 0.6f), 0.3f) << "starts from the value beneath";

    auto fromBy = BasicAnimation::make("opacity");
    fromBy->fromValue = 0.2f;
    fromBy->byValue = 0.4f;
    EXPECT_FLOAT_EQ(*opacityAt(*fromBy, 0.125), 0.4f);

    auto wrongKind = BasicAnimation::make("opacity");
    wrongKind->toValue = Point { 1, 2 };
    EXPECT_EQ(opacityAt(*wrongKind, 0.1), std::nullopt) << "a point cannot drive opacity";
}

TEST(Animation, AdditiveAddsToTheValueBeneath)
{
    auto a = fade(0.0f, 0.4f, 1.0);
    a->additive = true;
    EXPECT_FLOAT_EQ(*opacityAt(*a, 0.5, 0.5f), 0.7f);

    auto grow = BasicAnimation::make("transform");
    grow->fromValue = Transform3DMakeScale(2, 2, 1);
    grow->toValue = Transform3DMakeScale(2, 2, 1);
    grow->additive = true;
    std::optional<AnimationValue> v = grow->valueAt(0.1, Transform3DMakeTranslation(10, 0, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(*v->asTransform(), Transform3DScale(Transform3DMakeTranslation(10, 0, 0), 2, 2, 1));
}

TEST(Animation, KeyframesPickSegmentsByKeyTimes)
{
    auto a = KeyframeAnimation::make("opacity");
    a->values = { 0.0f, 1.0f, 0.5f };
    a->keyTimes = { 0.0f, 0.5f, 0.75f };
    a->timingFunctions = { TimingFunction::named(kCAMediaTimingFunctionEaseOut) };
    a->duration = 1.0;
    a->fillMode = FillMode::Forwards;
    EXPECT_FLOAT_EQ(*opacityAt(*a, 0.0), 0.0f);
    EXPECT_NEAR(*opacityAt(*a, 0.25), reference::easeOut(0.5), 1e-4) << "first segment eased";
    EXPECT_FLOAT_EQ(*opacityAt(*a, 0.5), 1.0f);
    EXPECT_FLOAT_EQ(*opacityAt(*a, 0.625), 0.75f) << "second segment has no function: linear";
    EXPECT_FLOAT_EQ(*opacityAt(*a, 0.9), 0.5f) << "after the last key time the last value holds";

    a->keyTimes = { 0.0f, 1.0f }; // a count that does not match: evenly spaced
    EXPECT_FLOAT_EQ(*opacityAt(*a, 0.75), 0.75f);
}

} // namespace
