#pragma once
// Applications. "SBApplicationController" ("sharedInstance", class method Object*()) answers
// "applicationWithDisplayIdentifier:" Object*(std::string): the "SBApplication" of an application
// installed under /Applications, nothing for any other identifier. "SBApplication":
// "bundleIdentifier" and "displayName" std::string(), "setDisplaySetting:flag:"
// void(std::int32_t, bool), "clearDisplaySettings", "clearActivationSettings",
// "clearDeactivationSettings" void(). "SBSoundPreferences": class method "playLockSound" bool()
// from the device profile.

#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <cstdint>
#include <map>
#include <string>

namespace host {

class Application : public runtime::Object {
public:
    std::string bundleIdentifier;
    std::string displayName;
    std::map<std::int32_t, bool> displaySettings;
    int activationSettingsCleared = 0;
    int deactivationSettingsCleared = 0;
};

void registerApplicationClasses();
// The application object for an identifier (the same object every time); nothing when unknown.
Application* applicationWithIdentifier(const std::string& bundleIdentifier);

} // namespace host
