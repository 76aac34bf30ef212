#include "host/lockscreen/Camera.h"
#include "host/Trace.h"
#include "host/SpringBoard.h"
#include "host/lockscreen/AwayController.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Screen.h"

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

AwayController* me(Object* self) { return static_cast<AwayController*>(self); }

// Where the lock screen rests, offset vertically.
void slideAwayView(AwayController* c, float offset)
{
    if (!c->awayView)
        return;
    runtime::Ref<AwayView> view = c->awayView;
    quartz::Rect screen = uikit::Screen::main()->bounds();
    uikit::View::animate(kCameraSlideDuration, [&] { view->setCenter({ quartz::midX(screen), quartz::midY(screen) + offset }); });
}

void prewarmCamera(Object* self, Sel) { me(self)->cameraPrewarmed = true; }
void setupCameraSlideUpAnimation(Object* self, Sel) { me(self)->cameraSetUp = true; }
void translateSlidingViewByY(Object* self, Sel, std::int32_t offset) { slideAwayView(me(self), float(offset)); }

void activateCamera(Object* self, Sel)
{
    AwayController* c = me(self);
    if (!c->active || c->cameraShowing)
        return;
    c->cameraShowing = true;
    c->stopDimTimer();
    c->cameraView = uikit::View::make("SBCameraPreviewView", uikit::Screen::main()->bounds());
    if (c->window && c->cameraView)
        c->window->insertSubviewAt(c->cameraView, 0);
    Trace::shared().record("cameraActivated");
}

void removeCameraPreviewViews(Object* self, Sel)
{
    AwayController* c = me(self);
    if (c->cameraView)
        c->cameraView->removeFromSuperview();
    c->cameraView = nullptr;
}

void tearDownCameraPreview(Object* self, Sel)
{
    AwayController* c = me(self);
    c->cameraPrewarmed = c->cameraSetUp = false;
    if (!c->cameraShowing)
        return;
    c->cameraShowing = false;
    slideAwayView(c, 0);
    Trace::shared().record("cameraClosed");
    if (!c->dimTimerCancelled)
        c->startDimTimer();
}

} // namespace

void registerCameraPreviewClass()
{
    if (wanted("SBCameraPreviewView"))
        runtime::ClassBuilder("SBCameraPreviewView", "UIView").instancesOf<uikit::View>().registerClass();
}

void registerCameraMethods(runtime::ClassBuilder& builder)
{
    builder.method("_prewarmCamera", &prewarmCamera)
        .method("_setupCameraSlideUpAnimation", &setupCameraSlideUpAnimation)
        .method("_translateSlidingViewByY:", &translateSlidingViewByY)
        .method("activateCamera", &activateCamera)
        .method("_removeCameraPreviewViews", &removeCameraPreviewViews)
        .method("_tearDownCameraPreview", &tearDownCameraPreview);
}

} // namespace host
