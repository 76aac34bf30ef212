#include "springboard/HookTable.h"
#include "springboard/HookPoints.h"
#include <cstdlib>

namespace ombrel {

using namespace hooks;

namespace {

// Added methods take one object per colon and answer nothing, except where the table says.
HookEntry addVoid(const char* cls, const char* selector)
{
    int objects = Sel(selector).argumentCount();
    if (objects == 0)
        return add(cls, selector, &answerNothing<void>);
    if (objects == 1)
        return add(cls, selector, &answerNothing<void, Object*>);
    return add(cls, selector, &answerNothing<void, Object*, Object*, Object*>);
}

} // namespace

std::vector<HookEntry> hookTable()
{
    return {
        replace<&SBAlertWindow_deactivateAlert>(),
        replace<&SBAlertWindow_displayAlert>(),
        add("SBAlertWindow", "ombrelView", &answerNothing<Object*>),

        replace<&SBAwayController_setLocked>(),
        replace<&SBAwayController_setDeviceLocked>(),
        replace<&SBAwayController_awayViewFinishedAnimatingOut>(),
        replace<&SBAwayController_activate>(),
        replace<&SBAwayController_finishedUnlockAttemptWithStatus>(),
        replace<&SBAwayController_didAnimateLockKeypadOut>(),
        replace<&SBAwayController_removeCameraPreviewViews>(),
        replace<&SBAwayController_tearDownCameraPreview>(),
        replace<&SBAwayController_shouldShowLockStatusBarTime>(),
        add("SBAwayController", "ombrelIsEnabled", &answerNothing<bool>),
        add("SBAwayController", "testNotifs:", &answerNothing<void, std::int32_t>),

        addVoid("SBAwayView", "initializeOmbrel"),
        replace<&SBAwayView_initWithFrame>(),
        replace<&SBAwayView_touchesBegan>(),
        replace<&SBAwayView_touchesMoved>(),
        replace<&SBAwayView_touchesEnded>(),
        replace<&SBAwayView_touchesCancelled>(),
        replace<&SBAwayView_lockBar>(),
        replace<&SBAwayView_noteAssistantDidHide>(),
        replace<&SBAwayView_noteAssistantWillAppear>(),
        replace<&SBAwayView_shouldShowChargingView>(),
        replace<&SBAwayView_updateInCallInfo>(),
        replace<&SBAwayView_canBecomeFirstResponder>(),
        addVoid("SBAwayView", "hideLockBar"),
        addVoid("SBAwayView", "showLockBar"),
        addVoid("SBAwayView", "ombrelNotifyAndroidLockWillAppear"),
        addVoid("SBAwayView", "ombrelNotifyAndroidLockDidDisappear"),
        add("SBAwayView", "activatorExists:", &answerNothing<bool, Object*>),
        addVoid("SBAwayView", "setupActivators:"),
        addVoid("SBAwayView", "awayTap:"),
        addVoid("SBAwayView", "awayLongPress:"),
        addVoid("SBAwayView", "awaySwipeRight:"),
        addVoid("SBAwayView", "awaySwipeLeft:"),
        addVoid("SBAwayView", "awaySwipeDown:"),
        addVoid("SBAwayView", "awaySwipeUp:"),
        addVoid("SBAwayView", "noteDidCancel:"),
        addVoid("SBAwayView", "noteDidSave:"),
        addVoid("SBAwayView", "activatorTorchToggle"),
        addVoid("SBAwayView", "activatorBrightness"),
        addVoid("SBAwayView", "brightnessChanged:"),
        addVoid("SBAwayView", "destroyBrightnessView"),
        addVoid("SBAwayView", "activatorRespring"),
        addVoid("SBAwayView", "presentNoteInView"),
        add("SBAwayView", "dismissNoteView:", &answerNothing<void, bool>),
        addVoid("SBAwayView", "activatorDoNotDisturb"),
        addVoid("SBAwayView", "activatorAirplaneMode"),
        addVoid("SBAwayView", "activatorWifi"),
        addVoid("SBAwayView", "activatorBluetooth"),
        addVoid("SBAwayView", "activatorActionForKey:"),
        add("SBAwayView", "activateWidget:", &answerNothing<void, std::int32_t>),

        replace<&UIStatusBar_initWithFrame>(),
        replace<&UIStatusBar_crossfadeToNewBackgroundView>(),
        replace<&UIStatusBar_requestStyle>(),

        replace<&TPLCDBar_shadowImage>(),
        replace<&TPLCDBar_setImage>(),
        replace<&TPLCDBar_setAlpha>(),
        replace<&TPLCDBar_setFrame>(),

        replace<&SBAwayDateView_labelWithFontSize>(),
        replace<&SBAwayDateView_resizeAndPositionNowPlayingLabels>(),
        replace<&SBAwayDateView_setIsShowingControls>(),

        replace<&SBAwayBulletinListController_setTableItemToFloat>(),
        replace<&SBAwayBulletinListController_setTableItemToFloatForce>(),
        replace<&SBAwayBulletinListView_setFrame>(),
        replace<&SBAwayBulletinListView_setHidden>(),
        replace<&SBAwayBulletinListView_setAlpha>(),
        replace<&SBBulletinCellContentView_initForLayoutStyle>(),
        replace<&SBAwayBulletinTableView_touchesBegan>(),
        replace<&SBAwayBulletinTableView_touchesMoved>(),
        replace<&SBAwayBulletinTableView_touchesEnded>(),
        replace<&SBAwayBulletinTableView_touchesCancelled>(),
        replace<&SBAwayBulletinFloatingCell_touchesBegan>(),
        replace<&SBAwayBulletinFloatingCell_touchesMoved>(),
        replace<&SBAwayBulletinFloatingCell_touchesEnded>(),
        replace<&SBAwayBulletinFloatingCell_touchesCancelled>(),

        replace<&SBWallpaperView_setAlpha>(),
        replace<&SBBatteryReflectionView_setImage>(),
        replace<&SBAssistantAwayBottomView_initWithFrame>(),
        replace<&SBSlidingAlertDisplay_setShowingDeviceLock>(),
        replace<&SBAwayViewPluginController_viewWillAppear>(),

        replace<&PSControlTableCell_layoutSubviews>(),
        addVoid("PSListItemsController", "tableView:willDisplayCell:forRowAtIndexPath:"),
    };
}

std::vector<HookEntry> displayStackHooks()
{
    return {
        replace<&SBDisplayStack_init>(),
        replace<&SBDisplayStack_dealloc>(),
    };
}

std::vector<HookEntry> workspaceHooks()
{
    return {
        addVoid("SBAwayView", "activatorFacebook"),
        addVoid("SBAwayView", "activatorTweet"),
        replace<&BKSWorkspace_topApplication>(),
        replace<&BKSWorkspace_receiveApplicationDidActivate>(),
    };
}

double systemVersionNumber(const std::string& versionString)
{
    // The platform reads a number from text as far as it parses: "5.1.1" -> 5.1.
    const char* s = versionString.c_str();
    char* end = nullptr;
    double v = std::strtod(s, &end);
    return end == s ? 0 : v;
}

} // namespace ombrel
