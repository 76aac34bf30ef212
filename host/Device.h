#pragma once
// The device-control interface: the one small surface through which the command and the tests
// drive a simulated phone. Everything in and out is a plain value (numbers, strings, JSON), so the
// simulated SpringBoard can later run in a child process with the command as its launchd; the
// in-process implementation drives a host living in this process.
//
// Time is the run loop's virtual clock: nothing moves between calls; wait() advances the clock and
// runs, in time order, the timers, animations and completions that fall due.
//
// One in-process device per process: the runtime's classes and method tables are process-wide, and
// a restart must never reuse them, so a fresh SpringBoard needs a fresh process.

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace uikit {
class Window;
}

namespace host {

// 2013-01-15 09:41:00 UTC: the wall-clock date at virtual time 0, so stamps are reproducible.
inline constexpr double kBootDate = 1358242860;

struct BootOptions {
    std::string root;                       // the device root folder (host path)
    std::optional<std::string> libraryPath; // the system library to dlopen; nothing: stock SpringBoard
    bool mediaControls = false;             // the away controller answers isShowingMediaControls YES
    bool charging = false;                  // the lock screen shows the charging view
    bool androidLock = false;               // the away controller gains isAndroidLockEnabled (YES)
    std::vector<std::string> omitClasses;   // host classes left out, e.g. "BKSWorkspace"
    double bootDate = kBootDate;            // wall-clock seconds since 1970 at virtual time 0
    std::optional<std::uint64_t> seed;      // seeds what the device draws at random (ombrel run --seed);
                                            // nothing: different every run
};

struct Status {
    bool ok = true;
    std::string error; // why, when not ok
    explicit operator bool() const { return ok; }
    static Status failure(std::string why) { return { false, std::move(why) }; }
};

// One line of the event trace: {"t": seconds, "event": name, ...fields}.
struct TraceEvent {
    double t = 0;        // virtual seconds since boot
    std::string name;
    nlohmann::json fields = nlohmann::json::object();
};
nlohmann::ordered_json toJson(const TraceEvent&);
std::string toJsonLine(const TraceEvent&); // one line, no newline

struct DeviceState {
    double time = 0;                          // virtual seconds since boot
    double date = 0;                          // wall-clock seconds since 1970
    bool booted = false;
    bool locked = false;                      // the lock screen is up (or animating out)
    bool passcodeKeypadShown = false;
    bool screenDimmed = false;
    bool asleep = false;                      // the screen went off after dimming
    bool cameraShowing = false;
    std::optional<std::string> frontApplication; // bundle identifier; nothing on the home screen
    std::string systemVersion;                // "6.1"
    double screenWidth = 0, screenHeight = 0; // points
};

class Device {
public:
    virtual ~Device() = default;

    // Sets the device root, reads the profile, starts the clock, registers SpringBoard's classes,
    // loads the library when asked (its initialiser changes the registered classes), builds the
    // status bar, then locks. Fails (nothing else happens) on a second boot, a folder without a
    // readable device profile, or a library that does not load.
    virtual Status boot(const BootOptions&) = 0;

    virtual void lock() = 0;

    // One finger, in screen points.
    virtual bool touchDown(double x, double y) = 0;
    virtual bool touchMove(double x, double y) = 0;
    virtual bool touchUp(double x, double y) = 0;
    virtual bool touchCancel(double x, double y) = 0;

    // Advances the virtual clock by that many seconds (not negative).
    virtual void wait(double seconds) = 0;

    // Types the code on the passcode keypad and submits it; false when no keypad is shown.
    virtual bool enterPasscode(const std::string& code) = 0;
    // Slides the passcode keypad away without unlocking; false when none is shown.
    virtual bool dismissKeypad() = 0;
    // Closes the camera opened from the lock screen; false when it is not showing.
    virtual bool closeCamera() = 0;
    // The voice assistant comes up over the lock screen (home button held) or goes away.
    virtual void setAssistantShowing(bool) = 0;

    virtual DeviceState state() const = 0;

    // The event trace since boot, in order.
    virtual std::vector<TraceEvent> trace() const = 0;

    // In-process only: the visible uikit windows back to front (for dumps and snapshots), and a
    // symbol of the loaded library (nothing when none is loaded). A child-process device answers
    // the dump as JSON instead.
    virtual std::vector<uikit::Window*> windows() const = 0;
    virtual void* librarySymbol(const char* name) const = 0;
};

// The simulated SpringBoard in this process.
std::unique_ptr<Device> makeInProcessDevice();

} // namespace host
