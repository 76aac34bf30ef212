#include "host/apps/Applications.h"
#include "host/SpringBoard.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

std::map<std::string, runtime::Ref<Application>>& applications()
{
    static std::map<std::string, runtime::Ref<Application>> apps;
    return apps;
}

Object* sharedInstance(Object* cls, Sel)
{
    static runtime::Ref<Object> controller = runtime::alloc(static_cast<runtime::Class*>(cls));
    return controller.get();
}

Object* applicationWithDisplayIdentifier(Object*, Sel, std::string identifier)
{
    return applicationWithIdentifier(identifier);
}

Application* me(Object* self) { return static_cast<Application*>(self); }
std::string bundleIdentifier(Object* self, Sel) { return me(self)->bundleIdentifier; }
std::string displayName(Object* self, Sel) { return me(self)->displayName; }
void setDisplaySetting(Object* self, Sel, std::int32_t setting, bool flag) { me(self)->displaySettings[setting] = flag; }
void clearDisplaySettings(Object* self, Sel) { me(self)->displaySettings.clear(); }
void clearActivationSettings(Object* self, Sel) { ++me(self)->activationSettingsCleared; }
void clearDeactivationSettings(Object* self, Sel) { ++me(self)->deactivationSettingsCleared; }

bool playLockSound(Object*, Sel) { return springBoard().profile.playLockSound; }

} // namespace

void registerApplicationClasses()
{
    if (wanted("SBApplicationController"))
        runtime::ClassBuilder("SBApplicationController", "NSObject")
            .instancesOf<Object>()
            .classMethod("sharedInstance", &sharedInstance)
            .method("applicationWithDisplayIdentifier:", &applicationWithDisplayIdentifier)
            .registerClass();
    if (wanted("SBApplication"))
        runtime::ClassBuilder("SBApplication", "NSObject")
            .instancesOf<Application>()
            .method("bundleIdentifier", &bundleIdentifier)
            .method("displayName", &displayName)
            .method("setDisplaySetting:flag:", &setDisplaySetting)
            .method("clearDisplaySettings", &clearDisplaySettings)
            .method("clearActivationSettings", &clearActivationSettings)
            .method("clearDeactivationSettings", &clearDeactivationSettings)
            .registerClass();
    if (wanted("SBSoundPreferences"))
        runtime::ClassBuilder("SBSoundPreferences", "NSObject")
            .instancesOf<Object>()
            .classMethod("playLockSound", &playLockSound)
            .registerClass();
}

Application* applicationWithIdentifier(const std::string& identifier)
{
    const InstalledApplication* installed = springBoard().profile.application(identifier);
    if (!installed)
        return nullptr;
    auto& slot = applications()[identifier];
    if (!slot) {
        runtime::Ref<Object> made = runtime::alloc(runtime::lookUpClass("SBApplication"));
        slot = runtime::Ref<Application>(static_cast<Application*>(made.get()));
        if (!slot)
            return nullptr;
        slot->bundleIdentifier = installed->bundleIdentifier;
        slot->displayName = installed->displayName;
    }
    return slot.get();
}

} // namespace host
