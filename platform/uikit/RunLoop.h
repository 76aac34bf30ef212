#pragma once
// The main run loop and its clock. Time is virtual: it moves only when someone advances it
// (tests, scenarios, or the interactive page in step with real time), and the loop never reads a
// wall clock. Advancing fires, in time order, everything that falls due: timers, delayed work and
// animation completions; work due at the same time runs in the order it was posted.
//
//   now ----|-----------|--------|------> runUntil(t)
//           timer       perform  animation end      each runs with now() = its own due time
//
// "NSTimer" objects: a timer fires its callback (or sends its selector, void(Object* timer), to
// its target) at its fire date, and again every interval when repeating, until invalidated. The
// loop owns scheduled timers; a timer owns its target until it is invalidated, as on the phone.

#include "platform/quartz/TimeSource.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include "platform/runtime/Selector.h"
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace uikit {

class Timer;

class RunLoop final : public quartz::TimeSource {
public:
    static RunLoop& main(); // installed as quartz's time source when the library loads

    double now() const override { return m_now; }
    void callAt(double time, std::function<void()> work) override;
    void performAfterDelay(double delay, std::function<void()> work) { callAt(m_now + delay, std::move(work)); }

    // "scheduledTimerWithTimeInterval:..." equivalents.
    runtime::Ref<Timer> scheduleTimer(double interval, bool repeats, std::function<void(Timer*)> fire);
    runtime::Ref<Timer> scheduleTimer(double interval, runtime::Object* target, runtime::Sel action, bool repeats);

    // Fires everything due up to `time`, then leaves the clock at `time` (never moves back).
    void runUntil(double time);
    void advanceBy(double seconds) { runUntil(m_now + seconds); }
    // The due time of the next piece of work; nothing when idle.
    std::optional<double> nextDueTime() const;

    // Called after each turn of the loop (a batch of work at one time), e.g. for layout passes.
    void setTurnObserver(std::function<void()> observer) { m_turnObserver = std::move(observer); }

    // For timers only.
    void schedule(Timer*);

private:
    RunLoop() = default;
    struct Item {
        double time;
        std::uint64_t order;
        std::function<void()> work; // empty for a timer
        runtime::Ref<Timer> timer;
    };
    struct Later {
        bool operator()(const Item& a, const Item& b) const
        {
            return a.time != b.time ? a.time > b.time : a.order > b.order;
        }
    };
    std::vector<Item> m_queue; // a heap ordered by Later
    double m_now = 0;
    std::uint64_t m_order = 0;
    std::function<void()> m_turnObserver;
};

class Timer : public runtime::Object {
public:
    void invalidate(); // "invalidate": never fires again; drops its target and callback
    bool isValid() const { return m_valid; }
    double fireDate() const { return m_fireDate; }
    double timeInterval() const { return m_interval; }
    bool repeats() const { return m_repeats; }

private:
    friend class RunLoop;
    void fire(); // on the run loop
    bool m_valid = true;
    bool m_repeats = false;
    double m_fireDate = 0;
    double m_interval = 0;
    std::function<void(Timer*)> m_callback;
    runtime::Ref<runtime::Object> m_target;
    runtime::Sel m_action;
};

} // namespace uikit
