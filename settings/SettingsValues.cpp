#include "settings/SettingsValues.h"
#include "settings/DefaultSettings.h"

#include <cmath>
#include <limits>

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
    double value = v ? v->doubleValue() : 0;
    if (std::isfinite(value) && std::abs(value) <= std::numeric_limits<float>::max())
        return value;
    // NaN, an infinity or a number past the 32-bit range the views compute in (no settings pane
    // writes one) would make every frame built from it meaningless: the default stands in.
    static const Value defaults = defaultSettings();
    const Value* fallback = defaults.find(key);
    return fallback && std::isfinite(fallback->doubleValue()) ? fallback->doubleValue() : 0;
}

std::string settingString(const Value& settings, std::string_view key)
{
    const Value* v = lookUp(settings, key);
    const std::string* s = v ? v->asString() : nullptr;
    return s ? *s : std::string();
}

} // namespace ombrel
