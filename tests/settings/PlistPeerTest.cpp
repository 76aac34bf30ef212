// A real peer: Python's plistlib reads what the loader writes, and the loader reads what plistlib
// writes, in XML and in binary form.

#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "tests/settings/TempDeviceRoot.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace ombrel {
namespace {

using foundation::Value;

bool havePython()
{
    return std::system("command -v python3 >/dev/null 2>&1") == 0;
}

// Runs a Python program with the settings path as its argument; answers its output and status.
std::pair<std::string, int> runPython(const std::string& program, const std::string& path)
{
    std::string command = "python3 -c '" + program + "' '" + path + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {"popen failed", -1};
    std::string output;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    int status = ::pclose(pipe);
    return {output, status};
}

const char* pythonKind(Value::Kind kind)
{
    switch (kind) {
    case Value::Kind::Boolean: return "bool";
    case Value::Kind::Integer: return "int";
    case Value::Kind::Real: return "float";
    case Value::Kind::String: return "str";
    default: return "other";
    }
}

class PlistPeerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!havePython())
            GTEST_SKIP() << "python3 is missing; the plistlib peer test is skipped";
    }
    std::string settingsPath() const { return m_root.path(kSettingsFilePath); }

    testing::TempDeviceRoot m_root;
};

TEST_F(PlistPeerTest, PlistlibReadsAFreshSettingsFile)
{
    loadSettings();
    // Python reports each key with its type; bool is checked before int since bool is an int there.
    const std::string program = R"PY(
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    d = plistlib.load(f)
assert isinstance(d, dict), type(d)
assert len(d) == 57, len(d)
assert d["enabled"] is True and d["kLoggingEnabled"] is False
assert type(d["kTrackSize"]) is float and d["kTrackSize"] == 75.0
assert type(d["kApp0"]) is str and d["kApp0"] == "com.apple.AppStore"
for k in sorted(d):
    print(k, type(d[k]).__name__)
)PY";
    auto [output, status] = runPython(program, settingsPath());
    ASSERT_EQ(status, 0) << output;

    std::map<std::string, std::string> kinds;
    std::istringstream lines(output);
    std::string key, kind;
    while (lines >> key >> kind)
        kinds[key] = kind;
    ASSERT_EQ(kinds.size(), 57u) << output;
    const Value defaults = defaultSettings();
    for (const auto& [name, value] : *defaults.asDictionary())
        EXPECT_EQ(kinds[name], pythonKind(value.kind())) << name;
}

TEST_F(PlistPeerTest, LoaderReadsWhatPlistlibWrites)
{
    for (const char* format : {"FMT_XML", "FMT_BINARY"}) {
        const std::string program = std::string(R"PY(
import plistlib, sys
d = {"enabled": False, "kTrackSize": 90.5, "kIconSize": 64, "kTrackTheme": "_r\u00e9d",
     "kApp3": "com.apple.weather", "kWidgets": {"tap": 2, "hold": True}}
with open(sys.argv[1], "wb") as f:
    plistlib.dump(d, f, fmt=plistlib.)PY") + format + ")\n";
        auto [output, status] = runPython(program, settingsPath());
        ASSERT_EQ(status, 0) << output;

        Value loaded = loadSettings();
        EXPECT_EQ(*loaded.find("enabled"), Value::boolean(false)) << format;
        EXPECT_EQ(*loaded.find("kTrackSize"), Value::real(90.5)) << format;
        EXPECT_EQ(*loaded.find("kIconSize"), Value::integer(64)) << format; // kinds are not corrected
        EXPECT_EQ(*loaded.find("kTrackTheme"), Value::string("_r\xC3\xA9" "d")) << format;
        EXPECT_EQ(*loaded.find("kApp3"), Value::string("com.apple.weather")) << format;
        EXPECT_EQ(*loaded.find("kWidgets"),
            Value::dictionary({{"tap", Value::integer(2)}, {"hold", Value::boolean(true)}})) << format;
        EXPECT_EQ(loaded.find("kApp0"), nullptr) << format;
        EXPECT_EQ(loaded.count(), 6u + 51u - 4u) << format; // 6 written, 51 defaults besides the slots, 4 in both
        EXPECT_EQ(foundation::readPropertyList(settingsPath()), loaded) << format;
    }
}

} // namespace
} // namespace ombrel
