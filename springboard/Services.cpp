#include "springboard/Services.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <cstdint>

namespace ombrel::services {

using runtime::Object;
using runtime::Sel;

// Looked up on first use and remembered, as the library does not link the host.
runtime::Class* hostClass(const char* name, runtime::Class*& cache)
{
    if (!cache)
        cache = runtime::lookUpClass(name);
    return cache;
}

Object* awayController()
{
    static runtime::Class* cls = nullptr;
    static const Sel shared("sharedAwayController");
    return runtime::send<Object*>(hostClass("SBAwayController", cls), shared);
}

void cancelDimTimer()
{
    static const Sel s("cancelDimTimer");
    runtime::send(awayController(), s);
}

void restartDimTimer()
{
    static const Sel s("restartDimTimer");
    runtime::send(awayController(), s);
}

void unlockWithSound(bool sound)
{
    static const Sel s("unlockWithSound:");
    runtime::send(awayController(), s, sound);
}

bool playLockSound()
{
    static runtime::Class* cls = nullptr;
    static const Sel s("playLockSound");
    return runtime::send<bool>(hostClass("SBSoundPreferences", cls), s);
}

void openCamera()
{
    Object* controller = awayController();
    runtime::send(controller, Sel("_prewarmCamera"));
    runtime::send(controller, Sel("_setupCameraSlideUpAnimation"));
    runtime::send(controller, Sel("_translateSlidingViewByY:"), std::int32_t(-600));
    runtime::send(controller, Sel("activateCamera"));
}

bool isShowingMediaControls()
{
    static const Sel s("isShowingMediaControls");
    return runtime::send<bool>(awayController(), s);
}

bool isAndroidLockEnabled()
{
    static const Sel s("isAndroidLockEnabled");
    Object* controller = awayController();
    return runtime::respondsToSelector(controller, s) && runtime::send<bool>(controller, s);
}

void showTestBulletin()
{
    static const Sel s("showTestBulletin");
    runtime::send(awayController(), s);
}

Object* applicationWithDisplayIdentifier(const std::string& bundleID)
{
    static runtime::Class* cls = nullptr;
    static const Sel shared("sharedInstance"), find("applicationWithDisplayIdentifier:");
    Object* controller = runtime::send<Object*>(hostClass("SBApplicationController", cls), shared);
    return runtime::send<Object*>(controller, find, bundleID);
}

Object* iconModel()
{
    static runtime::Class* cls = nullptr;
    static const Sel shared("sharedInstance");
    return runtime::ivarObject(runtime::send<Object*>(hostClass("SBIconController", cls), shared), "_iconModel");
}

Object* applicationIcon(Object* model, const std::string& bundleID)
{
    static const Sel s("applicationIconForDisplayIdentifier:");
    return runtime::send<Object*>(model, s, bundleID);
}

} // namespace ombrel::services
