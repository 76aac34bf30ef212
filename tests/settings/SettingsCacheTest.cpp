// The loader's cache: hits for an unchanged file, and never a stale answer, even while another
// process replaces the file as fast as it can.

#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"
#include "tests/settings/TempDeviceRoot.h"

#include <fcntl.h>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombrel {
namespace {

using foundation::Value;

// Complete settings (so the loader never writes) that differ in one value of the same length:
// the versions have the same size, only the file's identity and times tell them apart.
Value version(const char* trackTheme)
{
    Value settings = defaultSettings();
    settings.set("kTrackTheme", Value::string(trackTheme));
    return settings;
}

std::int64_t g_fakeSecond = 0;

class SettingsCacheTest : public ::testing::Test {
protected:
    void SetUp() override { setSettingsCacheEnabled(true); }
    void TearDown() override { setCoarseSecondsForTesting(nullptr); }

    std::string settingsPath() const { return m_root.path(kSettingsFilePath); }
    void write(const Value& settings) const { ASSERT_TRUE(foundation::writePropertyList(settingsPath(), settings)); }
    std::int64_t changeSecond() const
    {
        struct stat st;
        EXPECT_EQ(::stat(settingsPath().c_str(), &st), 0);
        return st.st_ctim.tv_sec;
    }
    // Pretends that `seconds` have passed since the file last changed.
    void ageFileBy(std::int64_t seconds)
    {
        g_fakeSecond = changeSecond() + seconds;
        setCoarseSecondsForTesting([] { return g_fakeSecond; });
    }
    // Loads and answers how many times the file was read for it.
    std::uint64_t readsFor(Value& loaded)
    {
        std::uint64_t before = settingsFileReadCount();
        loaded = loadSettings();
        return settingsFileReadCount() - before;
    }

    testing::TempDeviceRoot m_root;
};

TEST_F(SettingsCacheTest, UnchangedOldFileIsReadOnce)
{
    write(version("_pink"));
    ageFileBy(1);
    Value loaded;
    EXPECT_EQ(readsFor(loaded), 1u);
    for (int call = 0; call < 3; ++call) {
        EXPECT_EQ(readsFor(loaded), 0u);
        EXPECT_EQ(loaded, version("_pink"));
    }
}

TEST_F(SettingsCacheTest, FileChangedInTheCurrentSecondIsNotCached)
{
    write(version("_pink"));
    ageFileBy(0);
    Value loaded;
    EXPECT_EQ(readsFor(loaded), 1u);
    EXPECT_EQ(readsFor(loaded), 1u);
    EXPECT_EQ(loaded, version("_pink"));
}

Value filledFromEnabledOff()
{
    Value settings = defaultSettings();
    settings.set("enabled", Value::boolean(false));
    for (const char* slot : {"kApp0", "kApp1", "kApp2", "kPopupApp0", "kPopupApp1", "kPopupApp2"})
        settings.erase(slot);
    return settings;
}

TEST_F(SettingsCacheTest, ReplacedFileIsReadAgain)
{
    struct Case {
        const char* name;
        Value next;
        Value expected;
    };
    const Case cases[] = {
        {"sameSize", version("_blue"), version("_blue")},
        {"otherSize", version("_green"), version("_green")},
        {"fillsDefaults", Value::dictionary({{"enabled", Value::boolean(false)}}), filledFromEnabledOff()},
    };
    for (const Case& c : cases) {
        write(version("_pink"));
        ageFileBy(1);
        Value loaded;
        readsFor(loaded);
        ASSERT_EQ(readsFor(loaded), 0u) << c.name;

        write(c.next);
        ageFileBy(1);
        EXPECT_EQ(readsFor(loaded), 1u) << c.name;
        EXPECT_EQ(loaded, c.expected) << c.name;
    }
}

TEST_F(SettingsCacheTest, SwitchedOffReadsEveryCall)
{
    write(version("_pink"));
    ageFileBy(1);
    setSettingsCacheEnabled(false);
    Value loaded;
    EXPECT_EQ(readsFor(loaded), 1u);
    EXPECT_EQ(readsFor(loaded), 1u);
    setSettingsCacheEnabled(true);
    EXPECT_EQ(readsFor(loaded), 1u);
    EXPECT_EQ(readsFor(loaded), 0u);
}

// Atomic replacement without the flushes to disk, so the writer replaces the file as fast as the
// filesystem allows: a temporary file in the same folder renamed over the settings file.
bool replaceQuickly(const std::string& path, const std::string& bytes)
{
    std::string temporary = path + ".writer";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool written = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    ::close(fd);
    return written && ::rename(temporary.c_str(), path.c_str()) == 0;
}

// Version n of the file: the defaults with a numbered theme name, so every version has the same size.
Value numberedVersion(int n)
{
    char name[16];
    std::snprintf(name, sizeof name, "v%06d", n);
    return version(name);
}

// The number of the version a load returned, or -1 when it is not one of them, whole.
int versionNumber(const Value& loaded)
{
    const Value* theme = loaded.find("kTrackTheme");
    const std::string* name = theme ? theme->asString() : nullptr;
    if (!name || name->size() != 7 || (*name)[0] != 'v')
        return -1;
    int n = std::atoi(name->c_str() + 1);
    return loaded == numberedVersion(n) ? n : -1;
}

TEST_F(SettingsCacheTest, NeverStaleWhileAnotherProcessReplacesTheFile)
{
    const int writes = 3000;
    // Start with a cached answer, so that a cache that misses a replacement shows at once.
    write(numberedVersion(0));
    ageFileBy(1);
    ASSERT_EQ(versionNumber(loadSettings()), 0);
    setCoarseSecondsForTesting(nullptr);

    pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        for (int n = 1; n <= writes; ++n) {
            if (!replaceQuickly(settingsPath(), foundation::xmlPropertyList(numberedVersion(n))))
                ::_exit(1);
        }
        ::_exit(0);
    }

    // Every load is one version, whole, and never older than one seen before.
    int loads = 0, stray = 0, backwards = 0, newest = 0;
    int status = 0;
    while (::waitpid(writer, &status, WNOHANG) == 0) {
        int n = versionNumber(loadSettings());
        ++loads;
        stray += n < 0;
        backwards += n >= 0 && n < newest;
        newest = std::max(newest, n);
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(stray, 0) << "of " << loads << " loads";
    EXPECT_EQ(backwards, 0) << "of " << loads << " loads";
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(versionNumber(loadSettings()), writes);
}

} // namespace
} // namespace ombrel
