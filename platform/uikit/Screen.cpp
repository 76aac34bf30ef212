#include "platform/uikit/Screen.h"
#include "platform/runtime/Runtime.h"

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

Object* mainScreen(Object*, Sel) { return Screen::main(); }
quartz::Rect screenBounds(Object* self, Sel) { return static_cast<Screen*>(self)->bounds(); }
quartz::Float screenScale(Object* self, Sel) { return static_cast<Screen*>(self)->scale(); }

runtime::Class* screenClass()
{
    static runtime::Class* cls = runtime::ClassBuilder("UIScreen", "NSObject")
                                     .instancesOf<Screen>()
                                     .classMethod("mainScreen", &mainScreen)
                                     .method("bounds", &screenBounds)
                                     .method("scale", &screenScale)
                                     .registerClass();
    return cls;
}

[[maybe_unused]] const bool g_registered = screenClass() != nullptr;

} // namespace

Screen* Screen::main()
{
    static Screen* screen = static_cast<Screen*>(runtime::alloc(screenClass()).leak()); // never released
    return screen;
}

} // namespace uikit
