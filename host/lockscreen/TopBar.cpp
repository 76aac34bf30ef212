#include "host/SpringBoard.h"
#include "host/lockscreen/TopBar.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace host {

using quartz::Float;
using quartz::Point;
using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

runtime::Class* lcdBarClass() { static runtime::Class* cls = runtime::lookUpClass("TPLCDBar"); return cls; }
runtime::Class* dateViewClass() { static runtime::Class* cls = runtime::lookUpClass("SBAwayDateView"); return cls; }

Object* shadowImage(Object*, Sel)
{
    static runtime::Ref<uikit::Image> image = uikit::Image::named("LCDBarShadow");
    return image.get();
}
void barSetImage(Object* self, Sel cmd, Object* image) { runtime::sendSuper(lcdBarClass(), self, cmd, image); }
void barSetAlpha(Object* self, Sel cmd, Float alpha) { runtime::sendSuper(lcdBarClass(), self, cmd, alpha); }
void barSetFrame(Object* self, Sel cmd, Rect frame) { runtime::sendSuper(lcdBarClass(), self, cmd, frame); }

DateView* me(Object* self) { return static_cast<DateView*>(self); }

// A label of the date view, owned by it; the caller gets an autoreleased reference too.
Object* labelWithFontSize(Object* self, Sel, Float size, Point origin, Object* font)
{
    auto* f = static_cast<uikit::Font*>(font);
    auto label = uikit::Label::make(quartz::makeRect(origin.x, origin.y, me(self)->bounds().size.width - 2 * origin.x, size + 4));
    label->setFont(f ? uikit::Font::make(f->name, size).get() : uikit::Font::systemFont(size).get());
    label->setTextColor(uikit::Color::whiteColor());
    label->setTextAlignment(1);
    label->setBackgroundColor(uikit::Color::clearColor());
    me(self)->addSubview(label);
    return runtime::autorelease(label.leak());
}

runtime::Ref<uikit::View> makeLabel(DateView* v, Float size, Point origin, const char* fontName)
{
    static const Sel labelSel("labelWithFontSize:origin:fontName:");
    auto font = uikit::Font::make(fontName, size);
    return runtime::Ref<uikit::View>(static_cast<uikit::View*>(runtime::send<Object*>(v, labelSel, size, origin, font.get())));
}

Object* dateInitWithFrame(Object* self, Sel cmd, Rect frame)
{
    Object* made = runtime::sendSuper<Object*>(dateViewClass(), self, cmd, frame);
    DateView* v = me(made);
    if (!v)
        return nullptr;
    v->timeLabel = makeLabel(v, 60, { 0, 4 }, "LockClock-Light");
    v->dateLabel = makeLabel(v, 17, { 0, 70 }, uikit::kBoldSystemFontName);
    return made;
}

void resizeAndPositionNowPlayingLabels(Object* self, Sel)
{
    DateView* v = me(self);
    float width = v->bounds().size.width;
    if (v->titleLabel)
        v->titleLabel->setFrame(quartz::makeRect(0, 92, width, 18));
    if (v->artistLabel)
        v->artistLabel->setFrame(quartz::makeRect(0, 110, width, 16));
}

void setIsShowingControls(Object* self, Sel, bool showing)
{
    DateView* v = me(self);
    if (v->showingControls == showing)
        return;
    v->showingControls = showing;
    if (showing) {
        v->titleLabel = makeLabel(v, 13, { 0, 92 }, uikit::kBoldSystemFontName);
        v->artistLabel = makeLabel(v, 12, { 0, 110 }, uikit::kSystemFontName);
        static const Sel resize("resizeAndPositionNowPlayingLabels");
        runtime::send(v, resize);
    } else {
        for (auto* label : { &v->titleLabel, &v->artistLabel }) {
            if (*label)
                (*label)->removeFromSuperview();
            *label = nullptr;
        }
    }
}

} // namespace

void LCDBar::registerClass()
{
    if (wanted("TPLCDBar"))
        runtime::ClassBuilder("TPLCDBar", "UIImageView")
            .instancesOf<LCDBar>()
            .classMethod("shadowImage", &shadowImage)
            .method("setImage:", &barSetImage)
            .method("setAlpha:", &barSetAlpha)
            .method("setFrame:", &barSetFrame)
            .registerClass();
}

void DateView::registerClass()
{
    if (wanted("SBAwayDateView"))
        runtime::ClassBuilder("SBAwayDateView", "UIView")
            .instancesOf<DateView>()
            .method("initWithFrame:", &dateInitWithFrame)
            .method("labelWithFontSize:origin:fontName:", &labelWithFontSize)
            .method("resizeAndPositionNowPlayingLabels", &resizeAndPositionNowPlayingLabels)
            .method("setIsShowingControls:", &setIsShowingControls)
            .registerClass();
}

void DateView::updateClock()
{
    // The labels may come from a replacement: they are reached through the runtime only.
    static const Sel setText("setText:");
    runtime::send(timeLabel, setText, deviceTimeText("%H:%M"));
    runtime::send(dateLabel, setText, deviceTimeText("%A, %B %e"));
}

} // namespace host
