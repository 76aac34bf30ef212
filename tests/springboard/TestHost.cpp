#include "tests/springboard/TestHost.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Screen.h"
#include "springboard/Hook.h"
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>

using namespace runtime;
using quartz::Float;
using quartz::Rect;

namespace testhost {

std::vector<std::string>& calls()
{
    static std::vector<std::string> c;
    return c;
}

namespace {

std::string who(Object* self, Sel cmd)
{
    return self->isa()->name() + " " + cmd.name();
}
void record0(Object* self, Sel cmd) { calls().push_back(who(self, cmd)); }
void recordObject(Object* self, Sel cmd, Object* arg)
{
    calls().push_back(who(self, cmd) + (arg ? " object" : " nil"));
}
void recordBool(Object* self, Sel cmd, bool b) { calls().push_back(who(self, cmd) + (b ? " YES" : " NO")); }
void recordFloat(Object* self, Sel cmd, Float f) { calls().push_back(who(self, cmd) + " " + std::to_string(f)); }
void recordTouches(Object* self, Sel cmd, Object*, Object*) { calls().push_back(who(self, cmd)); }
Object* initWithFrame(Object* self, Sel cmd, Rect r)
{
    calls().push_back(who(self, cmd) + " " + std::to_string(int(r.size.width)));
    return self;
}
Object* lockBar(Object* self, Sel cmd)
{
    calls().push_back(who(self, cmd));
    return self;
}
Object* shadowImage(Object* self, Sel cmd)
{
    calls().push_back(who(self, cmd));
    return self; // the class itself stands for an image here
}
int wrongType(Object* self, Sel cmd)
{
    calls().push_back(who(self, cmd));
    return 3;
}
Object* displayStackInit(Object* self, Sel cmd)
{
    calls().push_back(who(self, cmd));
    return self;
}
void displayStackDealloc(Object* self, Sel cmd)
{
    calls().push_back(who(self, cmd));
    sendSuper(lookUpClass("SBDisplayStack"), self, cmd);
}
std::string topApplication(Object* self, Sel cmd)
{
    calls().push_back(who(self, cmd));
    return "com.apple.host";
}

void registerClasses(const Options& options)
{
    // The platform's view classes come with the uikit library, loaded before the host's classes.
    uikit::Screen::main();
    // The platform's UIView is the base; TestBaseView has its own recorded setAlpha:, which the
    // wallpaper view below only inherits.
    ClassBuilder("TestBaseView", "UIView").method("setAlpha:", &recordFloat).registerClass();
    ClassBuilder("SBAlertWindow", "UIView")
        .method("displayAlert:", &recordObject)
        .method("deactivateAlert:", &recordObject)
        .registerClass();
    // Has most of the controller's methods, but not `activate`, and one of another type.
    ClassBuilder("SBAwayController", "NSObject")
        .instancesOf<Object>()
        .method("setLocked:", &recordBool)
        .method("setDeviceLocked:", &recordBool)
        .method("_awayViewFinishedAnimatingOut:", &recordObject)
        .method("_finishedUnlockAttemptWithStatus:", &recordBool)
        .method("didAnimateLockKeypadOut", &record0)
        .method("_removeCameraPreviewViews", &record0)
        .method("_tearDownCameraPreview", &record0)
        .method("shouldShowLockStatusBarTime", &wrongType)
        .registerClass();
    ClassBuilder("SBAwayView", "UIView")
        .method("initWithFrame:", &initWithFrame)
        .method("touchesBegan:withEvent:", &recordTouches)
        .method("touchesMoved:withEvent:", &recordTouches)
        .method("touchesEnded:withEvent:", &recordTouches)
        .method("touchesCancelled:withEvent:", &recordTouches)
        .method("lockBar", &lockBar)
        .method("hideLockBar", &record0) // already present: the library's must not override it
        .registerClass();
    ClassBuilder("SBWallpaperView", "TestBaseView").registerClass(); // only inherits setAlpha:
    ClassBuilder("TPLCDBar", "UIView")
        .classMethod("shadowImage", &shadowImage)
        .method("setImage:", &recordObject)
        .registerClass();
    ClassBuilder("SBDisplayStack", "NSObject")
        .instancesOf<Object>()
        .method("init", &displayStackInit)
        .method("dealloc", &displayStackDealloc)
        .registerClass();
    if (options.workspace) {
        ClassBuilder("BKSWorkspace", "NSObject")
            .instancesOf<Object>()
            .method("topApplication", &topApplication)
            .method("_receiveApplicationDidActivate:", &recordObject)
            .registerClass();
    }
}

std::string g_root;

std::string makeRoot()
{
    std::string templ = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/ombrel-hooks.XXXXXX";
    char* dir = mkdtemp(templ.data());
    EXPECT_NE(dir, nullptr);
    return dir ? dir : "";
}

} // namespace

void boot(const Options& options)
{
    calls().clear();
    registerClasses(options);
    g_root = makeRoot();
    foundation::setDeviceRoot(g_root);
    auto folder = foundation::hostPath("/System/Library/CoreServices");
    ASSERT_TRUE(folder && foundation::createDirectories(*folder));
    foundation::Value plist = foundation::Value::dictionary();
    plist.set("ProductName", foundation::Value::string("iPhone OS"));
    if (!options.systemVersion.empty())
        plist.set("ProductVersion", foundation::Value::string(options.systemVersion));
    ASSERT_TRUE(foundation::writePropertyList(*folder + "/SystemVersion.plist", plist));
}

void shutdown()
{
    if (!g_root.empty())
        std::filesystem::remove_all(g_root);
    foundation::setDeviceRoot("");
}

void* loadLibrary()
{
    void* handle = dlopen(OMBREL_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(handle, nullptr) << dlerror();
    return handle;
}

std::vector<Record> installationReport(void* library)
{
    using Report = const ombrel::HookRecord* (*)(std::size_t*);
    auto report = reinterpret_cast<Report>(dlsym(library, "ombrelInstallationReport"));
    std::vector<Record> out;
    if (!report)
        return out;
    std::size_t n = 0;
    const ombrel::HookRecord* r = report(&n);
    for (std::size_t i = 0; i < n; ++i)
        out.push_back({ r[i].className, r[i].selector, r[i].kind == ombrel::HookEntry::Kind::Replace ? "R" : "A",
            ombrel::outcomeName(r[i].outcome) });
    return out;
}

} // namespace testhost
