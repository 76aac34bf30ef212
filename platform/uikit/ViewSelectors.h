#pragma once
// The view selectors, interned once (internal to uikit and its subclasses' implementations).

#include "platform/quartz/AnimationValue.h"
#include "platform/quartz/Animation.h"
#include "platform/runtime/Selector.h"

namespace quartz {
class Layer;
}

namespace uikit {

struct ViewSelectors {
    using Sel = runtime::Sel;
    Sel initWithFrame { "initWithFrame:" }, frame { "frame" }, setFrame { "setFrame:" };
    Sel bounds { "bounds" }, setBounds { "setBounds:" }, center { "center" }, setCenter { "setCenter:" };
    Sel transform { "transform" }, setTransform { "setTransform:" }, tag { "tag" }, setTag { "setTag:" };
    Sel isHidden { "isHidden" }, setHidden { "setHidden:" }, alpha { "alpha" }, setAlpha { "setAlpha:" };
    Sel backgroundColor { "backgroundColor" }, setBackgroundColor { "setBackgroundColor:" };
    Sel isUserInteractionEnabled { "isUserInteractionEnabled" }, setUserInteractionEnabled { "setUserInteractionEnabled:" };
    Sel isMultipleTouchEnabled { "isMultipleTouchEnabled" }, setMultipleTouchEnabled { "setMultipleTouchEnabled:" };
    Sel isExclusiveTouch { "isExclusiveTouch" }, setExclusiveTouch { "setExclusiveTouch:" };
    Sel clipsToBounds { "clipsToBounds" }, setClipsToBounds { "setClipsToBounds:" };
    Sel addSubview { "addSubview:" }, insertAbove { "insertSubview:aboveSubview:" }, insertBelow { "insertSubview:belowSubview:" };
    Sel insertAt { "insertSubview:atIndex:" }, bringToFront { "bringSubviewToFront:" }, sendToBack { "sendSubviewToBack:" };
    Sel removeFromSuperview { "removeFromSuperview" }, superview { "superview" }, viewWithTag { "viewWithTag:" };
    Sel layer { "layer" }, window { "window" }, layoutSubviews { "layoutSubviews" };
    Sel setNeedsLayout { "setNeedsLayout" }, layoutIfNeeded { "layoutIfNeeded" };
    Sel touchesBegan { "touchesBegan:withEvent:" }, touchesMoved { "touchesMoved:withEvent:" };
    Sel touchesEnded { "touchesEnded:withEvent:" }, touchesCancelled { "touchesCancelled:withEvent:" };
    Sel hitTest { "hitTest:withEvent:" }, pointInside { "pointInside:withEvent:" };
    Sel convertPointTo { "convertPoint:toView:" }, convertPointFrom { "convertPoint:fromView:" };
    Sel addGestureRecognizer { "addGestureRecognizer:" }, removeGestureRecognizer { "removeGestureRecognizer:" };
};

// Sets a model value of the layer; inside a view animation block also adds the animation from
// the value presented now to the new one.
void changeAnimatable(quartz::Layer*, quartz::KeyPath, const quartz::AnimationValue&);

} // namespace uikit
