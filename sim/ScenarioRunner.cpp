#include "sim/ScenarioRunner.h"

#include "host/Device.h"
#include "sim/Dump.h"
#include "sim/FuzzInvariants.h"
#include "sim/RawSettings.h"
#include "sim/SettingEdit.h"
#include "sim/Snapshot.h"

#include <fstream>
#include <ostream>

namespace ombrel::sim {

class ScenarioPlayer::Run {
public:
    Run(host::Device& device, std::ostream& out, const RunLimits& limits)
        : m_device(device)
        , m_out(out)
        , m_limits(limits)
    {
        host::DeviceState state = device.state();
        m_width = state.screenWidth;
        m_height = state.screenHeight;
    }

    // Nothing when done; otherwise why the step failed.
    std::optional<std::string> step(const Step& step)
    {
        std::optional<std::string> failure = perform(step);
        if (!failure && m_invariants && !m_violation)
            m_violation = m_invariants->afterStep(m_device);
        if (!failure && m_violation)
            failure = violationText(*m_violation);
        flushTrace();
        return failure;
    }

    const std::optional<Violation>& violation() const { return m_violation; }

    // The clock reached the limit: nothing more is to run.
    bool stopped() const { return m_stopped; }
    bool beforeLimit()
    {
        m_stopped = m_stopped || (m_limits.until && m_device.state().time >= *m_limits.until);
        return !m_stopped;
    }
    // After the last step the clock runs on to the limit, if it has not reached it yet.
    void runToLimit()
    {
        if (m_limits.until && beforeLimit())
            m_device.wait(*m_limits.until - m_device.state().time);
    }

    // Writes the trace events not written yet.
    void flushTrace()
    {
        m_trace = m_device.trace();
        for (; m_written < m_trace.size(); ++m_written)
            m_out << host::toJsonLine(m_trace[m_written]) << '\n';
        m_out.flush();
    }

private:
    double x(const Step& step, std::size_t pair) const { return step.points[pair * 2].resolve(m_width, m_height); }
    double y(const Step& step, std::size_t pair) const { return step.points[pair * 2 + 1].resolve(m_width, m_height); }

    // Advances the clock, but never past the limit; false when it got there (the step stops).
    bool advance(double seconds)
    {
        if (!beforeLimit())
            return false;
        if (m_limits.until && m_device.state().time + seconds >= *m_limits.until) {
            m_device.wait(*m_limits.until - m_device.state().time);
            m_stopped = true;
            return false;
        }
        m_device.wait(seconds);
        return true;
    }

    void down(double px, double py) { m_device.touchDown(m_x = px, m_y = py); }
    void move(double px, double py) { m_device.touchMove(m_x = px, m_y = py); }
    void up(double px, double py) { m_device.touchUp(m_x = px, m_y = py); }

    std::optional<std::string> perform(const Step& step)
    {
        switch (step.verb) {
        case Verb::Lock:
            m_device.lock();
            return std::nullopt;
        case Verb::Down:
            down(x(step, 0), y(step, 0));
            return std::nullopt;
        case Verb::Move:
            move(x(step, 0), y(step, 0));
            return std::nullopt;
        case Verb::Up:
            up(x(step, 0), y(step, 0));
            return std::nullopt;
        case Verb::Cancel:
            m_device.touchCancel(m_x, m_y);
            return std::nullopt;
        case Verb::Tap:
            down(x(step, 0), y(step, 0));
            if (advance(kTouchInterval))
                up(x(step, 0), y(step, 0));
            return std::nullopt;
        case Verb::Drag: {
            double x1 = x(step, 0), y1 = y(step, 0), x2 = x(step, 1), y2 = y(step, 1);
            down(x1, y1);
            for (int i = 1; i <= step.moves; ++i) {
                if (!advance(kTouchInterval))
                    return std::nullopt;
                double f = double(i) / step.moves;
                move(x1 + (x2 - x1) * f, y1 + (y2 - y1) * f);
            }
            if (advance(kTouchInterval))
                up(x2, y2);
            return std::nullopt;
        }
        case Verb::Wait:
            advance(step.seconds);
            return std::nullopt;
        case Verb::Passcode:
            if (!m_device.enterPasscode(step.word))
                return std::string("no passcode keypad is shown");
            return std::nullopt;
        case Verb::Dismiss:
            if (!m_device.dismissKeypad())
                return std::string("no passcode keypad is shown");
            return std::nullopt;
        case Verb::CloseCamera:
            if (!m_device.closeCamera())
                return std::string("the camera is not showing");
            return std::nullopt;
        case Verb::Set:
            if (!writeSetting(step.word, step.value))
                return std::string("could not write the settings file");
            return std::nullopt;
        case Verb::SetRaw:
            invariants().settingWrittenRaw(step.word);
            if (!writeSetting(step.word, step.value))
                return std::string("could not write the settings file");
            return std::nullopt;
        case Verb::GarbageSettings: {
            auto bytes = garbleSettingsFile(step.word);
            if (!bytes)
                return std::string("could not write the settings file");
            invariants().settingsGarbled(std::move(*bytes));
            return std::nullopt;
        }
        case Verb::Invariants:
            invariants();
            return std::nullopt;
        case Verb::Check:
            m_violation = step.word == "settled" ? invariants().checkSettled(m_device) : invariants().checkRelocked(m_device);
            return std::nullopt;
        case Verb::Dump:
            return dump(step.word);
        case Verb::Snapshot:
            if (!m_limits.renderer)
                return std::string("no renderer for snapshots");
            return writeSnapshot(*m_limits.renderer, m_device, step.word);
        case Verb::Expect: {
            flushTrace();
            host::DeviceState state = m_device.state();
            nlohmann::ordered_json dumped = dumpDevice(m_device);
            Observation observation { state, m_trace, dumped, m_eventCursor };
            return check(step.expectation, observation);
        }
        }
        return std::string("unknown step");
    }

    std::optional<std::string> dump(const std::string& file)
    {
        nlohmann::ordered_json dumped = dumpDevice(m_device);
        if (file.empty()) {
            // Trace lines first, so stdout stays in time order; one line keeps it JSON lines.
            flushTrace();
            m_out << dumped.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
            return std::nullopt;
        }
        std::ofstream stream(file, std::ios::binary | std::ios::trunc);
        stream << dumped.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        stream.close();
        if (!stream)
            return "could not write " + file;
        return std::nullopt;
    }

    // Made by the first line that needs it: checks run after every step from then on.
    InvariantChecker& invariants()
    {
        if (!m_invariants)
            m_invariants = std::make_unique<InvariantChecker>();
        return *m_invariants;
    }

    host::Device& m_device;
    std::ostream& m_out;
    std::unique_ptr<InvariantChecker> m_invariants;
    std::optional<Violation> m_violation;
    const RunLimits m_limits; // a copy: a player may outlive the limits it was given
    bool m_stopped = false;
    double m_width = 0, m_height = 0;
    double m_x = 0, m_y = 0; // where the finger last was, for `cancel`
    std::vector<host::TraceEvent> m_trace;
    std::size_t m_written = 0;
    std::size_t m_eventCursor = 0;
};

ScenarioPlayer::ScenarioPlayer(host::Device& device, std::ostream& out, const RunLimits& limits)
    : m_run(std::make_unique<Run>(device, out, limits))
{
    m_run->flushTrace(); // what boot itself recorded
}

ScenarioPlayer::~ScenarioPlayer() = default;

std::optional<std::string> ScenarioPlayer::step(const Step& step) { return m_run->step(step); }
bool ScenarioPlayer::beforeLimit() { return m_run->beforeLimit(); }
const std::optional<Violation>& ScenarioPlayer::violation() const { return m_run->violation(); }

void ScenarioPlayer::finish()
{
    m_run->runToLimit();
    m_run->flushTrace();
}

int runScenario(const Scenario& scenario, host::Device& device, const std::string& name, std::ostream& out,
    std::ostream& err, const RunLimits& limits)
{
    ScenarioPlayer run(device, out, limits);
    for (const Step& step : scenario.steps) {
        if (!run.beforeLimit())
            break;
        if (auto failure = run.step(step)) {
            err << limits.command << ": " << name << ':' << step.line << ": " << step.text << ": " << *failure << '\n';
            return 1;
        }
    }
    run.finish();
    return 0;
}

} // namespace ombrel::sim
