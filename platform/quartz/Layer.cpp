#include "platform/quartz/Layer.h"
#include "platform/quartz/TimeSource.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <cassert>
#include <cmath>

namespace quartz {

namespace {

using runtime::Object;
using runtime::Sel;

Layer* self(Object* o) { return static_cast<Layer*>(o); }

Point position(Object* o, Sel) { return self(o)->model().position; }
void setPosition(Object* o, Sel, Point p) { self(o)->model().position = p; }
Rect bounds(Object* o, Sel) { return self(o)->model().bounds; }
void setBounds(Object* o, Sel, Rect r) { self(o)->model().bounds = r; }
Transform3D transform(Object* o, Sel) { return self(o)->model().transform; }
void setTransform(Object* o, Sel, Transform3D t) { self(o)->model().transform = t; }
Float opacity(Object* o, Sel) { return self(o)->model().opacity; }
void setOpacity(Object* o, Sel, Float f) { self(o)->model().opacity = f; }
bool isHidden(Object* o, Sel) { return self(o)->model().hidden; }
void setHidden(Object* o, Sel, bool h) { self(o)->model().hidden = h; }
void addAnimation(Object* o, Sel, Object* animation, std::string key)
{
    self(o)->addAnimationDirect(static_cast<Animation*>(animation), key);
}
void removeAnimationForKey(Object* o, Sel, std::string key) { self(o)->removeAnimationDirect(key); }
void removeAllAnimations(Object* o, Sel) { self(o)->removeAllAnimationsDirect(); }
Object* animationForKey(Object* o, Sel, std::string key)
{
    for (const Layer::Entry& e : self(o)->entries())
        if (e.key == key)
            return e.animation.get();
    return nullptr;
}
std::vector<std::string> animationKeys(Object* o, Sel)
{
    std::vector<std::string> keys;
    for (const Layer::Entry& e : self(o)->entries())
        keys.push_back(e.key);
    return keys;
}

struct Selectors {
    Sel position { "position" }, setPosition { "setPosition:" }, bounds { "bounds" }, setBounds { "setBounds:" };
    Sel transform { "transform" }, setTransform { "setTransform:" }, opacity { "opacity" }, setOpacity { "setOpacity:" };
    Sel isHidden { "isHidden" }, setHidden { "setHidden:" }, addAnimation { "addAnimation:forKey:" };
    Sel removeAnimationForKey { "removeAnimationForKey:" }, removeAllAnimations { "removeAllAnimations" };
    Sel animationForKey { "animationForKey:" }, animationKeys { "animationKeys" };
    Sel animationDidStop { "animationDidStop:finished:" };
};

const Selectors& sels()
{
    static const Selectors s;
    return s;
}

runtime::Class* layerClass()
{
    static runtime::Class* cls = runtime::ClassBuilder("CALayer", "NSObject")
                                     .instancesOf<Layer>()
                                     .method("position", &position)
                                     .method("setPosition:", &setPosition)
                                     .method("bounds", &bounds)
                                     .method("setBounds:", &setBounds)
                                     .method("transform", &transform)
                                     .method("setTransform:", &setTransform)
                                     .method("opacity", &opacity)
                                     .method("setOpacity:", &setOpacity)
                                     .method("isHidden", &isHidden)
                                     .method("setHidden:", &setHidden)
                                     .method("addAnimation:forKey:", &addAnimation)
                                     .method("removeAnimationForKey:", &removeAnimationForKey)
                                     .method("removeAllAnimations", &removeAllAnimations)
                                     .method("animationForKey:", &animationForKey)
                                     .method("animationKeys", &animationKeys)
                                     .registerClass();
    return cls;
}

[[maybe_unused]] const bool g_registered = layerClass() != nullptr;

// Tells an animation's delegate, on the run loop, that the animation stopped.
void tellDelegateLater(double time, const runtime::Ref<Animation>& animation, bool finished)
{
    TimeSource* source = timeSource();
    if (!source || !animation->delegate)
        return;
    source->callAt(time, [animation, finished] {
        runtime::send<void>(animation->delegate.get(), sels().animationDidStop, animation.get(), finished);
    });
}

} // namespace

runtime::Ref<Layer> Layer::make()
{
    auto object = runtime::alloc(layerClass());
    return runtime::Ref<Layer>(static_cast<Layer*>(object.get()));
}

Layer::~Layer() = default;

Point Layer::position() const { return runtime::send<Point>(this, sels().position); }
void Layer::setPosition(Point p) { runtime::send<void>(this, sels().setPosition, p); }
Rect Layer::bounds() const { return runtime::send<Rect>(this, sels().bounds); }
void Layer::setBounds(Rect r) { runtime::send<void>(this, sels().setBounds, r); }
Transform3D Layer::transform() const { return runtime::send<Transform3D>(this, sels().transform); }
void Layer::setTransform(const Transform3D& t) { runtime::send<void>(this, sels().setTransform, t); }
Float Layer::opacity() const { return runtime::send<Float>(this, sels().opacity); }
void Layer::setOpacity(Float f) { runtime::send<void>(this, sels().setOpacity, f); }
bool Layer::isHidden() const { return runtime::send<bool>(this, sels().isHidden); }
void Layer::setHidden(bool h) { runtime::send<void>(this, sels().setHidden, h); }
Rect Layer::frame() const { return frameOf(position(), bounds(), transform()); }

void Layer::addAnimation(Animation* animation, const std::string& key)
{
    runtime::send<void>(this, sels().addAnimation, animation, key);
}
void Layer::removeAnimationForKey(const std::string& key) { runtime::send<void>(this, sels().removeAnimationForKey, key); }
void Layer::removeAllAnimations() { runtime::send<void>(this, sels().removeAllAnimations); }
Animation* Layer::animationForKey(const std::string& key) const
{
    return static_cast<Animation*>(runtime::send<Object*>(this, sels().animationForKey, key));
}
std::vector<std::string> Layer::animationKeys() const { return runtime::send<std::vector<std::string>>(this, sels().animationKeys); }

void Layer::addAnimationDirect(Animation* animation, const std::string& key)
{
    auto* property = dynamic_cast<PropertyAnimation*>(animation);
    if (!property)
        return;
    runtime::Ref<Animation> keep(animation); // the caller may hold the only other reference
    if (!key.empty())
        removeAnimationDirect(key);
    static std::uint64_t serials = 0;
    double now = currentMediaTime();
    double start = animation->beginTime > 0 ? animation->beginTime : now;
    std::uint64_t serial = ++serials;
    m_animations.push_back({ key, keep, property, start, serial });

    double end = start + animation->activeDuration();
    TimeSource* source = timeSource();
    if (source && std::isfinite(end) && (animation->removedOnCompletion || animation->delegate)) {
        source->callAt(end, [weak = runtime::WeakRef<Layer>(this), serial] {
            if (runtime::Ref<Layer> layer = weak.strong())
                layer->finish(serial);
        });
    }
}

void Layer::finish(std::uint64_t serial)
{
    auto it = std::find_if(m_animations.begin(), m_animations.end(), [&](const Entry& e) { return e.serial == serial; });
    if (it == m_animations.end())
        return; // taken off before it ended
    runtime::Ref<Animation> animation = it->animation;
    if (animation->removedOnCompletion)
        m_animations.erase(it);
    if (animation->delegate)
        runtime::send<void>(animation->delegate.get(), sels().animationDidStop, animation.get(), true);
}

void Layer::takeOff(std::vector<Entry>::iterator it, bool finished)
{
    runtime::Ref<Animation> animation = it->animation;
    m_animations.erase(it);
    tellDelegateLater(currentMediaTime(), animation, finished);
}

void Layer::removeAnimationDirect(const std::string& key)
{
    auto it = std::find_if(m_animations.begin(), m_animations.end(), [&](const Entry& e) { return e.key == key; });
    if (it != m_animations.end())
        takeOff(it, false);
}

void Layer::removeAllAnimationsDirect()
{
    std::vector<Entry> taken;
    taken.swap(m_animations);
    for (const Entry& e : taken)
        tellDelegateLater(currentMediaTime(), e.animation, false);
}

AnimationValue Layer::modelValue(KeyPath key) const
{
    switch (key) {
    case KeyPath::Opacity:
        return m_model.opacity;
    case KeyPath::Transform:
        return m_model.transform;
    case KeyPath::Position:
        return m_model.position;
    case KeyPath::Bounds:
        return m_model.bounds;
    default:
        return {};
    }
}

AnimationValue Layer::presentedValue(KeyPath key, double time) const
{
    AnimationValue value = modelValue(key);
    for (const Entry& e : m_animations)
        if (e.property->property() == key)
            if (std::optional<AnimationValue> v = e.property->valueAt(time - e.start, value))
                value = std::move(*v);
    return value;
}

Presentation Layer::presentationAt(double time) const
{
    Presentation p { m_model.position, m_model.bounds, m_model.transform, m_model.opacity };
    if (m_animations.empty())
        return p;
    p.position = *presentedValue(KeyPath::Position, time).asPoint();
    p.bounds = *presentedValue(KeyPath::Bounds, time).asRect();
    p.transform = *presentedValue(KeyPath::Transform, time).asTransform();
    p.opacity = *presentedValue(KeyPath::Opacity, time).asFloat();
    return p;
}

Presentation Layer::presentation() const { return presentationAt(currentMediaTime()); }

} // namespace quartz
