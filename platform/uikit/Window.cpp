#include "platform/uikit/Window.h"
#include "platform/uikit/Application.h"
#include "platform/uikit/ViewSelectors.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

struct Selectors {
    Sel makeKeyAndVisible { "makeKeyAndVisible" }, windowLevel { "windowLevel" }, setWindowLevel { "setWindowLevel:" };
    Sel isKeyWindow { "isKeyWindow" };
};
const Selectors& sels()
{
    static const Selectors s;
    return s;
}

Window* W(Object* o) { return static_cast<Window*>(o); }
runtime::Class* windowClass();

Object* initWithFrame(Object* o, Sel cmd, Rect frame)
{
    Object* made = runtime::sendSuper<Object*>(windowClass(), o, cmd, frame);
    if (made)
        W(made)->layer()->model().hidden = true; // a window shows once asked to
    return made;
}

void setHidden(Object* o, Sel cmd, bool hidden)
{
    runtime::sendSuper<void>(windowClass(), o, cmd, hidden);
    if (hidden)
        Application::shared().windowDidHide(W(o));
    else
        Application::shared().windowDidShow(W(o), false);
}

void makeKeyAndVisible(Object* o, Sel)
{
    W(o)->layer()->model().hidden = false;
    Application::shared().windowDidShow(W(o), true);
}

Float windowLevel(Object* o, Sel) { return W(o)->m_windowLevel; }
void setWindowLevel(Object* o, Sel, Float level)
{
    W(o)->m_windowLevel = level;
    if (!W(o)->layer()->model().hidden)
        Application::shared().windowDidShow(W(o), false); // re-sorts
}
bool isKeyWindow(Object* o, Sel) { return Application::shared().keyWindow() == W(o); }

runtime::Class* windowClass()
{
    static runtime::Class* cls = (viewClass(), runtime::ClassBuilder("UIWindow", "UIView"))
                                     .instancesOf<Window>()
                                     .method("initWithFrame:", &initWithFrame)
                                     .method("setHidden:", &setHidden)
                                     .method("makeKeyAndVisible", &makeKeyAndVisible)
                                     .method("windowLevel", &windowLevel)
                                     .method("setWindowLevel:", &setWindowLevel)
                                     .method("isKeyWindow", &isKeyWindow)
                                     .registerClass();
    return cls;
}

[[maybe_unused]] const bool g_registered = windowClass() != nullptr;

} // namespace

Window::~Window() = default;

runtime::Ref<Window> Window::make(Rect frame)
{
    windowClass();
    runtime::Ref<View> v = View::make("UIWindow", frame);
    return runtime::Ref<Window>(static_cast<Window*>(v.get()));
}

void Window::makeKeyAndVisible() { runtime::send<void>(this, sels().makeKeyAndVisible); }
bool Window::isKeyWindow() const { return runtime::send<bool>(this, sels().isKeyWindow); }
Float Window::windowLevel() const { return runtime::send<Float>(this, sels().windowLevel); }
void Window::setWindowLevel(Float level) { runtime::send<void>(this, sels().setWindowLevel, level); }
bool Window::sendTouch(TouchPhase phase, Point p) { return Application::shared().deliver(this, phase, p); }

} // namespace uikit
