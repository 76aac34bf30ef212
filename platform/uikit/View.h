#pragma once
// "UIView": a rectangle on screen with a layer, an ordered list of subviews (back to front), a tag,
// a hidden flag, an alpha, a background colour and touch handling.
//
// Geometry follows the phone: the layer holds the centre (its position), the bounds and the
// transform (applied about the centre). "frame" is derived: the bounding box of the transformed
// bounds placed around the centre. Setting the frame sets the centre to its middle and the bounds
// size to its size (the transform is not undone).
//
// Every operation below is a registered runtime method of "UIView" and the C++ functions call it
// THROUGH the runtime (runtime::send), so a subclass's or a hook's replacement runs whoever calls.
// Selectors and their exact types:
//   "initWithFrame:"            Object*(Rect)          "layoutSubviews"              void()
//   "frame" / "setFrame:"       Rect / void(Rect)      "bounds" / "setBounds:"       Rect / void(Rect)
//   "center" / "setCenter:"     Point / void(Point)    "transform" / "setTransform:" Transform3D
//   "tag" / "setTag:"           std::int32_t           "isHidden" / "setHidden:"     bool
//   "alpha" / "setAlpha:"       Float                  "backgroundColor" / "setBackgroundColor:" Object*
//   "isUserInteractionEnabled" / "setUserInteractionEnabled:"  bool
//   "isMultipleTouchEnabled" / "setMultipleTouchEnabled:", "isExclusiveTouch" / "setExclusiveTouch:" bool
//   "clipsToBounds" / "setClipsToBounds:" bool (subviews are drawn only inside the bounds; default NO)
//   "addSubview:" void(Object*)   "insertSubview:aboveSubview:" / "insertSubview:belowSubview:"
//   void(Object*, Object*)   "insertSubview:atIndex:" void(Object*, std::int32_t)
//   "bringSubviewToFront:" / "sendSubviewToBack:" void(Object*)   "removeFromSuperview" void()
//   "superview" Object*   "viewWithTag:" Object*(std::int32_t)   "layer" Object*   "window" Object*
//   "touchesBegan:withEvent:", "touchesMoved:withEvent:", "touchesEnded:withEvent:",
//   "touchesCancelled:withEvent:"   void(Object* touches, Object* event); the default passes the
//   touches up to the superview, as the phone's responder chain does.
//   "hitTest:withEvent:" Object*(Point, Object*)   "pointInside:withEvent:" bool(Point, Object*)
//   "convertPoint:toView:" / "convertPoint:fromView:"  Point(Point, Object*)
//   "addGestureRecognizer:" / "removeGestureRecognizer:" void(Object*)
//   "setNeedsLayout" / "layoutIfNeeded" void()
//   class method "animateWithDuration:delay:options:animations:completion:" is not registered:
//   blocks are C++ (View::animate).
//
// Ownership: a view owns its subviews, its layer and its gesture recognisers; its superview is a
// raw back pointer that the parent clears when the child leaves or the parent goes away.

#include "platform/quartz/Geometry.h"
#include "platform/quartz/Layer.h"
#include "platform/quartz/Transform3D.h"
#include "platform/runtime/Class.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace uikit {

using quartz::Float;
using quartz::Point;
using quartz::Rect;
using quartz::Size;
using quartz::Transform3D;

class Color;
class GestureRecognizer;
class Window;

// Curves of view animation blocks (the phone's UIViewAnimationOptionCurve... values).
enum class AnimationCurve : std::uint32_t { EaseInOut = 0, EaseIn = 1 << 16, EaseOut = 2 << 16, Linear = 3 << 16 };

class View : public runtime::Object {
public:
    // alloc of the class by name, then "initWithFrame:"; nothing for an unknown class or one that
    // is not a view.
    static runtime::Ref<View> make(std::string_view className, Rect frame);
    static runtime::Ref<View> make(Rect frame) { return make("UIView", frame); }

    Rect frame() const;
    void setFrame(Rect);
    Rect bounds() const;
    void setBounds(Rect);
    Point center() const;
    void setCenter(Point);
    Transform3D transform() const; // the layer's model transform
    void setTransform(const Transform3D&);
    std::int32_t tag() const;
    void setTag(std::int32_t);
    bool isHidden() const;
    void setHidden(bool);
    Float alpha() const;
    void setAlpha(Float);
    Color* backgroundColor() const;
    void setBackgroundColor(Color*);
    bool isUserInteractionEnabled() const;
    void setUserInteractionEnabled(bool);
    bool isMultipleTouchEnabled() const;
    void setMultipleTouchEnabled(bool);
    bool isExclusiveTouch() const;
    void setExclusiveTouch(bool);
    bool clipsToBounds() const;
    void setClipsToBounds(bool);

    void addSubview(View*);
    void insertSubviewAbove(View*, View* sibling); // at the front when sibling is not a subview
    void insertSubviewBelow(View*, View* sibling); // at the back when sibling is not a subview
    void insertSubviewAt(View*, std::int32_t index);
    void bringSubviewToFront(View*);
    void sendSubviewToBack(View*);
    void removeFromSuperview();
    View* superview() const;
    const std::vector<runtime::Ref<View>>& subviews() const { return m_subviews; } // back to front
    View* viewWithTag(std::int32_t) const; // this view or the first match depth first
    quartz::Layer* layer() const { return m_layer.get(); }
    Window* window() const;
    bool isDescendantOf(const View*) const;

    void setNeedsLayout();
    void layoutIfNeeded(); // sends "layoutSubviews" to this view and the subtree where needed
    void layoutSubviews();

    void touchesBegan(runtime::Object* touches, runtime::Object* event);
    void touchesMoved(runtime::Object* touches, runtime::Object* event);
    void touchesEnded(runtime::Object* touches, runtime::Object* event);
    void touchesCancelled(runtime::Object* touches, runtime::Object* event);
    // The deepest visible, interactive view containing the point (in this view's coordinates),
    // front to back; nothing when this view is hidden, nearly transparent (alpha < 0.01), takes no
    // interaction, or the point lies outside its bounds.
    View* hitTest(Point, runtime::Object* event = nullptr);
    bool pointInside(Point, runtime::Object* event = nullptr);
    Point convertPointTo(Point, View* to) const;     // nothing as `to`: the window
    Point convertPointFrom(Point, View* from) const; // nothing as `from`: the window

    void addGestureRecognizer(GestureRecognizer*);
    void removeGestureRecognizer(GestureRecognizer*);
    const std::vector<runtime::Ref<GestureRecognizer>>& gestureRecognizers() const { return m_gestureRecognizers; }
    std::vector<runtime::Ref<GestureRecognizer>>& gestureRecognizersStorage() { return m_gestureRecognizers; }

    // What the screen shows now (the run loop's time): the layer's presentation.
    quartz::Presentation presentation() const;
    Rect presentedFrame() const { return presentation().frame(); }
    Float presentedOpacity() const { return presentation().opacity; }
    Transform3D presentedTransform() const { return presentation().transform; }

    // A view animation block: `changes` runs at once and sets model values; each change of the
    // centre, bounds (frame), alpha or transform made inside it adds a basic animation from the
    // value presented at this moment to the new one (keys "position", "bounds", "opacity",
    // "transform"), starting after `delay`, lasting `duration`, shaped by `curve`. `completion`
    // runs on the run loop at now + delay + duration with finished = true.
    static void animate(double duration, double delay, AnimationCurve curve, const std::function<void()>& changes,
        std::function<void(bool finished)> completion = {});
    static void animate(double duration, const std::function<void()>& changes, std::function<void(bool finished)> completion = {})
    {
        animate(duration, 0, AnimationCurve::EaseInOut, changes, std::move(completion));
    }

    // The runtime class name ("UIView", "SBAwayView" ...), for dumps.
    const std::string& className() const;

    // State behind the registered implementations; subclasses' implementations use it directly.
    struct State {
        std::int32_t tag = 0;
        bool userInteractionEnabled = true;
        bool multipleTouchEnabled = false;
        bool exclusiveTouch = false;
        bool needsLayout = true;
        runtime::Ref<Color> backgroundColor;
        bool clipsToBounds = false;
    };
    State& state() { return m_state; }
    const State& state() const { return m_state; }

    // Used by the hierarchy implementation and Window.
    void attachSubview(View*, std::size_t index);
    void detachFromSuperview();

    View();

protected:
    ~View() override;

private:
    friend class ViewAccess;
    View* m_superview = nullptr;
    std::vector<runtime::Ref<View>> m_subviews;
    runtime::Ref<quartz::Layer> m_layer;
    std::vector<runtime::Ref<GestureRecognizer>> m_gestureRecognizers;
    State m_state;
};

// Selectors of the view operations, interned once (ViewSelectors.h).
struct ViewSelectors;
const ViewSelectors& viewSelectors();
runtime::Class* viewClass(); // "UIView"

} // namespace uikit
