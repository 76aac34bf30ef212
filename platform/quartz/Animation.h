#pragma once
// Animations: "CAAnimation" (timing), "CAPropertyAnimation" (a key path on a layer),
// "CABasicAnimation" (from/to/by) and "CAKeyframeAnimation" (values at key times).
//
// Time model. A layer records the clock time S at which an animation starts (the time it was
// added when beginTime is 0, else beginTime itself, a clock time). For a clock time t:
//
//      t < S ............... before   -> a value only with fill mode backwards or both (the start)
//      S <= t < S + A ...... active   -> the value at the iteration's progress
//      t >= S + A .......... after    -> a value only with fill mode forwards or both (the end)
//
//   where d = duration (0 means 0.25 s), one iteration lasts d (2d with autoreverses) and the
//   active span A = iteration x max(repeatCount, 1) (infinite for HUGE_VALF).
//
// Progress within an iteration p = ((t - S) mod iteration) / d, mirrored on the way back when
// autoreversing, then shaped by the timing function (none = linear). A keyframe animation picks
// the segment by key times and shapes the segment's local progress by that segment's function.

#include "platform/quartz/AnimationValue.h"
#include "platform/quartz/TimingFunction.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <optional>
#include <string>
#include <vector>

namespace quartz {

inline constexpr double kDefaultAnimationDuration = 0.25;

enum class FillMode { Removed, Forwards, Backwards, Both };

// The layer properties an animation may drive. Other key paths are accepted and change nothing.
enum class KeyPath { Other, Opacity, Transform, Position, Bounds };
KeyPath keyPathFromString(std::string_view);

enum class AnimationPhase { Before, Active, After };

class Animation : public runtime::Object {
public:
    double beginTime = 0; // 0: when added; else a clock time
    double duration = 0;  // 0: kDefaultAnimationDuration
    runtime::Ref<TimingFunction> timingFunction; // none: linear
    FillMode fillMode = FillMode::Removed;
    bool removedOnCompletion = true;
    Float repeatCount = 0; // 0 and 1 both mean once
    bool autoreverses = false;
    // Told "animationDidStop:finished:" (void(Object* animation, bool finished)) on the run loop
    // when the animation ends or is taken off its layer. Not owned.
    runtime::WeakRef<runtime::Object> delegate;

    double effectiveDuration() const { return duration > 0 ? duration : kDefaultAnimationDuration; }
    double activeDuration() const; // A above; infinity for endless repeats
    AnimationPhase phaseAt(double sinceStart) const;
    // The shaped progress (0..1 through the iteration, before keyframe segments) at a time since
    // the start; nothing where the fill mode does not cover that time.
    std::optional<double> progressAt(double sinceStart) const;

protected:
    ~Animation() override = default;
};

class PropertyAnimation : public Animation {
public:
    void setKeyPath(std::string path);
    const std::string& keyPath() const { return m_keyPath; }
    KeyPath property() const { return m_property; }
    bool additive = false;

    // The value this animation contributes at a time since its start, given the value beneath it
    // (the model value, or what earlier animations made of it); nothing where it does not apply.
    // Additive animations add their value to `beneath`.
    std::optional<AnimationValue> valueAt(double sinceStart, const AnimationValue& beneath) const;

protected:
    // The raw value at shaped progress p (0..1).
    virtual AnimationValue interpolatedValue(double p, const AnimationValue& beneath) const = 0;

private:
    std::string m_keyPath;
    KeyPath m_property = KeyPath::Other;
};

class BasicAnimation final : public PropertyAnimation {
public:
    // A new "CABasicAnimation" for the key path ("animationWithKeyPath:").
    static runtime::Ref<BasicAnimation> make(std::string keyPath);

    // From/to as on the phone: a missing from starts at the value beneath, a missing to ends at
    // from + by, or at the value beneath when there is no by either.
    AnimationValue fromValue, toValue, byValue;

protected:
    AnimationValue interpolatedValue(double p, const AnimationValue& beneath) const override;
};

class KeyframeAnimation final : public PropertyAnimation {
public:
    // A new "CAKeyframeAnimation" for the key path ("animationWithKeyPath:").
    static runtime::Ref<KeyframeAnimation> make(std::string keyPath);

    std::vector<AnimationValue> values;
    // One per value, ascending in [0, 1]; when their count differs from the values' the values are
    // spaced evenly. Key times ending before 1.0 hold the last value for the rest of the time.
    std::vector<Float> keyTimes;
    // One per segment (values - 1); a missing entry is linear.
    std::vector<runtime::Ref<TimingFunction>> timingFunctions;

protected:
    AnimationValue interpolatedValue(double p, const AnimationValue& beneath) const override;
};

} // namespace quartz
