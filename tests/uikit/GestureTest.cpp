// Gesture recognisers see the touches of their view first, send their actions through the
// runtime, and take the touch away from the view once they recognise.
#include "platform/uikit/Application.h"
#include "platform/uikit/GestureRecognizer.h"
#include "platform/uikit/RunLoop.h"
#include "platform/uikit/Window.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace uikit;
using runtime::Ref;
using quartz::makeRect;
using runtime::Object;
using runtime::Sel;

namespace {

std::vector<std::string> g_log;

void action(Object*, Sel cmd, Object* recognizer)
{
    g_log.push_back(cmd.name() + std::to_string(static_cast<GestureRecognizer*>(recognizer)->state() == GestureState::Ended ? 3 : static_cast<int>(static_cast<GestureRecognizer*>(recognizer)->state())));
}
void viewTouch(Object*, Sel cmd, Object*, Object*) { g_log.push_back(cmd.name().substr(0, cmd.name().find(':'))); }

struct GestureTest : ::testing::Test {
    void SetUp() override
    {
        g_log.clear();
        runtime::ClassBuilder("GestureTarget", "NSObject")
            .instancesOf<Object>()
            .method("tap:", &action)
            .method("hold:", &action)
            .method("swipe:", &action)
            .registerClass();
        runtime::ClassBuilder("GestureView", "UIView")
            .instancesOf<View>()
            .method("touchesBegan:withEvent:", &viewTouch)
            .method("touchesMoved:withEvent:", &viewTouch)
            .method("touchesEnded:withEvent:", &viewTouch)
            .method("touchesCancelled:withEvent:", &viewTouch)
            .registerClass();
        target = runtime::alloc(runtime::lookUpClass("GestureTarget"));
        window = Window::make(makeRect(0, 0, 320, 480));
        view = View::make("GestureView", makeRect(0, 0, 320, 480));
        window->addSubview(view);
        window->makeKeyAndVisible();
    }
    void TearDown() override { window->setHidden(true); }
    Ref<GestureRecognizer> attach(const char* cls, const char* sel)
    {
        auto g = GestureRecognizer::make(cls, target, Sel(sel));
        view->addGestureRecognizer(g);
        return g;
    }
    void touch(TouchPhase phase, Point p) { Application::shared().sendTouch(phase, p); }
    void wait(double s) { RunLoop::main().advanceBy(s); }

    Ref<Object> target;
    Ref<Window> window;
    Ref<View> view;
};

TEST_F(GestureTest, TapRecognisesOnLiftAndCancelsTheViewsTouch)
{
    attach("UITapGestureRecognizer", "tap:");
    touch(TouchPhase::Began, { 50, 50 });
    touch(TouchPhase::Ended, { 52, 51 });
    EXPECT_EQ(g_log, (std::vector<std::string> { "touchesBegan", "touchesCancelled", "tap:3" }));
}

TEST_F(GestureTest, DoubleTapNeedsTheSecondTapInTime)
{
    auto g = attach("UITapGestureRecognizer", "tap:");
    runtime::send<void>(g.get(), Sel("setNumberOfTapsRequired:"), std::uint32_t { 2 });
    touch(TouchPhase::Began, { 50, 50 });
    touch(TouchPhase::Ended, { 50, 50 });
    wait(0.5); // too late for a second tap
    touch(TouchPhase::Began, { 50, 50 });
    touch(TouchPhase::Ended, { 50, 50 });
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "tap:3"), 0);
    wait(0.1);
    touch(TouchPhase::Began, { 50, 50 });
    touch(TouchPhase::Ended, { 50, 50 });
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "tap:3"), 1);
}

TEST_F(GestureTest, MovedTapIsNoTap)
{
    attach("UITapGestureRecognizer", "tap:");
    touch(TouchPhase::Began, { 50, 50 });
    touch(TouchPhase::Moved, { 80, 50 });
    touch(TouchPhase::Ended, { 80, 50 });
    EXPECT_EQ(g_log, (std::vector<std::string> { "touchesBegan", "touchesMoved", "touchesEnded" }));
}

TEST_F(GestureTest, LongPressBeginsFromTheRunLoopTimer)
{
    attach("UILongPressGestureRecognizer", "hold:");
    touch(TouchPhase::Began, { 50, 50 });
    wait(0.49);
    EXPECT_EQ(g_log, std::vector<std::string> { "touchesBegan" });
    wait(0.02);
    EXPECT_EQ(g_log, (std::vector<std::string> { "touchesBegan", "touchesCancelled", "hold:1" }));
    touch(TouchPhase::Moved, { 52, 50 });
    touch(TouchPhase::Ended, { 52, 50 });
    EXPECT_EQ(g_log, (std::vector<std::string> { "touchesBegan", "touchesCancelled", "hold:1", "hold:2", "hold:3" }));

    g_log.clear();
    touch(TouchPhase::Began, { 50, 50 });
    touch(TouchPhase::Moved, { 50, 80 }); // moved away before the time: no press
    wait(1);
    touch(TouchPhase::Ended, { 50, 80 });
    EXPECT_EQ(g_log, (std::vector<std::string> { "touchesBegan", "touchesMoved", "touchesEnded" }));
}

struct SwipeCase {
    std::uint32_t direction;
    Point to;
    bool recognised;
};

TEST_F(GestureTest, SwipesFollowTheirDirection)
{
    auto g = attach("UISwipeGestureRecognizer", "swipe:");
    const SwipeCase cases[] = {
        { UISwipeGestureRecognizerDirectionRight, { 230, 210 }, true },
        { UISwipeGestureRecognizerDirectionRight, { 100, 200 }, false },
        { UISwipeGestureRecognizerDirectionLeft, { 100, 200 }, true },
        { UISwipeGestureRecognizerDirectionUp, { 160, 120 }, true },
        { UISwipeGestureRecognizerDirectionDown, { 160, 280 }, true },
        { UISwipeGestureRecognizerDirectionDown, { 240, 280 }, false }, // diagonal
        { UISwipeGestureRecognizerDirectionRight, { 190, 200 }, false }, // too short
    };
    for (const SwipeCase& c : cases) {
        g_log.clear();
        runtime::send<void>(g.get(), Sel("setDirection:"), c.direction);
        touch(TouchPhase::Began, { 160, 200 });
        touch(TouchPhase::Moved, c.to);
        touch(TouchPhase::Ended, c.to);
        EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "swipe:3"), c.recognised ? 1 : 0) << c.direction << " to " << c.to.x << "," << c.to.y;
    }
}

} // namespace
