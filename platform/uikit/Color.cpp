#include "platform/uikit/Color.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

Object* colorWithRGBA(Object*, Sel, Float r, Float g, Float b, Float a) { return runtime::autorelease(Color::make(r, g, b, a).leak()); }
Object* colorWithWhite(Object*, Sel, Float w, Float a) { return runtime::autorelease(Color::white(w, a).leak()); }

runtime::Class* colorClass()
{
    static runtime::Class* cls = runtime::ClassBuilder("UIColor", "NSObject")
                                     .instancesOf<Color>()
                                     .classMethod("colorWithRed:green:blue:alpha:", &colorWithRGBA)
                                     .classMethod("colorWithWhite:alpha:", &colorWithWhite)
                                     .registerClass();
    return cls;
}

[[maybe_unused]] const bool g_registered = colorClass() != nullptr;

} // namespace

runtime::Ref<Color> Color::make(Float red, Float green, Float blue, Float alpha)
{
    auto object = runtime::alloc(colorClass());
    auto* c = static_cast<Color*>(object.get());
    c->red = red;
    c->green = green;
    c->blue = blue;
    c->alpha = alpha;
    return runtime::Ref<Color>(c);
}

runtime::Ref<Color> Color::white(Float white, Float alpha) { return make(white, white, white, alpha); }

Color* Color::clearColor()
{
    static runtime::Ref<Color> c = make(0, 0, 0, 0);
    return c.get();
}

Color* Color::whiteColor()
{
    static runtime::Ref<Color> c = make(1, 1, 1, 1);
    return c.get();
}

Color* Color::blackColor()
{
    static runtime::Ref<Color> c = make(0, 0, 0, 1);
    return c.get();
}

} // namespace uikit
