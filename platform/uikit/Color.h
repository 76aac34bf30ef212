#pragma once
// "UIColor": red, green, blue and alpha in [0, 1].

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"

namespace uikit {

using quartz::Float;

class Color : public runtime::Object {
public:
    // "colorWithRed:green:blue:alpha:" (class method, Object*(Float, Float, Float, Float)).
    static runtime::Ref<Color> make(Float red, Float green, Float blue, Float alpha);
    static runtime::Ref<Color> white(Float white, Float alpha); // "colorWithWhite:alpha:"
    static Color* clearColor();
    static Color* whiteColor();
    static Color* blackColor();

    Float red = 0, green = 0, blue = 0, alpha = 0;
};

} // namespace uikit
