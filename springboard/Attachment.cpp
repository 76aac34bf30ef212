// Ties the host's stock lock view to the system: captures the top bar and the notification list,
// hides the stock slider bar while the track replaces it, and passes the voice assistant and
// pattern-lock moments on to the lock view.
#include "springboard/Attachment.h"
#include "lockview/OmbrelView.h"
#include "lockview/ProcessState.h"
#include "platform/uikit/Color.h"
#include "platform/uikit/Image.h"
#include "platform/uikit/Screen.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "settings/ThemeColor.h"
#include "springboard/HookPoints.h"
#include "springboard/Services.h"
#include <cmath>

namespace ombrel {

using namespace hooks;

namespace {

bool enabled() { return settingBool(loadSettings(), "enabled"); }

const Sel kFrame("frame"), kSetFrame("setFrame:"), kSetHidden("setHidden:");

// A fully transparent image as wide as the screen, 133 points high while the media controls show,
// else 96. Made afresh at every use.
runtime::Ref<uikit::Image> topBarImage()
{
    Float width = std::trunc(uikit::Screen::main()->bounds().size.width);
    Float height = services::isShowingMediaControls() ? 133 : 96;
    return uikit::Image::blank({ width, height });
}

void initializeOmbrel(Object* self, Sel)
{
    ProcessState& state = processState();
    foundation::Value settings = loadSettings();
    Object* list = runtime::send<Object*>(self, Sel("bulletinController"));
    state.bulletinListView = runtime::send<Object*>(list, Sel("view"));
    runtime::send(self, Sel("setMultipleTouchEnabled:"), false);
    runtime::send(self, Sel("setExclusiveTouch:"), true);
    if (!state.topBar) {
        Object* topBar = runtime::send<Object*>(self, Sel("topBar"));
        state.topBar = topBar;
        state.topBarHeight = topBar ? runtime::send<Rect>(topBar, kFrame).size.height : 0;
        runtime::send(self, Sel("setupActivators:"), topBar);
    }
    Object* topBar = state.topBar.get();
    bool flat = settingBool(settings, "kDateHeaderFlat");
    if (settingBool(settings, "kDateHeaderDisabled"))
        runtime::send(topBar, kSetHidden, true);
    if (flat) {
        auto color = themeColor(settings, "kDateHeaderTheme", settingReal(settings, "kDateHeaderAlpha"));
        runtime::send(topBar, Sel("setImage:"), topBarImage());
        if (!settingBool(settings, "kHideDateHeaderBackground") && color) {
            auto background = uikit::Color::make(Float(color->r), Float(color->g), Float(color->b), Float(color->a));
            runtime::send(topBar, Sel("setBackgroundColor:"), background);
        }
    }
    state.initialised = true;
}

Object* initWithFrame(Object* self, Sel cmd, Rect frame)
{
    Object* view = SBAwayView_initWithFrame.callPrevious(self, cmd, frame);
    if (view && enabled())
        runtime::send(view, Sel("initializeOmbrel"));
    return view;
}

Object* lockBar(Object* self, Sel cmd)
{
    Object* bar = SBAwayView_lockBar.callPrevious(self, cmd);
    foundation::Value settings = loadSettings();
    if (!settingBool(settings, "enabled") || services::isAndroidLockEnabled() || !settingBool(settings, "kLockBarDisabled"))
        return bar;
    // A lock screen already up without a lock view (the system was turned on after it locked) has
    // no track: the stock slider bar is its only way to unlock, so it stays.
    static const Sel window("window");
    if (!processState().lockView && runtime::send<Object*>(self, window))
        return bar;
    // The track replaces the stock slider bar: whenever the host asks for it, it goes.
    runtime::send(bar, Sel("removeFromSuperview"));
    runtime::send(bar, kSetHidden, true);
    return bar;
}

bool canBecomeFirstResponder(Object* self, Sel cmd)
{
    ProcessState& state = processState();
    if (state.lockScreen && enabled() && state.responderGuard)
        return false;
    return SBAwayView_canBecomeFirstResponder.callPrevious(self, cmd);
}

bool shouldShowChargingView(Object* self, Sel cmd)
{
    foundation::Value settings = loadSettings();
    if (settingBool(settings, "enabled") && settingBool(settings, "kDisableChargingView"))
        return false;
    return SBAwayView_shouldShowChargingView.callPrevious(self, cmd);
}

void noteAssistantWillAppear(Object* self, Sel cmd)
{
    if (enabled())
        runtime::send(processState().lockView.get(), Sel("hideTrack"));
    SBAwayView_noteAssistantWillAppear.callPrevious(self, cmd);
}

void noteAssistantDidHide(Object* self, Sel cmd)
{
    if (enabled())
        runtime::send(processState().lockView.get(), Sel("showTrack"));
    SBAwayView_noteAssistantDidHide.callPrevious(self, cmd);
}

void updateInCallInfo(Object* self, Sel cmd) { SBAwayView_updateInCallInfo.callPrevious(self, cmd); }

// Slides the stock slider bar to y (same x, width and height) over 0.2 s.
void slideLockBar(Object* self, bool out)
{
    Object* bar = runtime::send<Object*>(self, Sel("lockBar"));
    Rect barFrame = runtime::send<Rect>(bar, kFrame);
    Rect viewFrame = runtime::send<Rect>(self, kFrame);
    Rect target = barFrame;
    target.origin.y = out ? viewFrame.size.height : viewFrame.size.height - barFrame.size.height;
    runtime::Ref<Object> keep(bar);
    uikit::View::animate(0.2, [&] { runtime::send(keep, kSetFrame, target); });
}

void hideLockBar(Object* self, Sel) { slideLockBar(self, true); }
void showLockBar(Object* self, Sel) { slideLockBar(self, false); }

void androidLockWillAppear(Object*, Sel) { runtime::send(processState().lockView.get(), Sel("prepareForUnlock")); }
void androidLockDidDisappear(Object*, Sel) { runtime::send(processState().lockView.get(), Sel("prepareForRelock")); }

} // namespace

std::vector<HookEntry> attachmentSetUpHooks()
{
    return {
        add("SBAwayView", "initializeOmbrel", &initializeOmbrel),
        replace<&SBAwayView_initWithFrame>(&initWithFrame),
    };
}

std::vector<HookEntry> attachmentHooks()
{
    return {
        replace<&SBAwayView_lockBar>(&lockBar),
        replace<&SBAwayView_noteAssistantDidHide>(&noteAssistantDidHide),
        replace<&SBAwayView_noteAssistantWillAppear>(&noteAssistantWillAppear),
        replace<&SBAwayView_shouldShowChargingView>(&shouldShowChargingView),
        replace<&SBAwayView_updateInCallInfo>(&updateInCallInfo),
        replace<&SBAwayView_canBecomeFirstResponder>(&canBecomeFirstResponder),
        add("SBAwayView", "hideLockBar", &hideLockBar),
        add("SBAwayView", "showLockBar", &showLockBar),
        add("SBAwayView", "ombrelNotifyAndroidLockWillAppear", &androidLockWillAppear),
        add("SBAwayView", "ombrelNotifyAndroidLockDidDisappear", &androidLockDidDisappear),
    };
}

} // namespace ombrel
