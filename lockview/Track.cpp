// The unlock track: the thumb resting at the bottom centre, its fades, the confinement of a dragged
// point, and what starting and ending a drag do to the lock view.
#include "lockview/IconAnimations.h"
#include "lockview/OmbrelView.h"
#include "lockview/ProcessState.h"
#include "platform/quartz/Animation.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Image.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "springboard/Services.h"
#include <algorithm>

namespace ombrel {

using runtime::Object;
using runtime::Sel;

namespace {

std::string imageName(const char* base, const foundation::Value& settings)
{
    return base + settingString(settings, "kTrackTheme");
}

} // namespace

Rect OmbrelView::trackRestFrame(Float ts) const
{
    Rect f = frame();
    Float mb = Float(settingReal(ombrelSettings, "kTrackMarginBottom"));
    Float midX = f.origin.x + f.size.width / 2;
    Float maxY = f.origin.y + f.size.height;
    // A bottom margin that would park the thumb off the screen, where no finger reaches, leaves it
    // on the view (its centre at least, for a thumb taller than the view), so the phone can always
    // be unlocked.
    Float inset = std::min(std::abs(ts) / 2, f.size.height / 2);
    Float midY = std::clamp(maxY - ts / 2 - mb, f.origin.y + inset, maxY - inset);
    return quartz::makeRect(midX - ts / 2, midY - ts / 2, ts, ts);
}

void OmbrelView::createTrack(bool stayHidden)
{
    Float ts = Float(settingReal(ombrelSettings, "kTrackSize"));
    trackSlider = uikit::ImageView::make(trackRestFrame(ts));
    trackSlider->setTag(kTrack);
    trackCenter = trackSlider->center();
    trackSlider->setAlpha(0);
    // With the stock slider bar in charge the thumb exists but stays hidden.
    if (!settingBool(loadSettings(), "kLockBarDisabled"))
        trackSlider->setHidden(true);
    trackSlider->setImage(uikit::Image::named(imageName("track", ombrelSettings)));
    addSubview(trackSlider.get());
    if (!stayHidden)
        runtime::send(this, Sel("showTrack"));
}

void OmbrelView::resetTrack(bool stayHidden)
{
    if (trackSlider) {
        trackSlider->removeFromSuperview();
        trackSlider = nullptr;
    }
    runtime::send(this, Sel("createTrack:"), stayHidden);
}

void OmbrelView::hideTrack()
{
    if (!trackSlider)
        return;
    quartz::Layer* layer = trackSlider->layer();
    layer->removeAllAnimations();
    // The icons' fades: held at the end, kept on the layer; the thumb's own alpha stays 0.
    layer->addAnimation(fadeOutIcon(Float(settingReal(ombrelSettings, "kTrackAlpha"))).get(), "fadeOutTrack");
}

void OmbrelView::showTrack()
{
    if (!shouldShowTrack || !trackSlider)
        return;
    quartz::Layer* layer = trackSlider->layer();
    layer->removeAllAnimations();
    layer->addAnimation(fadeInIcon(Float(settingReal(ombrelSettings, "kTrackAlpha"))).get(), "fadeInTrack");
}

Point OmbrelView::trackPoint(Point p) const
{
    Float is = Float(settingReal(ombrelSettings, "kIconSize"));
    Float sm = Float(settingReal(ombrelSettings, "kTrackSideMargin"));
    Float w = frame().size.width;
    Float q = is * Float(0.25);
    Point out = p;
    // The thumb never goes below its rest line, and may go up freely.
    if (p.y > trackCenter.y)
        out.y = trackCenter.y;
    if (p.x < q + sm)
        out.x = q + sm;
    else if (p.x > w - (q + sm))
        out.x = w - (q + sm);
    return out;
}

void OmbrelView::trackEnabled()
{
    deviceShouldUnlock = false;
    static const Sel setAlpha("setAlpha:");
    runtime::send(processState().bulletinListView.get(), setAlpha, Float(0));
    if (trackSlider)
        trackSlider->setImage(uikit::Image::named(imageName("track_thumb", ombrelSettings)));
    runtime::send(this, Sel("animateIconsIn"));
}

void OmbrelView::trackDisabled()
{
    runtime::Ref<OmbrelView> protector(this); // the unlock it starts may take the lock view down
    if (deviceShouldUnlock)
        runtime::send(this, Sel("prepareForUnlock"));
    if (!brightnessView)
        services::restartDimTimer();
    runtime::send(this, Sel("deselectIcon"));
    if (runtime::send<bool>(this, Sel("rightViewOpen")))
        runtime::send(this, Sel("hideRightView"));
    if (runtime::send<bool>(this, Sel("leftViewOpen"))) {
        runtime::send(this, Sel("hideLeftView"));
    } else if (!folderUnlock && !processState().unlockInProgress) {
        static const Sel setAlpha("setAlpha:");
        runtime::send(processState().bulletinListView.get(), setAlpha, Float(1));
    }
    if (popupView) {
        popupView->removeFromSuperview();
        popupView = nullptr;
    }
    if (isFolderOpen) {
        static const Sel close("closePopupWithIcons:atPoint:");
        runtime::send(this, close, popupIcons, popupPoint);
    }
    if (trackSlider) {
        trackSlider->setImage(uikit::Image::named(imageName("track", ombrelSettings)));
        Float ts = Float(settingReal(ombrelSettings, "kTrackSize"));
        Rect rest = trackRestFrame(ts);
        runtime::Ref<uikit::ImageView> thumb = trackSlider;
        uikit::View::animate(0.2, 0, uikit::AnimationCurve::EaseIn, [&] { thumb->setFrame(rest); });
    }
    if (shouldAnimateIconsOut)
        runtime::send(this, Sel(shouldRainDownIcons ? "rainDownIcons" : "animateIconsOut"));
}

namespace {

OmbrelView* self_(Object* o) { return static_cast<OmbrelView*>(o); }
void createTrackImp(Object* self, Sel, bool stayHidden) { self_(self)->createTrack(stayHidden); }
void resetTrackImp(Object* self, Sel, bool stayHidden) { self_(self)->resetTrack(stayHidden); }
void hideTrackImp(Object* self, Sel) { self_(self)->hideTrack(); }
void showTrackImp(Object* self, Sel) { self_(self)->showTrack(); }
Point trackPointImp(Object* self, Sel, Point p) { return self_(self)->trackPoint(p); }
void trackEnabledImp(Object* self, Sel) { self_(self)->trackEnabled(); }
void trackDisabledImp(Object* self, Sel) { self_(self)->trackDisabled(); }

} // namespace

void OmbrelView::addTrackMethods(runtime::ClassBuilder& builder)
{
    builder.method("createTrack:", &createTrackImp)
        .method("resetTrack:", &resetTrackImp)
        .method("hideTrack", &hideTrackImp)
        .method("showTrack", &showTrackImp)
        .method("trackPoint:", &trackPointImp)
        .method("trackEnabled", &trackEnabledImp)
        .method("trackDisabled", &trackDisabledImp);
}

} // namespace ombrel
