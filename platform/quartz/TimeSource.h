#pragma once
// The clock quartz reads and the queue it posts completions to. Quartz keeps no time of its own:
// the run loop (uikit) installs itself here at start-up; tests may install a fake. With no source
// the time is 0 and posted work is dropped.

#include <functional>

namespace quartz {

class TimeSource {
public:
    virtual double now() const = 0;
    // Runs `work` on the run loop once the clock reaches `time` (at once on its next turn when the
    // time has passed), after work posted earlier for the same time.
    virtual void callAt(double time, std::function<void()> work) = 0;

protected:
    ~TimeSource() = default;
};

void setTimeSource(TimeSource*); // not owned; nothing to uninstall
TimeSource* timeSource();
double currentMediaTime(); // the source's time; 0 without one

} // namespace quartz
