#pragma once
// Runs a checked scenario on a booted device: each step in turn, the trace events it caused
// written out as JSON lines as they happen, dumps where the scenario asks, and the expectations
// checked. Stops at the first failed expectation or step the device refuses.

#include "sim/Scenario.h"
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace host {
class Device;
}

namespace ombrel::sim {

class Renderer;
struct Violation;

// One finger's pace: the time between the events of `tap` and `drag`, so animations progress
// between them as they would under a finger.
inline constexpr double kTouchInterval = 1.0 / 60;

struct RunLimits {
    // Draws `snapshot` lines; without one they fail.
    Renderer* renderer = nullptr;
    // Virtual seconds since boot at which the run stops: steps that would begin later are not run,
    // and the clock of a step that spans it (a wait, the pauses of a tap or drag) stops there, the
    // rest of that step undone.
    std::optional<double> until;
    // Names the command in failures.
    std::string command = "ombrel run";
};

// Plays steps one at a time on a booted device (the fuzzer makes each step from what the device
// shows after the last one).
class ScenarioPlayer {
public:
    ScenarioPlayer(host::Device&, std::ostream& out, const RunLimits& = {});
    ~ScenarioPlayer();
    // Nothing when done; otherwise why the step failed (refused, an expectation, an invariant).
    std::optional<std::string> step(const Step&);
    // The invariant a step broke (after an `invariants` line), if any.
    const std::optional<Violation>& violation() const;
    // False once the clock reached the limit: nothing more is to run.
    bool beforeLimit();
    // After the last step: the clock runs on to the limit, the rest of the trace is written.
    void finish();

private:
    class Run;
    std::unique_ptr<Run> m_run;
};

// Answers the exit status: 0 every step done and every expectation met, 1 otherwise (the reason,
// with `name` and the line number, on `err`).
int runScenario(const Scenario&, host::Device&, const std::string& name, std::ostream& out, std::ostream& err,
    const RunLimits& = {});

} // namespace ombrel::sim
