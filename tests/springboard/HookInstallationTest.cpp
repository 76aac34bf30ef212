// Loading the library into a host: the hook table goes in, in its order, each entry by the rule
// that fits the host's class, and the host's own behaviour stays reachable underneath.
#include "platform/foundation/Exception.h"
#include "platform/runtime/Send.h"
#include "tests/springboard/TestHost.h"
#include <dlfcn.h>
#include <gtest/gtest.h>

using namespace runtime;
using testhost::calls;
using Strings = std::vector<std::string>;

namespace {

struct Loaded : ::testing::Test {
    void load(testhost::Options options = {})
    {
        testhost::boot(options);
        library = testhost::loadLibrary();
        ASSERT_NE(library, nullptr);
        report = testhost::installationReport(library);
    }
    void TearDown() override { testhost::shutdown(); }
    std::string outcome(const std::string& cls, const std::string& selector)
    {
        for (auto& r : report)
            if (r.className == cls && r.selector == selector)
                return r.outcome;
        return "not in table";
    }
    bool fromLibrary(Class* cls, const char* selector)
    {
        Method* m = getInstanceMethod(cls, Sel(selector));
        return m && m->image && m->image->path.find("libOmbrel") != std::string::npos;
    }
    void* library = nullptr;
    std::vector<testhost::Record> report;
};

// The table as the host sees it installed: kind, class, method, in order.
const Strings kTable = {
    "R SBAlertWindow deactivateAlert:", "R SBAlertWindow displayAlert:", "A SBAlertWindow ombrelView",
    "R SBAwayController setLocked:", "R SBAwayController setDeviceLocked:",
    "R SBAwayController _awayViewFinishedAnimatingOut:", "R SBAwayController activate",
    "R SBAwayController _finishedUnlockAttemptWithStatus:", "R SBAwayController didAnimateLockKeypadOut",
    "R SBAwayController _removeCameraPreviewViews", "R SBAwayController _tearDownCameraPreview",
    "R SBAwayController shouldShowLockStatusBarTime", "A SBAwayController ombrelIsEnabled",
    "A SBAwayController testNotifs:",
    "A SBAwayView initializeOmbrel", "R SBAwayView initWithFrame:", "R SBAwayView touchesBegan:withEvent:",
    "R SBAwayView touchesMoved:withEvent:", "R SBAwayView touchesEnded:withEvent:",
    "R SBAwayView touchesCancelled:withEvent:", "R SBAwayView lockBar", "R SBAwayView noteAssistantDidHide",
    "R SBAwayView noteAssistantWillAppear", "R SBAwayView shouldShowChargingView", "R SBAwayView updateInCallInfo",
    "R SBAwayView canBecomeFirstResponder", "A SBAwayView hideLockBar", "A SBAwayView showLockBar",
    "A SBAwayView ombrelNotifyAndroidLockWillAppear", "A SBAwayView ombrelNotifyAndroidLockDidDisappear",
    "A SBAwayView activatorExists:", "A SBAwayView setupActivators:", "A SBAwayView awayTap:",
    "A SBAwayView awayLongPress:", "A SBAwayView awaySwipeRight:", "A SBAwayView awaySwipeLeft:",
    "A SBAwayView awaySwipeDown:", "A SBAwayView awaySwipeUp:", "A SBAwayView noteDidCancel:",
    "A SBAwayView noteDidSave:", "A SBAwayView activatorTorchToggle", "A SBAwayView activatorBrightness",
    "A SBAwayView brightnessChanged:", "A SBAwayView destroyBrightnessView", "A SBAwayView activatorRespring",
    "A SBAwayView presentNoteInView", "A SBAwayView dismissNoteView:", "A SBAwayView activatorDoNotDisturb",
    "A SBAwayView activatorAirplaneMode", "A SBAwayView activatorWifi", "A SBAwayView activatorBluetooth",
    "A SBAwayView activatorActionForKey:", "A SBAwayView activateWidget:",
    "R UIStatusBar initWithFrame:", "R UIStatusBar _crossfadeToNewBackgroundView",
    "R UIStatusBar requestStyle:animationParameters:",
    "R TPLCDBar shadowImage", "R TPLCDBar setImage:", "R TPLCDBar setAlpha:", "R TPLCDBar setFrame:",
    "R SBAwayDateView labelWithFontSize:origin:fontName:", "R SBAwayDateView resizeAndPositionNowPlayingLabels",
    "R SBAwayDateView setIsShowingControls:",
    "R SBAwayBulletinListController setTableItemToFloat:", "R SBAwayBulletinListController setTableItemToFloat:force:",
    "R SBAwayBulletinListView setFrame:", "R SBAwayBulletinListView setHidden:", "R SBAwayBulletinListView setAlpha:",
    "R SBBulletinCellContentView _initForLayoutStyle:",
    "R SBAwayBulletinTableView touchesBegan:withEvent:", "R SBAwayBulletinTableView touchesMoved:withEvent:",
    "R SBAwayBulletinTableView touchesEnded:withEvent:", "R SBAwayBulletinTableView touchesCancelled:withEvent:",
    "R SBAwayBulletinFloatingCell touchesBegan:withEvent:", "R SBAwayBulletinFloatingCell touchesMoved:withEvent:",
    "R SBAwayBulletinFloatingCell touchesEnded:withEvent:", "R SBAwayBulletinFloatingCell touchesCancelled:withEvent:",
    "R SBWallpaperView setAlpha:", "R SBBatteryReflectionView setImage:", "R SBAssistantAwayBottomView initWithFrame:",
    "R SBSlidingAlertDisplay setShowingDeviceLock:animated:", "R SBAwayViewPluginController viewWillAppear:",
    "R PSControlTableCell layoutSubviews", "A PSListItemsController tableView:willDisplayCell:forRowAtIndexPath:",
};
const Strings kBelowSix = { "R SBDisplayStack init", "R SBDisplayStack dealloc" };
const Strings kSixAndLater = { "A SBAwayView activatorFacebook", "A SBAwayView activatorTweet",
    "R BKSWorkspace topApplication", "R BKSWorkspace _receiveApplicationDidActivate:" };

Strings lines(const std::vector<testhost::Record>& report)
{
    Strings out;
    for (auto& r : report)
        out.push_back(r.kind + " " + r.className + " " + r.selector);
    return out;
}

TEST_F(Loaded, InstallsTheWholeTableInOrderThenTheVersionGroup)
{
    load({ .systemVersion = "6.0" });
    Strings expected = kTable;
    expected.insert(expected.end(), kSixAndLater.begin(), kSixAndLater.end());
    EXPECT_EQ(lines(report), expected);
}

TEST_F(Loaded, BelowSixInstallsTheDisplayStackGroupInstead)
{
    load({ .systemVersion = "5.1.1" });
    Strings expected = kTable;
    expected.insert(expected.end(), kBelowSix.begin(), kBelowSix.end());
    EXPECT_EQ(lines(report), expected);
    auto version = reinterpret_cast<double (*)()>(dlsym(library, "ombrelSystemVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_DOUBLE_EQ(version(), 5.1);
    EXPECT_EQ(outcome("SBDisplayStack", "init"), "exchanged");
    EXPECT_EQ(outcome("SBDisplayStack", "dealloc"), "exchanged");
    EXPECT_FALSE(respondsToSelector(alloc(lookUpClass("SBAwayView")), Sel("activatorFacebook")));
    EXPECT_FALSE(fromLibrary(lookUpClass("BKSWorkspace"), "topApplication"));
}

TEST_F(Loaded, OutcomesFollowWhatTheHostHas)
{
    load();
    struct Case {
        const char* cls;
        const char* selector;
        const char* outcome;
    } cases[] = {
        { "SBAlertWindow", "displayAlert:", "exchanged" },
        { "SBAlertWindow", "ombrelView", "added" },
        { "SBWallpaperView", "setAlpha:", "added-override" },  // only inherited from TestBaseView
        { "TPLCDBar", "setAlpha:", "added-override" },
        { "TPLCDBar", "shadowImage", "exchanged" },            // through the metaclass
        { "SBAwayController", "activate", "missing-method" },
        { "SBAwayDateView", "setIsShowingControls:", "missing-class" },
        { "PSListItemsController", "tableView:willDisplayCell:forRowAtIndexPath:", "missing-class" },
        { "SBAwayView", "hideLockBar", "kept-host" },          // the host's own stays
        { "SBAwayView", "showLockBar", "added" },
        { "SBAwayController", "shouldShowLockStatusBarTime", "wrong-signature" },
        { "BKSWorkspace", "topApplication", "exchanged" },
    };
    for (auto& c : cases)
        EXPECT_EQ(outcome(c.cls, c.selector), c.outcome) << c.cls << " " << c.selector;
}

TEST_F(Loaded, ReplacementsAnswerAndReachTheHostUnderneath)
{
    load();
    Class* window = lookUpClass("SBAlertWindow");
    EXPECT_TRUE(fromLibrary(window, "displayAlert:"));
    Ref<Object> w = alloc(window);
    Ref<Object> view = alloc(lookUpClass("SBAwayView"));
    calls().clear();
    send(w, Sel("displayAlert:"), w);
    send(w, Sel("deactivateAlert:"), nullptr);
    Object* made = send<Object*>(view, Sel("initWithFrame:"), quartz::makeRect(0, 0, 320, 480));
    send(view, Sel("touchesBegan:withEvent:"), nullptr, nullptr);
    send(view, Sel("hideLockBar"));
    EXPECT_EQ(made, view.get());
    EXPECT_EQ(calls(), (Strings { "SBAlertWindow displayAlert: object", "SBAlertWindow deactivateAlert: nil",
                           "SBAwayView initWithFrame: 320", "SBAwayView touchesBegan:withEvent:", "SBAwayView hideLockBar" }));
    // A method of another type is left as the host made it, and still answers the host's way.
    EXPECT_FALSE(fromLibrary(lookUpClass("SBAwayController"), "shouldShowLockStatusBarTime"));
    EXPECT_EQ(send<int>(alloc(lookUpClass("SBAwayController")), Sel("shouldShowLockStatusBarTime")), 3);
}

void laterAlpha(Object* self, Sel cmd, quartz::Float f) { calls().push_back("later " + self->isa()->name() + " " + cmd.name() + " " + std::to_string(int(f))); }

TEST_F(Loaded, InheritedOnlyMethodReachesTheSuperclassImplementationCurrentAtCallTime)
{
    load();
    Class* wallpaper = lookUpClass("SBWallpaperView");
    Class* base = lookUpClass("TestBaseView");
    EXPECT_TRUE(fromLibrary(wallpaper, "setAlpha:"));
    EXPECT_FALSE(fromLibrary(base, "setAlpha:")); // added to the subclass alone
    Ref<Object> wp = alloc(wallpaper);
    calls().clear();
    send(wp, Sel("setAlpha:"), quartz::Float(1));
    // The host changes the superclass's method after installation: the fallback finds the new one.
    setImplementation(base->ownMethod(Sel("setAlpha:")), &laterAlpha);
    send(wp, Sel("setAlpha:"), quartz::Float(0));
    EXPECT_EQ(calls(), (Strings { "SBWallpaperView setAlpha: 1.000000", "later SBWallpaperView setAlpha: 0" }));
}

TEST_F(Loaded, ClassMethodIsReplacedThroughTheMetaclass)
{
    load();
    Class* bar = lookUpClass("TPLCDBar");
    EXPECT_TRUE(fromLibrary(bar->metaclass(), "shadowImage"));
    calls().clear();
    EXPECT_EQ(send<Object*>(bar, Sel("shadowImage")), bar);
    EXPECT_EQ(calls(), Strings { "TPLCDBar shadowImage" });
    EXPECT_EQ(getInstanceMethod(bar, Sel("shadowImage")), nullptr);
}

TEST_F(Loaded, WorkspaceAnswersThroughTheReplacement)
{
    load();
    Ref<Object> ws = alloc(lookUpClass("BKSWorkspace"));
    EXPECT_TRUE(fromLibrary(ws->isa(), "topApplication"));
    EXPECT_EQ(send<std::string>(ws, Sel("topApplication")), "com.apple.host");
    EXPECT_TRUE(respondsToSelector(alloc(lookUpClass("SBAwayView")), Sel("activatorTweet")));
    EXPECT_EQ(outcome("SBDisplayStack", "init"), "not in table");
}

TEST_F(Loaded, SixWithoutWorkspaceSkipsOnlyTheWorkspaceHooks)
{
    load({ .systemVersion = "6.1", .workspace = false });
    EXPECT_EQ(outcome("BKSWorkspace", "topApplication"), "missing-class");
    EXPECT_EQ(outcome("BKSWorkspace", "_receiveApplicationDidActivate:"), "missing-class");
    EXPECT_EQ(outcome("SBAwayView", "activatorFacebook"), "added");
    EXPECT_EQ(outcome("SBAlertWindow", "displayAlert:"), "exchanged");
    Ref<Object> view = alloc(lookUpClass("SBAwayView"));
    calls().clear();
    EXPECT_EQ(send<Object*>(view, Sel("lockBar")), view.get());
    EXPECT_EQ(calls(), Strings { "SBAwayView lockBar" });
}

TEST_F(Loaded, DisplayStackDeallocRunsTheHostTeardown)
{
    load({ .systemVersion = "5.1.1" });
    calls().clear();
    {
        Ref<Object> stack = alloc(lookUpClass("SBDisplayStack"));
        EXPECT_EQ(send<Object*>(stack, Sel("init")), stack.get());
    }
    EXPECT_EQ(calls(), (Strings { "SBDisplayStack init", "SBDisplayStack dealloc" }));
}

TEST_F(Loaded, VersionStringsReadAsDecimalNumbers)
{
    // Each process loads the library once, so the other versions are covered by the tests above.
    load({ .systemVersion = "6.1.3" });
    auto version = reinterpret_cast<double (*)()>(dlsym(library, "ombrelSystemVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_DOUBLE_EQ(version(), 6.1);
}

TEST_F(Loaded, NoVersionFileCountsAsBelowSix)
{
    load({ .systemVersion = "" });
    EXPECT_EQ(outcome("SBDisplayStack", "init"), "exchanged");
    EXPECT_EQ(outcome("BKSWorkspace", "topApplication"), "not in table");
}

TEST_F(Loaded, InstallsTheUncaughtExceptionHandler)
{
    load();
    void* handler = dlsym(library, "ombrelExceptionHandler");
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(foundation::uncaughtExceptionHandler()), handler);
}

} // namespace
