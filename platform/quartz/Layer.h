#pragma once
// "CALayer": the model values of one view on screen (position = the view's centre, bounds,
// transform about the centre, opacity, hidden) and its animations by key, in the order added.
//
// Presentation at clock time t: start from the model value; for each animation of that property in
// insertion order, replace the value with the animation's (or add to it, when additive) where the
// animation is active or its fill mode covers t. The model value never changes by animating.
//
// The operations that callers use are registered runtime methods, and the C++ functions below call
// them through the runtime, so a replaced implementation runs whoever calls:
//   "position"/"setPosition:" (Point), "bounds"/"setBounds:" (Rect), "transform"/"setTransform:"
//   (Transform3D), "opacity"/"setOpacity:" (Float), "isHidden"/"setHidden:" (bool),
//   "addAnimation:forKey:" (void(Object*, std::string)), "removeAnimationForKey:" (std::string),
//   "removeAllAnimations", "animationForKey:" (Object*(std::string)), "animationKeys"
//   (std::vector<std::string>).
//
// Ownership: a layer owns its animations; its delegate (the view that owns the layer) is a raw back
// pointer the view clears.

#include "platform/quartz/Animation.h"
#include "platform/quartz/Geometry.h"
#include "platform/quartz/Transform3D.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <cstdint>
#include <string>
#include <vector>

namespace quartz {

// What a layer shows at one time.
struct Presentation {
    Point position;
    Rect bounds;
    Transform3D transform;
    Float opacity = 1;
    Rect frame() const { return frameOf(position, bounds, transform); }
};

class Layer : public runtime::Object {
public:
    static runtime::Ref<Layer> make(); // a new "CALayer"

    Point position() const;
    void setPosition(Point);
    Rect bounds() const;
    void setBounds(Rect);
    Transform3D transform() const;
    void setTransform(const Transform3D&);
    Float opacity() const;
    void setOpacity(Float);
    bool isHidden() const;
    void setHidden(bool);
    Rect frame() const; // the model frame: frameOf(position, bounds, transform)

    // Adds under `key`; an animation already under that key is taken off first and the new one
    // goes to the end. The layer keeps `animation` itself: change it no more once added.
    void addAnimation(Animation*, const std::string& key);
    void removeAnimationForKey(const std::string& key);
    void removeAllAnimations();
    Animation* animationForKey(const std::string& key) const;
    std::vector<std::string> animationKeys() const;
    bool hasAnimations() const { return !m_animations.empty(); }

    // The presentation at a clock time, and at the time source's current time.
    Presentation presentationAt(double time) const;
    Presentation presentation() const;
    AnimationValue presentedValue(KeyPath, double time) const;
    AnimationValue modelValue(KeyPath) const;

    // The view this layer belongs to (raw; the view clears it when it goes away).
    runtime::Object* delegate() const { return m_delegate; }
    void setDelegate(runtime::Object* view) { m_delegate = view; }

    // Direct model state, for the registered implementations and subclasses (no runtime send).
    struct Model {
        Point position;
        Rect bounds;
        Transform3D transform;
        Float opacity = 1;
        bool hidden = false;
    };
    Model& model() { return m_model; }
    const Model& model() const { return m_model; }

    struct Entry {
        std::string key;
        runtime::Ref<Animation> animation;
        const PropertyAnimation* property; // the same object, typed
        double start;         // clock time of local time 0
        std::uint64_t serial; // tells a re-added animation from the entry a completion was made for
    };
    const std::vector<Entry>& entries() const { return m_animations; }

    // Used by the registered implementations.
    void addAnimationDirect(Animation*, const std::string& key);
    void removeAnimationDirect(const std::string& key);
    void removeAllAnimationsDirect();

protected:
    ~Layer() override;

private:
    void finish(std::uint64_t serial);
    void takeOff(std::vector<Entry>::iterator, bool finished);

    Model m_model;
    std::vector<Entry> m_animations;
    runtime::Object* m_delegate = nullptr;
};

} // namespace quartz
