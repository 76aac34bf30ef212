#include "platform/foundation/Date.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

using namespace foundation;

namespace {

struct PatternCase {
    const char* pattern;
    const char* expected;
};

void PrintTo(const PatternCase& c, std::ostream* out) { *out << '"' << c.pattern << '"'; }

class FoundationDatePattern : public testing::TestWithParam<PatternCase> {
protected:
    void SetUp() override
    {
        ::setenv("TZ", "UTC", 1); // each case runs in its own process
        ::tzset();
    }
};

// 2009-09-08 17:05:03.25 UTC, a Tuesday.
constexpr double kStamp = 1252429503.25;

TEST_P(FoundationDatePattern, FormatsInTheLocalZone)
{
    EXPECT_EQ(formatDate(kStamp, GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FoundationDatePattern, testing::Values(
    PatternCase { "MM-dd | HH:mm:ss", "09-08 | 17:05:03" },
    PatternCase { "yyyy-MM-dd", "2009-09-08" },
    PatternCase { "yy/M/d", "09/9/8" },
    PatternCase { "h:mm a", "5:05 PM" },
    PatternCase { "hh 'o''clock' a", "05 o'clock PM" },
    PatternCase { "EEE, MMM d", "Tue, Sep 8" },
    PatternCase { "EEEE d MMMM", "Tuesday 8 September" },
    PatternCase { "ss.SS", "03.25" },
    PatternCase { "'unterminated", "unterminated" },
    PatternCase { "", "" }));

TEST(FoundationDate, MidnightAndNoonInTwelveHourForm)
{
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(formatDate(0, "h a"), "12 AM");
    EXPECT_EQ(formatDate(12 * 3600, "hh a"), "12 PM");
}

TEST(FoundationDate, LocalZoneIsUsed)
{
    ::setenv("TZ", "EST5", 1);
    ::tzset();
    EXPECT_EQ(formatDate(kStamp, "HH:mm"), "12:05");
}

TEST(FoundationDate, ClockSourceReplacesTheRealClock)
{
    setClockSource([] { return 1234.5; });
    EXPECT_EQ(now(), 1234.5);
    setClockSource({});
    EXPECT_NE(now(), 1234.5);
}

} // namespace
