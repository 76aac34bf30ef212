// Touch routing through the host, as a finger would: touches in the track zone drive the thumb,
// others are swallowed; releases return the thumb to rest.
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

using Strings = std::vector<std::string>;

struct Touches : DeviceFixture {
    void SetUp() override
    {
        boot();
        device->wait(0.5);
    }
    bool tracking() { return *runtime::ivarAddress<bool>(lockView(), "isTracking"); }
    uikit::ImageView* thumb()
    {
        return static_cast<uikit::ImageView*>(runtime::send<Object*>(lockView(), Sel("trackSlider")));
    }
};

TEST_F(Touches, TouchAboveTheTrackZoneIsSwallowed)
{
    std::size_t from = eventCount();
    device->touchDown(160, 300);
    EXPECT_EQ(eventsSince(from), Strings { "notificationPosted ombrelTouchesBegan" });
    EXPECT_FALSE(tracking());
    device->touchUp(160, 300);
    device->wait(0.5);
    EXPECT_TRUE(device->state().locked);
}

TEST_F(Touches, TrackZoneBordersAreInclusive)
{
    struct Case {
        Point p;
        bool tracks;
    } cases[] = {
        // The screen ends at y = 480 (exclusive), so the zone reaches the bottom row of points.
        { { 80, 315 }, true }, { { 240, 479.5 }, true }, { { 160, 420 }, true },
        { { 79, 400 }, false }, { { 241, 400 }, false }, { { 160, 314 }, false },
    };
    for (auto c : cases) {
        device->touchDown(c.p.x, c.p.y);
        EXPECT_EQ(tracking(), c.tracks) << c.p.x << "," << c.p.y;
        device->touchCancel(c.p.x, c.p.y);
        EXPECT_FALSE(tracking());
        device->wait(0.5);
    }
}

TEST_F(Touches, DragMovesTheThumbAlongItsTravelAndReleaseReturnsIt)
{
    std::size_t from = eventCount();
    device->touchDown(160, 420);
    EXPECT_TRUE(tracking());
    EXPECT_EQ(thumb()->image()->name(), "track_thumb_default");
    device->wait(0.2);
    EXPECT_EQ(thumb()->presentedFrame(), quartz::makeRect(122.5, 365, 75, 75)); // its rest line
    device->touchMove(100, 300);
    EXPECT_EQ(thumb()->center(), (Point { 100, 300 }));
    device->touchMove(2, 500);
    EXPECT_EQ(thumb()->center(), (Point { 27.5, 402.5 }));
    device->touchUp(2, 500);
    EXPECT_FALSE(tracking());
    EXPECT_EQ(thumb()->image()->name(), "track_default");
    device->wait(0.25);
    EXPECT_EQ(thumb()->presentedFrame(), quartz::makeRect(122.5, 365, 75, 75));
    EXPECT_TRUE(device->state().locked); // nothing selected: no unlock
    Strings events = eventsSince(from);
    auto has = [&](const std::string& e) { return std::find(events.begin(), events.end(), e) != events.end(); };
    EXPECT_TRUE(has("dimTimerCancelled"));
    EXPECT_TRUE(has("dimTimerRestarted"));
    EXPECT_TRUE(has("notificationPosted ombrelTouchesEnded"));
    EXPECT_FALSE(has("unlockRequested"));
}

TEST_F(Touches, CancelEndsTheDrag)
{
    device->touchDown(160, 420);
    device->touchMove(200, 350);
    device->touchCancel(200, 350);
    EXPECT_FALSE(tracking());
    device->wait(0.25);
    EXPECT_EQ(thumb()->presentedFrame(), quartz::makeRect(122.5, 365, 75, 75));
}

TEST_F(Touches, NoInteractionWhileUnlocking)
{
    runtime::send(lockView(), Sel("prepareForUnlock"));
    device->touchDown(160, 420);
    EXPECT_FALSE(tracking());
    device->touchUp(160, 420);
}

} // namespace
