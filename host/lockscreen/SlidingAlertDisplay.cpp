// "SBAlertView", "SBSlidingAlertDisplay" and the passcode keypad it slides in.
#include "host/SpringBoard.h"
#include "host/Trace.h"
#include "host/lockscreen/AwayController.h"
#include "host/lockscreen/AwayView.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

void placeKeypad(uikit::View* keypad, float y)
{
    quartz::Rect f = keypad->frame();
    f.origin.y = y;
    keypad->setFrame(f);
}

void keypadOut(runtime::Ref<SlidingAlertDisplay> display, runtime::Ref<uikit::View> keypad)
{
    keypad->removeFromSuperview();
    if (display->keypad.get() == keypad.get())
        display->keypad = nullptr;
    static const Sel didAnimateOut("didAnimateLockKeypadOut");
    runtime::send(AwayController::shared(), didAnimateOut);
}

void setShowingDeviceLock(Object* self, Sel, bool showing, bool animated)
{
    runtime::Ref<SlidingAlertDisplay> d(static_cast<SlidingAlertDisplay*>(self));
    if (showing == d->showingDeviceLock)
        return;
    d->showingDeviceLock = showing;
    float height = d->bounds().size.height;
    if (showing) {
        d->keypad = uikit::View::make("SBDeviceLockKeypad", d->bounds());
        placeKeypad(d->keypad, height);
        d->addSubview(d->keypad);
        runtime::Ref<uikit::View> keypad = d->keypad;
        uikit::View::animate(animated ? kKeypadDuration : 0, [&] { placeKeypad(keypad, 0); });
        Trace::shared().record("passcodeKeypadShown");
        return;
    }
    runtime::Ref<uikit::View> keypad = d->keypad;
    if (!keypad)
        return;
    if (!animated) {
        keypadOut(d, keypad);
        return;
    }
    uikit::View::animate(kKeypadDuration, [&] { placeKeypad(keypad, height); }, [d, keypad](bool) { keypadOut(d, keypad); });
}

// The keypad takes the touches that land on it; the digits are entered through the device.
void swallow(Object*, Sel, Object*, Object*) { }

} // namespace

void SlidingAlertDisplay::registerClasses()
{
    if (wanted("SBAlertView"))
        runtime::ClassBuilder("SBAlertView", "UIView").instancesOf<SlidingAlertDisplay>().registerClass();
    if (wanted("SBSlidingAlertDisplay"))
        runtime::ClassBuilder("SBSlidingAlertDisplay", "SBAlertView")
            .instancesOf<SlidingAlertDisplay>()
            .method("setShowingDeviceLock:animated:", &setShowingDeviceLock)
            .registerClass();
    if (wanted("SBDeviceLockKeypad"))
        runtime::ClassBuilder("SBDeviceLockKeypad", "UIView")
            .instancesOf<uikit::View>()
            .method("touchesBegan:withEvent:", &swallow)
            .method("touchesMoved:withEvent:", &swallow)
            .method("touchesEnded:withEvent:", &swallow)
            .method("touchesCancelled:withEvent:", &swallow)
            .registerClass();
}

} // namespace host
