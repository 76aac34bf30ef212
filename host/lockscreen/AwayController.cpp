#include "host/lockscreen/AwayController.h"
#include "host/SpringBoard.h"
#include "host/Trace.h"
#include "host/lockscreen/Bulletins.h"
#include "host/lockscreen/Camera.h"
#include "host/lockscreen/LockBar.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Screen.h"

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

runtime::Ref<AwayController>& sharedSlot()
{
    static runtime::Ref<AwayController> controller;
    return controller;
}

AwayController* me(Object* self) { return static_cast<AwayController*>(self); }

Object* sharedAwayController(Object*, Sel) { return AwayController::shared(); }
Object* display(Object* self, Sel) { return me(self)->awayView.get(); }

void setLocked(Object* self, Sel, bool locked) { me(self)->locked = locked; }
void setDeviceLocked(Object* self, Sel, bool locked) { me(self)->deviceLocked = locked; }
bool isLocked(Object* self, Sel) { return me(self)->locked; }
bool isDeviceLocked(Object* self, Sel) { return me(self)->deviceLocked; }

void activate(Object* self, Sel)
{
    AwayController* c = me(self);
    if (c->active)
        return;
    c->active = true;
    c->animatingOut = false;
    c->dimTimerCancelled = false;
    c->cameraShowing = false;
    auto view = uikit::View::make("SBAwayView", uikit::Screen::main()->bounds());
    c->awayView = runtime::Ref<AwayView>(static_cast<AwayView*>(view.get()));
    if (!c->window)
        c->window = AlertWindow::make();
    static const Sel displayAlert("displayAlert:"), canBecome("canBecomeFirstResponder"), inCall("updateInCallInfo"),
        requestStyle("requestStyle:animationParameters:");
    runtime::send(c->window, displayAlert, self);
    c->firstResponder = runtime::send<bool>(c->awayView, canBecome);
    runtime::send(c->awayView, inCall);
    // The lock screen's status bar is translucent black.
    runtime::send(springBoard().statusBar, requestStyle, std::int32_t(2), static_cast<Object*>(nullptr));
    Trace::shared().record("lockScreenShown");
    c->startDimTimer();
}

void unlockWithSound(Object* self, Sel, bool sound)
{
    AwayController* c = me(self);
    Trace::shared().record("unlockRequested", { { "sound", sound } });
    if (!c->active || c->animatingOut || c->cameraShowing)
        return;
    if (c->deviceLocked && springBoard().profile.passcode) {
        static const Sel showLock("setShowingDeviceLock:animated:");
        if (!c->keypadShown())
            runtime::send(c->awayView, showLock, true, true);
        return;
    }
    c->animateOut();
}

void finishedUnlockAttempt(Object* self, Sel, bool success)
{
    AwayController* c = me(self);
    Trace::shared().record("unlockAttemptFinished", { { "success", success } });
    if (success && c->active)
        c->animateOut();
}

void didAnimateLockKeypadOut(Object* self, Sel)
{
    Trace::shared().record("passcodeKeypadHidden");
    AwayController* c = me(self);
    // The abandoned unlock leaves the slider at rest again.
    static const Sel lockBar("lockBar");
    static runtime::Class* barClass = runtime::lookUpClass("SBAwayLockBar");
    if (Object* bar = runtime::send<Object*>(c->awayView, lockBar); runtime::isKindOfClass(bar, barClass))
        static_cast<LockBar*>(bar)->returnKnob();
    if (!c->dimTimerCancelled)
        c->startDimTimer();
}

void awayViewFinishedAnimatingOut(Object* self, Sel, Object*)
{
    runtime::Ref<AwayController> c(me(self));
    if (!c->active)
        return;
    static const Sel deactivateAlert("deactivateAlert:"), requestStyle("requestStyle:animationParameters:");
    runtime::send(c->window, deactivateAlert, self);
    c->active = c->animatingOut = false;
    c->locked = c->deviceLocked = false;
    c->awayView = nullptr;
    c->stopDimTimer();
    springBoard().screenDimmed = false;
    runtime::send(springBoard().statusBar, requestStyle, std::int32_t(0), static_cast<Object*>(nullptr));
    Trace::shared().record("unlocked");
    bringChosenApplicationToFront();
}

void cancelDimTimer(Object* self, Sel)
{
    me(self)->stopDimTimer();
    me(self)->dimTimerCancelled = true;
    Trace::shared().record("dimTimerCancelled");
}

void restartDimTimer(Object* self, Sel)
{
    me(self)->dimTimerCancelled = false;
    Trace::shared().record("dimTimerRestarted");
    me(self)->startDimTimer();
}

bool isShowingMediaControls(Object*, Sel) { return springBoard().options.mediaControls; }
bool isAndroidLockEnabled(Object*, Sel) { return true; }
bool shouldShowLockStatusBarTime(Object*, Sel) { return false; } // the date header shows it
void showTestBulletin(Object* self, Sel)
{
    if (me(self)->awayView)
        addTestBulletin(me(self)->awayView->bulletinController);
}

} // namespace

void AwayController::registerClass(bool androidLock)
{
    runtime::ClassBuilder builder("SBAwayController", "NSObject");
    builder.instancesOf<AwayController>()
        .classMethod("sharedAwayController", &sharedAwayController)
        .method("display", &display)
        .method("awayView", &display)
        .method("setLocked:", &setLocked)
        .method("setDeviceLocked:", &setDeviceLocked)
        .method("isLocked", &isLocked)
        .method("isDeviceLocked", &isDeviceLocked)
        .method("activate", &activate)
        .method("unlockWithSound:", &unlockWithSound)
        .method("_finishedUnlockAttemptWithStatus:", &finishedUnlockAttempt)
        .method("didAnimateLockKeypadOut", &didAnimateLockKeypadOut)
        .method("_awayViewFinishedAnimatingOut:", &awayViewFinishedAnimatingOut)
        .method("cancelDimTimer", &cancelDimTimer)
        .method("restartDimTimer", &restartDimTimer)
        .method("isShowingMediaControls", &isShowingMediaControls)
        .method("shouldShowLockStatusBarTime", &shouldShowLockStatusBarTime)
        .method("showTestBulletin", &showTestBulletin);
    registerCameraMethods(builder);
    if (androidLock)
        builder.method("isAndroidLockEnabled", &isAndroidLockEnabled);
    builder.registerClass();
}

AwayController* AwayController::shared()
{
    auto& slot = sharedSlot();
    if (!slot) {
        runtime::Class* cls = runtime::lookUpClass("SBAwayController");
        if (!cls)
            return nullptr;
        runtime::Ref<Object> made = runtime::alloc(cls);
        slot = runtime::Ref<AwayController>(static_cast<AwayController*>(made.get()));
    }
    return slot.get();
}

void AwayController::startDimTimer()
{
    stopDimTimer();
    if (!active || animatingOut || cameraShowing)
        return;
    m_dimTimer = uikit::RunLoop::main().scheduleTimer(kDimInterval, false, [](uikit::Timer*) {
        springBoard().screenDimmed = true;
        Trace::shared().record("screenDimmed");
        AwayController* c = AwayController::shared();
        c->m_sleepTimer = uikit::RunLoop::main().scheduleTimer(kSleepInterval, false, [](uikit::Timer*) {
            springBoard().asleep = true;
            Trace::shared().record("screenSlept");
        });
    });
}

void AwayController::stopDimTimer()
{
    if (m_dimTimer)
        m_dimTimer->invalidate();
    if (m_sleepTimer)
        m_sleepTimer->invalidate();
    m_dimTimer = nullptr;
    m_sleepTimer = nullptr;
}

void AwayController::noteUserActivity()
{
    if (springBoard().screenDimmed) {
        springBoard().screenDimmed = false;
        Trace::shared().record("screenUndimmed");
    }
    if (!dimTimerCancelled)
        startDimTimer();
}

void AwayController::animateOut()
{
    if (!awayView || animatingOut)
        return;
    animatingOut = true;
    stopDimTimer();
    runtime::Ref<AwayView> view = awayView;
    static const Sel setAlpha("setAlpha:");
    uikit::View::animate(kAnimateOutDuration, [&] {
        view->setAlpha(0);
        runtime::send(view->topBar, setAlpha, quartz::Float(0));
    }, [view](bool) {
        static const Sel finished("_awayViewFinishedAnimatingOut:");
        runtime::send(AwayController::shared(), finished, view);
    });
}

} // namespace host
