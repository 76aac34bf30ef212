#include "host/SpringBoard.h"
#include "host/Trace.h"
#include "host/apps/Applications.h"
#include "host/apps/DisplayStack.h"
#include "host/apps/HomeScreen.h"
#include "host/apps/Workspace.h"
#include "host/icons/IconController.h"
#include "host/lockscreen/AlertWindow.h"
#include "host/lockscreen/AwayController.h"
#include "host/lockscreen/AwayView.h"
#include "host/lockscreen/Bulletins.h"
#include "host/lockscreen/Extras.h"
#include "host/lockscreen/LockBar.h"
#include "host/lockscreen/TopBar.h"
#include "host/statusbar/StatusBar.h"
#include "platform/runtime/Send.h"
#include "platform/foundation/Date.h"
#include <algorithm>
#include <ctime>

namespace host {

using runtime::Object;
using runtime::Sel;

SpringBoard& springBoard()
{
    static SpringBoard board;
    return board;
}

bool SpringBoard::omits(const std::string& className) const
{
    return std::find(options.omitClasses.begin(), options.omitClasses.end(), className) != options.omitClasses.end();
}

void registerHostClasses()
{
    StatusBar::registerClass();
    AlertWindow::registerClass();
    SlidingAlertDisplay::registerClasses();
    LCDBar::registerClass();
    DateView::registerClass();
    LockBar::registerClass();
    registerBulletinClasses();
    registerLockScreenExtras();
    AwayView::registerClass();
    if (wanted("SBAwayController"))
        AwayController::registerClass(springBoard().options.androidLock);
    registerApplicationClasses();
    registerIconClasses();
    if (springBoard().usesWorkspace())
        registerWorkspaceClass();
    else
        registerDisplayStackClass();
}

std::string deviceTimeText(const char* format)
{
    std::time_t t = static_cast<std::time_t>(foundation::now());
    std::tm tm {};
    gmtime_r(&t, &tm);
    char text[64];
    std::size_t n = std::strftime(text, sizeof text, format, &tm);
    return std::string(text, n);
}

void lockDevice()
{
    AwayController* c = AwayController::shared();
    springBoard().asleep = false;
    if (!c || c->active)
        return;
    springBoard().screenDimmed = false;
    static const Sel setLocked("setLocked:"), setDeviceLocked("setDeviceLocked:"), activate("activate");
    runtime::send(c, setLocked, true);
    if (springBoard().profile.passcode)
        runtime::send(c, setDeviceLocked, true);
    runtime::send(c, activate);
}

bool launchApplication(const std::string& bundleIdentifier)
{
    if (!springBoard().profile.application(bundleIdentifier))
        return false;
    if (springBoard().frontApplication != bundleIdentifier) {
        springBoard().frontApplication = bundleIdentifier;
        showApplicationWindow(bundleIdentifier);
        Trace::shared().record("applicationLaunched", { { "bundleID", bundleIdentifier } });
    }
    return true;
}

void bringChosenApplicationToFront()
{
    static const Sel bundleIdentifier("bundleIdentifier"), topApplication("topApplication"),
        didActivate("_receiveApplicationDidActivate:");
    SpringBoard& sb = springBoard();
    if (!sb.usesWorkspace()) {
        if (runtime::Ref<Object> display = takePushedDisplay())
            launchApplication(runtime::send<std::string>(display, bundleIdentifier));
        return;
    }
    if (!sb.workspace)
        return;
    std::string top = runtime::send<std::string>(sb.workspace, topApplication);
    Application* app = top.empty() ? nullptr : applicationWithIdentifier(top);
    if (!app)
        return;
    launchApplication(top);
    runtime::send(sb.workspace, didActivate, static_cast<Object*>(app));
}

} // namespace host
