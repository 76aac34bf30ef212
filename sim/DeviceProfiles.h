#pragma once
// Device profiles: the phones `ombrel init` can make a device root for.

#include <string_view>
#include <vector>

namespace ombrel::sim {

struct CameraProfile {
    const char* position; // "back" or "front"
    bool hasFlash;
};

struct ApplicationProfile {
    const char* folder;      // "<folder>.app" under /Applications
    const char* identifier;  // CFBundleIdentifier
    const char* displayName; // CFBundleDisplayName
    int badge;               // badge number shown on its icon; 0 for none
};

struct DeviceProfile {
    const char* name;
    const char* model;         // "iPhone5,2"
    const char* systemVersion; // "6.1"
    const char* buildVersion;  // ProductBuildVersion
    int screenWidth, screenHeight; // points
    std::vector<CameraProfile> cameras;
    std::vector<ApplicationProfile> applications;
};

inline constexpr std::string_view kDefaultDeviceProfile = "iphone5-6.1";

const std::vector<DeviceProfile>& deviceProfiles();
const DeviceProfile* findDeviceProfile(std::string_view name);

} // namespace ombrel::sim
