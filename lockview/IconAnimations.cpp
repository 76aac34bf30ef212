// The icons appear when the thumb is grabbed, go when it is let go, and fall off the screen when a
// release unlocks or opens the camera. Animations only: frames and stored transforms never change,
// and each animation holds its end state, so what shows is the last animation on each layer.
#include "lockview/IconAnimations.h"
#include "lockview/OmbrelView.h"
#include "platform/foundation/Random.h"
#include "platform/quartz/TimingFunction.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Send.h"
#include "settings/SettingsValues.h"
#include <array>

namespace ombrel {

using quartz::KeyframeAnimation;
using quartz::Transform3D;
using quartz::Transform3DScale;
using runtime::Object;
using runtime::Sel;

namespace {

quartz::TimingFunction* curve(const char* name) { return quartz::TimingFunction::named(name); }

Ref<KeyframeAnimation> transformKeyframes(std::vector<quartz::AnimationValue> values, std::vector<Float> keyTimes,
    std::vector<Ref<quartz::TimingFunction>> timing)
{
    auto a = KeyframeAnimation::make("transform");
    a->values = std::move(values);
    a->keyTimes = std::move(keyTimes);
    a->timingFunctions = std::move(timing);
    a->fillMode = quartz::FillMode::Forwards;
    a->removedOnCompletion = false;
    return a;
}

Transform3D scaled(const Transform3D& t, Float s, Float z = 1) { return Transform3DScale(t, s, s, z); }

Ref<quartz::BasicAnimation> fade(Float from, Float to)
{
    auto a = quartz::BasicAnimation::make("opacity");
    a->beginTime = 0;
    a->duration = 0.15;
    a->fromValue = from;
    a->toValue = to;
    a->removedOnCompletion = false;
    a->fillMode = quartz::FillMode::Both;
    a->additive = false;
    return a;
}

} // namespace

Ref<KeyframeAnimation> bounceInAnimationWithLayer(quartz::Layer* layer)
{
    layer->removeAllAnimations();
    Transform3D t = layer->transform();
    using namespace quartz;
    return transformKeyframes({ scaled(t, 0, 0), scaled(t, 1.1f), scaled(t, 0.9f), t }, { 0, 0.4f, 0.6f, 0.8f },
        { curve(kCAMediaTimingFunctionEaseOut), curve(kCAMediaTimingFunctionEaseInEaseOut), curve(kCAMediaTimingFunctionEaseInEaseOut) });
}

Ref<KeyframeAnimation> bounceOutAnimationWithLayer(quartz::Layer* layer)
{
    layer->removeAllAnimations();
    Transform3D t = layer->transform();
    using namespace quartz;
    return transformKeyframes({ t, scaled(t, 1.2f), scaled(t, 0) }, { 0, 0.4f, 0.6f },
        { curve(kCAMediaTimingFunctionEaseOut), curve(kCAMediaTimingFunctionEaseInEaseOut) });
}

Ref<KeyframeAnimation> zoomInIconLayer(quartz::Layer* layer)
{
    Transform3D t = layer->transform();
    return transformKeyframes({ t, scaled(t, 1.15f) }, { 0, 0.4f }, { curve(quartz::kCAMediaTimingFunctionEaseIn) });
}

Ref<KeyframeAnimation> zoomOutIconLayer(quartz::Layer* layer)
{
    Transform3D t = layer->transform();
    return transformKeyframes({ t, scaled(t, 0.9f) }, { 0, 0.4f }, { curve(quartz::kCAMediaTimingFunctionEaseOut) });
}

Ref<KeyframeAnimation> normalizeIconLayer(quartz::Layer* layer)
{
    Transform3D t = layer->transform();
    return transformKeyframes({ scaled(t, 0.9f), t }, { 0, 0.4f }, { curve(quartz::kCAMediaTimingFunctionEaseOut) });
}

Ref<KeyframeAnimation> normalizeZoomedIconLayer(quartz::Layer* layer)
{
    Transform3D t = layer->transform();
    return transformKeyframes({ scaled(t, 1.15f), t }, { 0, 0.4f }, { curve(quartz::kCAMediaTimingFunctionEaseOut) });
}

Ref<quartz::BasicAnimation> fadeInIcon(Float a) { return fade(0, a); }
Ref<quartz::BasicAnimation> fadeOutIcon(Float a) { return fade(a, 0); }

Ref<KeyframeAnimation> rainIconsDownToPoint(Point p)
{
    std::uint32_t r1 = foundation::arc4random();
    std::uint32_t r2 = foundation::arc4random();
    using namespace quartz;
    const std::array<const char*, 5> curves { kCAMediaTimingFunctionLinear, kCAMediaTimingFunctionEaseIn,
        kCAMediaTimingFunctionEaseOut, kCAMediaTimingFunctionEaseInEaseOut, kCAMediaTimingFunctionDefault };
    std::uint32_t r3 = foundation::arc4random();
    Float ty = p.y + 75.0f + Float(r1 % 500);
    Float s = Float(double(r2) / 4294967296.0 * 2.5);
    Transform3D fall = Transform3DScale(Transform3DMakeTranslation(0, ty, 0), s, s, 1);
    auto a = transformKeyframes({ Transform3DIdentity, fall }, { 0.0f, 1.0f }, { curve(curves[r3 % 5]) });
    a->duration = 0.3;
    a->repeatCount = 0;
    a->autoreverses = false;
    return a;
}

namespace {

enum class Style { Zoom, Fade, None };

Style iconStyle(const foundation::Value& settings)
{
    std::string style = settingString(settings, "kIconAnimation");
    return style == "_zoom" ? Style::Zoom : style == "_fade" ? Style::Fade : Style::None;
}

// The alpha an icon fades to and from: the lock buttons have their own.
Float restingAlpha(const OmbrelView& view, std::int32_t tag)
{
    const char* key = tag == view.kUnlock || tag == view.kCam ? "kLockButtonsAlpha" : "kIconOpacity";
    return Float(settingReal(view.ombrelSettings, key));
}

OmbrelView* self_(Object* o) { return static_cast<OmbrelView*>(o); }
quartz::Layer* layer_(Object* o) { return static_cast<quartz::Layer*>(o); }

// The builders as runtime methods, for code that reaches them by name: the caller gets an
// autoreleased animation.
template<Ref<KeyframeAnimation> (*Build)(quartz::Layer*)>
Object* layerBuilder(Object*, Sel, Object* layer)
{
    return layer ? runtime::autorelease(Build(layer_(layer)).leak()) : nullptr;
}
template<Ref<quartz::BasicAnimation> (*Build)(Float)>
Object* alphaBuilder(Object*, Sel, Float a) { return runtime::autorelease(Build(a).leak()); }
Object* rainBuilder(Object*, Sel, Point p) { return runtime::autorelease(rainIconsDownToPoint(p).leak()); }

void animateIconsInImp(Object* self, Sel) { self_(self)->animateIconsIn(); }
void animateIconsOutImp(Object* self, Sel) { self_(self)->animateIconsOut(); }
void rainDownIconsImp(Object* self, Sel) { self_(self)->rainDownIcons(); }

} // namespace

namespace {

// Every icon view in subview order, made visible (hidden flag cleared), animated in the style.
template<class Animate>
void showIcons(OmbrelView& view, Animate animate)
{
    Style style = iconStyle(view.ombrelSettings);
    for (const auto& v : std::vector(view.subviews())) {
        std::int32_t tag = v->tag();
        if (!view.isIconTag(tag))
            continue;
        v->setHidden(false);
        animate(v->layer(), style, restingAlpha(view, tag));
    }
}

} // namespace

void OmbrelView::animateIconsIn()
{
    showIcons(*this, [](quartz::Layer* layer, Style style, Float alpha) {
        layer->removeAllAnimations();
        if (style == Style::Zoom)
            layer->addAnimation(bounceInAnimationWithLayer(layer).get(), "iconBounceIn");
        else if (style == Style::Fade)
            layer->addAnimation(fadeInIcon(alpha).get(), "fadeInIcon");
    });
    shouldAnimateIconsOut = true;
}

// The layers keep their animations: the bounce out starts from a clean layer by itself.
void OmbrelView::animateIconsOut()
{
    showIcons(*this, [](quartz::Layer* layer, Style style, Float alpha) {
        if (style == Style::Zoom)
            layer->addAnimation(bounceOutAnimationWithLayer(layer).get(), "iconBounceOut");
        else if (style == Style::Fade)
            layer->addAnimation(fadeOutIcon(alpha).get(), "fadeOutIcon");
    });
    shouldAnimateIconsOut = false;
}

void OmbrelView::rainDownIcons()
{
    Float h = frame().size.height;
    for (const auto& v : std::vector(subviews())) {
        std::int32_t tag = v->tag();
        if (!isIconTag(tag) && tag != kTrack)
            continue;
        // The view's top edge reaches the bottom of the lock view before the random extra fall.
        Point p { 0, h - v->frame().origin.y };
        v->layer()->addAnimation(rainIconsDownToPoint(p).get(), "zoomIconsOut");
    }
    shouldAnimateIconsOut = false;
    shouldRainDownIcons = false;
}

void OmbrelView::addAnimationMethods(runtime::ClassBuilder& builder)
{
    builder.method("bounceInAnimationWithLayer:", &layerBuilder<&bounceInAnimationWithLayer>)
        .method("bounceOutAnimationWithLayer:", &layerBuilder<&bounceOutAnimationWithLayer>)
        .method("zoomInIconLayer:", &layerBuilder<&zoomInIconLayer>)
        .method("zoomOutIconLayer:", &layerBuilder<&zoomOutIconLayer>)
        .method("normalizeIconLayer:", &layerBuilder<&normalizeIconLayer>)
        .method("normalizeZoomedIconLayer:", &layerBuilder<&normalizeZoomedIconLayer>)
        .method("fadeInIcon:", &alphaBuilder<&fadeInIcon>)
        .method("fadeOutIcon:", &alphaBuilder<&fadeOutIcon>)
        .method("rainIconsDownToPoint:", &rainBuilder)
        .method("animateIconsIn", &animateIconsInImp)
        .method("animateIconsOut", &animateIconsOutImp)
        .method("rainDownIcons", &rainDownIconsImp);
}

} // namespace ombrel
