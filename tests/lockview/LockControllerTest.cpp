// The lock controller hooks: the lock-screen flag, abandoned unlocks (keypad dismissed, camera
// closed), a finished unlock attempt, and the added controller methods.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/View.h"
#include "tests/lockview/DeviceFixture.h"

using namespace lockviewtest;
using runtime::Object;
using runtime::Sel;

namespace {

using LockController = DeviceFixture;

Object* awayController()
{
    return runtime::send<Object*>(runtime::lookUpClass("SBAwayController"), Sel("sharedAwayController"));
}

bool field(Object* o, const char* name) { return *runtime::ivarAddress<bool>(o, name); }

TEST_F(LockController, UnlockingWithFalseNeverClearsTheLockScreenFlag)
{
    boot();
    runtime::send(awayController(), Sel("setLocked:"), false);
    EXPECT_EQ(libraryState()["lockScreen"], true);
    EXPECT_TRUE(runtime::send<bool>(awayController(), Sel("ombrelIsEnabled")));
}

TEST_F(LockController, DismissedKeypadMakesTheLockViewInteractiveAgain)
{
    makeRoot("iphone5-6.1", "1234");
    boot();
    Object* lv = lockView();
    runtime::send(lv, Sel("setDeviceShouldUnlock:"), true);
    runtime::send(lv, Sel("prepareForUnlock"));
    runtime::send(awayController(), Sel("unlockWithSound:"), true);
    ASSERT_TRUE(device->state().passcodeKeypadShown);
    ASSERT_TRUE(device->dismissKeypad());
    device->wait(1);
    EXPECT_FALSE(field(lv, "disableInteraction"));
    EXPECT_FALSE(field(lv, "deviceShouldUnlock"));
    EXPECT_TRUE(field(lv, "shouldShowTrack"));
    EXPECT_EQ(libraryState()["unlockInProgress"], false);
    EXPECT_TRUE(device->state().locked);
}

TEST_F(LockController, RightCodeHidesTheTrackAfterTheHostHandledIt)
{
    makeRoot("iphone5-6.1", "1234");
    boot();
    Object* lv = lockView();
    auto* thumb = static_cast<uikit::View*>(runtime::send<Object*>(lv, Sel("trackSlider")));
    runtime::send(awayController(), Sel("unlockWithSound:"), true);
    ASSERT_TRUE(device->enterPasscode("0000"));
    EXPECT_FALSE(thumb->isHidden()); // a wrong code changes nothing
    ASSERT_TRUE(device->enterPasscode("1234"));
    EXPECT_TRUE(thumb->isHidden());
    device->wait(2);
    EXPECT_FALSE(device->state().locked);
    EXPECT_EQ(lockView(), nullptr);
}

TEST_F(LockController, ClosingTheCameraRelocks)
{
    boot();
    Object* lv = lockView();
    runtime::send(lv, Sel("prepareForUnlock"));
    Object* controller = awayController();
    for (const char* step : { "_prewarmCamera", "_setupCameraSlideUpAnimation" })
        runtime::send(controller, Sel(step));
    runtime::send(controller, Sel("_translateSlidingViewByY:"), std::int32_t(-600));
    runtime::send(controller, Sel("activateCamera"));
    ASSERT_TRUE(device->state().cameraShowing);
    ASSERT_TRUE(device->closeCamera());
    EXPECT_FALSE(field(lv, "disableInteraction"));
}

TEST_F(LockController, TestNotificationsAddBulletins)
{
    boot();
    Object* list = runtime::send<Object*>(runtime::send<Object*>(stockLockView(), Sel("bulletinController")), Sel("view"));
    auto count = [&] {
        std::size_t n = 0;
        for (auto& sub : static_cast<uikit::View*>(list)->subviews())
            n += sub->subviews().size();
        return n;
    };
    std::size_t before = count();
    runtime::send(awayController(), Sel("testNotifs:"), std::int32_t(3));
    EXPECT_EQ(count(), before + 3);
    runtime::send(awayController(), Sel("testNotifs:"), std::int32_t(-1));
    EXPECT_EQ(count(), before + 3);
}

TEST_F(LockController, DisplayStackIsFollowedBelowSix)
{
    boot(); // the default profile is 5.1.1
    Object* lv = lockView();
    EXPECT_NE(runtime::send<Object*>(lv, Sel("displayStack")), nullptr);
}

} // namespace
