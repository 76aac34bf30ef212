#pragma once
// The simulated SpringBoard's own process-wide state: the profile it booted from, its windows, the
// front application, the screen's dimming, and the objects it makes once (status bar, display
// stacks or workspace). One per process, as on the phone. The runtime classes keep their own
// state in their instances; this is what lies outside any of them.

#include "host/Device.h"
#include "host/Profile.h"
#include "platform/runtime/Ref.h"
#include "platform/uikit/Window.h"
#include <optional>
#include <string>
#include <vector>

namespace host {

// Timings of the stock lock screen, in seconds; they do not depend on the device profile.
inline constexpr double kDimInterval = 8;         // idle time before the lock screen dims
inline constexpr double kSleepInterval = 4;       // dimmed time before the screen goes off
inline constexpr double kAnimateOutDuration = 0.4; // the lock screen sliding away on unlock
inline constexpr double kKeypadDuration = 0.3;    // the passcode keypad sliding in or out
inline constexpr double kCameraSlideDuration = 0.3;
inline constexpr double kLockBarReturnDuration = 0.2;

// Window levels: the alert window over applications, SpringBoard's status bar over the alert.
inline constexpr float kStatusBarWindowLevel = uikit::UIWindowLevelAlert + 100;

struct SpringBoard {
    BootOptions options;
    Profile profile;
    bool booted = false;

    runtime::Ref<uikit::Window> statusBarWindow;
    runtime::Ref<uikit::View> statusBar; // a "UIStatusBar"

    std::optional<std::string> frontApplication;
    bool screenDimmed = false;
    bool asleep = false;

    // Below 6.0: the display stacks, made with "init" at boot, released at shutdown.
    std::vector<runtime::Ref<runtime::Object>> displayStacks;
    // From 6.0: the workspace ("BKSWorkspace"), unless the profile leaves it out.
    runtime::Ref<runtime::Object> workspace;

    bool omits(const std::string& className) const;
    bool usesWorkspace() const { return profile.systemVersionNumber >= 6.0; }
};

SpringBoard& springBoard();

// The unlock has completed: the application chosen while locked (display stack below 6.0, the
// workspace's top application from 6.0) comes to the front.
void bringChosenApplicationToFront();
// Makes an installed application the front one and records its launch; false when unknown.
bool launchApplication(const std::string& bundleIdentifier);

} // namespace host

namespace host {

// A class the device profile leaves out is never registered.
inline bool wanted(const char* className) { return !springBoard().omits(className); }

// Registers every SpringBoard class the profile keeps, in dependency order.
void registerHostClasses();
// The device's wall clock (foundation's clock) formatted with strftime in UTC, so that what
// the lock screen shows does not depend on the machine's time zone.
std::string deviceTimeText(const char* format);

// Locks: "setLocked:" YES, "setDeviceLocked:" YES with a passcode, "activate".
void lockDevice();

} // namespace host
