// The unlock track: the thumb's rest frame on both screens, its fades, the confinement of a
// dragged point, and the stock slider bar in charge when the track is off.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/ImageView.h"
#include "tests/lockview/DeviceFixture.h"

using namespace lockviewtest;
using quartz::Point;
using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

struct Track : DeviceFixture {
    uikit::ImageView* thumb()
    {
        return static_cast<uikit::ImageView*>(runtime::send<Object*>(lockView(), Sel("trackSlider")));
    }
};

TEST_F(Track, RestFrameOnBothScreens)
{
    struct Case {
        const char* profile;
        const char* trackSize;
        Rect frame;
    } cases[] = {
        { "iphone4s-5.1.1", nullptr, quartz::makeRect(122.5, 365, 75, 75) },
        { "iphone5-6.1", nullptr, quartz::makeRect(122.5, 453, 75, 75) },
        { "iphone4s-5.1.1", "100", quartz::makeRect(110, 340, 100, 100) },
    };
    for (auto& c : cases) {
        ASSERT_EXIT(
            {
                makeRoot(c.profile);
                if (c.trackSize)
                    setSetting("kTrackSize", c.trackSize);
                boot();
                uikit::ImageView* t = thumb();
                std::exit(t && t->frame() == c.frame && t->tag() == 400 ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << c.profile << " " << (c.trackSize ? c.trackSize : "default");
    }
}

TEST_F(Track, FadesInAtLockAndKeepsItsOwnAlphaAtZero)
{
    boot();
    uikit::ImageView* t = thumb();
    ASSERT_NE(t, nullptr);
    ASSERT_NE(t->image(), nullptr);
    EXPECT_EQ(t->image()->name(), "track_default");
    EXPECT_FLOAT_EQ(t->alpha(), 0);
    device->wait(0.15);
    EXPECT_FLOAT_EQ(t->presentedOpacity(), 1);
    EXPECT_FLOAT_EQ(t->alpha(), 0);
    EXPECT_EQ(t->layer()->animationKeys(), std::vector<std::string> { "fadeInTrack" });
}

TEST_F(Track, PointsAreConfinedToTheTravel)
{
    boot();
    struct Case {
        Point in, out;
    } cases[] = {
        { { 160, 450 }, { 160, 402.5 } }, // below the rest line: the rest line
        { { 0, 300 }, { 27.5, 300 } },    // q + sm = 70 * 0.25 + 10
        { { 320, 402.5 }, { 292.5, 402.5 } },
        { { 100, 0 }, { 100, 0 } },       // up freely
        { { 27.5, 402.5 }, { 27.5, 402.5 } },
    };
    for (auto c : cases) {
        Point p = runtime::send<Point>(lockView(), Sel("trackPoint:"), c.in);
        EXPECT_EQ(p, c.out) << c.in.x << "," << c.in.y;
    }
}

TEST_F(Track, ShowTrackDoesNothingWhileTheTrackMayNotShow)
{
    boot();
    device->wait(0.2);
    runtime::send(lockView(), Sel("hideTrack"));
    device->wait(0.2);
    EXPECT_FLOAT_EQ(thumb()->presentedOpacity(), 0);
    runtime::send(lockView(), Sel("setShouldShowTrack:"), false);
    runtime::send(lockView(), Sel("showTrack"));
    device->wait(0.2);
    EXPECT_FLOAT_EQ(thumb()->presentedOpacity(), 0);
}

TEST_F(Track, StockSliderStaysInChargeWhenTheTrackIsOff)
{
    makeRoot();
    setSetting("kLockBarDisabled", "false");
    boot();
    device->wait(0.2);
    EXPECT_TRUE(thumb()->isHidden());
    Object* bar = runtime::send<Object*>(stockLockView(), Sel("lockBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(runtime::send<bool>(bar, Sel("isHidden")));
    EXPECT_NE(runtime::send<Object*>(bar, Sel("superview")), nullptr);
}

TEST_F(Track, TheStockSliderGoesWhenTheTrackReplacesIt)
{
    boot();
    Object* bar = runtime::send<Object*>(stockLockView(), Sel("lockBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(runtime::send<bool>(bar, Sel("isHidden")));
    EXPECT_EQ(runtime::send<Object*>(bar, Sel("superview")), nullptr);
}

} // namespace
