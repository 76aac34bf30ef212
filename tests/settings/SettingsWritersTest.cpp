// Three writers replace the settings file at once while this process loads it: the library
// (loadSettings, one key changed, writeSettings), the `ombrel settings set` command, and a plug-in
// that reads the whole property list and writes it back with its own key changed.
//
// What is guaranteed, and checked: the file is only ever replaced whole, so every load answers one
// complete version some writer wrote: it parses (the loader never falls back to the defaults or
// calls the file unreadable), holds every default key and all three counters, and each counter is
// one its writer had already announced (0 up to the writer's latest). What is NOT guaranteed:
// counters going only up. Each writer reads a version, then writes it back with its own counter
// changed; a writer that read before another's write puts that writer's older counter back (last
// write wins), so counters seen across loads may go back, and no order of loads is checked. The
// version the last write left holds its writer's final counter.

#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "tests/settings/TempDeviceRoot.h"
#include "tests/sim/OmbrelProcess.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <string>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombrel {
namespace {

using foundation::Value;

// Writes per writer. An instrumented `ombrel` run costs 0.15-0.25 s (against some 15 ms), so under
// AddressSanitizer the command writes a quarter as often and the test stays near a minute.
#ifdef __SANITIZE_ADDRESS__
constexpr std::array<int, 3> kWrites = {1000, 250, 1000};
#else
constexpr std::array<int, 3> kWrites = {1000, 1000, 1000};
#endif
constexpr std::array<const char*, 3> kCounters = {"kWriterLibrary", "kWriterCommand", "kWriterPlugIn"};

// Counters each writer is about to write, shared with the children; stored before each write.
struct Announced {
    std::array<std::atomic<int>, 3> counter;
};

// Runs `body(i)` for i = 1..kWrites[index] in a child process; the child exits 0 when every write worked.
template<typename Body>
pid_t writer(Announced* announced, int index, Body body)
{
    pid_t child = ::fork();
    if (child != 0)
        return child;
    for (int i = 1; i <= kWrites[index]; ++i) {
        announced->counter[index].store(i);
        if (!body(i))
            ::_exit(1);
    }
    ::_exit(0);
}

TEST(SettingsWriters, EveryLoadIsOneWholeWrittenVersion)
{
    testing::TempDeviceRoot temporary;
    const std::string root = temporary.folder() + "/device";
    ASSERT_EQ(testing::ombrel({"init", "--root", root}).status, 0);
    foundation::setDeviceRoot(root);
    const std::string path = *foundation::hostPath(kSettingsFilePath);
    Value start = defaultSettings();
    for (const char* key : kCounters)
        start.set(key, Value::integer(0));
    ASSERT_TRUE(writeSettings(start));

    void* shared = ::mmap(nullptr, sizeof(Announced), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* announced = new (shared) Announced{};

    std::array<pid_t, 3> children = {
        writer(announced, 0, [](int i) {
            Value settings = loadSettings();
            settings.set(kCounters[0], Value::integer(i));
            return writeSettings(settings);
        }),
        writer(announced, 1, [&](int i) {
            return testing::ombrel({"settings", "--root", root, "set", kCounters[1], std::to_string(i), "--type", "int"})
                       .status == 0;
        }),
        writer(announced, 2, [&](int i) {
            auto settings = foundation::readPropertyList(path);
            if (!settings || !settings->asDictionary())
                return false; // a plug-in read a torn or missing file
            settings->set(kCounters[2], Value::integer(i));
            return foundation::writePropertyList(path, *settings);
        }),
    };

    int loads = 0, incomplete = 0, unwritten = 0;
    std::string firstProblem;
    auto running = [&] {
        int left = 0;
        for (pid_t child : children) {
            siginfo_t info{};
            // Looks without reaping: the exit status is collected below.
            ::waitid(P_PID, id_t(child), &info, WEXITED | WNOHANG | WNOWAIT);
            left += info.si_pid == 0;
        }
        return left > 0;
    };
    while (running()) {
        Value loaded = loadSettings();
        ++loads;
        bool complete = loaded.asDictionary() != nullptr;
        for (const auto& [key, value] : *defaultSettings().asDictionary())
            complete = complete && loaded.find(key) && loaded.find(key)->kind() == value.kind();
        for (std::size_t w = 0; w < kCounters.size() && complete; ++w) {
            const Value* counter = loaded.find(kCounters[w]);
            if (!counter || counter->kind() != Value::Kind::Integer) {
                complete = false;
            } else if (counter->integerValue() < 0 || counter->integerValue() > announced->counter[w].load()) {
                ++unwritten;
                if (firstProblem.empty())
                    firstProblem = std::string(kCounters[w]) + " = " + std::to_string(counter->integerValue());
            }
        }
        if (!complete) {
            ++incomplete;
            if (firstProblem.empty())
                firstProblem = "incomplete load: " + foundation::xmlPropertyList(loaded);
        }
    }
    for (std::size_t w = 0; w < children.size(); ++w) {
        int status = 0;
        ::waitpid(children[w], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << kCounters[w] << " failed a write";
    }
    ::munmap(shared, sizeof(Announced));

    EXPECT_EQ(incomplete, 0) << "of " << loads << " loads; first: " << firstProblem;
    EXPECT_EQ(unwritten, 0) << "of " << loads << " loads; first: " << firstProblem;
    EXPECT_FALSE(foundation::fileExists(path + kUnreadableSettingsFileSuffix));
    auto last = foundation::readPropertyList(path);
    ASSERT_TRUE(last && last->asDictionary());
    int finished = 0;
    for (std::size_t w = 0; w < kCounters.size(); ++w)
        finished += last->find(kCounters[w]) && last->find(kCounters[w])->integerValue() == kWrites[w];
    EXPECT_GE(finished, 1) << "the last write left its writer's final counter";
    std::printf("%d loads while the writers wrote %d, %d and %d times\n", loads, kWrites[0], kWrites[1], kWrites[2]);
}

} // namespace
} // namespace ombrel
