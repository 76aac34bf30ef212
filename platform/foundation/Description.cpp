// Descriptions of values, as "%@" prints them. Strings print as themselves (also inside lists, where
// the phone would quote some of them; nothing here parses descriptions back). Booleans print as
// 1 and 0, integers in decimal, reals as the shortest text that reads back as the same real
// ("0.1", "2", "1e+20"). Data prints as hex in groups of four bytes ("<0001ff02 03>"), a date as
// "2013-09-04 15:06:40 +0000" (UTC), nothing as "(null)". Lists and dictionaries print one element
// per line, indented four spaces per level:
//
//     (                    {
//         a,                   key = value;
//         b                    other = (
//     )                            1
//                              );
//                          }

#include "platform/foundation/Format.h"

#include <charconv>
#include <cmath>
#include <ctime>

namespace foundation {

namespace {

constexpr double kReferenceDateSince1970 = 978307200; // 2001-01-01 00:00:00 UTC

void appendReal(std::string& out, double d)
{
    if (std::isnan(d)) {
        out += "nan";
        return;
    }
    if (std::isinf(d)) {
        out += d < 0 ? "-inf" : "inf";
        return;
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, d);
    out.append(buffer, result.ptr);
}

void appendData(std::string& out, const Value::Bytes& bytes)
{
    static const char digits[] = "0123456789abcdef";
    out += '<';
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % 4 == 0)
            out += ' ';
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0xF];
    }
    out += '>';
}

void appendDate(std::string& out, double sinceReference)
{
    double since1970 = std::floor(sinceReference + kReferenceDateSince1970);
    std::tm parts {};
    // Outside what the C library can break down: show the seconds themselves.
    if (!std::isfinite(since1970) || std::fabs(since1970) > 1e15) {
        appendReal(out, sinceReference);
        return;
    }
    std::time_t seconds = static_cast<std::time_t>(since1970);
    if (!::gmtime_r(&seconds, &parts)) {
        appendReal(out, sinceReference);
        return;
    }
    char buffer[64];
    std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S +0000", &parts);
    out.append(buffer, n);
}

void appendDescription(std::string& out, const Value& value, int indent)
{
    std::string inner(static_cast<std::size_t>(indent) + 4, ' ');
    switch (value.kind()) {
    case Value::Kind::Null: out += "(null)"; break;
    case Value::Kind::Boolean: out += value.boolValue() ? '1' : '0'; break;
    case Value::Kind::Integer: out += std::to_string(value.integerValue()); break;
    case Value::Kind::Real: appendReal(out, value.doubleValue()); break;
    case Value::Kind::String: out += *value.asString(); break;
    case Value::Kind::Data: appendData(out, *value.asData()); break;
    case Value::Kind::Date: appendDate(out, *value.asDate()); break;
    case Value::Kind::Array: {
        out += "(\n";
        const auto& items = *value.asArray();
        for (std::size_t i = 0; i < items.size(); ++i) {
            out += inner;
            appendDescription(out, items[i], indent + 4);
            out += i + 1 < items.size() ? ",\n" : "\n";
        }
        out.append(static_cast<std::size_t>(indent), ' ');
        out += ')';
        break;
    }
    case Value::Kind::Dictionary: {
        out += "{\n";
        for (const auto& [key, item] : *value.asDictionary()) {
            out += inner;
            out += key;
            out += " = ";
            appendDescription(out, item, indent + 4);
            out += ";\n";
        }
        out.append(static_cast<std::size_t>(indent), ' ');
        out += '}';
        break;
    }
    }
}

} // namespace

std::string description(const Value& value)
{
    std::string out;
    appendDescription(out, value, 0);
    return out;
}

} // namespace foundation
