#include "settings/Utf8.h"

#include <gtest/gtest.h>
#include <string>

namespace ombrel {
namespace {

TEST(Utf8, Sequences)
{
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"plain ascii text, longer than eight bytes", true},
        {std::string("nul\0inside", 10), true},
        {"\xC3\xA9", true},              // é
        {"\xE2\x82\xAC", true},          // €
        {"\xF0\x9F\x98\x80", true},      // U+1F600
        {"\xF4\x8F\xBF\xBF", true},      // U+10FFFF
        {"\xED\x9F\xBF", true},          // U+D7FF, just below the surrogates
        {"\x80", false},                 // continuation without a lead
        {"\xC0\x80", false},             // overlong NUL
        {"\xC1\xBF", false},             // overlong
        {"\xE0\x9F\xBF", false},         // overlong three-byte form
        {"\xED\xA0\x80", false},         // surrogate U+D800
        {"\xF0\x8F\xBF\xBF", false},     // overlong four-byte form
        {"\xF4\x90\x80\x80", false},     // above U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\xFF", false},
        {"\xE2\x82", false},             // truncated at the end
        {"\xE2\x28\xA1", false},         // bad continuation
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << ::testing::PrintToString(c.bytes);
}

TEST(Utf8, FaultAtEveryPositionAroundTheWordSteps)
{
    // The ASCII fast path steps eight bytes at a time; a bad byte must be found at any offset,
    // and a good sequence straddling a step must pass.
    for (std::size_t at = 0; at < 24; ++at) {
        std::string text(24, 'a');
        text[at] = '\xFF';
        EXPECT_FALSE(isValidUtf8(text)) << at;
        if (at + 2 <= text.size()) {
            std::string good(24, 'a');
            good.replace(at, 2, "\xC3\xA9");
            EXPECT_TRUE(isValidUtf8(good)) << at;
        }
    }
}

} // namespace
} // namespace ombrel
