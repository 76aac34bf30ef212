// Touch delivery: a subclass's (or a hook's) replaced touch methods receive the touches through
// the runtime; the view that took "began" keeps the touch; unhandled touches climb to the superview.
#include "platform/uikit/Application.h"
#include "platform/uikit/Touch.h"
#include "platform/uikit/Window.h"
#include "platform/runtime/Runtime.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace uikit;
using runtime::Ref;
using quartz::makeRect;
using runtime::Object;
using runtime::Sel;

namespace {

std::vector<std::string> g_seen;

void record(Object* self, Sel cmd, Object* touches, Object* event)
{
    auto* set = static_cast<TouchSet*>(touches);
    Touch* t = set->anyObject();
    Point local = t->locationInView(static_cast<View*>(self));
    EXPECT_EQ(static_cast<Event*>(event)->allTouches(), set);
    g_seen.push_back(static_cast<View*>(self)->className() + " " + cmd.name().substr(7, cmd.name().find(':') - 7) + " "
        + std::to_string(static_cast<int>(local.x)) + "," + std::to_string(static_cast<int>(local.y)));
}

struct TouchTest : ::testing::Test {
    void SetUp() override
    {
        g_seen.clear();
        runtime::ClassBuilder("TestTouchView", "UIView")
            .instancesOf<View>()
            .method("touchesBegan:withEvent:", &record)
            .method("touchesMoved:withEvent:", &record)
            .method("touchesEnded:withEvent:", &record)
            .method("touchesCancelled:withEvent:", &record)
            .registerClass();
        window = Window::make(makeRect(0, 0, 320, 480));
        handler = View::make("TestTouchView", makeRect(0, 0, 320, 480));
        child = View::make(makeRect(100, 100, 50, 50)); // a plain view: its touches climb
        window->addSubview(handler);
        handler->addSubview(child);
        window->makeKeyAndVisible();
    }
    void TearDown() override { window->setHidden(true); }

    Ref<Window> window;
    Ref<View> handler, child;
};

TEST_F(TouchTest, ReplacedTouchMethodsSeeEveryPhase)
{
    Application& app = Application::shared();
    EXPECT_TRUE(app.sendTouch(TouchPhase::Began, { 10, 20 }));
    EXPECT_EQ(app.touchedView(), handler.get());
    EXPECT_TRUE(app.sendTouch(TouchPhase::Moved, { 30, 40 }));
    EXPECT_TRUE(app.sendTouch(TouchPhase::Ended, { 30, 40 }));
    EXPECT_FALSE(app.sendTouch(TouchPhase::Moved, { 30, 40 })) << "no touch in progress";
    EXPECT_EQ(g_seen, (std::vector<std::string> { "TestTouchView Began 10,20", "TestTouchView Moved 30,40", "TestTouchView Ended 30,40" }));
}

TEST_F(TouchTest, PlainSubviewPassesTouchesUpAndKeepsTheTouchWhereverTheFingerGoes)
{
    Application& app = Application::shared();
    app.sendTouch(TouchPhase::Began, { 110, 120 });
    EXPECT_EQ(app.touchedView(), child.get());
    app.sendTouch(TouchPhase::Moved, { 300, 10 }); // far outside the child
    app.sendTouch(TouchPhase::Cancelled, { 300, 10 });
    EXPECT_EQ(g_seen, (std::vector<std::string> { "TestTouchView Began 110,120", "TestTouchView Moved 300,10", "TestTouchView Cancelled 300,10" }));
}

TEST_F(TouchTest, ViewsThatTakeNoTouchesLetThemThroughToTheViewBelow)
{
    auto overlay = View::make(makeRect(0, 0, 320, 480));
    overlay->setUserInteractionEnabled(false);
    window->addSubview(overlay);
    Application::shared().sendTouch(TouchPhase::Began, { 5, 5 });
    Application::shared().sendTouch(TouchPhase::Ended, { 5, 5 });
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0], "TestTouchView Began 5,5");
}

TEST_F(TouchTest, ANewBeganCancelsATouchStillDown)
{
    Application::shared().sendTouch(TouchPhase::Began, { 5, 5 });
    Application::shared().sendTouch(TouchPhase::Began, { 7, 7 });
    EXPECT_EQ(g_seen, (std::vector<std::string> { "TestTouchView Began 5,5", "TestTouchView Cancelled 5,5", "TestTouchView Began 7,7" }));
}

} // namespace
