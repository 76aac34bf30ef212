// Dragging the thumb over the icons: the strict hit test, the selection with its zooms and the
// track hidden meanwhile, and the folder row rising, staying and sinking.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "tests/lockview/DeviceFixture.h"
#include <cmath>

using namespace lockviewtest;
using foundation::Value;
using quartz::Float;
using quartz::Point;
using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

constexpr std::int32_t kCam = 1, kUnlock = 2, kFolder = 4, kTrack = 400, kLockApp = 500, kFolderApp = 600;

// Default settings on the 3.5-inch screen: the row holds App Store, Messages, Mail and the folder
// (Settings, Music, Calculator); the thumb rests at (160, 402.5).
struct Selection : DeviceFixture {
    void SetUp() override
    {
        boot();
        device->wait(0.5);
    }
    std::int32_t selectedTag() { return runtime::send<std::int32_t>(lockView(), Sel("selectedTag")); }
    Object* selected() { return runtime::send<Object*>(lockView(), Sel("currentlySelectedIcon")); }
    bool folderOpen() { return runtime::send<bool>(lockView(), Sel("isFolderOpen")); }
    uikit::View* popupView() { return static_cast<uikit::View*>(runtime::send<Object*>(lockView(), Sel("popupView"))); }
    std::vector<std::string> keys(uikit::View* v) { return v->layer()->animationKeys(); }
    bool hasKey(uikit::View* v, const std::string& key)
    {
        auto k = keys(v);
        return std::find(k.begin(), k.end(), key) != k.end();
    }
    uikit::View* track() { return viewsWithTag(kTrack).at(0); }
    void grabThumb() { device->touchDown(160, 402); }
    void moveTo(Point p) { device->touchMove(p.x, p.y); }
};

TEST_F(Selection, EdgesMissAndTheInsideHits)
{
    uikit::View* sms = viewsWithTag(kLockApp).at(1);
    Rect f = sms->frame(); // the scaled frame, as the platform reports it
    Float left = std::trunc(f.origin.x), top = std::trunc(f.origin.y);
    Float right = std::trunc(left + f.size.width), bottom = std::trunc(top + f.size.height);
    Float midX = left + (right - left) / 2, midY = top + (bottom - top) / 2;
    struct Case {
        Point p;
        bool hit;
    } cases[] = {
        { { left, midY }, false }, { { left + 0.5f, midY }, true }, { { right, midY }, false },
        { { right - 0.5f, midY }, true }, { { midX, top }, false }, { { midX, top + 0.9f }, false }, // y is truncated
        { { midX, top + 1 }, true }, { { midX, bottom }, false }, { { midX, bottom - 1 }, true },
    };
    for (auto c : cases) {
        runtime::send(lockView(), Sel("iconAtPoint:"), c.p);
        EXPECT_EQ(selected() == sms, c.hit) << c.p.x << "," << c.p.y;
        runtime::send(lockView(), Sel("deselectIcon"));
    }
}

TEST_F(Selection, SelectedIconZoomsOthersPulseTrackHides)
{
    std::vector<uikit::View*> apps = viewsWithTag(kLockApp);
    grabThumb();
    moveTo(apps[1]->center());
    EXPECT_EQ(selectedTag(), kLockApp);
    EXPECT_EQ(selected(), apps[1]);
    EXPECT_TRUE(hasKey(apps[1], "iconZoomIn"));
    for (uikit::View* other : { apps[0], apps[2], viewsWithTag(kFolder)[0], viewsWithTag(kCam)[0], viewsWithTag(kUnlock)[0] })
        EXPECT_TRUE(hasKey(other, "iconZoomOut"));
    EXPECT_TRUE(hasKey(track(), "fadeOutTrack"));
    // Held at the end: the selected icon stays enlarged by 15 %.
    device->wait(0.3);
    EXPECT_NEAR(apps[1]->presentedTransform().m11, apps[1]->transform().m11 * 1.15f, 1e-4);
    EXPECT_NEAR(apps[0]->presentedTransform().m11, apps[0]->transform().m11 * 0.9f, 1e-4);

    // Straight onto the neighbour: one update with nothing selected (the track shows for it), then
    // the neighbour.
    moveTo(apps[0]->center());
    EXPECT_EQ(selectedTag(), 0);
    EXPECT_EQ(selected(), nullptr);
    EXPECT_TRUE(hasKey(apps[1], "iconNormalizeZoomed"));
    EXPECT_TRUE(hasKey(apps[0], "normalizeIcon"));
    EXPECT_TRUE(hasKey(track(), "fadeInTrack"));
    moveTo(apps[0]->center());
    EXPECT_EQ(selected(), apps[0]);

    // Off every icon: nothing selected; a release then chooses nothing and the device stays locked.
    moveTo({ 160, 150 });
    EXPECT_EQ(selectedTag(), 0);
    device->touchUp(160, 150);
    device->wait(1);
    EXPECT_TRUE(device->state().locked);
}

TEST_F(Selection, WithoutPulseOnlyTheSelectedIconChanges)
{
    Value settings = runtime::send<Value>(lockView(), Sel("ombrelSettings"));
    settings.set("kPulseIcons", Value::boolean(false));
    runtime::send(lockView(), Sel("setOmbrelSettings:"), settings);
    std::vector<uikit::View*> apps = viewsWithTag(kLockApp);
    grabThumb();
    moveTo(apps[2]->center());
    EXPECT_TRUE(hasKey(apps[2], "iconZoomIn"));
    EXPECT_FALSE(hasKey(apps[0], "iconZoomOut"));
    EXPECT_FALSE(hasKey(viewsWithTag(kCam)[0], "iconZoomOut"));
}

TEST_F(Selection, FolderRisesLaunchesAndSinks)
{
    uikit::View* folder = viewsWithTag(kFolder).at(0);
    Point p = folder->center();
    grabThumb();
    moveTo(p);
    ASSERT_TRUE(folderOpen());
    std::vector<uikit::View*> apps = viewsWithTag(kFolderApp);
    ASSERT_EQ(apps.size(), 3u);
    // Inserted directly below the folder icon, in slot order.
    auto& subs = lockViewAsView()->subviews();
    auto at = [&](uikit::View* v) { return std::find_if(subs.begin(), subs.end(), [&](auto& s) { return s.get() == v; }) - subs.begin(); };
    EXPECT_EQ(at(apps[0]) + 1, at(apps[1]));
    EXPECT_EQ(at(apps[2]) + 1, at(folder));
    // The column: right half, so shifted 10 points left; from 20 + 35 - 30 below the top to the
    // folder's foot. A = trunc(trunc(p.y) - 35 - 20), S = 60, step = S + min(10, (A - 180) / 4).
    Float a = std::trunc(std::trunc(p.y) - 55);
    EXPECT_EQ(popupView()->frame(), quartz::makeRect(std::trunc(p.x - 60), std::trunc(std::trunc(p.y) + 30 - (a + 60)), 100, a + 60));
    Float step = 60 + std::min(Float(10), (a - 180) / 4);
    device->wait(0.3);
    for (std::size_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(apps[k - 1]->center().y, std::trunc(p.y - Float(k) * step)) << k;
        EXPECT_EQ(apps[k - 1]->presentedFrame(), apps[k - 1]->frame()) << k;
        EXPECT_TRUE(runtime::send<bool>(apps[k - 1], Sel("isLabelHidden")));
    }
    // Up onto the first folder application: the folder is let go for one update, then it is chosen.
    moveTo(apps[0]->center());
    moveTo(apps[0]->center());
    EXPECT_EQ(selectedTag(), kFolderApp);
    EXPECT_TRUE(folderOpen());
    // The other folder applications keep their size although the icons pulse.
    EXPECT_FALSE(hasKey(apps[1], "iconZoomOut"));
    EXPECT_TRUE(hasKey(folder, "iconZoomOut"));
    device->touchUp(apps[0]->center().x, apps[0]->center().y);
    EXPECT_FALSE(folderOpen());
    EXPECT_EQ(popupView(), nullptr);
    device->wait(1);
    EXPECT_FALSE(device->state().locked);
    ASSERT_TRUE(device->state().frontApplication);
    EXPECT_EQ(*device->state().frontApplication, "com.apple.Preferences");
}

TEST_F(Selection, LeavingTheColumnLowersTheFolder)
{
    uikit::View* folder = viewsWithTag(kFolder).at(0);
    grabThumb();
    moveTo(folder->center());
    ASSERT_TRUE(folderOpen());
    Rect column = popupView()->frame();
    // On the border: still open; one point outside: closed.
    moveTo({ column.origin.x, 200 });
    EXPECT_TRUE(folderOpen());
    moveTo({ column.origin.x - 1, 200 });
    EXPECT_FALSE(folderOpen());
    EXPECT_EQ(popupView(), nullptr);
    EXPECT_EQ(viewsWithTag(kFolderApp).size(), 3u); // sinking
    device->wait(0.3);
    EXPECT_TRUE(viewsWithTag(kFolderApp).empty());
    EXPECT_TRUE(hasKey(track(), "fadeInTrack"));
    device->touchUp(column.origin.x - 1, 200);
    device->wait(1);
    EXPECT_TRUE(device->state().locked);
}

TEST_F(Selection, FolderColumnGeometry)
{
    // Four folder applications, the curve on, opened directly at chosen points.
    Value settings = runtime::send<Value>(lockView(), Sel("ombrelSettings"));
    settings.set("folderAppsCurve", Value::boolean(true));
    runtime::send(lockView(), Sel("setOmbrelSettings:"), settings);
    Value popups = Value::dictionary();
    for (int j = 0; j < 4; ++j)
        popups.set("kPopupApp" + std::to_string(j), Value::string("com.apple.calculator"));
    runtime::send(lockView(), Sel("setSetPopupApps:"), popups);
    runtime::send(lockView(), Sel("setCurrentlySelectedIcon:"), viewsWithTag(kFolder).at(0));

    runtime::send(lockView(), Sel("showFolderAppsAtPoint:"), Point { 60, 298 });
    EXPECT_EQ(popupView()->frame().origin.x, 20); // left half: 10 points toward the middle
    EXPECT_EQ(popupView()->frame().size.width, 100);
    device->wait(0.3);
    std::vector<uikit::View*> apps = viewsWithTag(kFolderApp);
    ASSERT_EQ(apps.size(), 4u);
    std::vector<Float> xs;
    for (uikit::View* v : apps)
        xs.push_back(v->center().x);
    EXPECT_EQ(xs, (std::vector<Float> { 68, 74, 76, 76 }));

    // Exactly at the middle counts as the right half.
    runtime::send(lockView(), Sel("popupAtPoint:"), Point { 0, 0 });
    EXPECT_FALSE(folderOpen());
    runtime::send(lockView(), Sel("showFolderAppsAtPoint:"), Point { 160, 298 });
    EXPECT_EQ(popupView()->frame().origin.x, 100);
}

} // namespace
