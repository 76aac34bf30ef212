// The stock lock screen, driven as a person would: lock, slide, passcode, dimming, camera.
#include "host/SpringBoard.h"
#include "host/lockscreen/AwayView.h"
#include "host/lockscreen/LockBar.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Window.h"
#include "tests/host/TestDevice.h"
#include <gtest/gtest.h>

using namespace hosttest;

namespace {

struct ProfileCase {
    const char* version;
    int width, height;
};

class StockSlider : public testing::TestWithParam<ProfileCase> { };

TEST_P(StockSlider, FullSlideUnlocksAndAShortOneReturns)
{
    const ProfileCase& p = GetParam();
    TestDevice d(Phone(p.version, p.width, p.height));
    ASSERT_TRUE(d.booted) << d.booted.error;
    EXPECT_EQ(d.names().front(), "lockScreenShown");
    EXPECT_TRUE(d->state().locked);

    // Released halfway: no unlock, the knob goes back to rest.
    d.slideTo(float(p.width) / 2);
    d->wait(1);
    EXPECT_EQ(d.count("unlockRequested"), 0);
    auto* away = static_cast<host::AwayView*>(runtime::send<runtime::Object*>(d.awayController(), runtime::Sel("awayView")));
    ASSERT_NE(away, nullptr);
    auto* bar = static_cast<host::LockBar*>(away->lockBar.get());
    EXPECT_FLOAT_EQ(bar->knobX(), bar->knobMinX());

    d.slideTo(float(p.width));
    ASSERT_NE(d.last("unlockRequested"), nullptr);
    EXPECT_EQ(d.last("unlockRequested")->fields["sound"], true);
    EXPECT_EQ(d.count("unlocked"), 0); // still animating out
    d->wait(1);
    EXPECT_EQ(d.count("unlocked"), 1);
    EXPECT_FALSE(d->state().locked);
    EXPECT_FALSE(d->state().frontApplication);
}

INSTANTIATE_TEST_SUITE_P(Profiles, StockSlider,
    testing::Values(ProfileCase { "5.1.1", 320, 480 }, ProfileCase { "6.1", 320, 568 }),
    [](const auto& info) { return "Height" + std::to_string(info.param.height); });

TEST(HostLockScreen, TouchesAwayFromTheKnobDoNothing)
{
    TestDevice d;
    ASSERT_TRUE(d.booted);
    d->touchDown(160, 300);
    d->touchMove(320, 300);
    d->touchUp(320, 300);
    d->wait(1);
    EXPECT_TRUE(d->state().locked);
    EXPECT_EQ(d.count("unlockRequested"), 0);
}

TEST(HostLockScreen, LockingAgainShowsAFreshLockScreen)
{
    TestDevice d;
    d.slideTo(320);
    d->wait(1);
    d->lock();
    EXPECT_TRUE(d->state().locked);
    EXPECT_EQ(d.count("lockScreenShown"), 2);
    auto windows = d->windows();
    bool alertShown = false;
    for (auto* w : windows)
        alertShown |= w->className() == "SBAlertWindow" && !w->subviews().empty() && w->subviews()[0]->className() == "SBAwayView";
    EXPECT_TRUE(alertShown);
}

// Each lock screen is made afresh and goes away whole once unlocked: nothing it made survives it.
TEST(HostLockScreen, UnlockedLockScreensAreReleased)
{
    TestDevice d(Phone("6.1", 320, 568), options([](auto& o) { o.mediaControls = o.charging = true; }));
    for (int cycle = 0; cycle < 3; ++cycle) {
        auto* view = static_cast<host::AwayView*>(runtime::send<runtime::Object*>(d.awayController(), runtime::Sel("awayView")));
        ASSERT_NE(view, nullptr);
        runtime::send(d.awayController(), runtime::Sel("showTestBulletin"));
        std::vector<runtime::WeakRef<runtime::Object>> made { view, view->topBar.get(), view->dateView.get(), view->lockBar.get(),
            view->bulletinController.get(), view->pluginController.get(), view->chargingView.get() };
        d.slideTo(320);
        d->wait(1);
        ASSERT_FALSE(d->state().locked);
        for (const auto& weak : made)
            EXPECT_EQ(weak.get(), nullptr);
        d->lock();
    }
}

// Many lock screens, through the passcode keypad, leave no objects behind.
TEST(HostLockScreen, RepeatedLockAndUnlockLeavesNoObjects)
{
    TestDevice d(Phone("6.1", 320, 568, "1234"), options([](auto& o) { o.mediaControls = true; }));
    auto cycle = [&] {
        d.slideTo(320);
        d->dismissKeypad();
        d->wait(1);
        d.slideTo(320);
        d->enterPasscode("1234");
        d->wait(1);
        d->lock();
        d->wait(host::kDimInterval + host::kSleepInterval);
        d->touchDown(10, 10);
        d->touchUp(10, 10);
    };
    cycle(); // whatever is made once (applications, selectors, caches) is made now
    std::int64_t before = runtime::liveObjectCount();
    for (int i = 0; i < 200; ++i)
        cycle();
    EXPECT_EQ(runtime::liveObjectCount(), before);
    EXPECT_EQ(d.count("unlocked"), 201);
}

TEST(HostPasscode, WrongCodeStaysRightCodeUnlocks)
{
    TestDevice d(Phone("6.1", 320, 568, "1234"));
    ASSERT_TRUE(d.booted);
    EXPECT_FALSE(d->enterPasscode("1234")); // no keypad yet
    d.slideTo(320);
    EXPECT_EQ(d.count("passcodeKeypadShown"), 1);
    EXPECT_TRUE(d->state().passcodeKeypadShown);

    EXPECT_TRUE(d->enterPasscode("0000"));
    d->wait(1);
    EXPECT_EQ(d.last("unlockAttemptFinished")->fields["success"], false);
    EXPECT_TRUE(d->state().locked);
    EXPECT_TRUE(d->state().passcodeKeypadShown);

    EXPECT_TRUE(d->enterPasscode("1234"));
    d->wait(1);
    EXPECT_EQ(d.last("unlockAttemptFinished")->fields["success"], true);
    EXPECT_EQ(d.count("unlocked"), 1);
    EXPECT_FALSE(d->state().locked);
    EXPECT_FALSE(d->state().passcodeKeypadShown);
}

TEST(HostPasscode, DismissedKeypadLeavesTheLockScreenUp)
{
    TestDevice d(Phone("6.1", 320, 568, "1234"));
    d.slideTo(320);
    ASSERT_TRUE(d->dismissKeypad());
    EXPECT_EQ(d.count("passcodeKeypadHidden"), 0); // sliding out
    d->wait(1);
    EXPECT_EQ(d.count("passcodeKeypadHidden"), 1);
    EXPECT_FALSE(d->state().passcodeKeypadShown);
    EXPECT_TRUE(d->state().locked);
    EXPECT_FALSE(d->dismissKeypad());
    // The slider asks for the keypad again.
    d.slideTo(320);
    EXPECT_EQ(d.count("passcodeKeypadShown"), 2);
}

TEST(HostDimTimer, DimsAfterTheIdleTimeThenSleeps)
{
    TestDevice d;
    d->wait(host::kDimInterval - 0.1);
    EXPECT_EQ(d.count("screenDimmed"), 0);
    d->wait(0.2);
    EXPECT_EQ(d.count("screenDimmed"), 1);
    EXPECT_TRUE(d->state().screenDimmed);
    d->wait(host::kSleepInterval);
    EXPECT_TRUE(d->state().asleep);
    // A touch on the dark screen wakes it without reaching the lock screen.
    EXPECT_FALSE(d->touchDown(62, 568 - host::kLockBarHeight / 2));
    d->touchUp(300, 568 - host::kLockBarHeight / 2);
    EXPECT_FALSE(d->state().asleep);
    EXPECT_FALSE(d->state().screenDimmed);
    EXPECT_EQ(d.names().back(), "screenUndimmed");
    EXPECT_EQ(d.count("dimTimerCancelled"), 0);
    d->wait(host::kDimInterval + 0.1);
    EXPECT_EQ(d.count("screenDimmed"), 2);
}

TEST(HostDimTimer, TouchesPostponeItAndCancellingStopsIt)
{
    TestDevice d;
    d->wait(host::kDimInterval - 1);
    d->touchDown(160, 300);
    d->touchUp(160, 300);
    d->wait(host::kDimInterval - 1);
    EXPECT_EQ(d.count("screenDimmed"), 0);

    tell(d.awayController(), "cancelDimTimer");
    d->wait(60);
    EXPECT_EQ(d.count("screenDimmed"), 0);
    EXPECT_EQ(d.count("dimTimerCancelled"), 1);

    tell(d.awayController(), "restartDimTimer");
    EXPECT_EQ(d.count("dimTimerRestarted"), 1);
    d->wait(host::kDimInterval + 0.1);
    EXPECT_EQ(d.count("screenDimmed"), 1);
}

TEST(HostDimTimer, DraggingTheSliderHoldsItOff)
{
    TestDevice d;
    float y = 568 - host::kLockBarHeight / 2;
    d->touchDown(62, y);
    d->wait(30);
    EXPECT_EQ(d.count("screenDimmed"), 0);
    d->touchUp(62, y);
    EXPECT_EQ(d.names().back(), "dimTimerRestarted");
}

TEST(HostCamera, OpensOverTheLockScreenAndCloses)
{
    TestDevice d;
    runtime::Object* away = d.awayController();
    EXPECT_FALSE(d->closeCamera());
    tell(away, "_prewarmCamera");
    tell(away, "_setupCameraSlideUpAnimation");
    runtime::send(away, runtime::Sel("_translateSlidingViewByY:"), std::int32_t(-600));
    tell(away, "activateCamera");
    EXPECT_EQ(d.count("cameraActivated"), 1);
    EXPECT_TRUE(d->state().cameraShowing);
    d->wait(30); // the camera keeps the screen on
    EXPECT_EQ(d.count("screenDimmed"), 0);

    auto* view = static_cast<host::AwayView*>(runtime::send<runtime::Object*>(away, runtime::Sel("awayView")));
    EXPECT_FLOAT_EQ(view->frame().origin.y, -600);
    EXPECT_TRUE(d->closeCamera());
    EXPECT_EQ(d.count("cameraClosed"), 1);
    d->wait(1);
    EXPECT_FLOAT_EQ(view->frame().origin.y, 0);
    EXPECT_TRUE(d->state().locked);
    EXPECT_FALSE(d->state().cameraShowing);
}

TEST(HostLockScreen, MediaControlsAndBulletins)
{
    TestDevice d({}, options([](auto& o) { o.mediaControls = true; }));
    runtime::Object* away = d.awayController();
    EXPECT_TRUE(runtime::send<bool>(away, runtime::Sel("isShowingMediaControls")));
    EXPECT_FALSE(runtime::respondsToSelector(away, runtime::Sel("isAndroidLockEnabled")));
    auto* view = static_cast<host::AwayView*>(runtime::send<runtime::Object*>(away, runtime::Sel("awayView")));
    EXPECT_FLOAT_EQ(view->topBar->frame().size.height, host::kTopBarHeightWithControls);

    auto* list = static_cast<uikit::View*>(runtime::send<runtime::Object*>(view->bulletinController, runtime::Sel("view")));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isHidden());
    tell(away, "showTestBulletin");
    tell(away, "showTestBulletin");
    EXPECT_FALSE(list->isHidden());
}

} // namespace
