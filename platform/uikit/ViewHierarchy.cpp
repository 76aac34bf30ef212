// "UIView": the tree. A view owns its subviews; the superview pointer is raw and cleared by the
// parent when the child leaves or the parent is destroyed.
#include "platform/uikit/View.h"
#include "platform/uikit/ViewSelectors.h"
#include "platform/uikit/Window.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <algorithm>

namespace uikit {

using runtime::Object;
using runtime::Ref;
using runtime::Sel;

namespace {

View* V(Object* o) { return static_cast<View*>(o); }

std::size_t indexOf(const View* parent, const Object* child)
{
    const auto& list = parent->subviews();
    auto it = std::find_if(list.begin(), list.end(), [&](const Ref<View>& v) { return v.get() == child; });
    return static_cast<std::size_t>(it - list.begin());
}

bool acceptable(View* parent, Object* child)
{
    // A view cannot hold itself or one of its ancestors.
    return child && child != parent && runtime::isKindOfClass(child, viewClass()) && !parent->isDescendantOf(V(child));
}

void addSubview(Object* o, Sel, Object* child)
{
    if (acceptable(V(o), child))
        V(o)->attachSubview(V(child), V(o)->subviews().size());
}

void insertAbove(Object* o, Sel, Object* child, Object* sibling)
{
    if (!acceptable(V(o), child))
        return;
    Ref<View> keep(V(child));
    V(child)->detachFromSuperview();
    std::size_t at = indexOf(V(o), sibling);
    V(o)->attachSubview(V(child), at < V(o)->subviews().size() ? at + 1 : at);
}

void insertBelow(Object* o, Sel, Object* child, Object* sibling)
{
    if (!acceptable(V(o), child))
        return;
    Ref<View> keep(V(child));
    V(child)->detachFromSuperview();
    std::size_t at = indexOf(V(o), sibling);
    V(o)->attachSubview(V(child), at < V(o)->subviews().size() ? at : 0);
}

void insertAt(Object* o, Sel, Object* child, std::int32_t index)
{
    if (!acceptable(V(o), child))
        return;
    Ref<View> keep(V(child));
    V(child)->detachFromSuperview();
    std::size_t size = V(o)->subviews().size();
    V(o)->attachSubview(V(child), index < 0 ? 0 : std::min(static_cast<std::size_t>(index), size));
}

void bringToFront(Object* o, Sel, Object* child)
{
    if (child && V(child)->superview() == V(o))
        V(o)->attachSubview(V(child), V(o)->subviews().size());
}

void sendToBack(Object* o, Sel, Object* child)
{
    if (child && V(child)->superview() == V(o))
        V(o)->attachSubview(V(child), 0);
}

void removeFromSuperview(Object* o, Sel) { V(o)->detachFromSuperview(); }
Object* superview(Object* o, Sel) { return V(o)->superview(); }

Object* viewWithTag(Object* o, Sel, std::int32_t tag)
{
    if (V(o)->state().tag == tag)
        return o;
    for (const Ref<View>& child : V(o)->subviews())
        if (Object* found = viewWithTag(child.get(), Sel {}, tag))
            return found;
    return nullptr;
}

Object* window(Object* o, Sel)
{
    static runtime::Class* windowClass = runtime::lookUpClass("UIWindow");
    for (View* v = V(o); v; v = v->superview())
        if (runtime::isKindOfClass(v, windowClass))
            return v;
    return nullptr;
}

} // namespace

void registerHierarchyMethods(runtime::ClassBuilder& b)
{
    b.method("addSubview:", &addSubview)
        .method("insertSubview:aboveSubview:", &insertAbove)
        .method("insertSubview:belowSubview:", &insertBelow)
        .method("insertSubview:atIndex:", &insertAt)
        .method("bringSubviewToFront:", &bringToFront)
        .method("sendSubviewToBack:", &sendToBack)
        .method("removeFromSuperview", &removeFromSuperview)
        .method("superview", &superview)
        .method("viewWithTag:", &viewWithTag)
        .method("window", &window);
}

void View::attachSubview(View* child, std::size_t index)
{
    Ref<View> keep(child); // detaching may drop the last other reference
    if (child->m_superview == this) {
        auto it = std::find(m_subviews.begin(), m_subviews.end(), keep);
        std::size_t from = static_cast<std::size_t>(it - m_subviews.begin());
        m_subviews.erase(it);
        if (index > from)
            --index;
    } else {
        child->detachFromSuperview();
    }
    index = std::min(index, m_subviews.size());
    m_subviews.insert(m_subviews.begin() + static_cast<std::ptrdiff_t>(index), keep);
    child->m_superview = this;
    m_state.needsLayout = true;
}

void View::detachFromSuperview()
{
    View* parent = m_superview;
    if (!parent)
        return;
    Ref<View> keep(this);
    m_superview = nullptr;
    auto& list = parent->m_subviews;
    list.erase(std::find(list.begin(), list.end(), keep));
    parent->m_state.needsLayout = true;
}

bool View::isDescendantOf(const View* ancestor) const
{
    for (const View* v = this; v; v = v->m_superview)
        if (v == ancestor)
            return true;
    return false;
}

void View::addSubview(View* v) { runtime::send<void>(this, viewSelectors().addSubview, v); }
void View::insertSubviewAbove(View* v, View* s) { runtime::send<void>(this, viewSelectors().insertAbove, v, s); }
void View::insertSubviewBelow(View* v, View* s) { runtime::send<void>(this, viewSelectors().insertBelow, v, s); }
void View::insertSubviewAt(View* v, std::int32_t i) { runtime::send<void>(this, viewSelectors().insertAt, v, i); }
void View::bringSubviewToFront(View* v) { runtime::send<void>(this, viewSelectors().bringToFront, v); }
void View::sendSubviewToBack(View* v) { runtime::send<void>(this, viewSelectors().sendToBack, v); }
void View::removeFromSuperview() { runtime::send<void>(this, viewSelectors().removeFromSuperview); }
View* View::superview() const { return m_superview; }
View* View::viewWithTag(std::int32_t t) const { return static_cast<View*>(runtime::send<Object*>(this, viewSelectors().viewWithTag, t)); }
Window* View::window() const { return static_cast<Window*>(runtime::send<Object*>(this, viewSelectors().window)); }

} // namespace uikit
