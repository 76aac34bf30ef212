// The event trace: its line format, and the events the host hears rather than makes.
#include "host/Trace.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Window.h"
#include "tests/host/TestDevice.h"
#include <gtest/gtest.h>

using namespace hosttest;

namespace {

TEST(HostTrace, JsonLinesStartWithTimeAndEvent)
{
    host::TraceEvent e { 1.5, "unlockAttemptFinished", { { "success", true } } };
    EXPECT_EQ(host::toJsonLine(e), R"({"t":1.5,"event":"unlockAttemptFinished","success":true})");
    EXPECT_EQ(host::toJsonLine({ 0, "unlocked", {} }), R"({"t":0.0,"event":"unlocked"})");
}

TEST(HostTrace, EventsCarryTheVirtualTime)
{
    TestDevice d;
    d->wait(2.5);
    d.slideTo(320);
    ASSERT_NE(d.last("unlockRequested"), nullptr);
    EXPECT_DOUBLE_EQ(d.last("unlockRequested")->t, 2.5);
    EXPECT_DOUBLE_EQ(d->state().date, host::kBootDate + 2.5);
}

TEST(HostTrace, NotificationsAndSettingsWrites)
{
    TestDevice d;
    foundation::NotificationCenter::defaultCenter().post("ombrelTouchesBegan");
    ASSERT_NE(d.last("notificationPosted"), nullptr);
    EXPECT_EQ(d.last("notificationPosted")->fields["name"], "ombrelTouchesBegan");

    auto settings = foundation::hostPath(host::kSettingsPath);
    auto other = foundation::hostPath("/var/mobile/Library/Preferences/com.example.other.plist");
    ASSERT_TRUE(settings && other);
    ASSERT_TRUE(foundation::createDirectories(*foundation::hostPath("/var/mobile/Library/Preferences")));
    ASSERT_TRUE(foundation::writePropertyList(*other, foundation::Value::dictionary()));
    EXPECT_EQ(d.count("settingsWritten"), 0);
    ASSERT_TRUE(foundation::writePropertyList(*settings, foundation::Value::dictionary()));
    EXPECT_EQ(d.count("settingsWritten"), 1);
}

// The library's lock view is seen only as a subview of class "OmbrelView" of the alert window.
TEST(HostTrace, LockViewsAreSeenInTheAlertWindow)
{
    runtime::ClassBuilder("OmbrelView", "UIView").instancesOf<uikit::View>().registerClass();
    TestDevice d;
    uikit::Window* alert = nullptr;
    for (auto* w : d->windows())
        if (w->className() == "SBAlertWindow")
            alert = w;
    ASSERT_NE(alert, nullptr);
    auto lockView = uikit::View::make("OmbrelView", alert->bounds());
    alert->addSubview(lockView);
    d->wait(0.1);
    EXPECT_EQ(d.count("lockViewCreated"), 1);
    d->wait(0.1);
    EXPECT_EQ(d.count("lockViewCreated"), 1);
    lockView->removeFromSuperview();
    d->wait(0.1);
    EXPECT_EQ(d.count("lockViewDestroyed"), 1);
}

TEST(HostBoot, RefusesAFolderWithoutAProfileAndASecondBoot)
{
    auto device = host::makeInProcessDevice();
    host::Status none = device->boot(options([](auto& o) { o.root = "/nonexistent/ombrel"; }));
    EXPECT_FALSE(none.ok);
    EXPECT_FALSE(device->state().booted);

    TestDevice d;
    ASSERT_TRUE(d.booted);
    auto again = host::makeInProcessDevice();
    EXPECT_FALSE(again->boot(options([](auto& o) { o.root = "/tmp"; })).ok);
}

} // namespace
