// Files the loader cannot use: each gives the defaults, without a crash or a hang, and the original
// bytes are kept beside the settings file as ".bad".

#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "tests/settings/TempDeviceRoot.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace ombrel {
namespace {

using foundation::Value;
using testing::fileBytes;

std::string validXml()
{
    return foundation::xmlPropertyList(Value::dictionary({{"enabled", Value::boolean(false)},
        {"kTrackTheme", Value::string("_red")}}));
}

std::string deeplyNested(int depth)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
    text.reserve(text.size() + std::size_t(depth) * 15 + 32);
    for (int i = 0; i < depth; ++i)
        text += "<array>";
    for (int i = 0; i < depth; ++i)
        text += "</array>";
    return text + "\n</plist>\n";
}

std::string garbage(std::size_t size)
{
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char(random());
    return bytes;
}

struct BadInput {
    const char* name;
    std::string (*bytes)();
};

const BadInput kBadInputs[] = {
    {"malformed", [] { return std::string("<?xml version=\"1.0\"?><plist><dict><key>enabled</dict></plist>"); }},
    {"truncated", [] { std::string xml = validXml(); return xml.substr(0, xml.size() / 2); }},
    {"empty", [] { return std::string(); }},
    {"binaryGarbage", [] { return garbage(4096); }},
    {"binaryHeaderThenGarbage", [] { return "bplist00" + garbage(512); }},
    {"rootIsArray", [] { return foundation::xmlPropertyList(Value::array({Value::boolean(true)})); }},
    {"rootIsString", [] { return foundation::xmlPropertyList(Value::string("enabled")); }},
    {"nestedMillionDeep", [] { return deeplyNested(1'000'000); }},
    {"notAPropertyList", [] { return std::string("enabled = false\n"); }},
};

void PrintTo(const BadInput& input, std::ostream* out)
{
    *out << input.name;
}

class SettingsBadInputTest : public ::testing::TestWithParam<BadInput> {
protected:
    std::string settingsPath() const { return m_root.path(kSettingsFilePath); }
    std::string keptPath() const { return settingsPath() + kUnreadableSettingsFileSuffix; }

    testing::TempDeviceRoot m_root;
};

TEST_P(SettingsBadInputTest, GivesDefaultsAndKeepsTheOriginal)
{
    const std::string original = GetParam().bytes();
    testing::writeBytes(keptPath(), "an older unreadable file");
    testing::writeBytes(settingsPath(), original);

    EXPECT_EQ(loadSettings(), defaultSettings());
    EXPECT_EQ(foundation::readPropertyList(settingsPath()), defaultSettings());
    EXPECT_EQ(fileBytes(keptPath()), original);

    // The defaults now stand in the file; the next call reads them and keeps the ".bad" as it is.
    EXPECT_EQ(loadSettings(), defaultSettings());
    EXPECT_EQ(fileBytes(keptPath()), original);
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsBadInputTest, ::testing::ValuesIn(kBadInputs),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsUnreadableFile, IsLeftAloneWhenItCannotBeKept)
{
    testing::TempDeviceRoot root;
    std::string path = root.path(kSettingsFilePath);
    // A non-empty folder where the kept copy would go: the rename fails.
    std::filesystem::create_directories(path + kUnreadableSettingsFileSuffix + "/inside");
    testing::writeBytes(path, "not a property list");

    EXPECT_EQ(loadSettings(), defaultSettings());
    EXPECT_EQ(fileBytes(path), "not a property list");
}

TEST(SettingsHugeFile, IsMovedAsideUnread)
{
    testing::TempDeviceRoot root;
    std::string path = root.path(kSettingsFilePath);
    // 200 MB that start like a valid property list, made sparse so the test stays quick.
    const off_t size = off_t(200) * 1024 * 1024;
    std::string header = validXml();
    header.resize(header.size() - std::string("</plist>\n").size());
    {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, header.data(), header.size()), ssize_t(header.size()));
        ASSERT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);
    }
    struct stat before;
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    EXPECT_EQ(loadSettings(), defaultSettings());
    EXPECT_EQ(foundation::readPropertyList(path), defaultSettings());

    // Moved, not copied: the same file, whole, under the ".bad" name.
    struct stat kept;
    ASSERT_EQ(::stat((path + kUnreadableSettingsFileSuffix).c_str(), &kept), 0);
    EXPECT_EQ(kept.st_ino, before.st_ino);
    EXPECT_EQ(kept.st_size, size);
}

} // namespace
} // namespace ombrel
