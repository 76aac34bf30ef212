#include "sim/SettingsCommand.h"

#include "platform/foundation/DeviceRoot.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "sim/RootFolder.h"
#include "sim/SettingEdit.h"
#include "sim/ValueText.h"

#include <ostream>

namespace ombrel::sim {

using foundation::Value;

namespace {

int show(bool json, std::ostream& out)
{
    Value settings = loadSettings();
    if (json) {
        out << valueJson(settings).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        return 0;
    }
    for (const auto& [key, value] : *settings.asDictionary())
        out << key << " = " << valueText(value) << '\n';
    return 0;
}

int get(const std::string& key, std::ostream& out, std::ostream& err)
{
    Value settings = loadSettings();
    const Value* value = settings.find(key);
    if (!value) {
        err << "ombrel settings: " << key << " is not set\n";
        return 1;
    }
    out << valueText(*value) << '\n';
    return 0;
}

int set(const SettingsOptions& options, std::ostream& out, std::ostream& err)
{
    // Checked before the loader runs, so that a refused request leaves the file as it was.
    SettingValue requested = settingValue(options.key, options.value, options.type);
    if (!requested.value) {
        err << "ombrel settings: " << requested.error << '\n';
        return 2;
    }
    const Value& value = *requested.value;
    if (!writeSetting(options.key, value)) {
        err << "ombrel settings: could not write the settings file\n";
        return 1;
    }
    out << options.key << " = " << valueText(value) << '\n';
    return 0;
}

int remove(const std::string& key, std::ostream& out, std::ostream& err)
{
    Value settings = loadSettings();
    if (!settings.erase(key)) {
        err << "ombrel settings: " << key << " is not set\n";
        return 1;
    }
    if (!writeSettings(settings)) {
        err << "ombrel settings: could not write the settings file\n";
        return 1;
    }
    out << "deleted " << key;
    if (defaultSettingKind(key) != Value::Kind::Null && !isAppSlotKey(key))
        out << "; the loader puts its default back at its next read";
    else if (isAppSlotKey(key))
        out << "; app slots are not filled back in, the slot stays empty";
    out << '\n';
    return 0;
}

} // namespace

int runSettings(const SettingsOptions& options, std::ostream& out, std::ostream& err)
{
    std::string root = absoluteFolder(options.root.empty() ? defaultDeviceRoot() : options.root);
    if (root.empty() || !isDeviceRoot(root)) {
        err << "ombrel settings: " << (root.empty() ? std::string("no device root") : root)
            << " is not a device root; make one with: ombrel init --root DIR\n";
        return 2;
    }
    foundation::setDeviceRoot(root);
    if (options.verb == "show")
        return show(options.json, out);
    if (options.verb == "get")
        return get(options.key, out, err);
    if (options.verb == "set")
        return set(options, out, err);
    if (options.verb == "delete")
        return remove(options.key, out, err);
    err << "ombrel settings: unknown verb " << options.verb << '\n';
    return 2;
}

} // namespace ombrel::sim
