#include "springboard/HookTable.h"
#include "springboard/Attachment.h"
#include "springboard/HookPoints.h"
#include "springboard/LockControllerHooks.h"
#include "springboard/TouchRouting.h"
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

void append(std::vector<HookEntry>& to, std::vector<HookEntry> entries)
{
    to.insert(to.end(), entries.begin(), entries.end());
}

} // namespace

std::vector<HookEntry> hookTable()
{
    std::vector<HookEntry> table;
    append(table, alertWindowHooks());
    append(table, awayControllerHooks());
    append(table, attachmentSetUpHooks());
    append(table, touchRoutingHooks());
    append(table, attachmentHooks());
    append(table, {
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
    });
    return table;
}

std::vector<HookEntry> workspaceHooks()
{
    std::vector<HookEntry> group {
        addVoid("SBAwayView", "activatorFacebook"),
        addVoid("SBAwayView", "activatorTweet"),
    };
    append(group, workspaceReplacements());
    return group;
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
