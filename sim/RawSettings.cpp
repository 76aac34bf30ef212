#include "sim/RawSettings.h"

#include "platform/foundation/DeviceRoot.h"
#include "settings/SettingsStore.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

namespace ombrel::sim {

using foundation::Value;

namespace {

std::optional<double> realText(const std::string& text)
{
    if (text == "nan")
        return std::numeric_limits<double>::quiet_NaN();
    if (text == "inf" || text == "-inf")
        return text[0] == '-' ? -INFINITY : INFINITY;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::string> hexBytes(const std::string& text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (ec != std::errc() || end != text.data() + i + 2)
            return std::nullopt;
        bytes.push_back(char(value));
    }
    return bytes;
}

std::string hexText(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text.push_back(digits[c >> 4]);
        text.push_back(digits[c & 15]);
    }
    return text;
}

std::optional<Value> parseRawValue(const std::string& kind, const std::string& text, std::string& error)
{
    error = "\"" + text + "\" is not a " + kind + " value";
    if (kind == "bool") {
        if (text != "true" && text != "false")
            return std::nullopt;
        return Value::boolean(text == "true");
    }
    if (kind == "int") {
        std::int64_t value = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size() || text.empty())
            return std::nullopt;
        return Value::integer(value);
    }
    if (kind == "real" || kind == "date") {
        auto value = realText(text);
        if (!value)
            return std::nullopt;
        return kind == "real" ? Value::real(*value) : Value::date(*value);
    }
    if (kind == "string")
        return Value::string(text);
    if (kind == "data") {
        auto bytes = hexBytes(text);
        if (!bytes)
            return std::nullopt;
        return Value::data(Value::Bytes(bytes->begin(), bytes->end()));
    }
    if (kind == "array" || kind == "dict") {
        if (text != "empty")
            return std::nullopt;
        return kind == "array" ? Value::array() : Value::dictionary();
    }
    error = "unknown kind \"" + kind + "\"; use bool, int, real, string, data, date, array or dict";
    return std::nullopt;
}

std::optional<std::string> garbleSettingsFile(const std::string& what)
{
    auto path = foundation::hostPath(kSettingsFilePath);
    if (!path)
        return std::nullopt;
    std::string bytes;
    if (what == "truncated") {
        std::ifstream in(*path, std::ios::binary);
        std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        bytes = whole.substr(0, whole.size() / 2);
    } else if (what != "empty") {
        auto decoded = hexBytes(what);
        if (!decoded)
            return std::nullopt;
        bytes = *decoded;
    }
    std::ofstream out(*path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        return std::nullopt;
    return bytes;
}

} // namespace ombrel::sim
