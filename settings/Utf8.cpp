#include "settings/Utf8.h"

#include <cstdint>
#include <cstring>

namespace ombrel {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Length of the sequence a lead byte starts and the allowed range of its second byte (the ranges
// exclude overlong forms, surrogates and code points above U+10FFFF); 0 for a byte that cannot lead.
struct Lead {
    int length;
    unsigned char low, high;
};

Lead leadOf(unsigned char c)
{
    if (c >= 0xC2 && c <= 0xDF)
        return {2, 0x80, 0xBF};
    if (c == 0xE0)
        return {3, 0xA0, 0xBF};
    if (c == 0xED)
        return {3, 0x80, 0x9F};
    if (c >= 0xE1 && c <= 0xEF)
        return {3, 0x80, 0xBF};
    if (c == 0xF0)
        return {4, 0x90, 0xBF};
    if (c >= 0xF1 && c <= 0xF3)
        return {4, 0x80, 0xBF};
    if (c == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Eight ASCII bytes at a time: no byte with its high bit set.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & kHighBits)
                break;
            p += 8;
        }
        if (p == end)
            break;
        unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        Lead lead = leadOf(c);
        if (lead.length == 0 || end - p < lead.length)
            return false;
        if (p[1] < lead.low || p[1] > lead.high)
            return false;
        for (int i = 2; i < lead.length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += lead.length;
    }
    return true;
}

} // namespace ombrel
