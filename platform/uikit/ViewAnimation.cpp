// View animation blocks. While a block's changes run, the animatable setters ask
// changeAnimatable to add an animation from the presented value to the new model value.
#include "platform/quartz/Layer.h"
#include "platform/uikit/RunLoop.h"
#include "platform/uikit/View.h"
#include "platform/uikit/ViewSelectors.h"

namespace uikit {

namespace {

struct Block {
    double duration;
    double delay;
    AnimationCurve curve;
};

std::vector<Block>& blocks()
{
    static std::vector<Block>* stack = new std::vector<Block>; // lives as long as the process
    return *stack;
}

const char* curveName(AnimationCurve curve)
{
    switch (curve) {
    case AnimationCurve::EaseIn:
        return quartz::kCAMediaTimingFunctionEaseIn;
    case AnimationCurve::EaseOut:
        return quartz::kCAMediaTimingFunctionEaseOut;
    case AnimationCurve::Linear:
        return quartz::kCAMediaTimingFunctionLinear;
    default:
        return quartz::kCAMediaTimingFunctionEaseInEaseOut;
    }
}

const char* keyName(quartz::KeyPath key)
{
    switch (key) {
    case quartz::KeyPath::Opacity:
        return "opacity";
    case quartz::KeyPath::Transform:
        return "transform";
    case quartz::KeyPath::Position:
        return "position";
    case quartz::KeyPath::Bounds:
        return "bounds";
    default:
        return "";
    }
}

void setModel(quartz::Layer::Model& m, quartz::KeyPath key, const quartz::AnimationValue& v)
{
    switch (key) {
    case quartz::KeyPath::Opacity:
        if (const Float* f = v.asFloat())
            m.opacity = *f;
        break;
    case quartz::KeyPath::Transform:
        if (const Transform3D* t = v.asTransform())
            m.transform = *t;
        break;
    case quartz::KeyPath::Position:
        if (const Point* p = v.asPoint())
            m.position = *p;
        break;
    case quartz::KeyPath::Bounds:
        if (const Rect* r = v.asRect())
            m.bounds = *r;
        break;
    default:
        break;
    }
}

} // namespace

void changeAnimatable(quartz::Layer* layer, quartz::KeyPath key, const quartz::AnimationValue& value)
{
    if (blocks().empty()) [[likely]] {
        setModel(layer->model(), key, value);
        return;
    }
    const Block& block = blocks().back();
    double now = RunLoop::main().now();
    quartz::AnimationValue before = layer->presentedValue(key, now);
    setModel(layer->model(), key, value);
    if (before == value || block.duration <= 0)
        return;
    auto animation = quartz::BasicAnimation::make(keyName(key));
    animation->fromValue = before;
    animation->toValue = value;
    animation->duration = block.duration;
    animation->timingFunction = quartz::TimingFunction::named(curveName(block.curve));
    if (block.delay > 0) {
        // Until it starts, the view keeps showing where it was.
        animation->beginTime = now + block.delay;
        animation->fillMode = quartz::FillMode::Backwards;
    }
    layer->addAnimation(animation, keyName(key));
}

void View::animate(double duration, double delay, AnimationCurve curve, const std::function<void()>& changes,
    std::function<void(bool)> completion)
{
    blocks().push_back({ duration, delay, curve });
    if (changes)
        changes();
    blocks().pop_back();
    if (completion)
        RunLoop::main().performAfterDelay(std::max(delay, 0.0) + std::max(duration, 0.0), [completion = std::move(completion)] { completion(true); });
}

} // namespace uikit
