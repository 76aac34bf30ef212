#include "host/SpringBoard.h"
#include "host/lockscreen/AlertWindow.h"
#include "host/Trace.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Screen.h"

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

void displayAlert(Object* self, Sel, Object* alert)
{
    auto* window = static_cast<AlertWindow*>(self);
    static const Sel display("display");
    auto* view = static_cast<uikit::View*>(runtime::send<Object*>(alert, display));
    window->currentAlert = alert;
    if (view) {
        view->setFrame(window->bounds());
        window->insertSubviewAt(view, 0);
    }
    window->setWindowLevel(uikit::UIWindowLevelAlert);
    window->makeKeyAndVisible();
    Trace::shared().observeLockViews(window);
}

void deactivateAlert(Object* self, Sel, Object* alert)
{
    auto* window = static_cast<AlertWindow*>(self);
    static const Sel display("display");
    if (auto* view = static_cast<uikit::View*>(runtime::send<Object*>(alert, display)); view && view->superview() == window)
        view->removeFromSuperview();
    if (window->currentAlert.get() == alert)
        window->currentAlert = nullptr;
    window->setHidden(true);
    Trace::shared().observeLockViews(window);
}

} // namespace

void AlertWindow::registerClass()
{
    if (wanted("SBAlertWindow"))
        runtime::ClassBuilder("SBAlertWindow", "UIWindow")
            .instancesOf<AlertWindow>()
            .method("displayAlert:", &displayAlert)
            .method("deactivateAlert:", &deactivateAlert)
            .registerClass();
}

runtime::Ref<AlertWindow> AlertWindow::make()
{
    auto made = uikit::View::make("SBAlertWindow", uikit::Screen::main()->bounds());
    return runtime::Ref<AlertWindow>(static_cast<AlertWindow*>(made.get()));
}

} // namespace host
