#include "host/lockscreen/AwayView.h"
#include "host/SpringBoard.h"
#include "host/Trace.h"
#include "host/apps/HomeScreen.h"
#include "host/lockscreen/AwayController.h"
#include "host/lockscreen/Bulletins.h"
#include "host/lockscreen/Extras.h"
#include "host/lockscreen/LockBar.h"
#include "host/lockscreen/TopBar.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/ImageView.h"

namespace host {

using quartz::Point;
using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

AwayView* me(Object* self) { return static_cast<AwayView*>(self); }

runtime::Ref<uikit::View> decoration(const char* className, Rect frame)
{
    auto v = uikit::View::make(className, frame);
    if (v)
        v->setUserInteractionEnabled(false);
    return v;
}

Object* initWithFrame(Object* self, Sel cmd, Rect frame)
{
    static runtime::Class* cls = runtime::lookUpClass("SBAwayView");
    Object* made = runtime::sendSuper<Object*>(cls, self, cmd, frame);
    AwayView* v = me(made);
    if (!v)
        return nullptr;
    float w = frame.size.width, h = frame.size.height;
    static const Sel mediaControls("isShowingMediaControls"), setAlpha("setAlpha:"), setImage("setImage:"),
        shadowImage("shadowImage"), showControls("setIsShowingControls:"), viewWillAppear("viewWillAppear:"),
        charging("shouldShowChargingView"), lockBar("lockBar"), view("view");
    bool controls = runtime::send<bool>(AwayController::shared(), mediaControls);
    float barHeight = controls ? kTopBarHeightWithControls : kTopBarHeight;

    v->wallpaper = decoration("SBWallpaperView", quartz::makeRect(0, 0, w, h));
    v->addSubview(v->wallpaper);
    runtime::send(v->wallpaper, setImage, uikit::Image::named(wallpaperImageName())); // the tall screen has its own
    runtime::send(v->wallpaper, setAlpha, quartz::Float(1));

    v->bulletinController = makeBulletinListController(quartz::makeRect(0, barHeight, w, h - barHeight - kLockBarHeight));
    if (auto* list = static_cast<uikit::View*>(runtime::send<Object*>(v->bulletinController, view)))
        v->addSubview(list);

    v->topBar = decoration("TPLCDBar", quartz::makeRect(0, 0, w, barHeight));
    v->topBar->setFrame(quartz::makeRect(0, 0, w, barHeight));
    runtime::send(v->topBar, setImage, uikit::Image::named("LCDBarBackground"));
    v->addSubview(v->topBar);
    if (auto* shadow = runtime::send<Object*>(runtime::lookUpClass("TPLCDBar"), shadowImage)) {
        auto shadowView = uikit::ImageView::make(quartz::makeRect(0, barHeight, w, 8));
        shadowView->setImage(static_cast<uikit::Image*>(shadow));
        shadowView->setUserInteractionEnabled(false);
        v->addSubview(shadowView);
    }
    v->dateView = decoration("SBAwayDateView", quartz::makeRect(0, 0, w, barHeight));
    v->topBar->addSubview(v->dateView);
    if (controls) {
        runtime::send(v->dateView, showControls, true);
        v->pluginController = makePluginController(quartz::makeRect(0, barHeight, w, 100));
        runtime::send(v->pluginController, viewWillAppear, true);
        if (auto* plugin = static_cast<uikit::View*>(runtime::send<Object*>(v->pluginController, view)))
            v->addSubview(plugin);
    }

    v->lockBar = decoration("SBAwayLockBar", quartz::makeRect(0, h - kLockBarHeight, w, kLockBarHeight));
    v->addSubview(v->lockBar);

    if (runtime::send<bool>(v, charging)) {
        v->chargingView = decoration("SBBatteryReflectionView", quartz::makeRect(0, barHeight + 40, w, 120));
        runtime::send(v->chargingView, setImage, uikit::Image::named("BatteryReflection"));
        v->addSubview(v->chargingView);
    }
    // Lays the bar out through "lockBar", as every use of the bar does.
    if (auto* bar = static_cast<uikit::View*>(runtime::send<Object*>(v, lockBar)); bar && bar->superview() == v)
        bar->setFrame(quartz::makeRect(0, h - kLockBarHeight, w, kLockBarHeight));
    v->updateClock();
    return made;
}

Object* lockBarMethod(Object* self, Sel) { return me(self)->lockBar.get(); }
Object* awayTopBar(Object* self, Sel) { return me(self)->topBar.get(); }
Object* awayDateView(Object* self, Sel) { return me(self)->dateView.get(); }
Object* awayBulletinController(Object* self, Sel) { return me(self)->bulletinController.get(); }
bool canBecomeFirstResponder(Object*, Sel) { return true; }
bool shouldShowChargingView(Object*, Sel) { return springBoard().options.charging; }
void updateInCallInfo(Object*, Sel) { } // no call in progress on the simulated phone

// The assistant covers the bottom of the lock screen: the stock slider fades while it shows.
void noteAssistantWillAppear(Object* self, Sel)
{
    if (me(self)->lockBar)
        me(self)->lockBar->setAlpha(0);
}
void noteAssistantDidHide(Object* self, Sel)
{
    if (me(self)->lockBar)
        me(self)->lockBar->setAlpha(1);
}

// The slider in use, when the view's "lockBar" is the stock bar and still shows in this view.
LockBar* usableBar(AwayView* v)
{
    static const Sel lockBar("lockBar");
    static runtime::Class* barClass = runtime::lookUpClass("SBAwayLockBar");
    auto* bar = runtime::send<Object*>(v, lockBar);
    if (!runtime::isKindOfClass(bar, barClass))
        return nullptr;
    auto* stock = static_cast<LockBar*>(bar);
    if (stock->superview() != v || stock->isHidden() || stock->alpha() < 0.01f)
        return nullptr;
    return stock;
}

Point location(Object* touches, AwayView* v)
{
    static const Sel anyObject("anyObject"), locationInView("locationInView:");
    return runtime::send<Point>(runtime::send<Object*>(touches, anyObject), locationInView, static_cast<Object*>(v));
}

void awayTouchesBegan(Object* self, Sel, Object* touches, Object*)
{
    AwayView* v = me(self);
    LockBar* bar = usableBar(v);
    if (!bar || !bar->knob)
        return;
    Point p = location(touches, v);
    Rect knob = bar->knob->frame();
    Rect grab = quartz::makeRect(bar->frame().origin.x + knob.origin.x - 10, bar->frame().origin.y + knob.origin.y - 10,
        knob.size.width + 20, knob.size.height + 20);
    if (!quartz::rectContainsPoint(grab, p))
        return;
    v->sliding = true;
    v->grabOffset = p.x - bar->frame().origin.x - knob.origin.x;
    static const Sel cancel("cancelDimTimer");
    runtime::send(AwayController::shared(), cancel);
}

void awayTouchesMoved(Object* self, Sel, Object* touches, Object*)
{
    AwayView* v = me(self);
    LockBar* bar = v->sliding ? usableBar(v) : nullptr;
    if (bar)
        bar->setKnobX(location(touches, v).x - bar->frame().origin.x - v->grabOffset);
}

void finishSlide(AwayView* v, Object* touches, bool cancelled)
{
    if (!v->sliding)
        return;
    v->sliding = false;
    LockBar* bar = usableBar(v);
    if (bar && !cancelled)
        bar->setKnobX(location(touches, v).x - bar->frame().origin.x - v->grabOffset);
    static const Sel restart("restartDimTimer"), unlock("unlockWithSound:"), playLockSound("playLockSound");
    AwayController* controller = AwayController::shared();
    runtime::send(controller, restart);
    if (bar && !cancelled && bar->knobAtEnd()) {
        runtime::send(controller, unlock, runtime::send<bool>(runtime::lookUpClass("SBSoundPreferences"), playLockSound));
        return;
    }
    if (bar)
        bar->returnKnob();
}

void awayTouchesEnded(Object* self, Sel, Object* touches, Object*) { finishSlide(me(self), touches, false); }
void awayTouchesCancelled(Object* self, Sel, Object* touches, Object*) { finishSlide(me(self), touches, true); }

} // namespace

void AwayView::registerClass()
{
    if (wanted("SBAwayView"))
        runtime::ClassBuilder("SBAwayView", "SBSlidingAlertDisplay")
            .instancesOf<AwayView>()
            .method("initWithFrame:", &initWithFrame)
            .method("touchesBegan:withEvent:", &awayTouchesBegan)
            .method("touchesMoved:withEvent:", &awayTouchesMoved)
            .method("touchesEnded:withEvent:", &awayTouchesEnded)
            .method("touchesCancelled:withEvent:", &awayTouchesCancelled)
            .method("lockBar", &lockBarMethod)
            .method("topBar", &awayTopBar)
            .method("dateView", &awayDateView)
            .method("bulletinController", &awayBulletinController)
            .method("canBecomeFirstResponder", &canBecomeFirstResponder)
            .method("shouldShowChargingView", &shouldShowChargingView)
            .method("noteAssistantWillAppear", &noteAssistantWillAppear)
            .method("noteAssistantDidHide", &noteAssistantDidHide)
            .method("updateInCallInfo", &updateInCallInfo)
            .registerClass();
}

void AwayView::updateClock()
{
    if (auto* date = static_cast<DateView*>(dateView.get()))
        date->updateClock();
}

} // namespace host
