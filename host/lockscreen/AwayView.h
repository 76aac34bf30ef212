#pragma once
// The stock lock view, "SBAwayView", and the classes above it: "SBAlertView" (a view that shows an
// alert) and "SBSlidingAlertDisplay" (one that can slide the passcode keypad in:
// "setShowingDeviceLock:animated:" void(bool, bool)).
//
// "initWithFrame:" builds, back to front: the wallpaper ("SBWallpaperView"), the bulletin list
// (the "view" of its "SBAwayBulletinListController"), the top bar ("TPLCDBar" holding an
// "SBAwayDateView"), and the stock slider bar ("SBAwayLockBar") at the bottom.
//
// Touches: the subviews take none, so every touch on the lock screen reaches the four touch methods
// of this view. The stock methods drive the slider: a touch on the knob drags it along the bar,
// and a release with the knob at the right end asks the away controller to "unlockWithSound:".
// The bar is always reached through "lockBar", so a replacement of it decides which bar is used.
//
// Registered (exact types): "initWithFrame:" Object*(Rect), the touch methods, "lockBar",
// "topBar", "dateView", "bulletinController" Object*(), "canBecomeFirstResponder",
// "shouldShowChargingView" bool(), "noteAssistantWillAppear", "noteAssistantDidHide",
// "updateInCallInfo" void().

#include "platform/uikit/View.h"

namespace host {

class SlidingAlertDisplay : public uikit::View {
public:
    static void registerClasses(); // "SBAlertView" and "SBSlidingAlertDisplay"

    bool showingDeviceLock = false;
    runtime::Ref<uikit::View> keypad; // the passcode keypad while it shows or slides
};

class AwayView : public SlidingAlertDisplay {
public:
    static void registerClass();

    runtime::Ref<uikit::View> wallpaper;
    runtime::Ref<uikit::View> topBar;
    runtime::Ref<uikit::View> dateView;
    runtime::Ref<uikit::View> lockBar;
    runtime::Ref<runtime::Object> bulletinController;
    runtime::Ref<runtime::Object> pluginController; // media controls, when shown
    runtime::Ref<uikit::View> chargingView;
    runtime::Ref<uikit::View> assistantView;

    // The stock slider in progress.
    bool sliding = false;
    float grabOffset = 0;

    // Refreshes the clock and date of the date view from the device's wall clock.
    void updateClock();
};

// Points of the stock slider bar, for tests and the renderer.
inline constexpr float kLockBarHeight = 96;
inline constexpr float kLockBarInset = 21;   // the knob's travel starts and ends this far from the edges
inline constexpr float kKnobWidth = 82;
inline constexpr float kKnobHeight = 52;
inline constexpr float kTopBarHeight = 96;
inline constexpr float kTopBarHeightWithControls = 133;

} // namespace host
