// "UIView": registration, properties and construction.
#include "platform/uikit/View.h"
#include "platform/uikit/Color.h"
#include "platform/uikit/GestureRecognizer.h"
#include "platform/uikit/ViewSelectors.h"
#include "platform/uikit/Window.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace uikit {

using runtime::Object;
using runtime::Ref;
using runtime::Sel;
using quartz::KeyPath;

const ViewSelectors& viewSelectors()
{
    static const ViewSelectors s;
    return s;
}

namespace {

View* V(Object* o) { return static_cast<View*>(o); }
quartz::Layer::Model& M(Object* o) { return V(o)->layer()->model(); }

Rect frame(Object* o, Sel) { return quartz::frameOf(M(o).position, M(o).bounds, M(o).transform); }
void setFrame(Object* o, Sel, Rect f)
{
    Size old = M(o).bounds.size;
    changeAnimatable(V(o)->layer(), KeyPath::Position, Point { f.origin.x + f.size.width * 0.5f, f.origin.y + f.size.height * 0.5f });
    changeAnimatable(V(o)->layer(), KeyPath::Bounds, Rect { M(o).bounds.origin, f.size });
    if (old != f.size)
        V(o)->state().needsLayout = true;
}
Rect bounds(Object* o, Sel) { return M(o).bounds; }
void setBounds(Object* o, Sel, Rect b)
{
    if (M(o).bounds.size != b.size)
        V(o)->state().needsLayout = true;
    changeAnimatable(V(o)->layer(), KeyPath::Bounds, b);
}
Point center(Object* o, Sel) { return M(o).position; }
void setCenter(Object* o, Sel, Point c) { changeAnimatable(V(o)->layer(), KeyPath::Position, c); }
Transform3D transform(Object* o, Sel) { return M(o).transform; }
void setTransform(Object* o, Sel, Transform3D t) { changeAnimatable(V(o)->layer(), KeyPath::Transform, t); }
std::int32_t tag(Object* o, Sel) { return V(o)->state().tag; }
void setTag(Object* o, Sel, std::int32_t t) { V(o)->state().tag = t; }
bool isHidden(Object* o, Sel) { return M(o).hidden; }
void setHidden(Object* o, Sel, bool h) { M(o).hidden = h; }
Float alpha(Object* o, Sel) { return M(o).opacity; }
void setAlpha(Object* o, Sel, Float a) { changeAnimatable(V(o)->layer(), KeyPath::Opacity, a); }
Object* backgroundColor(Object* o, Sel) { return V(o)->state().backgroundColor.get(); }
void setBackgroundColor(Object* o, Sel, Object* c) { V(o)->state().backgroundColor = static_cast<Color*>(c); }
bool isUserInteractionEnabled(Object* o, Sel) { return V(o)->state().userInteractionEnabled; }
void setUserInteractionEnabled(Object* o, Sel, bool e) { V(o)->state().userInteractionEnabled = e; }
bool isMultipleTouchEnabled(Object* o, Sel) { return V(o)->state().multipleTouchEnabled; }
void setMultipleTouchEnabled(Object* o, Sel, bool e) { V(o)->state().multipleTouchEnabled = e; }
bool isExclusiveTouch(Object* o, Sel) { return V(o)->state().exclusiveTouch; }
void setExclusiveTouch(Object* o, Sel, bool e) { V(o)->state().exclusiveTouch = e; }
bool clipsToBounds(Object* o, Sel) { return V(o)->state().clipsToBounds; }
void setClipsToBounds(Object* o, Sel, bool c) { V(o)->state().clipsToBounds = c; }
Object* layer(Object* o, Sel) { return V(o)->layer(); }

Object* initWithFrame(Object* o, Sel, Rect f)
{
    runtime::send<void>(o, viewSelectors().setFrame, f);
    return o;
}

void layoutSubviews(Object*, Sel) { }
void setNeedsLayout(Object* o, Sel) { V(o)->state().needsLayout = true; }
void layoutIfNeeded(Object* o, Sel)
{
    Ref<View> protect(V(o));
    if (V(o)->state().needsLayout) {
        V(o)->state().needsLayout = false;
        runtime::send<void>(o, viewSelectors().layoutSubviews);
    }
    // By index, without a copy: this runs after every touch event, and layout may change the list.
    for (std::size_t i = 0; i < V(o)->subviews().size(); ++i) {
        Ref<View> child = V(o)->subviews()[i];
        runtime::send<void>(child.get(), viewSelectors().layoutIfNeeded);
    }
}

// The responder chain: a view that does not handle touches passes them to its superview.
void forwardTouches(Object* o, Sel cmd, Object* touches, Object* event)
{
    if (View* up = V(o)->superview())
        runtime::send<void>(up, cmd, touches, event);
}

void addGestureRecognizer(Object* o, Sel, Object* r);
void removeGestureRecognizer(Object* o, Sel, Object* r);

} // namespace

// Defined in ViewHierarchy.cpp and ViewGeometry.cpp.
void registerHierarchyMethods(runtime::ClassBuilder&);
void registerGeometryMethods(runtime::ClassBuilder&);

runtime::Class* viewClass()
{
    static runtime::Class* cls = [] {
        runtime::ClassBuilder b("UIView", "NSObject");
        b.instancesOf<View>()
            .method("initWithFrame:", &initWithFrame)
            .method("frame", &frame)
            .method("setFrame:", &setFrame)
            .method("bounds", &bounds)
            .method("setBounds:", &setBounds)
            .method("center", &center)
            .method("setCenter:", &setCenter)
            .method("transform", &transform)
            .method("setTransform:", &setTransform)
            .method("tag", &tag)
            .method("setTag:", &setTag)
            .method("isHidden", &isHidden)
            .method("setHidden:", &setHidden)
            .method("alpha", &alpha)
            .method("setAlpha:", &setAlpha)
            .method("backgroundColor", &backgroundColor)
            .method("setBackgroundColor:", &setBackgroundColor)
            .method("isUserInteractionEnabled", &isUserInteractionEnabled)
            .method("setUserInteractionEnabled:", &setUserInteractionEnabled)
            .method("isMultipleTouchEnabled", &isMultipleTouchEnabled)
            .method("setMultipleTouchEnabled:", &setMultipleTouchEnabled)
            .method("isExclusiveTouch", &isExclusiveTouch)
            .method("setExclusiveTouch:", &setExclusiveTouch)
            .method("clipsToBounds", &clipsToBounds)
            .method("setClipsToBounds:", &setClipsToBounds)
            .method("layer", &layer)
            .method("layoutSubviews", &layoutSubviews)
            .method("setNeedsLayout", &setNeedsLayout)
            .method("layoutIfNeeded", &layoutIfNeeded)
            .method("touchesBegan:withEvent:", &forwardTouches)
            .method("touchesMoved:withEvent:", &forwardTouches)
            .method("touchesEnded:withEvent:", &forwardTouches)
            .method("touchesCancelled:withEvent:", &forwardTouches)
            .method("addGestureRecognizer:", &addGestureRecognizer)
            .method("removeGestureRecognizer:", &removeGestureRecognizer);
        registerHierarchyMethods(b);
        registerGeometryMethods(b);
        return b.registerClass();
    }();
    return cls;
}

namespace {

[[maybe_unused]] const bool g_registered = viewClass() != nullptr;

void addGestureRecognizer(Object* o, Sel, Object* r)
{
    auto* recognizer = static_cast<GestureRecognizer*>(r);
    if (!recognizer || recognizer->view() == V(o))
        return;
    Ref<GestureRecognizer> keep(recognizer);
    if (View* old = recognizer->view())
        old->removeGestureRecognizer(recognizer);
    V(o)->gestureRecognizersStorage().push_back(keep);
    recognizer->setView(V(o));
}

void removeGestureRecognizer(Object* o, Sel, Object* r)
{
    auto& list = V(o)->gestureRecognizersStorage();
    auto it = std::find_if(list.begin(), list.end(), [&](const Ref<GestureRecognizer>& g) { return g.get() == r; });
    if (it == list.end())
        return;
    (*it)->setView(nullptr);
    list.erase(it);
}

} // namespace

View::View()
    : m_layer(quartz::Layer::make())
{
    m_layer->setDelegate(this);
}

View::~View()
{
    for (const Ref<View>& child : m_subviews)
        child->m_superview = nullptr;
    for (const Ref<GestureRecognizer>& g : m_gestureRecognizers)
        g->setView(nullptr);
    m_layer->setDelegate(nullptr);
}

Ref<View> View::make(std::string_view className, Rect frame)
{
    runtime::Class* cls = runtime::lookUpClass(className);
    if (!cls || !runtime::isSubclassOf(cls, viewClass()))
        return nullptr;
    Ref<Object> fresh = runtime::alloc(cls);
    Object* made = runtime::send<Object*>(fresh.get(), viewSelectors().initWithFrame, frame);
    if (!made || !runtime::isKindOfClass(made, viewClass()))
        return nullptr;
    return Ref<View>(static_cast<View*>(made));
}

const std::string& View::className() const { return isa()->name(); }

Rect View::frame() const { return runtime::send<Rect>(this, viewSelectors().frame); }
void View::setFrame(Rect r) { runtime::send<void>(this, viewSelectors().setFrame, r); }
Rect View::bounds() const { return runtime::send<Rect>(this, viewSelectors().bounds); }
void View::setBounds(Rect r) { runtime::send<void>(this, viewSelectors().setBounds, r); }
Point View::center() const { return runtime::send<Point>(this, viewSelectors().center); }
void View::setCenter(Point p) { runtime::send<void>(this, viewSelectors().setCenter, p); }
Transform3D View::transform() const { return runtime::send<Transform3D>(this, viewSelectors().transform); }
void View::setTransform(const Transform3D& t) { runtime::send<void>(this, viewSelectors().setTransform, t); }
std::int32_t View::tag() const { return runtime::send<std::int32_t>(this, viewSelectors().tag); }
void View::setTag(std::int32_t t) { runtime::send<void>(this, viewSelectors().setTag, t); }
bool View::isHidden() const { return runtime::send<bool>(this, viewSelectors().isHidden); }
void View::setHidden(bool h) { runtime::send<void>(this, viewSelectors().setHidden, h); }
Float View::alpha() const { return runtime::send<Float>(this, viewSelectors().alpha); }
void View::setAlpha(Float a) { runtime::send<void>(this, viewSelectors().setAlpha, a); }
Color* View::backgroundColor() const { return static_cast<Color*>(runtime::send<Object*>(this, viewSelectors().backgroundColor)); }
void View::setBackgroundColor(Color* c) { runtime::send<void>(this, viewSelectors().setBackgroundColor, c); }
bool View::isUserInteractionEnabled() const { return runtime::send<bool>(this, viewSelectors().isUserInteractionEnabled); }
void View::setUserInteractionEnabled(bool e) { runtime::send<void>(this, viewSelectors().setUserInteractionEnabled, e); }
bool View::isMultipleTouchEnabled() const { return runtime::send<bool>(this, viewSelectors().isMultipleTouchEnabled); }
void View::setMultipleTouchEnabled(bool e) { runtime::send<void>(this, viewSelectors().setMultipleTouchEnabled, e); }
bool View::isExclusiveTouch() const { return runtime::send<bool>(this, viewSelectors().isExclusiveTouch); }
void View::setExclusiveTouch(bool e) { runtime::send<void>(this, viewSelectors().setExclusiveTouch, e); }
bool View::clipsToBounds() const { return runtime::send<bool>(this, viewSelectors().clipsToBounds); }
void View::setClipsToBounds(bool c) { runtime::send<void>(this, viewSelectors().setClipsToBounds, c); }
void View::setNeedsLayout() { runtime::send<void>(this, viewSelectors().setNeedsLayout); }
void View::layoutIfNeeded() { runtime::send<void>(this, viewSelectors().layoutIfNeeded); }
void View::layoutSubviews() { runtime::send<void>(this, viewSelectors().layoutSubviews); }
void View::touchesBegan(Object* t, Object* e) { runtime::send<void>(this, viewSelectors().touchesBegan, t, e); }
void View::touchesMoved(Object* t, Object* e) { runtime::send<void>(this, viewSelectors().touchesMoved, t, e); }
void View::touchesEnded(Object* t, Object* e) { runtime::send<void>(this, viewSelectors().touchesEnded, t, e); }
void View::touchesCancelled(Object* t, Object* e) { runtime::send<void>(this, viewSelectors().touchesCancelled, t, e); }
void View::addGestureRecognizer(GestureRecognizer* g) { runtime::send<void>(this, viewSelectors().addGestureRecognizer, g); }
void View::removeGestureRecognizer(GestureRecognizer* g) { runtime::send<void>(this, viewSelectors().removeGestureRecognizer, g); }

quartz::Presentation View::presentation() const { return m_layer->presentation(); }

} // namespace uikit
