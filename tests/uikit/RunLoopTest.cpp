// The run loop's virtual clock: work fires in time order, timers repeat until invalidated, and
// nothing fires before its time.
#include "platform/uikit/RunLoop.h"
#include "platform/runtime/Runtime.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace uikit;
using runtime::Ref;

namespace {

TEST(RunLoop, FiresInTimeOrderWithEachItemSeeingItsOwnTime)
{
    RunLoop& loop = RunLoop::main();
    std::vector<std::string> log;
    const double t0 = loop.now(); // the clock is process-wide; times below are relative to it
    auto note = [&](std::string what) { return [&log, what, &loop, t0] { log.push_back(what + "@" + std::to_string(loop.now() - t0).substr(0, 4)); }; };
    loop.performAfterDelay(2, note("c"));
    loop.performAfterDelay(1, note("a"));
    loop.performAfterDelay(1, note("b")); // same time: posting order
    loop.callAt(t0 - 5, note("past"));        // overdue: runs on the next turn
    loop.advanceBy(0.5);
    EXPECT_EQ(log, std::vector<std::string> { "past@0.00" });
    loop.advanceBy(1);
    EXPECT_EQ(log, (std::vector<std::string> { "past@0.00", "a@1.00", "b@1.00" }));
    EXPECT_DOUBLE_EQ(loop.now() - t0, 1.5);
    loop.runUntil(t0 + 1.0); // never moves back
    EXPECT_DOUBLE_EQ(loop.now() - t0, 1.5);
    loop.runUntil(t0 + 10);
    EXPECT_EQ(log.back(), "c@2.00");
    EXPECT_FALSE(loop.nextDueTime());
}

TEST(RunLoop, RepeatingTimerFiresEveryIntervalUntilInvalidated)
{
    RunLoop& loop = RunLoop::main();
    std::vector<double> fired;
    const double t0 = loop.now();
    Ref<Timer> timer = loop.scheduleTimer(0.3, true, [&](Timer* t) {
        fired.push_back(loop.now() - t0);
        if (fired.size() == 3)
            t->invalidate();
    });
    Ref<Timer> once = loop.scheduleTimer(0.5, false, [&](Timer*) { fired.push_back(-1); });
    loop.advanceBy(5);
    ASSERT_EQ(fired.size(), 3u);
    EXPECT_NEAR(fired[0], 0.3, 1e-9);
    EXPECT_EQ(fired[1], -1) << "the one-shot at 0.5 falls between";
    EXPECT_NEAR(fired[2], 0.6, 1e-9);
    EXPECT_FALSE(timer->isValid());
    EXPECT_FALSE(once->isValid());

    Ref<Timer> cancelled = loop.scheduleTimer(1, false, [&](Timer*) { fired.push_back(99); });
    cancelled->invalidate();
    loop.advanceBy(2);
    EXPECT_EQ(fired.size(), 3u);
}

int g_fires = 0;
void onTimer(runtime::Object*, runtime::Sel, runtime::Object* timer)
{
    ++g_fires;
    EXPECT_TRUE(runtime::isKindOfClass(timer, runtime::lookUpClass("NSTimer")));
}

TEST(RunLoop, TimerSendsItsSelectorToItsTargetAndKeepsItUntilInvalidated)
{
    runtime::ClassBuilder("TimerTarget", "NSObject").instancesOf<runtime::Object>().method("dimTimerFired:", &onTimer).registerClass();
    Ref<runtime::Object> target = runtime::alloc(runtime::lookUpClass("TimerTarget"));
    runtime::WeakRef<runtime::Object> weak(target.get());
    Ref<Timer> timer = RunLoop::main().scheduleTimer(1.0, target, runtime::Sel("dimTimerFired:"), true);
    target = nullptr;
    EXPECT_TRUE(weak) << "the timer owns its target";
    RunLoop::main().advanceBy(2.5);
    EXPECT_EQ(g_fires, 2);
    timer->invalidate();
    EXPECT_FALSE(weak);
}

} // namespace
