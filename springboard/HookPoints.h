#pragma once
// Every host method that the library replaces, with the host's exact type. The replacements call
// the previous implementation through these points; HookTable.cpp installs them in order.

#include "platform/quartz/Geometry.h"
#include "springboard/Hook.h"
#include <cstdint>
#include <string>

namespace ombrel::hooks {

using quartz::Float;
using quartz::Point;
using quartz::Rect;
using Touches = void(Object* touches, Object* event);

// Lock controller
inline HookPoint<void(Object*)> SBAlertWindow_deactivateAlert { "SBAlertWindow", "deactivateAlert:" };
inline HookPoint<void(Object*)> SBAlertWindow_displayAlert { "SBAlertWindow", "displayAlert:" };
inline HookPoint<void(bool)> SBAwayController_setLocked { "SBAwayController", "setLocked:" };
inline HookPoint<void(bool)> SBAwayController_setDeviceLocked { "SBAwayController", "setDeviceLocked:" };
inline HookPoint<void(Object*)> SBAwayController_awayViewFinishedAnimatingOut { "SBAwayController", "_awayViewFinishedAnimatingOut:" };
inline HookPoint<void()> SBAwayController_activate { "SBAwayController", "activate" };
inline HookPoint<void(bool)> SBAwayController_finishedUnlockAttemptWithStatus { "SBAwayController", "_finishedUnlockAttemptWithStatus:" };
inline HookPoint<void()> SBAwayController_didAnimateLockKeypadOut { "SBAwayController", "didAnimateLockKeypadOut" };
inline HookPoint<void()> SBAwayController_removeCameraPreviewViews { "SBAwayController", "_removeCameraPreviewViews" };
inline HookPoint<void()> SBAwayController_tearDownCameraPreview { "SBAwayController", "_tearDownCameraPreview" };
inline HookPoint<bool()> SBAwayController_shouldShowLockStatusBarTime { "SBAwayController", "shouldShowLockStatusBarTime" };
inline HookPoint<Object*()> SBDisplayStack_init { "SBDisplayStack", "init" };
inline HookPoint<void()> SBDisplayStack_dealloc { "SBDisplayStack", "dealloc" };
inline HookPoint<std::string()> BKSWorkspace_topApplication { "BKSWorkspace", "topApplication" };
inline HookPoint<void(Object*)> BKSWorkspace_receiveApplicationDidActivate { "BKSWorkspace", "_receiveApplicationDidActivate:" };

// Stock lock view: attachment and touches
inline HookPoint<Object*(Rect)> SBAwayView_initWithFrame { "SBAwayView", "initWithFrame:" };
inline HookPoint<Touches> SBAwayView_touchesBegan { "SBAwayView", "touchesBegan:withEvent:" };
inline HookPoint<Touches> SBAwayView_touchesMoved { "SBAwayView", "touchesMoved:withEvent:" };
inline HookPoint<Touches> SBAwayView_touchesEnded { "SBAwayView", "touchesEnded:withEvent:" };
inline HookPoint<Touches> SBAwayView_touchesCancelled { "SBAwayView", "touchesCancelled:withEvent:" };
inline HookPoint<Object*()> SBAwayView_lockBar { "SBAwayView", "lockBar" };
inline HookPoint<void()> SBAwayView_noteAssistantDidHide { "SBAwayView", "noteAssistantDidHide" };
inline HookPoint<void()> SBAwayView_noteAssistantWillAppear { "SBAwayView", "noteAssistantWillAppear" };
inline HookPoint<bool()> SBAwayView_shouldShowChargingView { "SBAwayView", "shouldShowChargingView" };
inline HookPoint<void()> SBAwayView_updateInCallInfo { "SBAwayView", "updateInCallInfo" };
inline HookPoint<bool()> SBAwayView_canBecomeFirstResponder { "SBAwayView", "canBecomeFirstResponder" };

// Status bar and top bar
inline HookPoint<Object*(Rect)> UIStatusBar_initWithFrame { "UIStatusBar", "initWithFrame:" };
inline HookPoint<void()> UIStatusBar_crossfadeToNewBackgroundView { "UIStatusBar", "_crossfadeToNewBackgroundView" };
inline HookPoint<void(std::int32_t, Object*)> UIStatusBar_requestStyle { "UIStatusBar", "requestStyle:animationParameters:" };
inline HookPoint<Object*()> TPLCDBar_shadowImage { "TPLCDBar", "shadowImage", true };
inline HookPoint<void(Object*)> TPLCDBar_setImage { "TPLCDBar", "setImage:" };
inline HookPoint<void(Float)> TPLCDBar_setAlpha { "TPLCDBar", "setAlpha:" };
inline HookPoint<void(Rect)> TPLCDBar_setFrame { "TPLCDBar", "setFrame:" };

// Date header
inline HookPoint<Object*(Float, Point, Object*)> SBAwayDateView_labelWithFontSize { "SBAwayDateView", "labelWithFontSize:origin:fontName:" };
inline HookPoint<void()> SBAwayDateView_resizeAndPositionNowPlayingLabels { "SBAwayDateView", "resizeAndPositionNowPlayingLabels" };
inline HookPoint<void(bool)> SBAwayDateView_setIsShowingControls { "SBAwayDateView", "setIsShowingControls:" };

// Bulletins
inline HookPoint<void(Object*)> SBAwayBulletinListController_setTableItemToFloat { "SBAwayBulletinListController", "setTableItemToFloat:" };
inline HookPoint<void(Object*, bool)> SBAwayBulletinListController_setTableItemToFloatForce { "SBAwayBulletinListController", "setTableItemToFloat:force:" };
inline HookPoint<void(Rect)> SBAwayBulletinListView_setFrame { "SBAwayBulletinListView", "setFrame:" };
inline HookPoint<void(bool)> SBAwayBulletinListView_setHidden { "SBAwayBulletinListView", "setHidden:" };
inline HookPoint<void(Float)> SBAwayBulletinListView_setAlpha { "SBAwayBulletinListView", "setAlpha:" };
inline HookPoint<Object*(std::int32_t)> SBBulletinCellContentView_initForLayoutStyle { "SBBulletinCellContentView", "_initForLayoutStyle:" };
inline HookPoint<Touches> SBAwayBulletinTableView_touchesBegan { "SBAwayBulletinTableView", "touchesBegan:withEvent:" };
inline HookPoint<Touches> SBAwayBulletinTableView_touchesMoved { "SBAwayBulletinTableView", "touchesMoved:withEvent:" };
inline HookPoint<Touches> SBAwayBulletinTableView_touchesEnded { "SBAwayBulletinTableView", "touchesEnded:withEvent:" };
inline HookPoint<Touches> SBAwayBulletinTableView_touchesCancelled { "SBAwayBulletinTableView", "touchesCancelled:withEvent:" };
inline HookPoint<Touches> SBAwayBulletinFloatingCell_touchesBegan { "SBAwayBulletinFloatingCell", "touchesBegan:withEvent:" };
inline HookPoint<Touches> SBAwayBulletinFloatingCell_touchesMoved { "SBAwayBulletinFloatingCell", "touchesMoved:withEvent:" };
inline HookPoint<Touches> SBAwayBulletinFloatingCell_touchesEnded { "SBAwayBulletinFloatingCell", "touchesEnded:withEvent:" };
inline HookPoint<Touches> SBAwayBulletinFloatingCell_touchesCancelled { "SBAwayBulletinFloatingCell", "touchesCancelled:withEvent:" };

// Other lock-screen elements
inline HookPoint<void(Float)> SBWallpaperView_setAlpha { "SBWallpaperView", "setAlpha:" };
inline HookPoint<void(Object*)> SBBatteryReflectionView_setImage { "SBBatteryReflectionView", "setImage:" };
inline HookPoint<Object*(Rect)> SBAssistantAwayBottomView_initWithFrame { "SBAssistantAwayBottomView", "initWithFrame:" };
inline HookPoint<void(bool, bool)> SBSlidingAlertDisplay_setShowingDeviceLock { "SBSlidingAlertDisplay", "setShowingDeviceLock:animated:" };
inline HookPoint<void(bool)> SBAwayViewPluginController_viewWillAppear { "SBAwayViewPluginController", "viewWillAppear:" };

// Settings list cells
inline HookPoint<void()> PSControlTableCell_layoutSubviews { "PSControlTableCell", "layoutSubviews" };

} // namespace ombrel::hooks
