// Hit-testing as the phone does it: front to back, skipping hidden, transparent and
// non-interactive views (with their subviews), front-most window first.
#include "platform/uikit/Application.h"
#include "platform/uikit/Window.h"
#include <gtest/gtest.h>
#include <functional>

using namespace uikit;
using runtime::Ref;
using quartz::makeRect;

namespace {

// window 320x480
//   back   (0,0,200,200)   tag 1
//     deep (50,50,50,50)   tag 11
//   front  (100,100,200,200) tag 2
struct Scene {
    Scene()
    {
        window = Window::make(makeRect(0, 0, 320, 480));
        window->setTag(100);
        back = View::make(makeRect(0, 0, 200, 200));
        back->setTag(1);
        deep = View::make(makeRect(50, 50, 50, 50));
        deep->setTag(11);
        front = View::make(makeRect(100, 100, 200, 200));
        front->setTag(2);
        window->addSubview(back);
        back->addSubview(deep);
        window->addSubview(front);
        window->setHidden(false);
    }
    ~Scene() { window->setHidden(true); }
    Ref<Window> window;
    Ref<View> back, deep, front;
};

struct HitCase {
    const char* name;
    std::function<void(Scene&)> change;
    Point point;
    int expectedTag; // -1: nothing
};

TEST(HitTest, Table)
{
    const HitCase cases[] = {
        { "deepest wins", [](Scene&) {}, { 60, 60 }, 11 },
        { "front-most sibling wins", [](Scene&) {}, { 150, 150 }, 2 },
        { "behind the front one", [](Scene&) {}, { 20, 20 }, 1 },
        { "empty window area", [](Scene&) {}, { 10, 400 }, 100 },
        { "outside the window", [](Scene&) {}, { 10, 500 }, -1 },
        { "hidden window", [](Scene& s) { s.window->setHidden(true); }, { 60, 60 }, -1 },
        { "hidden view is skipped", [](Scene& s) { s.deep->setHidden(true); }, { 60, 60 }, 1 },
        { "alpha below 0.01 is skipped", [](Scene& s) { s.front->setAlpha(0.005f); }, { 150, 150 }, 1 },
        { "alpha 0.01 still hits", [](Scene& s) { s.front->setAlpha(0.01f); }, { 150, 150 }, 2 },
        { "interaction off skips the view", [](Scene& s) { s.front->setUserInteractionEnabled(false); }, { 150, 150 }, 1 },
        { "interaction off hides subviews too", [](Scene& s) { s.back->setUserInteractionEnabled(false); }, { 60, 60 }, 100 },
        { "subview outside its parent is not reached", [](Scene& s) { s.deep->setFrame(makeRect(250, 300, 20, 20)); }, { 255, 305 }, 100 },
        { "scaled to nothing", [](Scene& s) { s.front->setTransform(quartz::Transform3DMakeScale(0, 0, 0)); }, { 150, 150 }, 1 },
    };
    for (const HitCase& c : cases) {
        Scene s;
        c.change(s);
        View* hit = s.window->hitTest(c.point);
        EXPECT_EQ(hit ? hit->tag() : -1, c.expectedTag) << c.name;
    }
}

TEST(HitTest, FrontMostWindowContainingThePoint)
{
    auto low = Window::make(makeRect(0, 0, 320, 480));
    auto alert = Window::make(makeRect(0, 0, 320, 480));
    auto bar = Window::make(makeRect(0, 0, 320, 20));
    alert->setWindowLevel(UIWindowLevelAlert);
    bar->setWindowLevel(UIWindowLevelStatusBar);
    alert->makeKeyAndVisible();
    bar->makeKeyAndVisible();
    low->makeKeyAndVisible(); // shown last, but the lowest level

    Application& app = Application::shared();
    ASSERT_EQ(app.windows().size(), 3u);
    EXPECT_EQ(app.windows()[0].get(), low.get());
    EXPECT_EQ(app.windows()[1].get(), bar.get());
    EXPECT_EQ(app.windows()[2].get(), alert.get());
    EXPECT_EQ(app.windowAt({ 10, 10 }), alert.get());
    EXPECT_EQ(app.keyWindow(), low.get());

    alert->setHidden(true);
    EXPECT_EQ(app.windowAt({ 10, 10 }), bar.get());
    EXPECT_EQ(app.windowAt({ 10, 100 }), low.get());
    EXPECT_EQ(app.windows().size(), 2u);
    low->setHidden(true);
    bar->setHidden(true);
}

} // namespace
