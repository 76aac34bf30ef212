// View animation blocks: the model changes at once, the presentation moves from what was shown
// to the new value over the duration, and the completion runs on the run loop at the end.
#include "../quartz/Bezier.h"
#include "platform/uikit/RunLoop.h"
#include "platform/uikit/View.h"
#include <gtest/gtest.h>

using namespace uikit;
using runtime::Ref;
using quartz::makeRect;

namespace {

struct ViewAnimationTest : ::testing::Test {
    void SetUp() override { view = View::make(makeRect(0, 0, 100, 100)); }
    void wait(double s) { RunLoop::main().advanceBy(s); }
    Ref<View> view;
};

TEST_F(ViewAnimationTest, ModelAtOncePresentationInBetweenCompletionAtTheEnd)
{
    int completions = 0;
    View::animate(1.0, [&] {
        view->setAlpha(0);
        view->setCenter({ 150, 50 });
    }, [&](bool finished) {
        EXPECT_TRUE(finished);
        ++completions;
    });
    EXPECT_EQ(view->alpha(), 0) << "the model is set at once";
    EXPECT_EQ(view->center(), (Point { 150, 50 }));
    EXPECT_EQ(view->presentedOpacity(), 1) << "the screen still shows the old value";

    wait(0.5);
    EXPECT_NEAR(view->presentedOpacity(), 0.5, 1e-4) << "ease-in-out is half way at half time";
    EXPECT_NEAR(view->presentedFrame().origin.x, 50, 1e-3);
    wait(0.499);
    EXPECT_EQ(completions, 0) << "not before the end";
    wait(0.001);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(view->presentedFrame(), view->frame());
    EXPECT_FALSE(view->layer()->hasAnimations()) << "block animations leave when done";
}

TEST_F(ViewAnimationTest, DelayHoldsTheOldValueThenFollowsTheCurve)
{
    bool done = false;
    View::animate(0.2, 0.3, AnimationCurve::EaseIn, [&] { view->setFrame(makeRect(100, 0, 100, 100)); }, [&](bool) { done = true; });
    wait(0.2);
    EXPECT_EQ(view->presentedFrame().origin.x, 0);
    wait(0.2); // 0.1 s into the animation
    EXPECT_NEAR(view->presentedFrame().origin.x, 100 * reference::easeIn(0.5), 0.01);
    EXPECT_FALSE(done);
    wait(0.1);
    EXPECT_TRUE(done);
}

TEST_F(ViewAnimationTest, AnInterruptingBlockStartsFromWhatIsShown)
{
    View::animate(1.0, 0, AnimationCurve::Linear, [&] { view->setCenter({ 150, 50 }); });
    wait(0.5); // shown at x = 100
    View::animate(1.0, 0, AnimationCurve::Linear, [&] { view->setCenter({ 50, 50 }); });
    EXPECT_EQ(view->layer()->animationKeys(), std::vector<std::string> { "position" }) << "the new one replaced the old";
    EXPECT_NEAR(view->presentation().position.x, 100, 1e-3);
    wait(0.5);
    EXPECT_NEAR(view->presentation().position.x, 75, 1e-3);
}

TEST_F(ViewAnimationTest, ChangesOutsideABlockAndUnchangedValuesDoNotAnimate)
{
    view->setAlpha(0.5f);
    View::animate(1.0, [&] { view->setTransform(quartz::Transform3DIdentity); });
    EXPECT_FALSE(view->layer()->hasAnimations());
    EXPECT_EQ(view->presentedOpacity(), 0.5f);
}

} // namespace
