// The icons' animations: what each builder makes, what the screen presents over time for each
// style, and the rain after a release that unlocks.
#include "platform/foundation/Random.h"
#include "platform/quartz/Animation.h"
#include "platform/quartz/TimingFunction.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "tests/lockview/DeviceFixture.h"
#include <set>

using namespace lockviewtest;
using foundation::Value;
using quartz::Float;
using quartz::Point;
using quartz::Transform3D;
using quartz::Transform3DScale;
using runtime::Object;
using runtime::Sel;

namespace {

constexpr std::int32_t kCam = 1, kUnlock = 2, kFolder = 4, kTrack = 400, kLockApp = 500;

bool near(const Transform3D& a, const Transform3D& b)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::abs(a.at(r, c) - b.at(r, c)) > 1e-4f)
                return false;
    return true;
}

struct IconAnimations : DeviceFixture {
    void SetUp() override
    {
        boot();
        device->wait(0.5);
    }
    void setStyle(const std::map<std::string, Value>& changes)
    {
        Value settings = runtime::send<Value>(lockView(), Sel("ombrelSettings"));
        for (const auto& [k, v] : changes)
            settings.set(k, v);
        runtime::send(lockView(), Sel("setOmbrelSettings:"), settings);
    }
    std::vector<uikit::View*> icons()
    {
        std::vector<uikit::View*> all;
        for (std::int32_t tag : { kLockApp, kFolder, kCam, kUnlock })
            for (uikit::View* v : viewsWithTag(tag))
                all.push_back(v);
        return all;
    }
};

TEST_F(IconAnimations, Builders)
{
    using namespace quartz;
    uikit::View* icon = viewsWithTag(kLockApp).at(0);
    quartz::Layer* layer = icon->layer();
    Transform3D t = layer->transform();
    auto s = [&](Float f, Float z = 1) { return Transform3DScale(t, f, f, z); };
    TimingFunction *in = TimingFunction::named(kCAMediaTimingFunctionEaseIn), *out = TimingFunction::named(kCAMediaTimingFunctionEaseOut),
                   *inOut = TimingFunction::named(kCAMediaTimingFunctionEaseInEaseOut);
    struct Case {
        const char* builder;
        std::vector<Transform3D> values;
        std::vector<Float> keyTimes;
        std::vector<TimingFunction*> timing;
        bool clearsLayer;
    } cases[] = {
        { "bounceInAnimationWithLayer:", { s(0, 0), s(1.1f), s(0.9f), t }, { 0, 0.4f, 0.6f, 0.8f }, { out, inOut, inOut }, true },
        { "bounceOutAnimationWithLayer:", { t, s(1.2f), s(0) }, { 0, 0.4f, 0.6f }, { out, inOut }, true },
        { "zoomInIconLayer:", { t, s(1.15f) }, { 0, 0.4f }, { in }, false },
        { "zoomOutIconLayer:", { t, s(0.9f) }, { 0, 0.4f }, { out }, false },
        { "normalizeIconLayer:", { s(0.9f), t }, { 0, 0.4f }, { out }, false },
        { "normalizeZoomedIconLayer:", { s(1.15f), t }, { 0, 0.4f }, { out }, false },
    };
    for (const Case& c : cases) {
        runtime::AutoreleasePool pool;
        layer->addAnimation(BasicAnimation::make("opacity").get(), "other");
        auto* a = static_cast<KeyframeAnimation*>(runtime::send<Object*>(lockView(), Sel(c.builder), layer));
        ASSERT_NE(a, nullptr) << c.builder;
        EXPECT_EQ(a->keyPath(), "transform") << c.builder;
        ASSERT_EQ(a->values.size(), c.values.size()) << c.builder;
        for (std::size_t i = 0; i < c.values.size(); ++i)
            EXPECT_TRUE(near(*a->values[i].asTransform(), c.values[i])) << c.builder << " value " << i;
        EXPECT_EQ(a->keyTimes, c.keyTimes) << c.builder;
        std::vector<TimingFunction*> timing;
        for (auto& f : a->timingFunctions)
            timing.push_back(f.get());
        EXPECT_EQ(timing, c.timing) << c.builder;
        EXPECT_EQ(a->duration, 0) << c.builder; // the platform's 0.25 s
        EXPECT_EQ(a->fillMode, FillMode::Forwards) << c.builder;
        EXPECT_FALSE(a->removedOnCompletion) << c.builder;
        EXPECT_EQ(layer->animationForKey("other") == nullptr, c.clearsLayer) << c.builder;
    }
    for (auto [builder, from, to] : { std::tuple { "fadeInIcon:", 0.0f, 0.7f }, std::tuple { "fadeOutIcon:", 0.7f, 0.0f } }) {
        runtime::AutoreleasePool pool;
        auto* a = static_cast<BasicAnimation*>(runtime::send<Object*>(lockView(), Sel(builder), Float(0.7f)));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->keyPath(), "opacity");
        EXPECT_EQ(*a->fromValue.asFloat(), from);
        EXPECT_EQ(*a->toValue.asFloat(), to);
        EXPECT_EQ(a->duration, 0.15);
        EXPECT_EQ(a->fillMode, FillMode::Both);
        EXPECT_FALSE(a->removedOnCompletion);
        EXPECT_FALSE(a->additive);
    }
}

TEST_F(IconAnimations, RainDrawsReproduciblyWithinItsRanges)
{
    using namespace quartz;
    std::set<TimingFunction*> seen;
    std::vector<Transform3D> first;
    for (int round = 0; round < 2; ++round) {
        foundation::seedRandom(42);
        for (int i = 0; i < 200; ++i) {
            runtime::AutoreleasePool pool;
            auto* a = static_cast<KeyframeAnimation*>(runtime::send<Object*>(lockView(), Sel("rainIconsDownToPoint:"), Point { 7, 100 }));
            ASSERT_EQ(a->values.size(), 2u);
            EXPECT_TRUE(near(*a->values[0].asTransform(), Transform3DIdentity));
            Transform3D end = *a->values[1].asTransform();
            Float ty = end.m42, scale = end.m11;
            EXPECT_GE(ty, 175);
            EXPECT_LE(ty, 175 + 499);
            EXPECT_EQ(ty, std::floor(ty)); // a whole number of extra points
            EXPECT_GE(scale, 0);
            EXPECT_LT(scale, 2.5f);
            EXPECT_EQ(end.m22, scale);
            EXPECT_EQ(end.m41, 0);
            EXPECT_EQ(a->keyTimes, (std::vector<Float> { 0, 1 }));
            EXPECT_EQ(a->duration, 0.3);
            EXPECT_EQ(a->fillMode, FillMode::Forwards);
            EXPECT_FALSE(a->removedOnCompletion);
            ASSERT_EQ(a->timingFunctions.size(), 1u);
            seen.insert(a->timingFunctions[0].get());
            if (round == 0)
                first.push_back(end);
            else
                EXPECT_TRUE(near(end, first[i])) << "draw " << i << " differs under the same seed";
        }
    }
    EXPECT_EQ(seen.size(), 5u); // every named curve is drawn
}

TEST_F(IconAnimations, ZoomStyleOverTime)
{
    std::vector<uikit::View*> all = icons();
    device->touchDown(160, 402);
    for (uikit::View* v : all) {
        EXPECT_FALSE(v->isHidden());
        EXPECT_EQ(v->presentedTransform().m11, 0) << v->tag(); // invisible at time 0
    }
    device->wait(0.1); // 40 % of 0.25 s
    for (uikit::View* v : all)
        EXPECT_TRUE(near(v->presentedTransform(), Transform3DScale(v->transform(), 1.1f, 1.1f, 1))) << v->tag();
    device->wait(0.1); // 80 %: at rest, and held there
    for (uikit::View* v : all)
        EXPECT_TRUE(near(v->presentedTransform(), v->transform())) << v->tag();
    device->wait(1);
    for (uikit::View* v : all)
        EXPECT_TRUE(near(v->presentedTransform(), v->transform())) << v->tag();

    // Let go on nothing: the bounce out, gone at 60 % and held so although not hidden.
    device->touchUp(160, 402);
    device->wait(0.1);
    for (uikit::View* v : all)
        EXPECT_TRUE(near(v->presentedTransform(), Transform3DScale(v->transform(), 1.2f, 1.2f, 1))) << v->tag();
    device->wait(0.05);
    for (uikit::View* v : all)
        EXPECT_NEAR(v->presentedTransform().m11, 0, 1e-6) << v->tag(); // the eased segment's end, to rounding
    device->wait(2);
    for (uikit::View* v : all) {
        EXPECT_FALSE(v->isHidden());
        EXPECT_EQ(v->presentedTransform().m11, 0) << v->tag();
    }
}

TEST_F(IconAnimations, FadeStyleUsesEachIconsAlpha)
{
    setStyle({ { "kIconAnimation", Value::string("_fade") }, { "kIconOpacity", Value::real(0.8) }, { "kLockButtonsAlpha", Value::real(0.5) } });
    std::vector<uikit::View*> all = icons();
    auto resting = [](uikit::View* v) { return v->tag() == kCam || v->tag() == kUnlock ? 0.5f : 0.8f; };
    device->touchDown(160, 402);
    for (uikit::View* v : all)
        EXPECT_EQ(v->presentedOpacity(), 0) << v->tag();
    device->wait(0.15);
    for (uikit::View* v : all)
        EXPECT_FLOAT_EQ(v->presentedOpacity(), resting(v)) << v->tag();
    device->touchUp(160, 402);
    for (uikit::View* v : all)
        EXPECT_FLOAT_EQ(v->presentedOpacity(), resting(v)) << v->tag();
    device->wait(0.15);
    for (uikit::View* v : all)
        EXPECT_EQ(v->presentedOpacity(), 0) << v->tag();
}

TEST_F(IconAnimations, OtherStylesShowAtOnceAndStay)
{
    setStyle({ { "kIconAnimation", Value::integer(3) } }); // a wrong kind reads as no animation
    std::vector<uikit::View*> all = icons();
    device->touchDown(160, 402);
    for (uikit::View* v : all) {
        EXPECT_FALSE(v->isHidden());
        EXPECT_TRUE(v->layer()->animationKeys().empty()) << v->tag();
        EXPECT_TRUE(near(v->presentedTransform(), v->transform()));
    }
    device->touchUp(160, 402);
    device->wait(1);
    for (uikit::View* v : all) {
        EXPECT_FALSE(v->isHidden());
        EXPECT_EQ(v->presentedOpacity(), v->alpha()) << v->tag();
    }
}

TEST_F(IconAnimations, SecondGrabRestartsTheBounce)
{
    uikit::View* icon = viewsWithTag(kLockApp).at(0);
    device->touchDown(160, 402);
    device->wait(0.5);
    device->touchUp(160, 402);
    device->wait(0.5);
    device->touchDown(160, 402);
    EXPECT_EQ(icon->layer()->animationKeys(), std::vector<std::string> { "iconBounceIn" });
    EXPECT_EQ(icon->presentedTransform().m11, 0);
}

struct IconRain : DeviceFixture { };

TEST_F(IconRain, EveryIconAndTheTrackFallBelowTheScreen)
{
    // With a passcode the lock view stays up behind the keypad, so the fall can be watched to its end.
    IconRain& f = *this;
    f.makeRoot("iphone4s-5.1.1", "1234");
    f.options.seed = 7;
    f.boot();
    f.device->wait(0.5);
    uikit::View* unlock = f.viewsWithTag(kUnlock).at(0);
    f.device->touchDown(160, 402);
    f.device->touchMove(unlock->center().x, unlock->center().y);
    f.device->touchUp(unlock->center().x, unlock->center().y);
    std::vector<uikit::View*> fallen;
    for (std::int32_t tag : { kLockApp, kFolder, kCam, kUnlock, kTrack })
        for (uikit::View* v : f.viewsWithTag(tag))
            fallen.push_back(v);
    ASSERT_EQ(fallen.size(), 7u);
    for (uikit::View* v : fallen)
        EXPECT_NE(v->layer()->animationForKey("zoomIconsOut"), nullptr) << v->tag();
    f.device->wait(0.3);
    for (uikit::View* v : fallen)
        EXPECT_GE(v->presentedFrame().origin.y, 480) << v->tag();
    EXPECT_TRUE(f.device->state().passcodeKeypadShown);
}

} // namespace
