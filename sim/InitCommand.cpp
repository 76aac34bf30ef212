#include "sim/InitCommand.h"

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/PropertyList.h"
#include "settings/SettingsStore.h"
#include "sim/DeviceProfiles.h"
#include "sim/RootFolder.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace ombrel::sim {

using foundation::Value;

namespace {

const char* const kEmptyFolders[] = {
    "/var/mobile/Library/Preferences",
    "/Library/Ombrel/SideViews",
    "/var/mobile/Library/Notes",
};

Value systemVersion(const DeviceProfile& profile)
{
    return Value::dictionary({
        {"ProductName", Value::string("iPhone OS")},
        {"ProductVersion", Value::string(profile.systemVersion)},
        {"ProductBuildVersion", Value::string(profile.buildVersion)},
    });
}

Value deviceDescription(const DeviceProfile& profile, const std::optional<std::string>& passcode)
{
    Value::Array cameras;
    for (const CameraProfile& camera : profile.cameras) {
        cameras.push_back(Value::dictionary({{"Position", Value::string(camera.position)},
            {"HasFlash", Value::boolean(camera.hasFlash)}}));
    }
    Value::Dictionary badges;
    for (const ApplicationProfile& application : profile.applications) {
        if (application.badge > 0)
            badges.emplace(application.identifier, Value::integer(application.badge));
    }
    Value description = Value::dictionary({
        {"Profile", Value::string(profile.name)},
        {"Model", Value::string(profile.model)},
        {"SystemVersion", Value::string(profile.systemVersion)},
        {"ScreenWidth", Value::integer(profile.screenWidth)},
        {"ScreenHeight", Value::integer(profile.screenHeight)},
        {"Cameras", Value::array(std::move(cameras))},
        {"Badges", Value::dictionary(std::move(badges))},
    });
    if (passcode)
        description.set("Passcode", Value::string(*passcode));
    return description;
}

Value applicationInfo(const ApplicationProfile& application)
{
    return Value::dictionary({{"CFBundleIdentifier", Value::string(application.identifier)},
        {"CFBundleDisplayName", Value::string(application.displayName)}});
}

bool isPasscode(const std::string& text)
{
    return text.size() >= 4 && text.size() <= 16
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A folder the command may make a device root in: missing, empty, already a device root, or any
// folder when forced.
bool mayWriteInto(const std::string& folder, bool force, std::ostream& err)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(folder, error))
        return true;
    if (!fs::is_directory(folder, error)) {
        err << "ombrel init: " << folder << " exists and is not a folder\n";
        return false;
    }
    if (force || isDeviceRoot(folder) || fs::is_empty(folder, error))
        return true;
    err << "ombrel init: " << folder << " is not empty and is not a device root (no "
        << kDeviceDescriptionPath + 1 << "); use --force to write into it anyway\n";
    return false;
}

bool writePlist(const std::string& devicePath, const Value& value)
{
    auto path = foundation::hostPath(devicePath);
    if (!path)
        return false;
    auto folder = std::filesystem::path(*path).parent_path().string();
    return foundation::createDirectories(folder) && foundation::writePropertyList(*path, value);
}

} // namespace

int runInit(const InitOptions& options, std::ostream& out, std::ostream& err)
{
    const DeviceProfile* profile = findDeviceProfile(options.profile);
    if (!profile) {
        err << "ombrel init: unknown profile \"" << options.profile << "\"; known profiles:";
        for (const DeviceProfile& known : deviceProfiles())
            err << ' ' << known.name;
        err << '\n';
        return 2;
    }
    if (options.passcode && !isPasscode(*options.passcode)) {
        err << "ombrel init: a passcode is 4 to 16 digits\n";
        return 2;
    }
    std::string root = options.root.empty() ? defaultDeviceRoot() : options.root;
    if (root.empty()) {
        err << "ombrel init: no --root given and neither XDG_DATA_HOME nor HOME is set\n";
        return 2;
    }
    root = absoluteFolder(root);
    if (root == "/") {
        err << "ombrel init: refusing to use / as a device root\n";
        return 2;
    }
    if (!mayWriteInto(root, options.force, err))
        return 2;
    bool reinit = isDeviceRoot(root);

    if (!foundation::createDirectories(root)) {
        err << "ombrel init: cannot make " << root << '\n';
        return 1;
    }
    foundation::setDeviceRoot(root);
    bool ok = true;
    auto put = [&](const std::string& devicePath, const Value& value) { ok = writePlist(devicePath, value) && ok; };
    put("/System/Library/CoreServices/SystemVersion.plist", systemVersion(*profile));
    put(kDeviceDescriptionPath, deviceDescription(*profile, options.passcode));
    for (const ApplicationProfile& application : profile->applications)
        put("/Applications/" + std::string(application.folder) + ".app/Info.plist", applicationInfo(application));
    for (const char* folder : kEmptyFolders) {
        auto path = foundation::hostPath(folder);
        ok = path && foundation::createDirectories(*path) && ok;
    }
    // The library's loader writes the settings file of a fresh device, as on the phone.
    Value settings = loadSettings();
    auto settingsPath = foundation::hostPath(kSettingsFilePath);
    bool haveSettings = settingsPath && foundation::fileExists(*settingsPath);
    if (!ok || !haveSettings) {
        err << "ombrel init: could not write every file of the device root " << root << '\n';
        return 1;
    }

    out << (reinit ? "Updated" : "Made") << " device root " << root << '\n'
        << "  profile  " << profile->name << " (" << profile->model << ", system " << profile->systemVersion
        << ", screen " << profile->screenWidth << "x" << profile->screenHeight << ", passcode "
        << (options.passcode ? "set" : "none") << ")\n"
        << "  wrote    /System/Library/CoreServices/SystemVersion.plist, " << kDeviceDescriptionPath << '\n'
        << "  apps     " << profile->applications.size() << " under /Applications\n"
        << "  folders  ";
    for (const char* folder : kEmptyFolders)
        out << folder << (folder == kEmptyFolders[std::size(kEmptyFolders) - 1] ? "\n" : ", ");
    out << "  settings " << kSettingsFilePath << " (" << settings.count() << " keys)\n";
    return 0;
}

} // namespace ombrel::sim
