#pragma once
// "OmbrelView": the view laid over the host's lock screen while it is up. One instance, the lock
// view, is made when the lock screen's alert is displayed and destroyed when it is taken down. It
// takes no touches itself: the stock lock view underneath receives them and drives it.
//
// Fields keep the names other code reads them by (through the runtime, "by field name"): every
// Boolean, number and point field is registered as an instance field, and all but a few are
// properties with a getter of the field's name and a setter "set" + Name + ":".

#include "platform/foundation/Value.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/ImageView.h"
#include "platform/uikit/View.h"
#include "platform/uikit/Window.h"
#include <cstdint>
#include <vector>

namespace ombrel {

using quartz::Float;
using quartz::Point;
using quartz::Rect;

// View tags, set once by `initialize`.
inline constexpr std::int32_t kCamTag = 1, kUnlockTag = 2, kFolderTag = 4, kTrackTag = 400, kLockAppTag = 500,
                              kFolderAppTag = 600, kContactMinTag = 1001, kContactMaxTag = 1994,
                              kPlaylistMinTag = 2001, kWidgetMinTag = 3000, kWidgetMaxTag = 3100;

class OmbrelView final : public uikit::View {
public:
    // Registers the class (once, at load).
    static void registerClass();
    // "initWithFrame:inWindow:" through the runtime; nothing when the base initialiser fails.
    static runtime::Ref<OmbrelView> make(Rect frame, runtime::Object* window);

    Float iconSize = 0;
    std::int32_t selectedTag = 0;
    std::int32_t kCam = 0, kUnlock = 0, kFolder = 0, kTrack = 0, kPlaylistMin = 0, kContactMin = 0,
                 kContactMax = 0, kWidgetMin = 0, kWidgetMax = 0, kFolderApp = 0, kLockApp = 0;
    bool shouldAnimateIconsOut = false;
    bool shouldRainDownIcons = false;
    bool grabRight = false, grabLeft = false;
    bool isFolderOpen = false;
    bool isIconSelected = false;
    bool isTracking = false;
    bool isLeftViewEnabled = false, isRightViewEnabled = false;
    bool folderUnlock = false;
    bool deviceShouldUnlock = false;
    bool disableInteraction = false;
    bool shouldShowTrack = false;
    runtime::Ref<uikit::View> rightSideView, leftSideView;
    runtime::Ref<uikit::View> popupView;
    runtime::Ref<uikit::ImageView> trackSlider;
    runtime::WeakRef<uikit::View> currentlySelectedIcon;
    foundation::Value setApps, setPopupApps;
    std::vector<runtime::Ref<uikit::View>> popupIcons;
    runtime::WeakRef<uikit::View> selectedCell;
    runtime::WeakRef<runtime::Object> omWindow; // the alert window (a host class)
    foundation::Value ombrelSettings;
    runtime::Ref<uikit::View> brightnessView;
    Point popupPoint;
    Point trackCenter;

    // Operations (registered under the same names; other code sends them through the runtime).
    void initialize();
    void enableSleep(bool);
    void prepareForUnlock();
    void prepareForRelock();

    // The track.
    Rect trackRestFrame(Float trackSize) const;
    void createTrack(bool stayHidden);
    void resetTrack(bool stayHidden);
    void hideTrack();
    void showTrack();
    Point trackPoint(Point) const;
    void trackEnabled();
    void trackDisabled();

    // The app slot table.
    void setupAppDictionaries();

    // The icons: lock buttons, icon row, folder row.
    void createIcons();
    void iconAtPoint(Point);
    void selectIconAtPoint(uikit::View*);
    void deselectIcon();
    void focusIcon(uikit::View*);
    void unfocusIcon(uikit::View*);
    void showFolderAppsAtPoint(Point);
    void popupAtPoint(Point);
    void closePopupWithIcons(std::vector<runtime::Ref<uikit::View>>, Point);
    void animateIconsIn();
    void animateIconsOut();
    void rainDownIcons();
    // Whether a view's tag is one of the icon tags (lock buttons, row and folder applications, folder).
    bool isIconTag(std::int32_t) const;

    // Each file of operations registers its own methods on the class being built.
    static void addTrackMethods(runtime::ClassBuilder&);
    static void addSlotMethods(runtime::ClassBuilder&);
    static void addIconMethods(runtime::ClassBuilder&);
    static void addSelectionMethods(runtime::ClassBuilder&);
    static void addFolderMethods(runtime::ClassBuilder&);
    static void addAnimationMethods(runtime::ClassBuilder&);

protected:
    ~OmbrelView() override;
};

} // namespace ombrel
