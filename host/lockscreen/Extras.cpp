#include "host/SpringBoard.h"
#include "host/lockscreen/Extras.h"
#include "host/lockscreen/Camera.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/ImageView.h"

namespace host {

using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

void reflectionSetImage(Object* self, Sel cmd, Object* image)
{
    static runtime::Class* cls = runtime::lookUpClass("SBBatteryReflectionView");
    runtime::sendSuper(cls, self, cmd, image);
}

Object* assistantInitWithFrame(Object* self, Sel cmd, Rect frame)
{
    static runtime::Class* cls = runtime::lookUpClass("SBAssistantAwayBottomView");
    Object* made = runtime::sendSuper<Object*>(cls, self, cmd, frame);
    if (auto* v = static_cast<uikit::View*>(made))
        v->setUserInteractionEnabled(false);
    return made;
}

class PluginController : public Object {
public:
    runtime::Ref<uikit::View> view;
    bool visible = false;
};

Object* pluginView(Object* self, Sel) { return static_cast<PluginController*>(self)->view.get(); }
void viewWillAppear(Object* self, Sel, bool) { static_cast<PluginController*>(self)->visible = true; }

} // namespace

void registerLockScreenExtras()
{
    if (wanted("SBWallpaperView"))
        runtime::ClassBuilder("SBWallpaperView", "UIImageView").instancesOf<uikit::ImageView>().registerClass();
    if (wanted("SBBatteryReflectionView"))
        runtime::ClassBuilder("SBBatteryReflectionView", "UIImageView")
            .instancesOf<uikit::ImageView>()
            .method("setImage:", &reflectionSetImage)
            .registerClass();
    if (wanted("SBAssistantAwayBottomView"))
        runtime::ClassBuilder("SBAssistantAwayBottomView", "UIView")
            .instancesOf<uikit::View>()
            .method("initWithFrame:", &assistantInitWithFrame)
            .registerClass();
    if (wanted("SBAwayViewPluginController"))
        runtime::ClassBuilder("SBAwayViewPluginController", "NSObject")
            .instancesOf<PluginController>()
            .method("view", &pluginView)
            .method("viewWillAppear:", &viewWillAppear)
            .registerClass();
    registerCameraPreviewClass();
}

runtime::Ref<Object> makePluginController(Rect frame)
{
    runtime::Ref<Object> made = runtime::alloc(runtime::lookUpClass("SBAwayViewPluginController"));
    if (auto* c = static_cast<PluginController*>(made.get()))
        c->view = uikit::View::make("UIView", frame);
    return made;
}

} // namespace host
