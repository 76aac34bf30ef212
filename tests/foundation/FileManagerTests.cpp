#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileManager.h"
#include "tests/foundation/TestFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace foundation;

namespace {

TEST(FoundationWriteFileAtomically, ReplacesContentAndLeavesNoTemporaryFile)
{
    TestFolder folder;
    std::string path = folder / "settings.plist";
    ASSERT_TRUE(writeFileAtomically(path, "first version, longer than the second"));
    ASSERT_TRUE(writeFileAtomically(path, "second"));
    EXPECT_EQ(readFile(path), "second");
    EXPECT_EQ(contentsOfDirectory(folder.path()), (std::vector<std::string> { "settings.plist" }));
}

TEST(FoundationWriteFileAtomically, KeepsThePermissionsOfTheFileItReplaces)
{
    TestFolder folder;
    std::string path = folder / "log";
    ASSERT_TRUE(writeFileAtomically(path, "a"));
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(path, "b"));
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(FoundationWriteFileAtomically, FailureReturnsFalseAndKeepsTheOldFile)
{
    TestFolder folder;
    EXPECT_FALSE(writeFileAtomically(folder / "missing/settings.plist", "x"));
    EXPECT_FALSE(writeFileAtomically("", "x"));

    // A folder standing where the file should go cannot be replaced; nothing is left behind.
    ASSERT_TRUE(createDirectories(folder / "taken"));
    ASSERT_TRUE(writeFileAtomically(folder / "taken/old", "old"));
    EXPECT_FALSE(writeFileAtomically(folder / "taken", "new"));
    EXPECT_EQ(readFile(folder / "taken/old"), "old");
    EXPECT_EQ(contentsOfDirectory(folder.path()), (std::vector<std::string> { "taken" }));
}

TEST(FoundationWriteFileAtomically, WriteListenerHearsOnlyReplacedFiles)
{
    TestFolder folder;
    std::vector<std::string> heard;
    setWriteListener([&](const std::string& path) { heard.push_back(path); });
    EXPECT_TRUE(writeFileAtomically(folder / "a.plist", "one"));
    EXPECT_FALSE(writeFileAtomically(folder / "missing/b.plist", "two"));
    ASSERT_TRUE(createDirectories(folder / "taken"));
    EXPECT_FALSE(writeFileAtomically(folder / "taken", "three"));
    setWriteListener({});
    EXPECT_TRUE(writeFileAtomically(folder / "c.plist", "four"));
    EXPECT_EQ(heard, (std::vector<std::string> { folder / "a.plist" }));
}

TEST(FoundationWriteFileAtomically, ReadOnlyFolderKeepsTheOldFile)
{
    TestFolder folder;
    std::string path = folder / "settings.plist";
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    ASSERT_EQ(::chmod(folder.path().c_str(), 0500), 0);
    if (::access(folder.path().c_str(), W_OK) == 0)
        GTEST_SKIP() << "the folder stays writable for this user (root)";
    EXPECT_FALSE(writeFileAtomically(path, "new"));
    EXPECT_EQ(readFile(path), "old");
}

TEST(FoundationReadFile, WholeContentOrNothing)
{
    TestFolder folder;
    std::string bytes("with\0nul", 8);
    ASSERT_TRUE(writeFileAtomically(folder / "f", bytes));
    EXPECT_EQ(readFile(folder / "f"), bytes);
    EXPECT_EQ(readFile(folder / "f", 8), bytes);
    EXPECT_FALSE(readFile(folder / "f", 7));
    EXPECT_FALSE(readFile(folder / "absent"));
    EXPECT_FALSE(readFile(folder.path()));
    EXPECT_TRUE(fileExists(folder / "f"));
    EXPECT_FALSE(fileExists(folder / "absent"));
}

TEST(FoundationContentsOfDirectory, SortedByNameWithoutDotEntries)
{
    TestFolder folder;
    for (const char* name : { "b", "a.bundle", "B", "c", ".hidden" })
        ASSERT_TRUE(writeFileAtomically(folder / name, ""));
    ASSERT_TRUE(createDirectories(folder / "sub/deeper"));
    EXPECT_EQ(contentsOfDirectory(folder.path()),
        (std::vector<std::string> { ".hidden", "B", "a.bundle", "b", "c", "sub" }));
    EXPECT_FALSE(contentsOfDirectory(folder / "absent"));
    EXPECT_FALSE(contentsOfDirectory(folder / "b"));
}

struct MappingCase {
    const char* devicePath;
    const char* expected; // relative to the root; nullptr: refused
};

void PrintTo(const MappingCase& c, std::ostream* out) { *out << '"' << c.devicePath << '"'; }

class FoundationDeviceRootMapping : public testing::TestWithParam<MappingCase> {
protected:
    void TearDown() override { setDeviceRoot(""); }
};

TEST_P(FoundationDeviceRootMapping, MapsInsideTheRootOnly)
{
    setDeviceRoot("/tmp/device/");
    EXPECT_EQ(deviceRoot(), "/tmp/device");
    const auto& c = GetParam();
    auto mapped = hostPath(c.devicePath);
    if (!c.expected)
        EXPECT_FALSE(mapped) << *mapped;
    else
        EXPECT_EQ(mapped, std::string("/tmp/device") + c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FoundationDeviceRootMapping, testing::Values(
    MappingCase { "/var/mobile/log", "/var/mobile/log" },
    MappingCase { "//var///mobile//log/", "/var/mobile/log" },
    MappingCase { "/var/./mobile", "/var/mobile" },
    MappingCase { "/", "" },
    MappingCase { "/a..b/..c", "/a..b/..c" },
    MappingCase { "/var/../etc/passwd", nullptr },
    MappingCase { "/..", nullptr },
    MappingCase { "/var/mobile/..", nullptr },
    MappingCase { "var/mobile/log", nullptr },
    MappingCase { "", nullptr }));

TEST(FoundationDeviceRoot, NothingMapsWithoutAUsableRoot)
{
    setDeviceRoot("");
    EXPECT_FALSE(hostPath("/var/mobile/log"));
    for (const char* unusable : { "relative/root", "/", "///" }) {
        setDeviceRoot(unusable);
        EXPECT_EQ(deviceRoot(), "") << unusable;
        EXPECT_FALSE(hostPath("/var/mobile/log")) << unusable;
    }
    setDeviceRoot("/tmp/device");
    EXPECT_FALSE(hostPath(std::string_view("/var/mo\0bile", 12)));
    setDeviceRoot("");
}

} // namespace
