#include "platform/quartz/Animation.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace quartz {

namespace {

using runtime::Object;
using runtime::Sel;

Object* basicWithKeyPath(Object*, Sel, std::string path) { return runtime::autorelease(BasicAnimation::make(std::move(path)).leak()); }
Object* keyframeWithKeyPath(Object*, Sel, std::string path) { return runtime::autorelease(KeyframeAnimation::make(std::move(path)).leak()); }

struct Classes {
    runtime::Class* basic;
    runtime::Class* keyframe;
};

const Classes& classes()
{
    static const Classes c = [] {
        runtime::ClassBuilder("CAAnimation", "NSObject").registerClass();
        runtime::ClassBuilder("CAPropertyAnimation", "CAAnimation").registerClass();
        Classes made;
        made.basic = runtime::ClassBuilder("CABasicAnimation", "CAPropertyAnimation")
                         .instancesOf<BasicAnimation>()
                         .classMethod("animationWithKeyPath:", &basicWithKeyPath)
                         .registerClass();
        made.keyframe = runtime::ClassBuilder("CAKeyframeAnimation", "CAPropertyAnimation")
                            .instancesOf<KeyframeAnimation>()
                            .classMethod("animationWithKeyPath:", &keyframeWithKeyPath)
                            .registerClass();
        return made;
    }();
    return c;
}

[[maybe_unused]] const bool g_registered = classes().basic != nullptr;

template<class T>
runtime::Ref<T> makeWithKeyPath(runtime::Class* cls, std::string path)
{
    auto object = runtime::alloc(cls);
    auto* animation = static_cast<T*>(object.get());
    if (animation)
        animation->setKeyPath(std::move(path));
    return runtime::Ref<T>(animation);
}

} // namespace

KeyPath keyPathFromString(std::string_view path)
{
    if (path == "opacity")
        return KeyPath::Opacity;
    if (path == "transform")
        return KeyPath::Transform;
    if (path == "position")
        return KeyPath::Position;
    if (path == "bounds")
        return KeyPath::Bounds;
    return KeyPath::Other;
}

double Animation::activeDuration() const
{
    double iteration = effectiveDuration() * (autoreverses ? 2 : 1);
    if (std::isinf(repeatCount))
        return std::numeric_limits<double>::infinity();
    return iteration * (repeatCount > 1 ? static_cast<double>(repeatCount) : 1.0);
}

AnimationPhase Animation::phaseAt(double sinceStart) const
{
    if (sinceStart < 0)
        return AnimationPhase::Before;
    if (sinceStart >= activeDuration())
        return AnimationPhase::After;
    return AnimationPhase::Active;
}

std::optional<double> Animation::progressAt(double sinceStart) const
{
    double d = effectiveDuration();
    double iteration = d * (autoreverses ? 2 : 1);
    double p;
    switch (phaseAt(sinceStart)) {
    case AnimationPhase::Before:
        if (fillMode != FillMode::Backwards && fillMode != FillMode::Both)
            return std::nullopt;
        p = 0;
        break;
    case AnimationPhase::Active: {
        double within = std::fmod(sinceStart, iteration);
        p = within / d;
        break;
    }
    case AnimationPhase::After: {
        if (fillMode != FillMode::Forwards && fillMode != FillMode::Both)
            return std::nullopt;
        // Where the last iteration stopped: its end, or part way through for a fractional count.
        double within = std::fmod(activeDuration(), iteration);
        p = within > 0 ? within / d : (autoreverses ? 2.0 : 1.0);
        break;
    }
    default:
        return std::nullopt;
    }
    if (autoreverses && p > 1)
        p = 2 - p;
    p = std::clamp(p, 0.0, 1.0);
    return timingFunction ? timingFunction->evaluate(p) : p;
}

void PropertyAnimation::setKeyPath(std::string path)
{
    m_property = keyPathFromString(path);
    m_keyPath = std::move(path);
}

std::optional<AnimationValue> PropertyAnimation::valueAt(double sinceStart, const AnimationValue& beneath) const
{
    std::optional<double> p = progressAt(sinceStart);
    if (!p)
        return std::nullopt;
    AnimationValue value = interpolatedValue(*p, beneath);
    if (!value.sameKind(beneath))
        return std::nullopt; // a value of the wrong kind for the property changes nothing
    return additive ? AnimationValue::add(beneath, value) : value;
}

runtime::Ref<BasicAnimation> BasicAnimation::make(std::string keyPath)
{
    return makeWithKeyPath<BasicAnimation>(classes().basic, std::move(keyPath));
}

AnimationValue BasicAnimation::interpolatedValue(double p, const AnimationValue& beneath) const
{
    const AnimationValue& from = fromValue.isNone() ? beneath : fromValue;
    AnimationValue to = !toValue.isNone() ? toValue : !byValue.isNone() ? AnimationValue::add(from, byValue) : beneath;
    if (!from.sameKind(beneath) || !to.sameKind(beneath))
        return {};
    return AnimationValue::interpolate(from, to, p);
}

runtime::Ref<KeyframeAnimation> KeyframeAnimation::make(std::string keyPath)
{
    return makeWithKeyPath<KeyframeAnimation>(classes().keyframe, std::move(keyPath));
}

AnimationValue KeyframeAnimation::interpolatedValue(double p, const AnimationValue& beneath) const
{
    std::size_t n = values.size();
    if (n == 0)
        return beneath;
    if (n == 1)
        return values[0];
    bool given = keyTimes.size() == n;
    auto timeOf = [&](std::size_t i) { return given ? static_cast<double>(keyTimes[i]) : static_cast<double>(i) / (n - 1); };
    if (p <= timeOf(0))
        return values[0];
    if (p >= timeOf(n - 1))
        return values[n - 1]; // key times ending before 1.0 hold the last value
    std::size_t i = 0;
    while (i + 2 < n && p >= timeOf(i + 1))
        ++i;
    double span = timeOf(i + 1) - timeOf(i);
    double local = span > 0 ? (p - timeOf(i)) / span : 1.0;
    if (i < timingFunctions.size() && timingFunctions[i])
        local = timingFunctions[i]->evaluate(local);
    return AnimationValue::interpolate(values[i], values[i + 1], local);
}

} // namespace quartz
