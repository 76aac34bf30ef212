#include "platform/foundation/Format.h"

#include <gtest/gtest.h>

using namespace foundation;

namespace {

struct FormatCase {
    const char* label;
    std::string produced;
    std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.label; }

class FoundationFormat : public testing::TestWithParam<FormatCase> { };

TEST_P(FoundationFormat, PrintsLikeThePlatform)
{
    EXPECT_EQ(GetParam().produced, GetParam().expected);
}

const Value kString = Value::string("hello");
const Value kArray = Value::array({ Value::string("a"), Value::integer(2), Value::boolean(true) });
const Value kNested = Value::dictionary({
    { "kTrackSize", Value::real(0.5) },
    { "apps", Value::array({ Value::string("com.example.mail"), Value::dictionary() }) },
    { "inner", Value::dictionary({ { "x", Value::integer(-1) } }) },
});
const Value kMisc = Value::array({ Value::data({ 0, 1, 0xab, 0xff, 2 }), Value::date(400000000), Value(),
    Value::real(1e20), Value::array() });

INSTANTIATE_TEST_SUITE_P(Table, FoundationFormat, testing::Values(
    FormatCase { "Integer", format("%d|%i|%5d|%-5d|%05d", 42, -7, 42, 42, -42), "42|-7|   42|42   |-0042" },
    FormatCase { "Lengths", format("%hhd %hd %ld %lld %zu %jd %td %lu", 300, 70000, -1L, 1LL << 40, size_t(7),
        intmax_t(-3), ptrdiff_t(9), 5UL), "44 4464 -1 1099511627776 7 -3 9 5" },
    FormatCase { "Unsigned", format("%u %x %X %#o %#x", 4000000000u, 255u, 255u, 8u, 0u), "4000000000 ff FF 010 0" },
    FormatCase { "Reals", format("%5.2f|%e|%g|%.3g|%a|%Lf", 3.14159, 1500.0, 0.0001, 2.0 / 3, 1.0, 2.5L),
        " 3.14|1.500000e+03|0.0001|0.667|0x1p+0|2.500000" },
    FormatCase { "Stars", format("[%*d][%-*d][%.*f]", 4, 7, 3, 1, 2, 1.0 / 3), "[   7][1  ][0.33]" },
    FormatCase { "Strings", format("%s|%.2s|%4s|%c", "abc", "abc", "x", 'z'), "abc|ab|   x|z" },
    FormatCase { "NullString", format("[%s] [%8s]", (const char*)nullptr, (const char*)nullptr), "[(null)] [  (null)]" },
    FormatCase { "Percent", format("100%% sure"), "100% sure" },
    FormatCase { "ObjectString", format("say %@!", &kString), "say hello!" },
    FormatCase { "ObjectNull", format("%@", (const Value*)nullptr), "(null)" },
    FormatCase { "ObjectArray", format("%@", &kArray), "(\n    a,\n    2,\n    1\n)" },
    FormatCase { "ObjectNested", format("%@", &kNested),
        "{\n    apps = (\n        com.example.mail,\n        {\n        }\n    );\n"
        "    inner = {\n        x = -1;\n    };\n    kTrackSize = 0.5;\n}" },
    FormatCase { "ObjectMisc", format("%@", &kMisc),
        "(\n    <0001abff 02>,\n    2013-09-04 15:06:40 +0000,\n    (null),\n    1e+20,\n    (\n    )\n)" },
    FormatCase { "ObjectWidth", format("[%-7@]", &kString), "[hello  ]" },
    FormatCase { "MixedArguments", format("%d %@ %s %.1f", 1, &kString, "two", 3.0), "1 hello two 3.0" },
    FormatCase { "LoneTrailingPercent", format("50%"), "50%" },
    FormatCase { "UnknownConversion", format("%y %d", 5), "%y 5" },
    FormatCase { "BadLengthForConversion", format("%hhs|%Ld|%d", 6), "%hhs|%Ld|6" },
    FormatCase { "UnfinishedConversion", format("%-08."), "%-08." },
    FormatCase { "HugeWidthIsClamped", std::to_string(format("%999999999d", 1).size()), "4096" },
    FormatCase { "NoFormat", format(nullptr), "" }));

TEST(FoundationDescription, ScalarsPrintAsThemselves)
{
    EXPECT_EQ(description(Value::string("plain text")), "plain text");
    EXPECT_EQ(description(Value::boolean(false)), "0");
    EXPECT_EQ(description(Value::integer(-9223372036854775807 - 1)), "-9223372036854775808");
    EXPECT_EQ(description(Value::real(0.1)), "0.1");
    EXPECT_EQ(description(Value::real(2)), "2");
    EXPECT_EQ(description(Value()), "(null)");
    EXPECT_EQ(description(Value::dictionary()), "{\n}");
}

// formatV must work from a va_list that the caller has already started, as a logging wrapper does.
std::string wrapper(const char* f, ...)
{
    va_list arguments;
    va_start(arguments, f);
    std::string first = formatV(f, arguments);
    std::string second = formatV(f, arguments); // the caller's list is not consumed
    va_end(arguments);
    return first + "|" + second;
}

TEST(FoundationFormatV, LeavesTheCallersListUntouched)
{
    EXPECT_EQ(wrapper("%s=%@ %d", "key", &kString, 3), "key=hello 3|key=hello 3");
}

} // namespace
