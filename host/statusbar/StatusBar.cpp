#include "host/SpringBoard.h"
#include "host/statusbar/StatusBar.h"
#include "host/lockscreen/AwayController.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Color.h"
#include "platform/uikit/Label.h"

namespace host {

using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

runtime::Class* statusBarClass() { static runtime::Class* cls = runtime::lookUpClass("UIStatusBar"); return cls; }
StatusBar* me(Object* self) { return static_cast<StatusBar*>(self); }

runtime::Ref<uikit::View> box(uikit::View& parent, Rect frame, uikit::Color* colour)
{
    auto v = uikit::View::make(frame);
    v->setBackgroundColor(colour);
    parent.addSubview(v.get());
    return v;
}

// The battery at the right end, always full: a white outline with its tip, the charge inside, and
// the percentage before it.
void addBattery(uikit::View& bar, quartz::Size size)
{
    const float right = size.width - 6, middle = size.height / 2;
    auto body = box(bar, quartz::makeRect(right - 24, middle - 5, 22, 10), uikit::Color::whiteColor());
    box(*body, quartz::makeRect(1, 1, 20, 8), uikit::Color::make(0, 0, 0, 0.6f).get());
    box(*body, quartz::makeRect(2, 2, 18, 6), uikit::Color::whiteColor());
    box(bar, quartz::makeRect(right - 2, middle - 2, 2, 4), uikit::Color::whiteColor());
    auto percent = uikit::Label::make(quartz::makeRect(right - 70, 2, 42, size.height - 4));
    percent->setFont(uikit::Font::boldSystemFont(12).get());
    percent->setTextAlignment(2);
    percent->setTextColor(uikit::Color::whiteColor());
    percent->setText("100%");
    bar.addSubview(percent.get());
}

Object* initWithFrame(Object* self, Sel cmd, Rect frame)
{
    Object* made = runtime::sendSuper<Object*>(statusBarClass(), self, cmd, frame);
    StatusBar* bar = me(made);
    if (!bar)
        return nullptr;
    bar->setUserInteractionEnabled(false);
    bar->background = uikit::View::make(quartz::makeRect(0, 0, frame.size.width, frame.size.height));
    bar->background->setBackgroundColor(uikit::Color::make(0.45f, 0.5f, 0.55f, 1).get());
    bar->addSubview(bar->background);
    auto label = uikit::Label::make(quartz::makeRect(0, 2, frame.size.width, frame.size.height - 4));
    label->setFont(uikit::Font::boldSystemFont(14).get());
    label->setTextAlignment(1);
    label->setTextColor(uikit::Color::whiteColor());
    bar->timeLabel = label;
    bar->addSubview(label);
    addBattery(*bar, frame.size);
    return made;
}

void crossfadeToNewBackgroundView(Object* self, Sel)
{
    StatusBar* bar = me(self);
    bar->backgroundStyle = bar->style;
    if (!bar->background)
        return;
    runtime::Ref<uikit::View> background = bar->background;
    runtime::Ref<uikit::Color> color = bar->style == 0 ? uikit::Color::make(0.45f, 0.5f, 0.55f, 1)
        : bar->style == 1                               ? uikit::Color::make(0, 0, 0, 1)
                                                        : uikit::Color::make(0, 0, 0, 0.5f);
    background->setBackgroundColor(color.get());
    background->setAlpha(0);
    uikit::View::animate(0.25, [&] { background->setAlpha(1); });
}

void requestStyle(Object* self, Sel, std::int32_t style, Object*)
{
    StatusBar* bar = me(self);
    bar->style = style;
    static const Sel crossfade("_crossfadeToNewBackgroundView"), showTime("shouldShowLockStatusBarTime");
    runtime::send(self, crossfade);
    // On the lock screen the date header shows the time, unless the away controller says otherwise.
    AwayController* away = AwayController::shared();
    bool lockScreen = away && away->active;
    if (bar->timeLabel)
        bar->timeLabel->setHidden(lockScreen && !runtime::send<bool>(away, showTime));
    static const Sel setText("setText:");
    runtime::send(bar->timeLabel, setText, deviceTimeText("%H:%M"));
}

std::int32_t styleMethod(Object* self, Sel) { return me(self)->style; }

} // namespace

void StatusBar::registerClass()
{
    if (wanted("UIStatusBar"))
        runtime::ClassBuilder("UIStatusBar", "UIView")
            .instancesOf<StatusBar>()
            .method("initWithFrame:", &initWithFrame)
            .method("_crossfadeToNewBackgroundView", &crossfadeToNewBackgroundView)
            .method("requestStyle:animationParameters:", &requestStyle)
            .method("style", &styleMethod)
            .registerClass();
}

} // namespace host
