// Layers: model values stay as set, the presentation follows the animations in the order added,
// keys replace, and completions come through the time source.
#include "Bezier.h"
#include "FakeTimeSource.h"
#include "platform/quartz/Layer.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace quartz;
using runtime::Object;
using runtime::Ref;
using runtime::Sel;

namespace {

// A delegate that records "animationDidStop:finished:" with the clock time.
struct Recorder : Object {
    std::vector<std::string> stops;
};
FakeTimeSource* g_clock = nullptr;
void didStop(Object* self, Sel, Object*, bool finished)
{
    static_cast<Recorder*>(self)->stops.push_back(std::to_string(g_clock->now()).substr(0, 4) + (finished ? " finished" : " stopped"));
}

struct LayerTest : ::testing::Test {
    void SetUp() override
    {
        g_clock = &clock;
        runtime::ClassBuilder("TestAnimationDelegate", "NSObject")
            .instancesOf<Recorder>()
            .method("animationDidStop:finished:", &didStop)
            .registerClass();
        layer = Layer::make();
        layer->setPosition({ 100, 100 });
        layer->setBounds(makeRect(0, 0, 60, 60));
        auto obj = runtime::alloc(runtime::lookUpClass("TestAnimationDelegate"));
        recorder = Ref<Recorder>(static_cast<Recorder*>(obj.get()));
    }
    Ref<BasicAnimation> fade(Float from, Float to)
    {
        auto a = BasicAnimation::make("opacity");
        a->fromValue = from;
        a->toValue = to;
        a->duration = 1.0;
        a->delegate = recorder.get();
        return a;
    }
    Float opacityAt(double t) { return layer->presentationAt(t).opacity; }

    FakeTimeSource clock;
    Ref<Layer> layer;
    Ref<Recorder> recorder;
};

TEST_F(LayerTest, BounceInFromNothingOvershootsAndSettlesByEightyPercent)
{
    const Transform3D T = Transform3DMakeScale(0.8f, 0.8f, 1); // a row icon's stored scale
    layer->setTransform(T);
    auto bounce = KeyframeAnimation::make("transform");
    bounce->values = { Transform3DScale(T, 0, 0, 0), Transform3DScale(T, 1.1f, 1.1f, 1), Transform3DScale(T, 0.9f, 0.9f, 1), T };
    bounce->keyTimes = { 0, 0.4f, 0.6f, 0.8f };
    bounce->timingFunctions = { TimingFunction::named(kCAMediaTimingFunctionEaseOut), TimingFunction::named(kCAMediaTimingFunctionEaseInEaseOut),
        TimingFunction::named(kCAMediaTimingFunctionEaseInEaseOut) };
    bounce->fillMode = FillMode::Forwards;
    bounce->removedOnCompletion = false;
    clock.runUntil(10);
    layer->addAnimation(bounce, "iconBounceIn");

    auto scaleAt = [&](double dt) { return layer->presentationAt(10 + dt).transform.m11; };
    EXPECT_FLOAT_EQ(scaleAt(0), 0) << "invisible at the start";
    EXPECT_NEAR(scaleAt(0.05), 0.8 * 1.1 * reference::easeOut(0.5), 1e-4);
    EXPECT_NEAR(scaleAt(0.1), 0.8 * 1.1, 1e-6) << "110 % at 40 % of 0.25 s";
    EXPECT_NEAR(scaleAt(0.125), 0.8 * 1.0, 1e-4) << "half way from 110 % to 90 %";
    EXPECT_NEAR(scaleAt(0.15), 0.8 * 0.9, 1e-6);
    for (double dt : { 0.2, 0.22, 0.25, 3.0 })
        EXPECT_FLOAT_EQ(scaleAt(dt), 0.8f) << "at rest from 80 %: " << dt;

    clock.runUntil(20);
    EXPECT_EQ(layer->animationKeys(), std::vector<std::string> { "iconBounceIn" }) << "not removed on completion";
    EXPECT_EQ(layer->transform(), T) << "the model never changes";
}

TEST_F(LayerTest, RemovedOnCompletionLeavesWhenTheClockPassesItsEnd)
{
    layer->setOpacity(1);
    layer->addAnimation(fade(0, 0.5f), "fade");
    auto kept = fade(0, 0.5f);
    kept->removedOnCompletion = false;
    kept->fillMode = FillMode::Forwards;
    layer->addAnimation(kept, "kept");

    clock.runUntil(0.999);
    EXPECT_EQ(layer->animationKeys(), (std::vector<std::string> { "fade", "kept" }));
    EXPECT_TRUE(recorder->stops.empty()) << "no completion before the end";
    clock.runUntil(1.5);
    EXPECT_EQ(layer->animationKeys(), std::vector<std::string> { "kept" });
    EXPECT_EQ(recorder->stops, (std::vector<std::string> { "1.00 finished", "1.00 finished" }));
    EXPECT_FLOAT_EQ(opacityAt(1.5), 0.5f) << "the kept one holds its end";
}

TEST_F(LayerTest, SameKeyReplacesAndMovesToTheEnd)
{
    layer->setOpacity(1);
    auto first = fade(0.1f, 0.1f);
    layer->addAnimation(first, "a");
    layer->addAnimation(fade(0.2f, 0.2f), "b");
    auto third = fade(0.3f, 0.3f);
    layer->addAnimation(third, "a");

    EXPECT_EQ(layer->animationKeys(), (std::vector<std::string> { "b", "a" }));
    EXPECT_EQ(layer->animationForKey("a"), third.get());
    EXPECT_FLOAT_EQ(opacityAt(0.5), 0.3f) << "the last added decides";
    clock.runUntil(0);
    EXPECT_EQ(recorder->stops, std::vector<std::string> { "0.00 stopped" }) << "the replaced one was told, unfinished";

    layer->removeAnimationForKey("a");
    EXPECT_FLOAT_EQ(opacityAt(0.5), 0.2f);
    layer->removeAllAnimations();
    EXPECT_FLOAT_EQ(opacityAt(0.5), 1.0f);
    EXPECT_FALSE(layer->hasAnimations());
}

TEST_F(LayerTest, BeginTimeIsAClockTimeAndZeroMeansWhenAdded)
{
    clock.runUntil(5);
    auto later = fade(0, 1);
    later->beginTime = 7;
    later->fillMode = FillMode::Backwards;
    layer->addAnimation(later, "later");
    EXPECT_FLOAT_EQ(opacityAt(6), 0) << "backwards fill shows the start while waiting";
    EXPECT_FLOAT_EQ(opacityAt(7.5), 0.5f);
    clock.runUntil(7.9);
    EXPECT_TRUE(layer->animationForKey("later"));
    clock.runUntil(8);
    EXPECT_FALSE(layer->animationForKey("later"));
}

TEST_F(LayerTest, PresentedFrameFollowsPositionBoundsAndTransform)
{
    auto move = BasicAnimation::make("position");
    move->fromValue = Point { 0, 0 };
    move->toValue = Point { 200, 100 };
    move->duration = 1;
    auto grow = BasicAnimation::make("transform");
    grow->toValue = Transform3DMakeScale(2, 2, 1);
    grow->fromValue = Transform3DMakeScale(2, 2, 1);
    grow->duration = 1;
    layer->addAnimation(move, "position");
    layer->addAnimation(grow, "transform");

    Presentation p = layer->presentationAt(0.5);
    EXPECT_EQ(p.position, (Point { 100, 50 }));
    EXPECT_EQ(p.frame(), makeRect(40, -10, 120, 120));
    EXPECT_EQ(layer->frame(), makeRect(70, 70, 60, 60)) << "the model frame";
}

TEST_F(LayerTest, ALayerGoneBeforeItsAnimationEndsIsNotTouched)
{
    layer->addAnimation(fade(0, 1), "fade");
    layer = nullptr;
    clock.runUntil(2); // the posted completion finds no layer
    EXPECT_TRUE(recorder->stops.empty());
}

} // namespace
