// The lock screen as the renderer draws it, on a device booted with the library and drawn from the
// real artwork: the thumb at rest, icons shown by a touch and gone after the release, the theme's
// artwork, the folder row. Points are read from the views' own frames.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Window.h"
#include "sim/render/Renderer.h"
#include "tests/lockview/DeviceFixture.h"

#include <gtest/gtest.h>

using ombrel::sim::Picture;
using quartz::Rect;
using runtime::Object;

namespace {

struct LockScreen : lockviewtest::DeviceFixture {
    // Made before boot, as the command does: views made from artwork take its size.
    ombrel::sim::Renderer renderer { ombrel::sim::defaultArtworkFolder() };

    Picture shot()
    {
        host::DeviceState s = device->state();
        return renderer.render(device->windows(), { float(s.screenWidth), float(s.screenHeight) });
    }
    uikit::View* only(std::int32_t tag)
    {
        auto views = viewsWithTag(tag);
        return views.empty() ? nullptr : views.front();
    }
};

// Where a subview of the lock view is presented, in screen points.
Rect onScreen(uikit::View& view)
{
    Rect frame = view.presentedFrame();
    if (uikit::View* parent = view.superview())
        frame.origin = parent->convertPointTo(frame.origin, nullptr);
    return frame;
}

quartz::Point centre(const Rect& r) { return { quartz::midX(r), quartz::midY(r) }; }

// Pixels (2 per point) whose centres lie inside / outside `r` and differ between the pictures.
struct Difference {
    int inside = 0, outside = 0, area = 0;
};
Difference compare(const Picture& a, const Picture& b, const Rect& r)
{
    Difference d;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            bool in = quartz::rectContainsPoint(r, { (x + 0.5f) / 2, (y + 0.5f) / 2 });
            d.area += in;
            if (a.at(x, y) != b.at(x, y))
                ++(in ? d.inside : d.outside);
        }
    return d;
}

class Profiles : public LockScreen, public ::testing::WithParamInterface<const char*> { };

TEST_P(Profiles, ThumbIsDrawnAtItsRestFrame)
{
    makeRoot(GetParam());
    boot();
    device->wait(0.5);
    uikit::View* thumb = only(400);
    ASSERT_NE(thumb, nullptr);
    Rect rest = onScreen(*thumb);
    nlohmann::json track = libraryState()["lockView"]["trackCenter"];
    EXPECT_FLOAT_EQ(centre(rest).x, track[0].get<float>());
    EXPECT_FLOAT_EQ(centre(rest).y, track[1].get<float>());

    Picture with = shot();
    thumb->setHidden(true); // what lies under it: the wallpaper
    Picture without = shot();
    Difference d = compare(with, without, rest);
    EXPECT_GT(d.inside, d.area / 3);
    EXPECT_EQ(d.outside, 0);
    EXPECT_TRUE(renderer.missingArtwork().empty()) << renderer.missingArtwork().front();
}

INSTANTIATE_TEST_SUITE_P(Render, Profiles, ::testing::Values("iphone4s-5.1.1", "iphone5-6.1"),
    [](const auto& info) { return std::string(info.param).substr(0, 7); });

TEST_F(LockScreen, IconsShowWhileTheThumbIsHeldAndGoAfterTheRelease)
{
    boot();
    device->wait(0.5);
    Picture rest = shot();
    uikit::View* thumb = only(400);
    ASSERT_NE(thumb, nullptr);
    quartz::Point finger = centre(onScreen(*thumb));
    std::vector<uikit::View*> icons { only(1), only(2), only(500) };
    for (uikit::View* icon : icons)
        ASSERT_NE(icon, nullptr);

    device->touchDown(finger.x, finger.y);
    device->wait(0.5);
    Picture held = shot();
    std::vector<Rect> shown;
    for (uikit::View* icon : icons) {
        ASSERT_FALSE(icon->isHidden());
        Rect r = onScreen(*icon);
        shown.push_back(r);
        Difference d = compare(rest, held, r);
        EXPECT_GT(d.inside, d.area / 4) << icon->tag();
    }
    EXPECT_TRUE(renderer.missingArtwork().empty()) << renderer.missingArtwork().front();

    device->touchUp(finger.x, finger.y);
    device->wait(0.3);
    Picture released = shot();
    for (std::size_t i = 0; i < icons.size(); ++i)
        EXPECT_EQ(compare(rest, released, shown[i]).inside, 0) << icons[i]->tag();
}

TEST_F(LockScreen, StockSliderIsDrawnWhenTheTrackIsOff)
{
    makeRoot();
    setSetting("kLockBarDisabled", "false");
    boot();
    device->wait(0.5);
    auto* bar = static_cast<uikit::View*>(runtime::send<Object*>(stockLockView(), runtime::Sel("lockBar")));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->subviews().size(), 2u); // the track, then the knob
    uikit::View& knob = *bar->subviews()[1];
    Rect barRect = onScreen(*bar), knobRect = onScreen(knob);
    Picture with = shot();
    knob.setHidden(true);
    Picture withoutKnob = shot();
    bar->setHidden(true);
    Picture withoutBar = shot();
    Difference k = compare(with, withoutKnob, knobRect);
    EXPECT_GT(k.inside, k.area / 2);
    EXPECT_EQ(k.outside, 0);
    Difference b = compare(withoutKnob, withoutBar, barRect); // the glass and its slot, edge to edge
    EXPECT_GT(b.inside, b.area * 3 / 4);
    EXPECT_EQ(b.outside, 0);
    EXPECT_TRUE(renderer.missingArtwork().empty()) << renderer.missingArtwork().front();
}

TEST_F(LockScreen, TrackThemeChangesTheThumb)
{
    boot();
    device->wait(0.5);
    Rect rest = onScreen(*only(400));
    Picture standard = shot();
    auto relockWith = [&](const char* theme) {
        setSetting("kTrackTheme", theme);
        Object* controller = runtime::send<Object*>(runtime::lookUpClass("SBAwayController"), runtime::Sel("sharedAwayController"));
        runtime::send(controller, runtime::Sel("unlockWithSound:"), false);
        device->wait(2);
        device->lock();
        device->wait(1);
        return shot();
    };
    Picture black = relockWith("_black");
    ASSERT_NE(only(400), nullptr);
    ASSERT_EQ(onScreen(*only(400)), rest);
    Difference d = compare(standard, black, rest);
    EXPECT_GT(d.inside, d.area / 10);
    EXPECT_EQ(d.outside, 0);
    // Back to the standard theme, the same pixels again: the theme made the difference.
    EXPECT_EQ(compare(standard, relockWith("_default"), rest).inside, 0);
}

TEST_F(LockScreen, FolderRowAppearsWhenOpen)
{
    makeRoot("iphone5-6.1");
    setSetting("kApp3", "com.apple.mobilesafari");
    setSetting("kApp4", "com.apple.mobilephone");
    boot();
    device->wait(0.5);
    quartz::Point finger = centre(onScreen(*only(400)));
    device->touchDown(finger.x, finger.y);
    device->wait(0.5);
    Picture closed = shot();
    uikit::View* folder = only(4);
    ASSERT_NE(folder, nullptr);
    quartz::Point onto = centre(onScreen(*folder));
    device->touchMove(onto.x, onto.y);
    device->wait(0.6);
    ASSERT_EQ(libraryState()["lockView"]["isFolderOpen"], true);
    Picture open = shot();
    std::vector<uikit::View*> row = viewsWithTag(600);
    ASSERT_FALSE(row.empty());
    for (uikit::View* app : row) {
        Difference d = compare(closed, open, onScreen(*app));
        EXPECT_GT(d.inside, d.area / 4) << onScreen(*app).origin.y;
    }
}

} // namespace
