#include "host/Profile.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/ProcessInfo.h"
#include "platform/foundation/PropertyList.h"
#include <cstdlib>

namespace host {

using foundation::Value;

const InstalledApplication* Profile::application(const std::string& bundleIdentifier) const
{
    for (const InstalledApplication& app : applications)
        if (app.bundleIdentifier == bundleIdentifier)
            return &app;
    return nullptr;
}

double versionNumber(const std::string& version)
{
    auto dot = version.find('.');
    if (dot == std::string::npos)
        return std::atof(version.c_str());
    auto second = version.find('.', dot + 1);
    return std::atof(version.substr(0, second).c_str());
}

namespace {

std::string stringOr(const Value& dict, const char* key, std::string fallback)
{
    const Value* v = dict.find(key);
    const std::string* s = v ? v->asString() : nullptr;
    return s ? *s : fallback;
}

std::vector<InstalledApplication> readApplications()
{
    std::vector<InstalledApplication> apps;
    auto folder = foundation::hostPath("/Applications");
    auto names = folder ? foundation::contentsOfDirectory(*folder) : std::nullopt;
    if (!names)
        return apps;
    for (const std::string& name : *names) {
        if (name.size() < 5 || name.compare(name.size() - 4, 4, ".app") != 0)
            continue;
        auto info = foundation::readPropertyList(*folder + "/" + name + "/Info.plist");
        if (!info || !info->asDictionary())
            continue;
        std::string identifier = stringOr(*info, "CFBundleIdentifier", "");
        if (identifier.empty())
            continue;
        apps.push_back({ identifier, stringOr(*info, "CFBundleDisplayName", name.substr(0, name.size() - 4)) });
    }
    return apps;
}

} // namespace

std::optional<Profile> readProfile(std::string* error)
{
    auto path = foundation::hostPath("/var/ombrel/Device.plist");
    auto device = path ? foundation::readPropertyList(*path) : std::nullopt;
    if (!device || !device->asDictionary()) {
        if (error)
            *error = "no readable device profile at /var/ombrel/Device.plist";
        return std::nullopt;
    }
    Profile p;
    p.model = stringOr(*device, "Model", "iPhone");
    p.systemVersion = foundation::systemVersionString();
    if (p.systemVersion.empty())
        p.systemVersion = stringOr(*device, "SystemVersion", "");
    p.systemVersionNumber = versionNumber(p.systemVersion);
    if (const Value* w = device->find("ScreenWidth"); w && w->isNumber() && w->doubleValue() > 0)
        p.screenWidth = w->doubleValue();
    if (const Value* h = device->find("ScreenHeight"); h && h->isNumber() && h->doubleValue() > 0)
        p.screenHeight = h->doubleValue();
    if (const Value* code = device->find("Passcode"); code && code->asString() && !code->asString()->empty())
        p.passcode = *code->asString();
    if (const Value* sound = device->find("PlayLockSound"); sound && sound->isNumber())
        p.playLockSound = sound->boolValue();
    if (const Value* badges = device->find("Badges"); badges && badges->asDictionary())
        for (const auto& [id, n] : *badges->asDictionary())
            if (n.isNumber())
                p.badges[id] = static_cast<int>(n.integerValue());
    for (auto [key, flag] : { std::pair { "MediaControls", &p.mediaControls }, { "Charging", &p.charging }, { "AndroidLock", &p.androidLock } })
        if (const Value* v = device->find(key); v && v->isNumber())
            *flag = v->boolValue();
    if (const Value* omit = device->find("OmitClasses"); omit && omit->asArray())
        for (const Value& name : *omit->asArray())
            if (name.asString())
                p.omitClasses.push_back(*name.asString());
    p.applications = readApplications();
    return p;
}

} // namespace host
