// The lock view's life: made over the alert window when the lock screen comes up, set up from the
// settings, prepared for unlocking and relocking, destroyed when the lock screen goes.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/View.h"
#include "tests/lockview/DeviceFixture.h"

using namespace lockviewtest;
using runtime::Object;
using runtime::Sel;

namespace {

template<class T>
T field(Object* o, const char* name)
{
    T* at = runtime::ivarAddress<T>(o, name);
    EXPECT_NE(at, nullptr) << name;
    return at ? *at : T {};
}

using LockView = DeviceFixture;

TEST_F(LockView, LockingMakesOneLockViewOnTopOfTheAlertWindow)
{
    boot();
    Object* lv = lockView();
    ASSERT_NE(lv, nullptr);
    auto* view = static_cast<uikit::View*>(lv);
    EXPECT_EQ(view->className(), "OmbrelView");
    ASSERT_NE(view->superview(), nullptr);
    EXPECT_EQ(view->superview()->subviews().back().get(), view);
    EXPECT_FALSE(view->isUserInteractionEnabled());
    struct Tag {
        const char* name;
        std::int32_t value;
    } tags[] = { { "kCam", 1 }, { "kUnlock", 2 }, { "kFolder", 4 }, { "kTrack", 400 }, { "kLockApp", 500 },
        { "kFolderApp", 600 }, { "kContactMin", 1001 }, { "kContactMax", 1994 }, { "kPlaylistMin", 2001 },
        { "kWidgetMin", 3000 }, { "kWidgetMax", 3100 } };
    for (auto t : tags)
        EXPECT_EQ(field<std::int32_t>(lv, t.name), t.value) << t.name;
    EXPECT_FLOAT_EQ(field<quartz::Float>(lv, "iconSize"), 60);
    EXPECT_TRUE(field<bool>(lv, "shouldShowTrack"));
    auto state = libraryState();
    EXPECT_EQ(state["initialised"], true);
    EXPECT_EQ(state["lockScreen"], true);
    EXPECT_DOUBLE_EQ(state["systemVersion"].get<double>(), 5.1);
}

TEST_F(LockView, SettingsShapeTheSetUp)
{
    struct Case {
        std::vector<std::pair<std::string, std::string>> settings;
        quartz::Float iconSize;
        bool right, left;
    } cases[] = {
        { {}, 60, false, false },
        { { { "kIconSize", "35" } }, 30, false, false },
        { { { "kRightView", "__NONE__" }, { "kLeftView", "com.qx.contacts" } }, 60, false, true },
    };
    for (auto& c : cases) {
        TearDown();
        root.clear();
        makeRoot();
        for (auto& [k, v] : c.settings)
            setSetting(k, v);
        // Each case needs a fresh process for its device; here only the set-up is compared, so one
        // device per case is booted in a child process.
        ASSERT_EXIT(
            {
                boot();
                Object* lv = lockView();
                bool ok = lv && field<quartz::Float>(lv, "iconSize") == c.iconSize
                    && field<bool>(lv, "isRightViewEnabled") == c.right && field<bool>(lv, "isLeftViewEnabled") == c.left;
                std::exit(ok ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << "iconSize " << c.iconSize;
    }
}

TEST_F(LockView, EnabledOffMakesNoLockView)
{
    makeRoot();
    setSetting("enabled", "false");
    boot();
    EXPECT_EQ(lockView(), nullptr);
    EXPECT_EQ(libraryState()["lockView"], nullptr);
}

TEST_F(LockView, PrepareForUnlockThenRelockEndsInteractive)
{
    boot();
    Object* lv = lockView();
    ASSERT_NE(lv, nullptr);
    runtime::send(lv, Sel("prepareForUnlock"));
    EXPECT_TRUE(field<bool>(lv, "disableInteraction"));
    EXPECT_EQ(libraryState()["unlockInProgress"], true);
    runtime::send(lv, Sel("setDeviceShouldUnlock:"), true);
    runtime::send(lv, Sel("setFolderUnlock:"), true);
    runtime::send(lv, Sel("prepareForRelock"));
    for (const char* name : { "disableInteraction", "folderUnlock", "deviceShouldUnlock" })
        EXPECT_FALSE(field<bool>(lv, name)) << name;
    EXPECT_EQ(libraryState()["unlockInProgress"], false);
    device->wait(0.2);
    auto* thumb = static_cast<uikit::View*>(runtime::send<Object*>(lv, Sel("trackSlider")));
    EXPECT_FLOAT_EQ(thumb->presentedOpacity(), 1.0f); // shown again
}

TEST_F(LockView, UnlockDestroysTheLockViewAndTheNextLockMakesOne)
{
    boot();
    ASSERT_NE(lockView(), nullptr);
    Object* controller = runtime::send<Object*>(runtime::lookUpClass("SBAwayController"), Sel("sharedAwayController"));
    runtime::send(controller, Sel("unlockWithSound:"), false);
    device->wait(2);
    EXPECT_FALSE(device->state().locked);
    EXPECT_EQ(lockView(), nullptr);
    auto state = libraryState();
    EXPECT_EQ(state["initialised"], false);
    EXPECT_EQ(state["lockScreen"], false);
    device->lock();
    device->wait(1);
    ASSERT_NE(lockView(), nullptr);
    int count = 0;
    for (auto& sub : static_cast<uikit::View*>(lockView())->superview()->subviews())
        count += sub->className() == "OmbrelView";
    EXPECT_EQ(count, 1);
}

} // namespace
