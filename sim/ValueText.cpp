#include "sim/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace ombrel::sim {

using foundation::Value;

namespace {

std::string realText(double value)
{
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::to_string(value);
    if (std::isfinite(value) && text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

std::string hexText(const Value::Bytes& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

template<typename Number>
std::optional<Number> parseWhole(std::string_view text)
{
    Number value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace

std::string valueText(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::Null:
        return "(null)";
    case Value::Kind::Boolean:
        return value.boolValue() ? "true" : "false";
    case Value::Kind::Integer:
        return std::to_string(value.integerValue());
    case Value::Kind::Real:
        return realText(value.doubleValue());
    case Value::Kind::String:
        return nlohmann::json(*value.asString()).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    case Value::Kind::Data:
        return "<" + hexText(*value.asData()) + ">";
    case Value::Kind::Date:
        return valueJson(value).get<std::string>();
    case Value::Kind::Array: {
        std::string text = "(";
        const char* gap = "";
        for (const Value& element : *value.asArray()) {
            text += gap + valueText(element);
            gap = ", ";
        }
        return text + ")";
    }
    case Value::Kind::Dictionary: {
        std::string text = "{";
        for (const auto& [key, element] : *value.asDictionary())
            text += " " + key + " = " + valueText(element) + ";";
        return text + " }";
    }
    }
    return {};
}

nlohmann::json valueJson(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::Null:
        return nullptr;
    case Value::Kind::Boolean:
        return value.boolValue();
    case Value::Kind::Integer:
        return value.integerValue();
    case Value::Kind::Real:
        return value.doubleValue();
    case Value::Kind::String:
        return *value.asString();
    case Value::Kind::Data:
        return hexText(*value.asData());
    case Value::Kind::Date: {
        // Seconds since 2001-01-01 shown as a UTC time; 978307200 is that date in Unix time.
        std::time_t seconds = std::time_t(std::floor(*value.asDate() + 978307200.0));
        std::tm utc{};
        ::gmtime_r(&seconds, &utc);
        char buffer[32];
        std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &utc);
        return buffer;
    }
    case Value::Kind::Array: {
        nlohmann::json list = nlohmann::json::array();
        for (const Value& element : *value.asArray())
            list.push_back(valueJson(element));
        return list;
    }
    case Value::Kind::Dictionary: {
        nlohmann::json object = nlohmann::json::object();
        for (const auto& [key, element] : *value.asDictionary())
            object[key] = valueJson(element);
        return object;
    }
    }
    return nullptr;
}

std::optional<Value::Kind> parseKindName(std::string_view name)
{
    for (Value::Kind kind : {Value::Kind::Boolean, Value::Kind::Integer, Value::Kind::Real, Value::Kind::String}) {
        if (name == kindName(kind))
            return kind;
    }
    return std::nullopt;
}

const char* kindName(Value::Kind kind)
{
    switch (kind) {
    case Value::Kind::Boolean: return "bool";
    case Value::Kind::Integer: return "int";
    case Value::Kind::Real: return "real";
    case Value::Kind::String: return "string";
    default: return Value::kindName(kind);
    }
}

std::optional<Value> parseValue(std::string_view text, Value::Kind kind)
{
    switch (kind) {
    case Value::Kind::Boolean:
        for (const char* yes : {"true", "yes", "1"}) {
            if (equalsIgnoringCase(text, yes))
                return Value::boolean(true);
        }
        for (const char* no : {"false", "no", "0"}) {
            if (equalsIgnoringCase(text, no))
                return Value::boolean(false);
        }
        return std::nullopt;
    case Value::Kind::Integer:
        if (auto number = parseWhole<std::int64_t>(text))
            return Value::integer(*number);
        return std::nullopt;
    case Value::Kind::Real:
        if (auto number = parseWhole<double>(text); number && std::isfinite(*number))
            return Value::real(*number);
        return std::nullopt;
    case Value::Kind::String:
        return Value::string(std::string(text));
    default:
        return std::nullopt;
    }
}

} // namespace ombrel::sim
