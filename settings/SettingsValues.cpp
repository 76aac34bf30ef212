#include "settings/SettingsValues.h"
#include "settings/DefaultSettings.h"

namespace ombrel {

using foundation::Value;

namespace {
const Value* lookUp(const Value& settings, std::string_view key)
{
    if (const Value* v = settings.find(key))
        return v;
    static const Value defaults = defaultSettings();
    return defaults.find(key);
}
} // namespace

bool settingBool(const Value& settings, std::string_view key)
{
    const Value* v = lookUp(settings, key);
    return v && v->boolValue();
}

double settingReal(const Value& settings, std::string_view key)
{
    const Value* v = lookUp(settings, key);
    return v ? v->doubleValue() : 0;
}

std::string settingString(const Value& settings, std::string_view key)
{
    const Value* v = lookUp(settings, key);
    const std::string* s = v ? v->asString() : nullptr;
    return s ? *s : std::string();
}

} // namespace ombrel
