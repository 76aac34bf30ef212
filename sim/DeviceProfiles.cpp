#include "sim/DeviceProfiles.h"

namespace ombrel::sim {

namespace {

// The applications of a stock phone that the settings and the lock view name; the music player
// kept its identifier when it was renamed from iPod to Music.
std::vector<ApplicationProfile> stockApplications(const char* musicName)
{
    return {
        {"AppStore", "com.apple.AppStore", "App Store", 3},
        {"MobileSMS", "com.apple.MobileSMS", "Messages", 2},
        {"MobileMail", "com.apple.mobilemail", "Mail", 14},
        {"Preferences", "com.apple.Preferences", "Settings", 0},
        {"MobileMusicPlayer", "com.apple.mobileipod", musicName, 0},
        {"Calculator", "com.apple.calculator", "Calculator", 0},
        {"MobileSafari", "com.apple.mobilesafari", "Safari", 0},
        {"MobilePhone", "com.apple.mobilephone", "Phone", 1},
        {"Camera", "com.apple.camera", "Camera", 0},
        {"MobileNotes", "com.apple.mobilenotes", "Notes", 0},
        {"MobileAddressBook", "com.apple.MobileAddressBook", "Contacts", 0},
        {"Weather", "com.apple.weather", "Weather", 0},
    };
}

} // namespace

const std::vector<DeviceProfile>& deviceProfiles()
{
    static const std::vector<DeviceProfile> profiles = {
        {"iphone4s-5.1.1", "iPhone4,1", "5.1.1", "9B206", 320, 480, {{"back", true}, {"front", false}},
            stockApplications("iPod")},
        {"iphone5-6.1", "iPhone5,2", "6.1", "10B143", 320, 568, {{"back", true}, {"front", false}},
            stockApplications("Music")},
    };
    return profiles;
}

const DeviceProfile* findDeviceProfile(std::string_view name)
{
    for (const DeviceProfile& profile : deviceProfiles()) {
        if (name == profile.name)
            return &profile;
    }
    return nullptr;
}

} // namespace ombrel::sim
