// Applications chosen while locked come to the front once the unlock completes, not before:
// through a display stack below 6.0, through the workspace's answer from 6.0.
#include "host/SpringBoard.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "tests/host/TestDevice.h"
#include <gtest/gtest.h>

using namespace hosttest;
using runtime::Object;
using runtime::Sel;

namespace {

Object* application(const std::string& id)
{
    Object* controller = runtime::send<Object*>(runtime::lookUpClass("SBApplicationController"), Sel("sharedInstance"));
    return runtime::send<Object*>(controller, Sel("applicationWithDisplayIdentifier:"), id);
}

TEST(HostApplications, InstalledIdentifiersOnly)
{
    TestDevice d;
    Object* mail = application("com.apple.mobilemail");
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(runtime::send<std::string>(mail, Sel("bundleIdentifier")), "com.apple.mobilemail");
    EXPECT_EQ(application("com.apple.mobilemail"), mail);
    EXPECT_EQ(application("com.example.unknown"), nullptr);
    EXPECT_EQ(application(""), nullptr);

    Object* icons = runtime::send<Object*>(runtime::lookUpClass("SBIconController"), Sel("sharedInstance"));
    Object* model = runtime::ivarObject(icons, "_iconModel");
    Object* icon = runtime::send<Object*>(model, Sel("applicationIconForDisplayIdentifier:"), std::string("com.apple.mobilemail"));
    EXPECT_EQ(runtime::send<std::string>(icon, Sel("applicationBundleID")), "com.apple.mobilemail");
    EXPECT_EQ(runtime::send<std::int32_t>(icon, Sel("badgeValue")), 3);
    EXPECT_EQ(runtime::send<Object*>(model, Sel("applicationIconForDisplayIdentifier:"), std::string("com.example.unknown")), nullptr);
}

class DisplayStackLaunch : public testing::Test {
protected:
    TestDevice d { Phone("5.1.1", 320, 480) };
    Object* stack() const { return host::springBoard().displayStacks.back().get(); }
};

TEST_F(DisplayStackLaunch, PushedWhileLockedComesUpAfterTheUnlock)
{
    ASSERT_TRUE(d.booted);
    EXPECT_EQ(runtime::lookUpClass("BKSWorkspace"), nullptr);
    Object* mail = application("com.apple.mobilemail");
    runtime::send(mail, Sel("setDisplaySetting:flag:"), std::int32_t(4), false);
    runtime::send(stack(), Sel("pushDisplay:"), mail);
    d->wait(5);
    EXPECT_FALSE(d->state().frontApplication);
    d.slideTo(320);
    d->wait(1);
    EXPECT_EQ(d->state().frontApplication, "com.apple.mobilemail");
    ASSERT_NE(d.last("applicationLaunched"), nullptr);
    EXPECT_EQ(d.last("applicationLaunched")->fields["bundleID"], "com.apple.mobilemail");
}

TEST_F(DisplayStackLaunch, PoppedIsWithdrawn)
{
    Object* mail = application("com.apple.mobilemail");
    runtime::send(stack(), Sel("pushDisplay:"), mail);
    runtime::send(stack(), Sel("popDisplay:"), mail);
    d.slideTo(320);
    d->wait(1);
    EXPECT_EQ(d.count("unlocked"), 1);
    EXPECT_FALSE(d->state().frontApplication);
    EXPECT_EQ(d.count("applicationLaunched"), 0);
}

// A replacement of the workspace's answer, as the library installs one.
std::string g_answer;
std::string answer(Object*, Sel) { return g_answer; }

struct WorkspaceCase {
    const char* answer;
    std::optional<std::string> front;
};

class WorkspaceLaunch : public testing::TestWithParam<WorkspaceCase> { };

TEST_P(WorkspaceLaunch, TopApplicationDecidesAtUnlock)
{
    TestDevice d;
    ASSERT_TRUE(d.booted);
    g_answer = GetParam().answer;
    runtime::Method* top = runtime::getInstanceMethod(runtime::lookUpClass("BKSWorkspace"), Sel("topApplication"));
    ASSERT_NE(runtime::setImplementation(top, runtime::TypedImp(&answer)), nullptr);
    d->wait(2);
    EXPECT_FALSE(d->state().frontApplication);
    d.slideTo(320);
    d->wait(1);
    EXPECT_EQ(d->state().frontApplication, GetParam().front);
    EXPECT_EQ(d.count("applicationLaunched"), GetParam().front ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, WorkspaceLaunch,
    testing::Values(WorkspaceCase { "com.apple.mobilemail", "com.apple.mobilemail" }, WorkspaceCase { "", std::nullopt },
        WorkspaceCase { "com.example.unknown", std::nullopt }),
    [](const auto& info) { return std::string(info.index == 0 ? "Installed" : info.index == 1 ? "Empty" : "Unknown"); });

TEST(HostApplications, StockWorkspaceKeepsTheFrontApplication)
{
    TestDevice d;
    d.slideTo(320);
    d->wait(1);
    EXPECT_FALSE(d->state().frontApplication);
    EXPECT_EQ(d.count("applicationLaunched"), 0);
}

TEST(HostApplications, AProfileWithoutTheWorkspaceStillUnlocks)
{
    TestDevice d({}, options([](auto& o) { o.omitClasses = { "BKSWorkspace" }; }));
    ASSERT_TRUE(d.booted);
    EXPECT_EQ(runtime::lookUpClass("BKSWorkspace"), nullptr);
    d.slideTo(320);
    d->wait(1);
    EXPECT_EQ(d.count("unlocked"), 1);
}

TEST(HostApplications, TheDeviceProfileCanLeaveTheWorkspaceOut)
{
    Phone phone;
    phone.omitClasses = { "BKSWorkspace" };
    TestDevice d(phone);
    ASSERT_TRUE(d.booted);
    EXPECT_EQ(runtime::lookUpClass("BKSWorkspace"), nullptr);
    EXPECT_NE(runtime::lookUpClass("SBAwayController"), nullptr);
}

TEST(HostApplications, LockSoundFollowsTheProfile)
{
    TestDevice d;
    EXPECT_TRUE(runtime::send<bool>(runtime::lookUpClass("SBSoundPreferences"), Sel("playLockSound")));
}

} // namespace
