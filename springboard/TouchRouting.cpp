// Touch routing. The lock view takes no touches; the host delivers every touch on the lock screen
// to the stock lock view, whose replaced handlers decide from the first touch point whether the
// finger grabs a side view at a screen edge or the thumb, move it while the finger moves, and on
// release carry out the action of the icon under the thumb. Other touches are swallowed.
//
//      y
//      0 +--------------------------------+
//        |        top bar (height T)      |
//   T+20 +--+--------------------------+--+
//        |  |                          |  |   edge strips: sw wide, between T + 20 and
//        |L |                          | R|   H - trunc(mb) (exclusive)
//        |  |                          |  |
//  H-(mb+ts+50) ....+------------+.........   track zone: from trunc(H - (trunc(mb) + ts + 50))
//        |  |       |   thumb    |     |  |   to H, x from trunc(sm + is) to trunc(W - that)
//      H +----------+------------+--------+
#include "springboard/TouchRouting.h"
#include "lockview/OmbrelView.h"
#include "lockview/ProcessState.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/uikit/Touch.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "springboard/HookPoints.h"
#include "springboard/Services.h"
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ombrel {

using namespace hooks;

namespace {

const Sel kLeftViewShowing("leftViewShowing"), kRightViewShowing("rightViewShowing"), kLeftViewOpen("leftViewOpen"),
    kRightViewOpen("rightViewOpen"), kIconAtPoint("iconAtPoint:"), kPopupAtPoint("popupAtPoint:"),
    kTrackPoint("trackPoint:"), kLocationInView("locationInView:");

// The location of any one of the event's touches in the lock view; (0, 0) for an empty set.
Point location(Object* touches, OmbrelView* view)
{
    static const Sel anyObject("anyObject");
    Object* touch = runtime::send<Object*>(touches, anyObject);
    return touch ? runtime::send<Point>(touch, kLocationInView, view) : Point {};
}

struct Geometry {
    Float H, W, mb, ts, sm, is, sw;
    Rect thumb; // the thumb's rest frame

    explicit Geometry(const OmbrelView& view)
    {
        Rect f = view.frame();
        const foundation::Value& s = view.ombrelSettings;
        H = std::trunc(f.size.height);
        W = f.size.width;
        mb = Float(settingReal(s, "kTrackMarginBottom"));
        ts = Float(settingReal(s, "kTrackSize"));
        sm = Float(settingReal(s, "kTrackSideMargin"));
        is = Float(settingReal(s, "kIconSize"));
        sw = Float(settingReal(s, "kSideViewSlideInWidth"));
        thumb = view.trackRestFrame(ts);
    }
    // Side margins wider than half the screen leave no zone; the thumb at rest is always in it,
    // so no setting can leave the lock screen without a way to unlock.
    bool inTrackZone(Point p) const
    {
        Float top = std::trunc(H - (std::trunc(mb) + ts + 50));
        Float l = std::trunc(sm + is);
        return (p.y >= top && p.y <= H && p.x >= l && p.x <= std::trunc(W - l)) || quartz::rectContainsPoint(thumb, p);
    }
    bool inStripRows(Point p) const
    {
        static const Sel frame("frame");
        Object* topBar = processState().topBar.get();
        Float t = topBar ? runtime::send<Rect>(topBar, frame).size.height : 0;
        return p.y < H - std::trunc(mb) && p.y > t + 20;
    }
    bool inRightStrip(Point p) const { return inStripRows(p) && p.x > W - std::trunc(sw); }
    bool inLeftStrip(Point p) const { return inStripRows(p) && p.x < std::trunc(sw); }
};

OmbrelView* activeLockView()
{
    ProcessState& state = processState();
    return state.lockView && state.initialised ? state.lockView.get() : nullptr;
}

void post(const char* name) { foundation::NotificationCenter::defaultCenter().post(name); }

void grabSide(OmbrelView* view, Object* stockView, bool right)
{
    runtime::send(view, Sel("hideTrack"));
    runtime::send(stockView, Sel("hideLockBar"));
    services::cancelDimTimer();
    view->grabRight = right;
    view->grabLeft = !right;
}

void touchesBegan(Object* self, Sel cmd, Object* touches, Object* event)
{
    OmbrelView* view = activeLockView();
    if (!view || runtime::send<bool>(view, kLeftViewShowing) || runtime::send<bool>(view, kRightViewShowing)) {
        SBAwayView_touchesBegan.callPrevious(self, cmd, touches, event);
        return;
    }
    runtime::Ref<OmbrelView> protector(view);
    if (view->brightnessView) {
        runtime::send(self, Sel("destroyBrightnessView"));
        return;
    }
    post("ombrelTouchesBegan");
    if (view->disableInteraction) {
        if (settingBool(loadSettings(), "kLockBarDisabled"))
            return;
        // The stock slider bar pushed off-screen comes back.
        static const Sel frame("frame");
        Object* bar = runtime::send<Object*>(self, Sel("lockBar"));
        if (runtime::send<Rect>(bar, frame).origin.y == runtime::send<Rect>(self, frame).size.height)
            runtime::send(self, Sel("showLockBar"));
        return;
    }
    Geometry g(*view);
    Point loc = location(touches, view);
    if (view->isRightViewEnabled || view->isLeftViewEnabled) {
        if (g.inRightStrip(loc) && !runtime::send<bool>(view, kLeftViewOpen) && view->isRightViewEnabled) {
            grabSide(view, self, true);
        } else if (g.inLeftStrip(loc) && !runtime::send<bool>(view, kRightViewOpen) && view->isLeftViewEnabled) {
            grabSide(view, self, false);
        } else {
            view->grabRight = view->grabLeft = false;
        }
    }
    if (!g.inTrackZone(loc))
        return;
    view->isTracking = true;
    services::cancelDimTimer();
    Point p = runtime::send<Point>(view, kTrackPoint, loc);
    runtime::send(view, Sel("trackEnabled"));
    runtime::send(view, kIconAtPoint, p);
    if (runtime::Ref<uikit::ImageView> thumb = view->trackSlider)
        uikit::View::animate(0.2, 0, uikit::AnimationCurve::EaseOut, [&] { thumb->setCenter(p); });
    SBAwayView_touchesBegan.callPrevious(self, cmd, touches, event);
}

uikit::View* grabbedSideView(OmbrelView* view) { return (view->grabRight ? view->rightSideView : view->leftSideView).get(); }

void touchesMoved(Object* self, Sel cmd, Object* touches, Object* event)
{
    OmbrelView* view = activeLockView();
    if (!view) {
        SBAwayView_touchesMoved.callPrevious(self, cmd, touches, event);
        return;
    }
    Point loc = location(touches, view);
    if (view->grabRight || view->grabLeft) {
        if (uikit::View* side = grabbedSideView(view)) {
            Rect f = side->frame();
            Float w = f.size.width;
            Float W = view->frame().size.width;
            f.origin.x = view->grabLeft ? std::min(loc.x - w, Float(-1)) : std::max(loc.x, W - w + 1);
            side->setFrame(f);
        }
        return;
    }
    if (!view->isTracking)
        return;
    if (!runtime::send<bool>(view, kRightViewOpen) && !runtime::send<bool>(view, kLeftViewOpen)) {
        Point p = runtime::send<Point>(view, kTrackPoint, loc);
        if (view->isFolderOpen)
            runtime::send(view, kPopupAtPoint, p);
        runtime::send(view, kIconAtPoint, p);
        if (view->trackSlider)
            view->trackSlider->setCenter(p);
    }
    SBAwayView_touchesMoved.callPrevious(self, cmd, touches, event);
}

void releaseSideView(OmbrelView* view, Object* stockView, Point loc)
{
    uikit::View* side = grabbedSideView(view);
    Float w = side ? side->frame().size.width : 0;
    Float W = view->frame().size.width;
    bool closing = (view->grabRight && loc.x > W - w * Float(0.25)) || (view->grabLeft && loc.x < w * Float(0.25));
    bool leftOpen = runtime::send<bool>(view, kLeftViewOpen), rightOpen = runtime::send<bool>(view, kRightViewOpen);
    if (closing) {
        services::restartDimTimer();
        runtime::send(view, Sel(view->grabRight ? "hideRightView" : "hideLeftView"));
    } else if (!leftOpen && !rightOpen) {
        services::cancelDimTimer();
        runtime::send(view, Sel(view->grabRight ? "revealRightView" : "revealLeftView"));
        return; // track and stock slider bar stay hidden
    } else {
        services::restartDimTimer();
        runtime::send(view, Sel(leftOpen ? "hideLeftView" : "hideRightView"));
    }
    runtime::send(view, Sel("showTrack"));
    runtime::send(stockView, Sel("showLockBar"));
}

// Withdraws a launch chosen by an earlier release.
void withdrawPendingApplication()
{
    ProcessState& state = processState();
    if (Object* app = state.pendingApplication.get(); app && state.systemVersion < 6.0) {
        runtime::send(app, Sel("clearDisplaySettings"));
        runtime::send(app, Sel("clearActivationSettings"));
        runtime::send(app, Sel("clearDeactivationSettings"));
        runtime::send(state.displayStack.get(), Sel("popDisplay:"), app);
    }
    state.pendingApplication = nullptr;
}

void launchSelectedApplication(OmbrelView* view, Object* stockView)
{
    static runtime::Class* iconViewClass = nullptr;
    uikit::View* iconView = view->currentlySelectedIcon.get();
    Object* icon = runtime::isKindOfClass(iconView, services::hostClass("SBIconView", iconViewClass)) ? runtime::send<Object*>(iconView, Sel("icon")) : nullptr;
    if (!icon)
        return;
    Object* app = services::applicationWithDisplayIdentifier(runtime::send<std::string>(icon, Sel("applicationBundleID")));
    if (!app)
        return;
    ProcessState& state = processState();
    Object* list = runtime::send<Object*>(stockView, Sel("bulletinController"));
    runtime::send(list, Sel("setUnlockActionContext:"), nullptr);
    state.pendingApplication = app;
    if (state.systemVersion < 6.0) {
        runtime::send(app, Sel("setDisplaySetting:flag:"), std::int32_t(4), false);
        runtime::send(state.displayStack.get(), Sel("pushDisplay:"), app);
    }
}

void touchesEnded(Object* self, Sel cmd, Object* touches, Object* event)
{
    OmbrelView* view = activeLockView();
    if (!view) {
        SBAwayView_touchesEnded.callPrevious(self, cmd, touches, event);
        return;
    }
    runtime::Ref<OmbrelView> protector(view); // an unlock may take the lock view down
    post("ombrelTouchesEnded");
    Point loc = location(touches, view);
    if (view->grabRight || view->grabLeft)
        releaseSideView(view, self, loc);
    if (!view->isTracking)
        return;
    view->isTracking = false;
    services::restartDimTimer();
    withdrawPendingApplication();
    std::int32_t tag = view->selectedTag;
    bool launch = tag == view->kLockApp || tag == view->kFolderApp;
    if (tag == view->kFolderApp)
        view->folderUnlock = true;
    if (launch) {
        launchSelectedApplication(view, self);
    } else if (tag == view->kCam) {
        view->shouldRainDownIcons = true;
        view->deviceShouldUnlock = true;
        services::openCamera();
    }
    if (launch || tag == view->kUnlock) {
        // A launch is always followed by the unlock, found application or not.
        view->shouldRainDownIcons = true;
        view->deviceShouldUnlock = true;
        services::unlockWithSound(services::playLockSound());
    }
    if (processState().initialised)
        runtime::send(view, Sel("trackDisabled"));
    SBAwayView_touchesEnded.callPrevious(self, cmd, touches, event);
}

void touchesCancelled(Object* self, Sel cmd, Object* touches, Object* event)
{
    if (!settingBool(loadSettings(), "enabled") || !processState().initialised) {
        SBAwayView_touchesCancelled.callPrevious(self, cmd, touches, event);
        return;
    }
    // Without a lock view nothing is tracking.
    OmbrelView* view = processState().lockView.get();
    if (!view || !view->isTracking)
        return;
    runtime::Ref<OmbrelView> protector(view);
    view->isTracking = false;
    services::restartDimTimer();
    runtime::send(view, Sel("trackDisabled"));
    SBAwayView_touchesCancelled.callPrevious(self, cmd, touches, event);
}

} // namespace

std::vector<HookEntry> touchRoutingHooks()
{
    return {
        replace<&SBAwayView_touchesBegan>(&touchesBegan),
        replace<&SBAwayView_touchesMoved>(&touchesMoved),
        replace<&SBAwayView_touchesEnded>(&touchesEnded),
        replace<&SBAwayView_touchesCancelled>(&touchesCancelled),
    };
}

} // namespace ombrel
