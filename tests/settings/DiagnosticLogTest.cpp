#include "settings/DiagnosticLog.h"

#include "platform/foundation/Value.h"
#include "tests/settings/TempDeviceRoot.h"

#include <gtest/gtest.h>

namespace ombrel {
namespace {

using foundation::Value;
using testing::fileBytes;

class DiagnosticLogTest : public ::testing::Test {
protected:
    std::string logPath() const { return m_root.path(kDiagnosticLogPath); }

    testing::TempDeviceRoot m_root;
};

TEST_F(DiagnosticLogTest, FirstEntryMakesTheFile)
{
    dLog("x=%d", 5);
    EXPECT_EQ(fileBytes(logPath()), "\nx=5");
}

TEST_F(DiagnosticLogTest, EntriesAreAppendedWithObjectsDescribed)
{
    Value name = Value::string("Ombrel");
    dLog("x=%d", 5);
    dLog("%@ %s %.1f %@", &name, "text", 2.5, static_cast<const Value*>(nullptr));
    dLog("100%%");
    EXPECT_EQ(fileBytes(logPath()), "\nx=5\nOmbrel text 2.5 (null)\n100%");
}

TEST_F(DiagnosticLogTest, LogThatIsNotUtf8IsEmptiedFirst)
{
    const std::string invalid[] = {
        "\nold entry \xFF",
        "\xC0\x80",
        std::string(100, 'a') + "\xED\xA0\x80" + std::string(100, 'b'),
        "\nold entry \xE2\x82", // cut inside a character
    };
    for (const std::string& old : invalid) {
        testing::writeBytes(logPath(), old);
        dLog("new");
        EXPECT_EQ(fileBytes(logPath()), "\nnew") << ::testing::PrintToString(old);
    }
}

TEST_F(DiagnosticLogTest, ValidTextIsKept)
{
    const std::string old = "\nold entry \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 " + std::string(1000, 'x');
    testing::writeBytes(logPath(), old);
    dLog("new");
    EXPECT_EQ(fileBytes(logPath()), old + "\nnew");
}

TEST_F(DiagnosticLogTest, FailuresAreSilent)
{
    std::filesystem::remove_all(m_root.path("/var/mobile"));
    dLog("lost");
    EXPECT_FALSE(std::filesystem::exists(logPath()));

    foundation::setDeviceRoot("");
    dLog("lost");
}

} // namespace
} // namespace ombrel
