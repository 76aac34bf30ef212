// The lock controller hooks: the lock view is made when the host displays its lock-screen alert and
// destroyed when it takes it down; the lock-screen flag follows locking; abandoned unlocks make the
// lock view interactive again; a launch chosen on the lock screen reaches the application.
#include "springboard/LockControllerHooks.h"
#include "lockview/OmbrelView.h"
#include "lockview/ProcessState.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "springboard/HookPoints.h"
#include "springboard/Services.h"

namespace ombrel {

using namespace hooks;

namespace {

bool enabled() { return settingBool(loadSettings(), "enabled"); }

bool isAwayController(Object* alert)
{
    static runtime::Class* cls = nullptr;
    return runtime::isKindOfClass(alert, services::hostClass("SBAwayController", cls));
}

void displayAlert(Object* self, Sel cmd, Object* alert)
{
    ProcessState& state = processState();
    if (enabled() && !state.lockView && isAwayController(alert)) {
        static const Sel frame("frame"), addSubview("addSubview:");
        state.lockView = OmbrelView::make(runtime::send<Rect>(self, frame), self);
        runtime::send(self, addSubview, state.lockView);
    }
    SBAlertWindow_displayAlert.callPrevious(self, cmd, alert);
}

void deactivateAlert(Object* self, Sel cmd, Object* alert)
{
    ProcessState& state = processState();
    if (state.lockView && isAwayController(alert)) {
        runtime::Ref<OmbrelView> view = std::move(state.lockView);
        view->removeFromSuperview();
        view = nullptr; // its teardown runs here
    }
    SBAlertWindow_deactivateAlert.callPrevious(self, cmd, alert);
}

Object* ombrelView(Object*, Sel) { return processState().lockView.get(); }

void setLocked(Object* self, Sel cmd, bool locked)
{
    if (locked)
        processState().lockScreen = true;
    SBAwayController_setLocked.callPrevious(self, cmd, locked);
}

void setDeviceLocked(Object* self, Sel cmd, bool locked)
{
    if (locked)
        processState().lockScreen = true;
    SBAwayController_setDeviceLocked.callPrevious(self, cmd, locked);
}

void activate(Object* self, Sel cmd)
{
    processState().pendingApplication = nullptr;
    processState().lockScreen = true;
    SBAwayController_activate.callPrevious(self, cmd);
}

void awayViewFinishedAnimatingOut(Object* self, Sel cmd, Object* argument)
{
    processState().lockScreen = false;
    SBAwayController_awayViewFinishedAnimatingOut.callPrevious(self, cmd, argument);
}

void finishedUnlockAttemptWithStatus(Object* self, Sel cmd, bool status)
{
    SBAwayController_finishedUnlockAttemptWithStatus.callPrevious(self, cmd, status);
    OmbrelView* view = processState().lockView.get();
    if (view && status && view->trackSlider)
        view->trackSlider->setHidden(true);
}

void didAnimateLockKeypadOut(Object* self, Sel cmd)
{
    if (OmbrelView* view = processState().lockView.get()) {
        runtime::send(view, Sel("setShouldShowTrack:"), true);
        runtime::send(view, Sel("prepareForRelock"));
    }
    SBAwayController_didAnimateLockKeypadOut.callPrevious(self, cmd);
}

// The camera closed: an unlock that was started is abandoned.
void relock()
{
    if (OmbrelView* view = processState().lockView.get())
        runtime::send(view, Sel("prepareForRelock"));
}

void removeCameraPreviewViews(Object* self, Sel cmd)
{
    relock();
    SBAwayController_removeCameraPreviewViews.callPrevious(self, cmd);
}

void tearDownCameraPreview(Object* self, Sel cmd)
{
    relock();
    SBAwayController_tearDownCameraPreview.callPrevious(self, cmd);
}

bool shouldShowLockStatusBarTime(Object* self, Sel cmd)
{
    foundation::Value settings = loadSettings();
    // The status bar shows the time in place of a hidden date header.
    if (settingBool(settings, "enabled") && settingBool(settings, "kDateHeaderDisabled"))
        return true;
    return SBAwayController_shouldShowLockStatusBarTime.callPrevious(self, cmd);
}

bool ombrelIsEnabled(Object*, Sel) { return enabled(); }

void testNotifs(Object*, Sel, std::int32_t count)
{
    for (std::int32_t i = 0; i < count; ++i)
        services::showTestBulletin();
}

Object* displayStackInit(Object* self, Sel cmd)
{
    Object* stack = SBDisplayStack_init.callPrevious(self, cmd);
    if (stack)
        processState().displayStack = stack;
    return stack;
}

void displayStackDealloc(Object* self, Sel cmd)
{
    processState().displayStack = nullptr;
    SBDisplayStack_dealloc.callPrevious(self, cmd);
}

std::string topApplication(Object* self, Sel cmd)
{
    std::string answer = BKSWorkspace_topApplication.callPrevious(self, cmd);
    static const Sel bundleIdentifier("bundleIdentifier");
    if (Object* pending = processState().pendingApplication.get())
        return runtime::send<std::string>(pending, bundleIdentifier);
    return answer;
}

void receiveApplicationDidActivate(Object* self, Sel cmd, Object* argument)
{
    processState().pendingApplication = nullptr;
    BKSWorkspace_receiveApplicationDidActivate.callPrevious(self, cmd, argument);
}

} // namespace

std::vector<HookEntry> alertWindowHooks()
{
    return {
        replace<&SBAlertWindow_deactivateAlert>(&deactivateAlert),
        replace<&SBAlertWindow_displayAlert>(&displayAlert),
        add("SBAlertWindow", "ombrelView", &ombrelView),
    };
}

std::vector<HookEntry> awayControllerHooks()
{
    return {
        replace<&SBAwayController_setLocked>(&setLocked),
        replace<&SBAwayController_setDeviceLocked>(&setDeviceLocked),
        replace<&SBAwayController_awayViewFinishedAnimatingOut>(&awayViewFinishedAnimatingOut),
        replace<&SBAwayController_activate>(&activate),
        replace<&SBAwayController_finishedUnlockAttemptWithStatus>(&finishedUnlockAttemptWithStatus),
        replace<&SBAwayController_didAnimateLockKeypadOut>(&didAnimateLockKeypadOut),
        replace<&SBAwayController_removeCameraPreviewViews>(&removeCameraPreviewViews),
        replace<&SBAwayController_tearDownCameraPreview>(&tearDownCameraPreview),
        replace<&SBAwayController_shouldShowLockStatusBarTime>(&shouldShowLockStatusBarTime),
        add("SBAwayController", "ombrelIsEnabled", &ombrelIsEnabled),
        add("SBAwayController", "testNotifs:", &testNotifs),
    };
}

std::vector<HookEntry> displayStackHooks()
{
    return {
        replace<&SBDisplayStack_init>(&displayStackInit),
        replace<&SBDisplayStack_dealloc>(&displayStackDealloc),
    };
}

std::vector<HookEntry> workspaceReplacements()
{
    return {
        replace<&BKSWorkspace_topApplication>(&topApplication),
        replace<&BKSWorkspace_receiveApplicationDidActivate>(&receiveApplicationDidActivate),
    };
}

} // namespace ombrel
