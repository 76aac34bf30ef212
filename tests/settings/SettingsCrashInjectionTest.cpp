// A writer killed at any point of writing the settings file leaves the old version or the new one,
// whole, and never no file. The writer runs in a child process traced with ptrace; the parent counts
// its system calls and kills it with SIGKILL on entry to the N-th one, for every N the write makes.

#include "platform/foundation/FileManager.h"
#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "tests/settings/TempDeviceRoot.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombrel {
namespace {

using foundation::Value;

// Two complete versions (the loader writes nothing back) of different sizes.
Value oldVersion()
{
    Value settings = defaultSettings();
    settings.set("kTrackTheme", Value::string("_old"));
    return settings;
}

Value newVersion()
{
    Value settings = defaultSettings();
    settings.set("kTrackTheme", Value::string("_new"));
    settings.set("kIconSize", Value::real(62.5));
    settings.set("kApp3", Value::string("com.apple.mobilenotes"));
    return settings;
}

struct TracedWrite {
    bool traced = true;    // false when this system does not let a process be traced
    int entries = 0;       // system calls the child entered
    bool finished = false; // it exited by itself, with the write done
};

// Runs writeSettings(next) in a traced child and kills it on entry to system call `killAt`
// (0: let it finish). Counted from the moment the child stops itself before the write.
TracedWrite traceWrite(const Value& next, int killAt)
{
    TracedWrite run;
    pid_t child = ::fork();
    if (child < 0)
        return run;
    if (child == 0) {
        if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
            ::_exit(3);
        ::raise(SIGSTOP);
        ::_exit(writeSettings(next) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFSTOPPED(status)) {
        run.traced = false;
        return run;
    }
    ::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    int signal = 0;
    for (;;) {
        if (::ptrace(PTRACE_SYSCALL, child, nullptr, reinterpret_cast<void*>(std::intptr_t(signal))) != 0)
            break;
        signal = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status)) {
            run.finished = WEXITSTATUS(status) == 0;
            return run;
        }
        if (WIFSIGNALED(status))
            return run;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            signal = WSTOPSIG(status); // a real signal: deliver it
            continue;
        }
        __ptrace_syscall_info info{};
        ::ptrace(PTRACE_GET_SYSCALL_INFO, child, reinterpret_cast<void*>(sizeof info), &info);
        if (info.op != PTRACE_SYSCALL_INFO_ENTRY)
            continue;
        if (++run.entries == killAt) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return run;
        }
    }
    ADD_FAILURE() << "lost the traced child";
    return run;
}

class SettingsCrashInjection : public ::testing::Test {
protected:
    std::string settingsPath() const { return m_root.path(kSettingsFilePath); }
    std::string folder() const { return std::filesystem::path(settingsPath()).parent_path(); }
    // The old version in place, and no leftovers of an earlier killed writer.
    void startFromOldVersion()
    {
        for (const auto& entry : std::filesystem::directory_iterator(folder()))
            std::filesystem::remove(entry.path());
        ASSERT_TRUE(foundation::writePropertyList(settingsPath(), oldVersion()));
    }

    testing::TempDeviceRoot m_root;
};

TEST_F(SettingsCrashInjection, KilledAtEverySystemCallLeavesOneWholeVersion)
{
    const std::string oldBytes = foundation::xmlPropertyList(oldVersion());
    const std::string newBytes = foundation::xmlPropertyList(newVersion());

    startFromOldVersion();
    TracedWrite whole = traceWrite(newVersion(), 0);
    if (!whole.traced)
        GTEST_SKIP() << "ptrace is not permitted here";
    ASSERT_TRUE(whole.finished);
    ASSERT_EQ(testing::fileBytes(settingsPath()), newBytes);
    // Open, write, flush, rename and the folder's flush at the least.
    ASSERT_GE(whole.entries, 5);

    int keptOld = 0, keptNew = 0;
    for (int n = 1; n <= whole.entries; ++n) {
        startFromOldVersion();
        traceWrite(newVersion(), n);
        auto bytes = testing::fileBytes(settingsPath());
        ASSERT_TRUE(bytes) << "settings file missing after a kill at system call " << n;
        bool isOld = *bytes == oldBytes, isNew = *bytes == newBytes;
        ASSERT_TRUE(isOld || isNew) << "torn settings file after a kill at system call " << n;
        keptOld += isOld;
        keptNew += isNew;
        EXPECT_EQ(loadSettings(), isOld ? oldVersion() : newVersion()) << "kill at system call " << n;
        EXPECT_FALSE(foundation::fileExists(settingsPath() + kUnreadableSettingsFileSuffix)) << n;
    }
    // The kills fell both before and after the rename, so they really cut the write short.
    EXPECT_GT(keptOld, 0);
    EXPECT_GT(keptNew, 0);
    std::printf("%d system calls: %d kills left the old version, %d the new\n", whole.entries, keptOld, keptNew);
}

} // namespace
} // namespace ombrel
