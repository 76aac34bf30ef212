#include "host/lockscreen/LockBar.h"
#include "host/SpringBoard.h"
#include "host/lockscreen/AwayView.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/ImageView.h"
#include <algorithm>

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

Object* initWithFrame(Object* self, Sel cmd, quartz::Rect frame)
{
    static runtime::Class* cls = runtime::lookUpClass("SBAwayLockBar");
    Object* made = runtime::sendSuper<Object*>(cls, self, cmd, frame);
    auto* bar = static_cast<LockBar*>(made);
    if (!bar)
        return nullptr;
    bar->setUserInteractionEnabled(false);
    // The track's artwork is the whole bar, its glass with the slot the knob travels in.
    auto track = uikit::ImageView::make(uikit::Image::named("LockBarTrack"));
    track->setFrame(quartz::makeRect(0, 0, frame.size.width, frame.size.height));
    bar->addSubview(track);
    auto knob = uikit::ImageView::make(uikit::Image::named("LockBarKnob"));
    knob->setFrame(quartz::makeRect(kLockBarInset, (frame.size.height - kKnobHeight) / 2, kKnobWidth, kKnobHeight));
    bar->knob = knob;
    bar->addSubview(knob);
    return made;
}

} // namespace

void LockBar::registerClass()
{
    if (wanted("SBAwayLockBar"))
        runtime::ClassBuilder("SBAwayLockBar", "UIView")
            .instancesOf<LockBar>()
            .method("initWithFrame:", &initWithFrame)
            .registerClass();
}

float LockBar::knobMinX() const { return kLockBarInset; }
float LockBar::knobMaxX() const { return bounds().size.width - kLockBarInset - kKnobWidth; }
float LockBar::knobX() const { return knob ? knob->frame().origin.x : 0; }

void LockBar::setKnobX(float x)
{
    if (!knob)
        return;
    quartz::Rect f = knob->frame();
    f.origin.x = std::clamp(x, knobMinX(), knobMaxX());
    knob->setFrame(f);
}

void LockBar::returnKnob()
{
    runtime::Ref<LockBar> self(this);
    uikit::View::animate(kLockBarReturnDuration, [&] { self->setKnobX(self->knobMinX()); });
}

} // namespace host
