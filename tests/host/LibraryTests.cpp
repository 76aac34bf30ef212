// The host with the library loaded, as on the phone: the library's initialiser finds every class
// and method of its hook table in the host, with the host's types, and the device still works.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "springboard/Hook.h"
#include "tests/host/TestDevice.h"
#include <gtest/gtest.h>

using namespace hosttest;

namespace {

struct Record {
    std::string className, selector, outcome;
};

std::vector<Record> report(host::Device& device)
{
    using Report = const ombrel::HookRecord* (*)(std::size_t*);
    auto fn = reinterpret_cast<Report>(device.librarySymbol("ombrelInstallationReport"));
    std::vector<Record> out;
    if (!fn)
        return out;
    std::size_t n = 0;
    const ombrel::HookRecord* r = fn(&n);
    for (std::size_t i = 0; i < n; ++i)
        out.push_back({ r[i].className, r[i].selector, ombrel::outcomeName(r[i].outcome) });
    return out;
}

class WithLibrary : public testing::TestWithParam<const char*> { };

TEST_P(WithLibrary, EveryHookFindsTheHostsMethod)
{
    TestDevice d(Phone(GetParam(), 320, 480), options([](auto& o) { o.libraryPath = OMBREL_LIBRARY_PATH; }));
    ASSERT_TRUE(d.booted) << d.booted.error;
    std::vector<Record> records = report(*d);
    ASSERT_FALSE(records.empty());
    for (const Record& r : records) {
        SCOPED_TRACE(r.className + " " + r.selector);
        // The settings pane's classes live in the Settings application, not in SpringBoard.
        if (r.className.rfind("PS", 0) == 0) {
            EXPECT_EQ(r.outcome, "missing-class");
            continue;
        }
        EXPECT_TRUE(r.outcome == "exchanged" || r.outcome == "added-override" || r.outcome == "added") << r.outcome;
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, WithLibrary, testing::Values("5.1.1", "6.1"),
    [](const auto& info) { return std::string(info.index == 0 ? "System5" : "System6"); });

TEST(HostWithLibrary, LocksAndUnlocks)
{
    TestDevice d({}, options([](auto& o) { o.libraryPath = OMBREL_LIBRARY_PATH; }));
    ASSERT_TRUE(d.booted) << d.booted.error;
    EXPECT_EQ(d.count("lockScreenShown"), 1);
    EXPECT_TRUE(d->state().locked);
    runtime::send(d.awayController(), runtime::Sel("unlockWithSound:"), true);
    d->wait(1);
    EXPECT_EQ(d.count("unlocked"), 1);
    // The library's lock view lived exactly as long as the lock screen.
    EXPECT_EQ(d.count("lockViewCreated"), 1);
    EXPECT_EQ(d.count("lockViewDestroyed"), 1);
}

TEST(HostWithLibrary, ALibraryThatDoesNotLoadFailsTheBoot)
{
    TestDevice d({}, options([](auto& o) { o.libraryPath = "/nonexistent/libOmbrel.so"; }));
    EXPECT_FALSE(d.booted.ok);
    EXPECT_FALSE(d.booted.error.empty());
}

} // namespace
