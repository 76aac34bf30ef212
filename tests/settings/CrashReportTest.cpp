#include "settings/CrashReport.h"

#include "platform/foundation/Date.h"
#include "platform/foundation/Exception.h"
#include "tests/settings/TempDeviceRoot.h"

#include <ctime>
#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace ombrel {
namespace {

using foundation::Value;
using testing::fileBytes;

class CrashReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        setLoggingEnabled(false);
    }
    void TearDown() override { foundation::setClockSource({}); }

    std::string logPath() const { return m_root.path(kDiagnosticLogPath); }
    std::string log() const { return fileBytes(logPath()).value_or("<no log>"); }

    testing::TempDeviceRoot m_root;
};

const std::string kSeparator = "\n\n" + std::string(63, '-') + "\n\n";

TEST_F(CrashReportTest, SeparatorIsSixtySevenCharacters)
{
    EXPECT_EQ(crashSeparator(), kSeparator);
    EXPECT_EQ(crashSeparator().size(), 67u);
}

TEST_F(CrashReportTest, EntryFormat)
{
    std::tm march7{};
    march7.tm_year = 2026 - 1900;
    march7.tm_mon = 2;
    march7.tm_mday = 7;
    march7.tm_hour = 14;
    march7.tm_min = 5;
    march7.tm_sec = 9;
    static double stamp;
    stamp = double(::timegm(&march7));
    foundation::setClockSource([] { return stamp; });

    setLoggingEnabled(true);
    Value separator = Value::string(crashSeparator());
    Value name = Value::string("NSRangeException"), reason = Value::string("index 3 beyond bounds");
    Value addresses = Value::string("A"), symbols = Value::string("S");
    crashLog(&separator, &name, &reason, nullptr, &addresses, &symbols, &separator);

    EXPECT_EQ(log(), "\n03-07 | 14:05:09\t-\t" + kSeparator
            + "Exception Caught\n\nName: NSRangeException\nReason: index 3 beyond bounds\nInfo: (null)\n"
              "Return Address: A\nCall Stack: S"
            + kSeparator);
}

TEST_F(CrashReportTest, NothingWhileLoggingIsOff)
{
    Value text = Value::string("x");
    crashLog(&text, &text, &text, &text, &text, &text, &text);
    EXPECT_FALSE(std::filesystem::exists(logPath()));
}

TEST_F(CrashReportTest, HandlerTurnsLoggingOnAndDescribesUserInfo)
{
    foundation::Exception exception("OmbrelTestException", "a reason",
        Value::dictionary({{"detail", Value::string("the detail")}}));
    ombrelExceptionHandler(&exception);
    EXPECT_TRUE(loggingEnabled());
    std::string text = log();
    EXPECT_NE(text.find("Name: OmbrelTestException\nReason: a reason\nInfo: {"), std::string::npos) << text;
    EXPECT_NE(text.find("the detail"), std::string::npos) << text;
    EXPECT_NE(text.find("\nReturn Address: ("), std::string::npos) << text;
}

// The text with every '#' of the pattern standing for a decimal digit.
bool hasShape(const std::string& text, const std::string& pattern)
{
    return text.size() == pattern.size()
        && std::equal(text.begin(), text.end(), pattern.begin(),
            [](char c, char p) { return p == '#' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == p; });
}

std::size_t lineCount(const std::string& text)
{
    return std::size_t(std::count(text.begin(), text.end(), '\n'));
}

// What an uncaught exception leaves in the log, checked in the parent after the child died.
void expectCrashEntry(const std::string& log, const std::string& name, const std::string& reason)
{
    SCOPED_TRACE(log);
    ASSERT_GT(log.size(), 20u);
    EXPECT_TRUE(hasShape(log.substr(0, 20), "\n##-## | ##:##:##\t-\t"));
    std::string message = log.substr(20);

    const std::string head = kSeparator + "Exception Caught\n\nName: ";
    ASSERT_EQ(message.compare(0, head.size(), head), 0);
    ASSERT_GE(message.size(), head.size() + kSeparator.size());
    EXPECT_EQ(message.substr(message.size() - kSeparator.size()), kSeparator);

    auto between = [&](const std::string& from, const std::string& to) {
        std::size_t start = message.find(from);
        std::size_t end = start == std::string::npos ? start : message.find(to, start + from.size());
        return end == std::string::npos ? std::string("<missing>") : message.substr(start + from.size(), end - start - from.size());
    };
    EXPECT_NE(between("Name: ", "\n").find(name), std::string::npos);
    EXPECT_EQ(between("\nReason: ", "\n"), reason);
    EXPECT_EQ(between("\nInfo: ", "\n"), "(null)");
    std::string addresses = between("\nReturn Address: ", "\nCall Stack: ");
    std::string symbols = between("\nCall Stack: ", kSeparator);
    EXPECT_EQ(addresses.front(), '(');
    EXPECT_EQ(symbols.front(), '(');
    EXPECT_GE(lineCount(symbols), 3u);
    EXPECT_EQ(lineCount(addresses), lineCount(symbols)); // one line per frame in each list
    std::size_t digits = std::count_if(addresses.begin(), addresses.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
    EXPECT_GE(digits, 3 * lineCount(addresses)) << addresses; // a number on every line
    EXPECT_EQ(lineCount(message), lineCount(addresses) + lineCount(symbols) + 14);
}

[[noreturn]] void throwPlatformException()
{
    throw foundation::Exception("OmbrelTestException", "thrown on purpose");
}

[[noreturn]] void throwRuntimeError()
{
    throw std::runtime_error("plain C++ failure");
}

// An exception leaving a noexcept function is never caught: the process's handler runs.
void uncaught(void (*thrower)()) noexcept
{
    thrower();
}

TEST_F(CrashReportTest, UncaughtPlatformExceptionIsReportedBeforeTheProcessDies)
{
    ::testing::FLAGS_gtest_death_test_style = "fast";
    EXPECT_DEATH(
        {
            foundation::setUncaughtExceptionHandler(ombrelExceptionHandler);
            uncaught(throwPlatformException);
        },
        "");
    expectCrashEntry(log(), "OmbrelTestException", "thrown on purpose");
}

TEST_F(CrashReportTest, UncaughtStandardExceptionIsReportedByTypeName)
{
    ::testing::FLAGS_gtest_death_test_style = "fast";
    EXPECT_DEATH(
        {
            foundation::setUncaughtExceptionHandler(ombrelExceptionHandler);
            uncaught(throwRuntimeError);
        },
        "");
    expectCrashEntry(log(), "runtime_error", "plain C++ failure");
}

} // namespace
} // namespace ombrel
