// printf with "%@". The format is walked here; each ordinary conversion is handed to snprintf as a
// format of its own ("%-08.3lf"), with the one argument pulled from the va_list at the type its
// length modifier names. A conversion that does not parse is copied to the output as it stands and
// takes no argument. "%n" takes its pointer and writes nothing. Widths and precisions are clamped
// to kMaxField so that a hostile format cannot ask for gigabytes.

#include "platform/foundation/Format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <sys/types.h>

namespace foundation {

namespace {

constexpr int kMaxField = 4096;

enum class Length { None, hh, h, l, ll, z, j, t, L };

struct Conversion {
    std::string spec; // the conversion as snprintf will see it, '*' kept
    int stars = 0;
    int starValues[2] = { 0, 0 };
    char type = 0;
    Length length = Length::None;
    bool plain = true; // no flags, width or precision
};

// Parses the conversion starting after '%' at `p` and moves `p` past it. When it is malformed,
// answers false with `p` at the character where it went wrong (or at the end).
bool parseConversion(const char*& p, Conversion& c)
{
    c.spec = "%";
    while (*p && std::strchr("-+ #0'", *p)) {
        c.spec += *p++;
        c.plain = false;
    }
    auto field = [&] {
        if (*p == '*') {
            c.spec += *p++;
            ++c.stars;
            c.plain = false;
            return;
        }
        int value = 0;
        bool any = false;
        while (*p >= '0' && *p <= '9') {
            value = std::min(kMaxField, value * 10 + (*p++ - '0'));
            any = true;
        }
        if (any) {
            c.spec += std::to_string(value);
            c.plain = false;
        }
    };
    field();
    if (*p == '.') {
        c.spec += *p++;
        c.plain = false;
        field();
    }
    static const struct {
        const char* text;
        Length length;
    } lengths[] = { { "hh", Length::hh }, { "ll", Length::ll }, { "h", Length::h }, { "l", Length::l },
        { "z", Length::z }, { "j", Length::j }, { "t", Length::t }, { "L", Length::L } };
    for (const auto& candidate : lengths) {
        std::size_t n = std::strlen(candidate.text);
        if (std::strncmp(p, candidate.text, n) == 0) {
            c.spec += candidate.text;
            c.length = candidate.length;
            p += n;
            break;
        }
    }
    c.type = *p;
    if (!c.type)
        return false;
    bool integerLength = c.length != Length::L;
    bool valid = false;
    switch (c.type) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': valid = integerLength; break;
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
        valid = c.length == Length::None || c.length == Length::l || c.length == Length::L;
        break;
    case 'c': case 's': valid = c.length == Length::None || c.length == Length::l; break;
    case 'p': case '@': case '%': valid = c.length == Length::None; break;
    case 'n': valid = true; break;
    default: valid = false;
    }
    if (!valid)
        return false;
    c.spec += c.type;
    ++p;
    return true;
}

template<typename T>
void appendOne(std::string& out, const Conversion& c, T argument)
{
    char buffer[256];
    auto run = [&](char* into, std::size_t size) {
        switch (c.stars) {
        case 0: return std::snprintf(into, size, c.spec.c_str(), argument);
        case 1: return std::snprintf(into, size, c.spec.c_str(), c.starValues[0], argument);
        default: return std::snprintf(into, size, c.spec.c_str(), c.starValues[0], c.starValues[1], argument);
        }
    };
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    int n = run(buffer, sizeof buffer);
    if (n < 0)
        return;
    if (static_cast<std::size_t>(n) < sizeof buffer) {
        out.append(buffer, static_cast<std::size_t>(n));
        return;
    }
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    run(big.data(), big.size());
#pragma GCC diagnostic pop
    big.resize(static_cast<std::size_t>(n));
    out += big;
}

} // namespace

std::string formatV(const char* format, va_list arguments)
{
    if (!format)
        return {};
    std::string out;
    va_list ap;
    va_copy(ap, arguments);
    const char* p = format;
    while (*p) {
        const char* percent = std::strchr(p, '%');
        if (!percent) {
            out += p;
            break;
        }
        out.append(p, percent);
        Conversion c;
        p = percent + 1;
        if (!parseConversion(p, c)) {
            if (*p)
                ++p;
            out.append(percent, p);
            continue;
        }
        for (int i = 0; i < c.stars; ++i)
            c.starValues[i] = std::clamp(va_arg(ap, int), -kMaxField, kMaxField);

        switch (c.type) {
        case '%': out += '%'; break;
        case 'd': case 'i':
            switch (c.length) {
            case Length::l: appendOne(out, c, va_arg(ap, long)); break;
            case Length::ll: appendOne(out, c, va_arg(ap, long long)); break;
            case Length::z: appendOne(out, c, va_arg(ap, ssize_t)); break;
            case Length::j: appendOne(out, c, va_arg(ap, intmax_t)); break;
            case Length::t: appendOne(out, c, va_arg(ap, ptrdiff_t)); break;
            default: appendOne(out, c, va_arg(ap, int)); break; // hh and h arrive promoted
            }
            break;
        case 'u': case 'x': case 'X': case 'o':
            switch (c.length) {
            case Length::l: appendOne(out, c, va_arg(ap, unsigned long)); break;
            case Length::ll: appendOne(out, c, va_arg(ap, unsigned long long)); break;
            case Length::z: appendOne(out, c, va_arg(ap, size_t)); break;
            case Length::j: appendOne(out, c, va_arg(ap, uintmax_t)); break;
            case Length::t: appendOne(out, c, va_arg(ap, ptrdiff_t)); break;
            default: appendOne(out, c, va_arg(ap, unsigned)); break;
            }
            break;
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
            if (c.length == Length::L)
                appendOne(out, c, va_arg(ap, long double));
            else
                appendOne(out, c, va_arg(ap, double));
            break;
        case 'c':
            if (c.length == Length::l)
                appendOne(out, c, static_cast<wint_t>(va_arg(ap, wint_t)));
            else
                appendOne(out, c, va_arg(ap, int));
            break;
        case 's':
            if (c.length == Length::l) {
                const wchar_t* text = va_arg(ap, const wchar_t*);
                appendOne(out, c, text ? text : L"(null)");
            } else {
                const char* text = va_arg(ap, const char*);
                appendOne(out, c, text ? text : "(null)");
            }
            break;
        case 'p': appendOne(out, c, va_arg(ap, void*)); break;
        case 'n': (void)va_arg(ap, void*); break;
        case '@': {
            const Value* value = va_arg(ap, const Value*);
            std::string text = value ? description(*value) : std::string("(null)");
            if (c.plain) {
                out += text;
            } else {
                c.spec.back() = 's';
                appendOne(out, c, text.c_str());
            }
            break;
        }
        }
    }
    va_end(ap);
    return out;
}

std::string format(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::string out = formatV(format, arguments);
    va_end(arguments);
    return out;
}

} // namespace foundation
