// Applications chosen while locked come to the front once the unlock completes, not before:
// through a display stack below 6.0, through the workspace's answer from 6.0.
#include "host/SpringBoard.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"
#include "platform/uikit/Window.h"
#include <algorithm>
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

namespace {

// The visible windows' classes and the image names and texts they hold, front window last.
struct Screen {
    std::vector<std::string> images, texts;
};
void collect(uikit::View* view, Screen& s)
{
    if (view->isHidden())
        return;
    if (auto* image = dynamic_cast<uikit::ImageView*>(view); image && image->image())
        s.images.push_back(image->image()->name());
    if (auto* label = dynamic_cast<uikit::Label*>(view))
        s.texts.push_back(label->text());
    for (auto& sub : view->subviews())
        collect(sub.get(), s);
}
bool has(const std::vector<std::string>& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

TEST(HostScreens, HomeScreenUnderTheLockAndTheApplicationAfterTheUnlock)
{
    TestDevice d { Phone("5.1.1", 320, 480) };
    ASSERT_TRUE(d.booted);
    std::vector<uikit::Window*> windows = d->windows();
    ASSERT_FALSE(windows.empty());
    // Back to front: the home screen first, with the wallpaper and every application's icon and name.
    Screen home;
    collect(windows.front(), home);
    EXPECT_EQ(home.images.front(), "Wallpaper");
    for (const char* id : { "com.apple.mobilemail", "com.apple.MobileSMS", "com.apple.mobilephone" })
        EXPECT_TRUE(has(home.images, std::string("AppIcon-") + id)) << id;
    EXPECT_TRUE(has(home.texts, "Mail"));

    Object* mail = application("com.apple.mobilemail");
    runtime::send(host::springBoard().displayStacks.back().get(), Sel("pushDisplay:"), mail);
    d.slideTo(320);
    d->wait(1);
    ASSERT_EQ(d->state().frontApplication, "com.apple.mobilemail");
    // The application's window lies above the home screen, below the status bar.
    windows = d->windows();
    ASSERT_GE(windows.size(), 3u);
    Screen app;
    collect(windows[windows.size() - 2], app);
    EXPECT_TRUE(has(app.images, "AppIcon-com.apple.mobilemail"));
    EXPECT_TRUE(has(app.texts, "Mail"));
}

TEST(HostScreens, TallScreenHasItsOwnWallpaper)
{
    TestDevice d;
    Screen home;
    collect(d->windows().front(), home);
    EXPECT_EQ(home.images.front(), "Wallpaper-568h");
}

} // namespace
