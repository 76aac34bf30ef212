#include "sim/SettingEdit.h"

#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "sim/ValueText.h"

namespace ombrel::sim {

using foundation::Value;

namespace {

// The slots the settings pane fills hold bundle identifiers, also those without a default
// (kApp3, kApp4, kPopupApp3).
bool isSlot(const std::string& key)
{
    auto numbered = [&](std::string_view prefix, char last) {
        return key.size() == prefix.size() + 1 && key.starts_with(prefix) && key.back() >= '0' && key.back() <= last;
    };
    return numbered("kApp", '4') || numbered("kPopupApp", '3');
}

} // namespace

SettingValue settingValue(const std::string& key, const std::string& text, const std::string& typeName)
{
    Value::Kind tableKind = defaultSettingKind(key);
    if (tableKind == Value::Kind::Null && isSlot(key))
        tableKind = Value::Kind::String;
    Value::Kind kind = tableKind;
    if (!typeName.empty()) {
        auto named = parseKindName(typeName);
        if (!named)
            return { {}, "unknown type \"" + typeName + "\"; use bool, int, real or string" };
        if (tableKind != Value::Kind::Null && *named != tableKind)
            return { {}, key + " is a " + kindName(tableKind) + " setting, not " + kindName(*named) };
        kind = *named;
    } else if (tableKind == Value::Kind::Null) {
        return { {}, key + " is not a known setting; give its kind with --type bool|int|real|string" };
    }
    auto value = parseValue(text, kind);
    if (!value) {
        std::string why = "\"" + text + "\" is not a valid " + kindName(kind) + " for " + key;
        if (kind == Value::Kind::Boolean)
            why += " (use true/false, yes/no or 1/0)";
        return { {}, why };
    }
    return { std::move(value), {} };
}

bool writeSetting(const std::string& key, const Value& value)
{
    Value settings = loadSettings();
    settings.set(key, value);
    return writeSettings(settings);
}

} // namespace ombrel::sim
