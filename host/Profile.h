#pragma once
// The device profile the host boots from: <root>/var/ombrel/Device.plist, the installed
// applications (/Applications/<Name>.app/Info.plist) and the system version
// (/System/Library/CoreServices/SystemVersion.plist). Reads device paths, so the device root must
// be set first.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct InstalledApplication {
    std::string bundleIdentifier;
    std::string displayName;
};

struct Profile {
    std::string model;                       // "iPhone5,2"
    std::string systemVersion;               // "6.1"
    double systemVersionNumber = 0;          // 6.1; 5.1 for "5.1.1"
    double screenWidth = 320, screenHeight = 480;
    std::optional<std::string> passcode;     // none: the slider unlocks at once
    bool playLockSound = true;               // the device's lock sounds setting
    std::map<std::string, int> badges;       // bundle identifier -> badge number
    std::vector<InstalledApplication> applications; // sorted by folder name
    // Optional keys that turn on what BootOptions also offers (either turns it on).
    bool mediaControls = false;            // MediaControls
    bool charging = false;                 // Charging
    bool androidLock = false;              // AndroidLock
    std::vector<std::string> omitClasses;  // OmitClasses: host classes left out

    const InstalledApplication* application(const std::string& bundleIdentifier) const;
};

// Nothing (with the reason in `error`) when Device.plist is missing or not a dictionary.
std::optional<Profile> readProfile(std::string* error);

// "5.1.1" -> 5.1, "6.0" -> 6.0, "" -> 0: the first two components as a decimal number.
double versionNumber(const std::string& version);

} // namespace host
