#include "settings/Utf8.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace ombrel {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// For each lead byte: the length of the sequence it starts and the allowed range of the second
// byte. The ranges leave out overlong forms (C0, C1, E0 80-9F, F0 80-8F), surrogates (ED A0-BF)
// and code points above U+10FFFF (F4 90-BF, F5-FF); length 0 marks a byte that cannot lead.
struct Lead {
    std::uint8_t length, low, high;
};

constexpr std::array<Lead, 256> makeLeads()
{
    std::array<Lead, 256> leads{};
    for (int c = 0xC2; c <= 0xDF; ++c)
        leads[c] = {2, 0x80, 0xBF};
    for (int c = 0xE0; c <= 0xEF; ++c)
        leads[c] = {3, 0x80, 0xBF};
    leads[0xE0].low = 0xA0;
    leads[0xED].high = 0x9F;
    for (int c = 0xF0; c <= 0xF4; ++c)
        leads[c] = {4, 0x80, 0xBF};
    leads[0xF0].low = 0x90;
    leads[0xF4].high = 0x8F;
    return leads;
}

constexpr std::array<Lead, 256> kLeads = makeLeads();

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
        // Then one character at a time until the next ASCII byte, where the word steps resume.
        while (p < end) {
            unsigned char c = *p;
            if (c < 0x80) {
                ++p;
                break;
            }
            const Lead lead = kLeads[c];
            if (lead.length == 0 || end - p < lead.length || p[1] < lead.low || p[1] > lead.high)
                return false;
            if (lead.length > 2 && (p[2] & 0xC0) != 0x80)
                return false;
            if (lead.length > 3 && (p[3] & 0xC0) != 0x80)
                return false;
            p += lead.length;
        }
    }
    return true;
}

} // namespace ombrel
