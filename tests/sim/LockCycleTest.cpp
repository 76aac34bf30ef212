// A thousand lock/unlock cycles leave no objects behind: the runtime's count of live objects is
// the same after them as before, on the stock phone and with the library making and tearing down
// its lock view every cycle.

#include "host/Device.h"
#include "platform/runtime/Object.h"
#include "tests/settings/TempDeviceRoot.h"
#include "tests/sim/OmbrelProcess.h"

#include <gtest/gtest.h>

namespace ombrel {
namespace {

using testing::ombrel;

struct Variant {
    const char* name;
    bool library;
};

class LockCycle : public ::testing::TestWithParam<Variant> {
protected:
    void SetUp() override
    {
        root = m_folder.folder() + "/device";
        ASSERT_EQ(ombrel({"init", "--root", root, "--profile", "iphone4s-5.1.1"}).status, 0);
        // The stock slider stays in charge beside the lock view, so the same drag unlocks both.
        ASSERT_EQ(ombrel({"settings", "--root", root, "set", "kLockBarDisabled", "no"}).status, 0);
        host::BootOptions options;
        options.root = root;
        if (GetParam().library)
            options.libraryPath = OMBREL_LIBRARY_PATH;
        device = host::makeInProcessDevice();
        host::Status booted = device->boot(options);
        ASSERT_TRUE(booted) << booted.error;
    }

    // Slides the stock knob from inside the track zone to the right end; the phone unlocks.
    void unlock()
    {
        const double y = device->state().screenHeight - 48;
        device->touchDown(90, y);
        for (double x = 100; x <= 310; x += 30) {
            device->wait(1.0 / 60);
            device->touchMove(x, y);
        }
        device->touchUp(310, y);
        device->wait(1);
    }

    std::size_t count(const std::string& event) const
    {
        std::size_t n = 0;
        for (const host::TraceEvent& e : device->trace())
            n += e.name == event;
        return n;
    }

    testing::TempDeviceRoot m_folder;
    std::string root;
    std::unique_ptr<host::Device> device;
};

TEST_P(LockCycle, AThousandCyclesLeaveNoObjectsBehind)
{
    // The first cycles make what lives for the whole run (caches, shared controllers, images); the
    // count settles within about ten.
    for (int i = 0; i < 100; ++i) {
        unlock();
        ASSERT_FALSE(device->state().locked) << "cycle " << i << " did not unlock";
        device->lock();
    }
    const std::int64_t before = runtime::liveObjectCount();
    const std::size_t unlocksBefore = count("unlocked");
    for (int i = 0; i < 1000; ++i) {
        unlock();
        device->lock();
    }
    EXPECT_EQ(count("unlocked") - unlocksBefore, 1000u);
    EXPECT_EQ(runtime::liveObjectCount(), before);
    if (GetParam().library) {
        EXPECT_EQ(count("lockViewCreated"), count("lockViewDestroyed") + 1) << "one lock view, on the lock screen now";
    }
}

INSTANTIATE_TEST_SUITE_P(Phones, LockCycle, ::testing::Values(Variant { "stock", false }, Variant { "library", true }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace ombrel
