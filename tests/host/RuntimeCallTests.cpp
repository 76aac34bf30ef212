// The host reaches its own methods through the runtime, so a replacement installed in its classes
// (as the library installs them) runs whenever the host uses the method. Every method is wrapped
// in a recording replacement that calls the one it replaced; then the device is used as a person
// would, and each method must have been called through its replacement.
#include "platform/quartz/Geometry.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "tests/host/TestDevice.h"
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace hosttest;
using quartz::Float;
using quartz::Point;
using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

std::set<std::string> g_seen;
std::map<const runtime::Method*, runtime::Imp> g_previous;

template<class R, class... A>
R spy(Object* self, Sel cmd, A... args)
{
    const runtime::Method* m = runtime::getInstanceMethod(runtime::classOf(self), cmd);
    g_seen.insert(m->owner->name() + " " + cmd.name());
    return reinterpret_cast<runtime::ImpOf<R, A...>>(g_previous.at(m))(self, cmd, args...);
}

template<class R, class... A>
void wrap(const char* className, const char* selector, bool classMethod = false)
{
    runtime::Class* cls = runtime::lookUpClass(className);
    ASSERT_NE(cls, nullptr) << className;
    runtime::Method* m = classMethod ? runtime::getClassMethod(cls, Sel(selector)) : cls->ownMethod(Sel(selector));
    ASSERT_NE(m, nullptr) << className << " has no own " << selector;
    runtime::Imp old = runtime::setImplementation(m, runtime::TypedImp(&spy<R, A...>));
    ASSERT_NE(old, nullptr) << className << " " << selector << " has another type";
    g_previous[m] = old;
}


TEST(HostRuntimeCalls, EveryHookedMethodIsSentThroughTheRuntime)
{
    TestDevice d(Phone("6.1", 320, 568, "1234"), options([](auto& o) { o.mediaControls = o.charging = true; }));
    ASSERT_TRUE(d.booted);

    wrap<void, Object*>("SBAlertWindow", "displayAlert:");
    wrap<void, Object*>("SBAlertWindow", "deactivateAlert:");
    for (const char* s : { "setLocked:", "setDeviceLocked:", "_finishedUnlockAttemptWithStatus:", "unlockWithSound:" })
        wrap<void, bool>("SBAwayController", s);
    for (const char* s : { "activate", "didAnimateLockKeypadOut", "_removeCameraPreviewViews", "_tearDownCameraPreview",
             "cancelDimTimer", "restartDimTimer" })
        wrap<void>("SBAwayController", s);
    wrap<void, Object*>("SBAwayController", "_awayViewFinishedAnimatingOut:");
    wrap<bool>("SBAwayController", "shouldShowLockStatusBarTime");
    wrap<bool>("SBAwayController", "isShowingMediaControls");
    wrap<Object*, Rect>("SBAwayView", "initWithFrame:");
    for (const char* s : { "touchesBegan:withEvent:", "touchesMoved:withEvent:", "touchesEnded:withEvent:" })
        wrap<void, Object*, Object*>("SBAwayView", s);
    wrap<Object*>("SBAwayView", "lockBar");
    for (const char* s : { "noteAssistantDidHide", "noteAssistantWillAppear", "updateInCallInfo" })
        wrap<void>("SBAwayView", s);
    wrap<bool>("SBAwayView", "shouldShowChargingView");
    wrap<bool>("SBAwayView", "canBecomeFirstResponder");
    wrap<void>("UIStatusBar", "_crossfadeToNewBackgroundView");
    wrap<void, std::int32_t, Object*>("UIStatusBar", "requestStyle:animationParameters:");
    wrap<Object*>("TPLCDBar", "shadowImage", true);
    wrap<void, Object*>("TPLCDBar", "setImage:");
    wrap<void, Float>("TPLCDBar", "setAlpha:");
    wrap<void, Rect>("TPLCDBar", "setFrame:");
    wrap<Object*, Float, Point, Object*>("SBAwayDateView", "labelWithFontSize:origin:fontName:");
    wrap<void>("SBAwayDateView", "resizeAndPositionNowPlayingLabels");
    wrap<void, bool>("SBAwayDateView", "setIsShowingControls:");
    wrap<void, Object*>("SBAwayBulletinListController", "setTableItemToFloat:");
    wrap<void, Object*, bool>("SBAwayBulletinListController", "setTableItemToFloat:force:");
    wrap<Object*, std::int32_t>("SBBulletinCellContentView", "_initForLayoutStyle:");
    wrap<void, Object*>("SBBatteryReflectionView", "setImage:");
    wrap<Object*, Rect>("SBAssistantAwayBottomView", "initWithFrame:");
    wrap<void, bool, bool>("SBSlidingAlertDisplay", "setShowingDeviceLock:animated:");
    wrap<void, bool>("SBAwayViewPluginController", "viewWillAppear:");
    wrap<std::string>("BKSWorkspace", "topApplication");
    if (HasFatalFailure())
        return;

    // Passcode path, abandoned, then completed.
    d.slideTo(320);
    ASSERT_TRUE(d->dismissKeypad());
    d->wait(1);
    d.slideTo(320);
    d->enterPasscode("1234");
    d->wait(1);
    ASSERT_FALSE(d->state().locked);
    // A fresh lock screen, bulletins, the assistant and the camera.
    d->lock();
    runtime::send(d.awayController(), Sel("showTestBulletin"));
    d->setAssistantShowing(true);
    d->setAssistantShowing(false);
    runtime::send(d.awayController(), Sel("activateCamera"));
    ASSERT_TRUE(d->closeCamera());
    d.slideTo(320);
    d->enterPasscode("1234");
    d->wait(1);

    std::vector<std::string> missing;
    for (const auto& [m, imp] : g_previous) {
        std::string name = m->owner->name() + " " + m->selector.name();
        if (!g_seen.count(name))
            missing.push_back(name);
    }
    EXPECT_TRUE(missing.empty()) << testing::PrintToString(missing);
}

TEST(HostRuntimeCalls, DisplayStacksAreMadeWithInitAndReleasedWithDealloc)
{
    std::unique_ptr<TestDevice> d = std::make_unique<TestDevice>(Phone { "5.1.1", 320, 480 });
    ASSERT_TRUE(d->booted);
    runtime::Class* cls = runtime::lookUpClass("SBDisplayStack");
    ASSERT_NE(cls, nullptr);
    wrap<void>("SBDisplayStack", "dealloc");
    d.reset();
    EXPECT_TRUE(g_seen.count("SBDisplayStack dealloc"));
}

} // namespace
