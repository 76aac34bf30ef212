#include "platform/uikit/RunLoop.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <algorithm>
#include <cassert>

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

void timerInvalidate(Object* self, Sel) { static_cast<Timer*>(self)->invalidate(); }
bool timerIsValid(Object* self, Sel) { return static_cast<Timer*>(self)->isValid(); }
double timerFireDate(Object* self, Sel) { return static_cast<Timer*>(self)->fireDate(); }

runtime::Class* timerClass()
{
    static runtime::Class* cls = runtime::ClassBuilder("NSTimer", "NSObject")
                                     .instancesOf<Timer>()
                                     .method("invalidate", &timerInvalidate)
                                     .method("isValid", &timerIsValid)
                                     .method("fireDate", &timerFireDate)
                                     .registerClass();
    return cls;
}

// The run loop is quartz's clock from the moment the library is loaded.
[[maybe_unused]] const bool g_installed = [] {
    timerClass();
    quartz::setTimeSource(&RunLoop::main());
    return true;
}();

runtime::Ref<Timer> newTimer() { return runtime::Ref<Timer>(static_cast<Timer*>(runtime::alloc(timerClass()).get())); }

} // namespace

RunLoop& RunLoop::main()
{
    static RunLoop* loop = new RunLoop; // lives as long as the process
    return *loop;
}

void RunLoop::callAt(double time, std::function<void()> work)
{
    m_queue.push_back({ std::max(time, m_now), m_order++, std::move(work), nullptr });
    std::push_heap(m_queue.begin(), m_queue.end(), Later {});
}

void RunLoop::schedule(Timer* timer)
{
    m_queue.push_back({ std::max(timer->m_fireDate, m_now), m_order++, {}, runtime::Ref<Timer>(timer) });
    std::push_heap(m_queue.begin(), m_queue.end(), Later {});
}

runtime::Ref<Timer> RunLoop::scheduleTimer(double interval, bool repeats, std::function<void(Timer*)> fire)
{
    runtime::Ref<Timer> timer = newTimer();
    timer->m_interval = std::max(interval, 0.0001); // a zero interval would repeat forever at one time
    timer->m_repeats = repeats;
    timer->m_fireDate = m_now + interval;
    timer->m_callback = std::move(fire);
    schedule(timer.get());
    return timer;
}

runtime::Ref<Timer> RunLoop::scheduleTimer(double interval, Object* target, Sel action, bool repeats)
{
    runtime::Ref<Timer> timer = scheduleTimer(interval, repeats, nullptr);
    timer->m_target = target;
    timer->m_action = action;
    return timer;
}

std::optional<double> RunLoop::nextDueTime() const
{
    if (m_queue.empty())
        return std::nullopt;
    return m_queue.front().time;
}

void RunLoop::runUntil(double time)
{
    while (!m_queue.empty() && m_queue.front().time <= time) {
        std::pop_heap(m_queue.begin(), m_queue.end(), Later {});
        Item item = std::move(m_queue.back());
        m_queue.pop_back();
        m_now = std::max(m_now, item.time);
        {
            runtime::AutoreleasePool pool;
            if (item.timer)
                item.timer->fire();
            else if (item.work)
                item.work();
        }
        // The observer runs once the work due at this time is done.
        if (m_turnObserver && (m_queue.empty() || m_queue.front().time > m_now))
            m_turnObserver();
    }
    m_now = std::max(m_now, time);
}

void Timer::invalidate()
{
    m_valid = false;
    m_callback = nullptr;
    m_target = nullptr; // may release the target
}

void Timer::fire()
{
    if (!m_valid)
        return;
    runtime::Ref<Timer> protect(this); // the callback may drop the last other reference
    if (m_callback)
        m_callback(this);
    else if (m_target)
        runtime::send<void>(m_target.get(), m_action, static_cast<Object*>(this));
    if (!m_valid)
        return;
    if (m_repeats) {
        m_fireDate += m_interval;
        RunLoop::main().schedule(this);
    } else {
        invalidate();
    }
}

} // namespace uikit
