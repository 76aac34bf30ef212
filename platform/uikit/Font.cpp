#include "platform/uikit/Font.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

Object* fontWithName(Object*, Sel, std::string name, Float size) { return runtime::autorelease(Font::make(std::move(name), size).leak()); }
Object* systemFontOfSize(Object*, Sel, Float size) { return runtime::autorelease(Font::systemFont(size).leak()); }
Object* boldSystemFontOfSize(Object*, Sel, Float size) { return runtime::autorelease(Font::boldSystemFont(size).leak()); }

runtime::Class* fontClass()
{
    static runtime::Class* cls = runtime::ClassBuilder("UIFont", "NSObject")
                                     .instancesOf<Font>()
                                     .classMethod("fontWithName:size:", &fontWithName)
                                     .classMethod("systemFontOfSize:", &systemFontOfSize)
                                     .classMethod("boldSystemFontOfSize:", &boldSystemFontOfSize)
                                     .registerClass();
    return cls;
}

[[maybe_unused]] const bool g_registered = fontClass() != nullptr;

} // namespace

runtime::Ref<Font> Font::make(std::string name, Float pointSize)
{
    auto object = runtime::alloc(fontClass());
    auto* f = static_cast<Font*>(object.get());
    f->name = std::move(name);
    f->pointSize = pointSize;
    return runtime::Ref<Font>(f);
}

runtime::Ref<Font> Font::systemFont(Float pointSize) { return make(kSystemFontName, pointSize); }
runtime::Ref<Font> Font::boldSystemFont(Float pointSize) { return make(kBoldSystemFontName, pointSize); }

} // namespace uikit
