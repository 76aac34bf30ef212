#include "platform/uikit/Touch.h"
#include "platform/uikit/View.h"
#include "platform/uikit/Window.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

Touch* T(Object* o) { return static_cast<Touch*>(o); }

// Window coordinates to a view's; nothing (or a view of another window) keeps window coordinates.
Point inView(Object* view, Point p)
{
    if (!view)
        return p;
    return static_cast<View*>(view)->convertPointFrom(p, nullptr);
}

Point locationInView(Object* o, Sel, Object* view) { return inView(view, T(o)->location); }
Point previousLocationInView(Object* o, Sel, Object* view) { return inView(view, T(o)->previousLocation); }
std::int32_t phase(Object* o, Sel) { return static_cast<std::int32_t>(T(o)->phase); }
Object* touchView(Object* o, Sel) { return T(o)->view.get(); }
Object* touchWindow(Object* o, Sel) { return T(o)->window.get(); }
std::int32_t tapCount(Object* o, Sel) { return T(o)->tapCount; }
double timestamp(Object* o, Sel) { return T(o)->timestamp; }

Object* anyObject(Object* o, Sel) { return static_cast<TouchSet*>(o)->anyObject(); }
std::uint32_t count(Object* o, Sel) { return static_cast<TouchSet*>(o)->count(); }
Object* allTouches(Object* o, Sel) { return static_cast<Event*>(o)->allTouches(); }
double eventTimestamp(Object* o, Sel) { return static_cast<Event*>(o)->timestamp; }

struct Classes {
    runtime::Class *touch, *set, *event;
};
const Classes& classes()
{
    static const Classes c {
        runtime::ClassBuilder("UITouch", "NSObject")
            .instancesOf<Touch>()
            .method("locationInView:", &locationInView)
            .method("previousLocationInView:", &previousLocationInView)
            .method("phase", &phase)
            .method("view", &touchView)
            .method("window", &touchWindow)
            .method("tapCount", &tapCount)
            .method("timestamp", &timestamp)
            .registerClass(),
        runtime::ClassBuilder("NSSet", "NSObject").instancesOf<TouchSet>().method("anyObject", &anyObject).method("count", &count).registerClass(),
        runtime::ClassBuilder("UIEvent", "NSObject").instancesOf<Event>().method("allTouches", &allTouches).method("timestamp", &eventTimestamp).registerClass(),
    };
    return c;
}

[[maybe_unused]] const bool g_registered = classes().touch != nullptr;

template<class T>
runtime::Ref<T> make(runtime::Class* cls)
{
    return runtime::Ref<T>(static_cast<T*>(runtime::alloc(cls).get()));
}

} // namespace

runtime::Ref<Touch> Touch::make() { return uikit::make<Touch>(classes().touch); }
runtime::Ref<TouchSet> TouchSet::make() { return uikit::make<TouchSet>(classes().set); }
runtime::Ref<Event> Event::make()
{
    runtime::Ref<Event> e = uikit::make<Event>(classes().event);
    e->m_touches = TouchSet::make();
    return e;
}

static const runtime::Sel& selLocationInView()
{
    static const runtime::Sel s("locationInView:");
    return s;
}

Point Touch::locationInView(View* v) const { return runtime::send<Point>(this, selLocationInView(), v); }
Point Touch::previousLocationInView(View* v) const { return inView(v, previousLocation); }

} // namespace uikit
