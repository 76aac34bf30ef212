#include "settings/ThemeColor.h"

#include <array>
#include <charconv>
#include <utility>

namespace ombrel {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kThemeTable = {{
    {"_default", "0.000|0.000|0.000"},
    {"_white", "1.000|1.000|1.000"},
    {"_black", "0.000|0.000|0.000"},
    {"_purple", "0.275|0.047|0.447"},
    {"_red", "0.780|0.200|0.137"},
    {"_green", "0.165|0.612|0.608"},
    {"_pink", "0.941|0.063|0.475"},
}};

// Reads a part the way the platform reads a string as a number: leading blanks are skipped, leading
// number text counts, anything else is 0. from_chars keeps it independent of the process's locale.
double realValue(std::string_view part)
{
    while (!part.empty() && (part.front() == ' ' || part.front() == '\t'))
        part.remove_prefix(1);
    if (!part.empty() && part.front() == '+')
        part.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    (void)end;
    return error == std::errc() ? value : 0.0;
}

} // namespace

std::optional<std::string_view> themeColorString(std::string_view themeName)
{
    for (const auto& [name, color] : kThemeTable) {
        if (name == themeName)
            return color;
    }
    return std::nullopt;
}

std::optional<Color> colorFromString(std::string_view colorString, double alpha)
{
    std::array<std::string_view, 3> parts;
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = colorString.find('|', start);
        if (count == parts.size())
            return std::nullopt; // a fourth part
        parts[count++] = colorString.substr(start, bar == std::string_view::npos ? bar : bar - start);
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    if (count != parts.size())
        return std::nullopt;
    return Color{realValue(parts[0]), realValue(parts[1]), realValue(parts[2]), alpha};
}

std::optional<Color> themeColor(std::string_view themeName, double alpha)
{
    auto colorString = themeColorString(themeName);
    if (!colorString)
        return std::nullopt;
    return colorFromString(*colorString, alpha);
}

std::optional<Color> themeColor(const foundation::Value& settings, std::string_view key, double alpha)
{
    const foundation::Value* value = settings.find(key);
    const std::string* name = value ? value->asString() : nullptr;
    if (!name)
        return std::nullopt;
    return themeColor(*name, alpha);
}

} // namespace ombrel
