#pragma once
// Theme colours: a theme name ("_red") names a colour string of three fractions ("0.780|0.200|0.137")
// in the theme table; the using code names the alpha.

#include "platform/foundation/Value.h"
#include <optional>
#include <string_view>

namespace ombrel {

struct Color {
    double r = 0, g = 0, b = 0, a = 1;
    bool operator==(const Color&) const = default;
};

// The colour string of a theme name, or nothing for a name the table does not hold.
std::optional<std::string_view> themeColorString(std::string_view themeName);

// A colour string split at "|": exactly three parts give red, green and blue; anything else gives
// no colour.
std::optional<Color> colorFromString(std::string_view colorString, double alpha);

// The colour of a theme name; nothing when the name is not in the theme table.
std::optional<Color> themeColor(std::string_view themeName, double alpha);

// The colour named by a setting (a theme name under `key`); nothing when the value is not a string
// or not a theme name, and the caller then leaves the element's colour as it is.
std::optional<Color> themeColor(const foundation::Value& settings, std::string_view key, double alpha);

} // namespace ombrel
