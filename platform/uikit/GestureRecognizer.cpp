// The recogniser base: targets, states and registration of the recogniser classes.
#include "platform/uikit/GestureRecognizer.h"
#include "platform/uikit/Application.h"
#include "platform/uikit/RunLoop.h"
#include "platform/uikit/Touch.h"
#include "platform/uikit/View.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace uikit {

using runtime::Object;
using runtime::Ref;
using runtime::Sel;

namespace {

GestureRecognizer* G(Object* o) { return static_cast<GestureRecognizer*>(o); }
template<class T>
T* As(Object* o) { return static_cast<T*>(o); }

Object* initWithTarget(Object* o, Sel, Object* target, Sel action)
{
    if (target && action)
        G(o)->addTarget(target, action);
    return o;
}
void addTarget(Object* o, Sel, Object* target, Sel action) { G(o)->addTarget(target, action); }
std::int32_t state(Object* o, Sel) { return static_cast<std::int32_t>(G(o)->state()); }
Object* view(Object* o, Sel) { return G(o)->view(); }
bool isEnabled(Object* o, Sel) { return G(o)->isEnabled(); }
void setEnabled(Object* o, Sel, bool e) { G(o)->setEnabled(e); }
Point locationInView(Object* o, Sel, Object* v) { return G(o)->locationInView(static_cast<View*>(v)); }

std::uint32_t numberOfTaps(Object* o, Sel) { return As<TapGestureRecognizer>(o)->numberOfTapsRequired; }
void setNumberOfTaps(Object* o, Sel, std::uint32_t n) { As<TapGestureRecognizer>(o)->numberOfTapsRequired = n > 0 ? n : 1; }
double minimumPressDuration(Object* o, Sel) { return As<LongPressGestureRecognizer>(o)->minimumPressDuration; }
void setMinimumPressDuration(Object* o, Sel, double d) { As<LongPressGestureRecognizer>(o)->minimumPressDuration = d; }
quartz::Float allowableMovement(Object* o, Sel) { return As<LongPressGestureRecognizer>(o)->allowableMovement; }
void setAllowableMovement(Object* o, Sel, quartz::Float m) { As<LongPressGestureRecognizer>(o)->allowableMovement = m; }
std::uint32_t direction(Object* o, Sel) { return As<SwipeGestureRecognizer>(o)->direction; }
void setDirection(Object* o, Sel, std::uint32_t d) { As<SwipeGestureRecognizer>(o)->direction = d; }

[[maybe_unused]] const bool g_registered = [] {
    runtime::ClassBuilder("UIGestureRecognizer", "NSObject")
        .method("initWithTarget:action:", &initWithTarget)
        .method("addTarget:action:", &addTarget)
        .method("state", &state)
        .method("view", &view)
        .method("isEnabled", &isEnabled)
        .method("setEnabled:", &setEnabled)
        .method("locationInView:", &locationInView)
        .registerClass();
    runtime::ClassBuilder("UITapGestureRecognizer", "UIGestureRecognizer")
        .instancesOf<TapGestureRecognizer>()
        .method("numberOfTapsRequired", &numberOfTaps)
        .method("setNumberOfTapsRequired:", &setNumberOfTaps)
        .registerClass();
    runtime::ClassBuilder("UILongPressGestureRecognizer", "UIGestureRecognizer")
        .instancesOf<LongPressGestureRecognizer>()
        .method("minimumPressDuration", &minimumPressDuration)
        .method("setMinimumPressDuration:", &setMinimumPressDuration)
        .method("allowableMovement", &allowableMovement)
        .method("setAllowableMovement:", &setAllowableMovement)
        .registerClass();
    runtime::ClassBuilder("UISwipeGestureRecognizer", "UIGestureRecognizer")
        .instancesOf<SwipeGestureRecognizer>()
        .method("direction", &direction)
        .method("setDirection:", &setDirection)
        .registerClass();
    return true;
}();

} // namespace

Ref<GestureRecognizer> GestureRecognizer::make(std::string_view className, Object* target, Sel action)
{
    runtime::Class* base = runtime::lookUpClass("UIGestureRecognizer");
    runtime::Class* cls = runtime::lookUpClass(className);
    if (!cls || !runtime::isSubclassOf(cls, base))
        return nullptr;
    Ref<Object> fresh = runtime::alloc(cls);
    static const Sel init("initWithTarget:action:");
    return Ref<GestureRecognizer>(G(runtime::send<Object*>(fresh.get(), init, target, action)));
}

GestureRecognizer::~GestureRecognizer() = default;

void GestureRecognizer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled && m_state != GestureState::Possible) {
        if (m_state == GestureState::Began || m_state == GestureState::Changed)
            setState(GestureState::Cancelled);
        reset();
    }
}

void GestureRecognizer::addTarget(Object* target, Sel action)
{
    if (target && action)
        m_targets.push_back({ target, action });
}

Point GestureRecognizer::locationInView(View* v) const
{
    Touch* touch = m_touch.get();
    return touch ? touch->locationInView(v) : Point {};
}

void GestureRecognizer::touchCancelled(Touch*)
{
    if (m_state == GestureState::Began || m_state == GestureState::Changed)
        setState(GestureState::Cancelled);
    else if (m_state == GestureState::Possible)
        setState(GestureState::Failed);
}

void GestureRecognizer::sequenceEnded()
{
    if (m_state == GestureState::Ended || m_state == GestureState::Cancelled || m_state == GestureState::Failed)
        reset();
}

void GestureRecognizer::setState(GestureState state)
{
    m_state = state;
    if (state == GestureState::Possible || state == GestureState::Failed)
        return;
    Ref<GestureRecognizer> protect(this); // an action may remove us from our view
    if (state == GestureState::Began || state == GestureState::Ended)
        Application::shared().recognizerDidRecognize(this);
    for (std::size_t i = 0; i < m_targets.size(); ++i) {
        Target target = m_targets[i];
        if (Object* object = target.target.get())
            runtime::send<void>(object, target.action, static_cast<Object*>(this));
    }
}

void GestureRecognizer::reset() { m_state = GestureState::Possible; }

} // namespace uikit
