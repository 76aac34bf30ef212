// The lock buttons and the icon row: layout arithmetic, creation order and tags, and the looks the
// settings choose (badges, titles, the folder's artwork).
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/ImageView.h"
#include "tests/lockview/DeviceFixture.h"
#include <algorithm>

using namespace lockviewtest;
using foundation::Value;
using quartz::Float;
using quartz::Point;
using runtime::Object;
using runtime::Sel;

namespace {

constexpr std::int32_t kCam = 1, kUnlock = 2, kFolder = 4, kTrack = 400, kLockApp = 500;

struct IconRow : DeviceFixture {
    // Takes the icons away and builds them again from these slots and settings.
    void rebuild(const std::vector<std::string>& slots, const std::map<std::string, Value>& changes)
    {
        uikit::View* view = lockViewAsView();
        for (auto& sub : std::vector(view->subviews()))
            if (sub->tag() != kTrack)
                sub->removeFromSuperview();
        Value settings = runtime::send<Value>(view, Sel("ombrelSettings"));
        for (const auto& [k, v] : changes)
            settings.set(k, v);
        Value apps = Value::dictionary();
        for (std::size_t i = 0; i < slots.size(); ++i)
            apps.set("kApp" + std::to_string(i), Value::string(slots[i]));
        runtime::send(view, Sel("setOmbrelSettings:"), settings);
        runtime::send(view, Sel("setSetApps:"), apps);
        runtime::send(view, Sel("createIcons"));
    }
    uikit::View* track() { return viewsWithTag(kTrack).at(0); }
};

Object* badgeOf(uikit::View* iconView, double version)
{
    return runtime::ivarObject(iconView, version < 6.0 ? "_badgeView" : "_accessoryView");
}

TEST_F(IconRow, LayoutOnA320PointView)
{
    // iconSize 60 (kIconSize 70); the thumb's middle is at 402.5 on this screen, so the row's y is
    // trunc(402.5 - 35 - 60 - 50) = 257.
    const std::string app = "com.apple.MobileSMS";
    struct Case {
        std::size_t n;
        bool curve;
        std::vector<Float> x, offset;
    } cases[] = {
        { 5, true, { 3, 66, 130, 193, 256 }, { 10, 0, -5, 0, 10 } },
        { 5, false, { 3, 66, 130, 193, 256 }, { 0, 0, 0, 0, 0 } },
        { 4, true, { 16, 92, 168, 244 }, { 10, 0, 0, 10 } },
        { 3, true, { 35, 130, 225 }, { 10, -5, 10 } },
        { 2, true, { 66, 193 }, { 10, 10 } },
        { 1, true, { 130 }, { 10 } },
        { 0, true, {}, {} },
    };
    boot();
    for (const Case& c : cases) {
        rebuild(std::vector<std::string>(c.n, app), { { "kIconsShouldCurve", Value::boolean(c.curve) } });
        std::vector<uikit::View*> icons = viewsWithTag(kLockApp);
        ASSERT_EQ(icons.size(), c.n);
        for (std::size_t i = 0; i < c.n; ++i) {
            uikit::View* icon = icons[i];
            quartz::Size size = icon->bounds().size;
            Point expected { c.x[i] + size.width / 2, 257 + c.offset[i] + size.height / 2 };
            EXPECT_EQ(icon->center(), expected) << c.n << " icons, icon " << i;
            Float s = (60 + 11) / size.height;
            EXPECT_EQ(icon->transform(), quartz::Transform3DMakeScale(s, s, 1)) << c.n << " icons, icon " << i;
            EXPECT_TRUE(icon->isHidden());
            EXPECT_FLOAT_EQ(icon->alpha(), 1);
        }
        // The two lock buttons level with the thumb, always.
        ASSERT_EQ(viewsWithTag(kCam).size(), 1u);
        ASSERT_EQ(viewsWithTag(kUnlock).size(), 1u);
    }
}

TEST_F(IconRow, ButtonsAboveTheTrackAndIconsBelowItInSlotOrder)
{
    boot();
    rebuild({ "com.apple.MobileSMS", "folder", "com.apple.mobilemail" }, { { "kLockButtonsAlpha", Value::real(0.5) } });
    std::vector<std::int32_t> tags;
    for (auto& sub : lockViewAsView()->subviews())
        tags.push_back(sub->tag());
    EXPECT_EQ(tags, (std::vector<std::int32_t> { kLockApp, kFolder, kLockApp, kTrack, kCam, kUnlock }));
    auto* cam = static_cast<uikit::ImageView*>(viewsWithTag(kCam)[0]);
    auto* unlock = static_cast<uikit::ImageView*>(viewsWithTag(kUnlock)[0]);
    EXPECT_EQ(cam->frame(), quartz::makeRect(10, 367.5, 70, 70));
    EXPECT_EQ(unlock->frame(), quartz::makeRect(240, 367.5, 70, 70));
    EXPECT_EQ(cam->image()->name(), "icon_cam_default");
    EXPECT_EQ(unlock->image()->name(), "icon_unlock_default");
    for (uikit::View* b : { static_cast<uikit::View*>(cam), static_cast<uikit::View*>(unlock) }) {
        EXPECT_TRUE(b->isHidden());
        EXPECT_FLOAT_EQ(b->alpha(), 0.5);
    }
    // Another theme selects another family of artwork.
    rebuild({}, { { "kTrackTheme", Value::string("_red") } });
    EXPECT_EQ(static_cast<uikit::ImageView*>(viewsWithTag(kCam)[0])->image()->name(), "icon_cam_red");
}

TEST_F(IconRow, BadgesTitlesAndTheFolderLookOnBothSystems)
{
    for (const char* profile : { "iphone4s-5.1.1", "iphone5-6.1" }) {
        ASSERT_EXIT(
            {
                makeRoot(profile);
                boot();
                double version = std::string(profile) == "iphone5-6.1" ? 6.1 : 5.1;
                std::string failures;
                auto check = [&](bool ok, const char* what) {
                    if (!ok)
                        failures += std::string(what) + "\n";
                };
                // Defaults: App Store (badge 3), Messages (2), Mail (14), then the folder of
                // Settings, Music and Calculator; badges on, titles off, custom folder artwork.
                std::vector<uikit::View*> apps = viewsWithTag(kLockApp);
                check(apps.size() == 3, "three row applications");
                for (uikit::View* app : apps) {
                    auto* badge = static_cast<uikit::View*>(badgeOf(app, version));
                    check(badge && !badge->isHidden(), "badge shown");
                    check(runtime::send<bool>(app, Sel("isLabelHidden")), "label hidden");
                }
                uikit::View* folder = viewsWithTag(kFolder).at(0);
                auto* background = static_cast<uikit::ImageView*>(runtime::ivarObject(folder, "_iconBackgroundView"));
                auto* foreground = static_cast<uikit::ImageView*>(runtime::ivarObject(folder, "_iconForegroundView"));
                check(background && background->image() && background->image()->name() == "folder_sq", "folder_sq");
                check(foreground && !foreground->image(), "no miniatures");
                auto* folderBadge = static_cast<uikit::View*>(badgeOf(folder, version));
                check(!folderBadge || folderBadge->isHidden(), "folder badge hidden");

                // Badges off, titles on, the stock folder.
                rebuild({ "com.apple.AppStore", "folder" },
                    { { "kIconBadgesEnabled", Value::boolean(false) }, { "kIconTitlesEnabled", Value::boolean(true) },
                        { "kFolderStock", Value::boolean(true) } });
                uikit::View* app = viewsWithTag(kLockApp).at(0);
                auto* badge = static_cast<uikit::View*>(badgeOf(app, version));
                check(badge && badge->isHidden(), "badge hidden when badges are off");
                check(!runtime::send<bool>(app, Sel("isLabelHidden")), "label shown with titles");
                folder = viewsWithTag(kFolder).at(0);
                foreground = static_cast<uikit::ImageView*>(runtime::ivarObject(folder, "_iconForegroundView"));
                check(foreground && foreground->image()
                        && foreground->image()->parts()
                            == std::vector<std::string> { "AppIcon-com.apple.Preferences", "AppIcon-com.apple.mobileipod",
                                "AppIcon-com.apple.calculator" },
                    "stock miniatures in slot order");
                Object* folderIcon = runtime::send<Object*>(folder, Sel("folderIcon"));
                check(runtime::send<std::string>(folderIcon, Sel("displayName")) == "Folder", "folder named with titles on");
                std::fputs(failures.c_str(), stderr);
                std::exit(failures.empty() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << profile;
    }
}

TEST_F(IconRow, UnknownApplicationsAndAbsurdSizesStillLayOut)
{
    boot();
    rebuild({ "com.example.not-installed", "com.apple.MobileSMS" }, {});
    std::vector<uikit::View*> icons = viewsWithTag(kLockApp);
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(runtime::send<Object*>(icons[0], Sel("icon")), nullptr);
    EXPECT_NE(runtime::send<Object*>(icons[1], Sel("icon")), nullptr);
}

TEST_F(IconRow, AbsurdIconSizesStillGiveAWorkingLockView)
{
    // The icon size is read at the lock view's set-up; zero, negative and huge sizes give odd
    // geometry but a lock view that still takes a drag and a release.
    for (const char* size : { "0", "-70", "1e30" }) {
        ASSERT_EXIT(
            {
                makeRoot();
                setSetting("kIconSize", size);
                boot();
                bool ok = viewsWithTag(kLockApp).size() == 3 && viewsWithTag(kFolder).size() == 1;
                device->touchDown(160, 402);
                device->touchMove(100, 300);
                device->touchUp(100, 300);
                device->wait(1);
                std::exit(ok && lockView() && device->state().locked ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << size;
    }
}

} // namespace
