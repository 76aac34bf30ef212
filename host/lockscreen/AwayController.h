#pragma once
// "SBAwayController": SpringBoard's lock-screen controller, one per process
// ("sharedAwayController", class method Object*()). It shows itself as an alert in an
// "SBAlertWindow" whose display view is a fresh stock lock view ("SBAwayView"), runs the dim
// timer, unlocks (through the passcode keypad when the device is locked with a passcode) and opens
// the camera over the lock screen.
//
// Life of one lock screen:
//
//   lock: "setLocked:" YES, "setDeviceLocked:" YES (with a passcode), "activate"
//     activate: new SBAwayView ("initWithFrame:"), window "displayAlert:", dim timer starts
//   "unlockWithSound:" -> no passcode: animate out ............................+
//                      -> passcode: "setShowingDeviceLock:animated:" YES        |
//                           code entered: "_finishedUnlockAttemptWithStatus:"  |
//                             YES -> animate out ..............................+
//                             NO  -> the keypad stays                          |
//                           dismissed: "setShowingDeviceLock:animated:" NO,    |
//                             then "didAnimateLockKeypadOut"                   v
//   "_awayViewFinishedAnimatingOut:" -> window "deactivateAlert:", unlocked, chosen app in front
//
// Method types are those the library's hook table declares; the host sends them to itself
// through the runtime so replacements run.

#include "host/lockscreen/AlertWindow.h"
#include "host/lockscreen/AwayView.h"
#include "platform/uikit/RunLoop.h"

namespace host {

class AwayController : public runtime::Object {
public:
    static void registerClass(bool androidLock);
    static AwayController* shared(); // nothing before registration

    bool locked = false;       // "setLocked:"
    bool deviceLocked = false; // "setDeviceLocked:"
    bool active = false;       // the lock screen is shown
    bool animatingOut = false;
    bool cameraPrewarmed = false;
    bool cameraSetUp = false;
    bool cameraShowing = false;
    bool firstResponder = false;
    bool dimTimerCancelled = false;

    runtime::Ref<AlertWindow> window;
    runtime::Ref<AwayView> awayView;
    runtime::Ref<uikit::View> cameraView;

    // The dim timer: dims after kDimInterval without touches, then the screen sleeps.
    void startDimTimer();
    void stopDimTimer();
    // A touch on the lock screen: wakes a dimmed screen and starts the idle time afresh, unless
    // the timer was cancelled.
    void noteUserActivity();

    // Slides the lock screen away; ends in "_awayViewFinishedAnimatingOut:".
    void animateOut();
    bool keypadShown() const { return awayView && awayView->showingDeviceLock; }

private:
    runtime::Ref<uikit::Timer> m_dimTimer;
    runtime::Ref<uikit::Timer> m_sleepTimer;
};

} // namespace host
