#include "lockview/OmbrelView.h"
#include "lockview/ProcessState.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "settings/CrashReport.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "springboard/Services.h"

namespace ombrel {

using runtime::Object;
using runtime::Sel;

namespace {

OmbrelView* self_(Object* o) { return static_cast<OmbrelView*>(o); }

template<class F>
concept ObjectHolder = requires(F f) { static_cast<Object*>(f.get()); };

// Property accessors generated from the field: the getter answers the field; the setter stores
// the value (an owned view is kept, a not-owned one only referred to).
template<auto Member>
struct Property {
    using F = std::remove_cvref_t<decltype(std::declval<OmbrelView&>().*Member)>;
    using Arg = std::conditional_t<ObjectHolder<F>, Object*, F>;
    static auto get(Object* self, Sel)
    {
        if constexpr (ObjectHolder<F>)
            return static_cast<Object*>((self_(self)->*Member).get());
        else
            return self_(self)->*Member;
    }
    static void set(Object* self, Sel, Arg value)
    {
        if constexpr (ObjectHolder<F>) {
            using T = std::remove_pointer_t<decltype(std::declval<F&>().get())>;
            self_(self)->*Member = static_cast<T*>(value);
        } else {
            self_(self)->*Member = std::move(value);
        }
    }
};

Object* initWithFrame(Object* self, Sel cmd, Rect frame)
{
    Object* made = runtime::sendSuper<Object*>(runtime::lookUpClass("OmbrelView"), self, cmd, frame);
    if (made)
        self_(made)->initialize();
    return made;
}

Object* initWithFrameInWindow(Object* self, Sel, Rect frame, Object* window)
{
    static const Sel base("initWithFrame:");
    Object* made = runtime::sendSuper<Object*>(runtime::lookUpClass("OmbrelView"), self, base, frame);
    if (!made)
        return nullptr;
    self_(made)->omWindow = window;
    self_(made)->initialize();
    return made;
}

Object* sharedInstance(Object*, Sel)
{
    // Made once per process with an empty frame; a function-local static is safe against
    // concurrent first calls.
    static runtime::Ref<Object> instance = [] {
        runtime::Ref<Object> v = runtime::alloc(runtime::lookUpClass("OmbrelView"));
        static const Sel init("initWithFrame:");
        return runtime::Ref<Object>(runtime::send<Object*>(v, init, Rect {}));
    }();
    return instance.get();
}

void dealloc(Object* self, Sel cmd)
{
    OmbrelView* v = self_(self);
    ProcessState& state = processState();
    v->ombrelSettings = {};
    if (v->trackSlider) {
        v->trackSlider->removeFromSuperview();
        v->trackSlider = nullptr;
    }
    for (auto* side : { &v->rightSideView, &v->leftSideView }) {
        if (*side) {
            (*side)->removeFromSuperview();
            *side = nullptr;
        }
    }
    v->setApps = {};
    v->setPopupApps = {};
    v->popupIcons.clear();
    v->currentlySelectedIcon = nullptr;
    static const Sel resetStatusBar("resetStatusBar");
    runtime::send(v, resetStatusBar);
    state.bulletinListView = nullptr;
    state.topBar = nullptr;
    state.unlockInProgress = false;
    v->folderUnlock = false;
    v->selectedTag = 0;
    v->shouldAnimateIconsOut = false;
    v->isIconSelected = false;
    services::restartDimTimer();
    setLoggingEnabled(false);
    state.initialised = false;
    runtime::sendSuper(runtime::lookUpClass("OmbrelView"), self, cmd);
}

void initializeImp(Object* self, Sel) { self_(self)->initialize(); }
void enableSleepImp(Object* self, Sel, bool enable) { self_(self)->enableSleep(enable); }
void disableResignResponder(Object*, Sel, bool guard) { processState().responderGuard = guard; }
Object* displayStack(Object*, Sel) { return processState().displayStack.get(); }
void prepareForUnlockImp(Object* self, Sel) { self_(self)->prepareForUnlock(); }
void prepareForRelockImp(Object* self, Sel) { self_(self)->prepareForRelock(); }

} // namespace

void OmbrelView::registerClass()
{
    if (runtime::lookUpClass("OmbrelView"))
        return;
    using V = OmbrelView;
#define OMBREL_PROPERTY(field, setterName) \
    .method(#field, &Property<&V::field>::get).method(setterName, &Property<&V::field>::set).ivar<&V::field>(#field)
#define OMBREL_FIELD(field) .ivar<&V::field>(#field)
    runtime::ClassBuilder builder("OmbrelView", "UIView");
    addTrackMethods(builder);
    addSlotMethods(builder);
    addIconMethods(builder);
    addSelectionMethods(builder);
    addFolderMethods(builder);
    addAnimationMethods(builder);
    builder.instancesOf<OmbrelView>()
        .method("initWithFrame:", &initWithFrame)
        .method("initWithFrame:inWindow:", &initWithFrameInWindow)
        .classMethod("sharedInstance", &sharedInstance)
        .method("dealloc", &dealloc)
        .method("initialize", &initializeImp)
        .method("enableSleep:", &enableSleepImp)
        .method("disableResignResponder:", &disableResignResponder)
        .method("displayStack", &displayStack)
        .method("prepareForUnlock", &prepareForUnlockImp)
        .method("prepareForRelock", &prepareForRelockImp)
        OMBREL_FIELD(iconSize)
        OMBREL_PROPERTY(selectedTag, "setSelectedTag:")
        OMBREL_PROPERTY(kCam, "setKCam:")
        OMBREL_PROPERTY(kUnlock, "setKUnlock:")
        OMBREL_FIELD(kFolder)
        OMBREL_FIELD(kTrack)
        OMBREL_FIELD(kPlaylistMin)
        OMBREL_PROPERTY(kContactMin, "setKContactMin:")
        OMBREL_PROPERTY(kContactMax, "setKContactMax:")
        OMBREL_PROPERTY(kWidgetMin, "setKWidgetMin:")
        OMBREL_PROPERTY(kWidgetMax, "setKWidgetMax:")
        OMBREL_PROPERTY(kFolderApp, "setKFolderApp:")
        OMBREL_PROPERTY(kLockApp, "setKLockApp:")
        OMBREL_FIELD(shouldAnimateIconsOut)
        OMBREL_PROPERTY(shouldRainDownIcons, "setShouldRainDownIcons:")
        OMBREL_PROPERTY(grabRight, "setGrabRight:")
        OMBREL_PROPERTY(grabLeft, "setGrabLeft:")
        OMBREL_PROPERTY(isFolderOpen, "setIsFolderOpen:")
        OMBREL_FIELD(isIconSelected)
        OMBREL_PROPERTY(isTracking, "setIsTracking:")
        OMBREL_PROPERTY(isLeftViewEnabled, "setIsLeftViewEnabled:")
        OMBREL_PROPERTY(isRightViewEnabled, "setIsRightViewEnabled:")
        OMBREL_PROPERTY(folderUnlock, "setFolderUnlock:")
        OMBREL_PROPERTY(deviceShouldUnlock, "setDeviceShouldUnlock:")
        OMBREL_PROPERTY(disableInteraction, "setDisableInteraction:")
        OMBREL_PROPERTY(shouldShowTrack, "setShouldShowTrack:")
        OMBREL_PROPERTY(rightSideView, "setRightSideView:")
        OMBREL_PROPERTY(leftSideView, "setLeftSideView:")
        OMBREL_PROPERTY(popupView, "setPopupView:")
        OMBREL_PROPERTY(trackSlider, "setTrackSlider:")
        OMBREL_PROPERTY(currentlySelectedIcon, "setCurrentlySelectedIcon:")
        OMBREL_PROPERTY(setApps, "setSetApps:")
        OMBREL_PROPERTY(setPopupApps, "setSetPopupApps:")
        OMBREL_PROPERTY(selectedCell, "setSelectedCell:")
        OMBREL_PROPERTY(omWindow, "setOmWindow:")
        OMBREL_PROPERTY(ombrelSettings, "setOmbrelSettings:")
        OMBREL_PROPERTY(brightnessView, "setBrightnessView:")
        OMBREL_PROPERTY(popupPoint, "setPopupPoint:")
        OMBREL_PROPERTY(trackCenter, "setTrackCenter:")
        .registerClass();
#undef OMBREL_PROPERTY
#undef OMBREL_FIELD
}

runtime::Ref<OmbrelView> OmbrelView::make(Rect frame, Object* window)
{
    static const Sel init("initWithFrame:inWindow:");
    runtime::Ref<Object> v = runtime::alloc(runtime::lookUpClass("OmbrelView"));
    Object* made = runtime::send<Object*>(v, init, frame, window);
    return runtime::Ref<OmbrelView>(static_cast<OmbrelView*>(made));
}

OmbrelView::~OmbrelView() = default;

void OmbrelView::initialize()
{
    ProcessState& state = processState();
    ombrelSettings = loadSettings();
    runtime::send(this, Sel("setupStatusBar"));
    setLoggingEnabled(settingBool(ombrelSettings, "kLoggingEnabled"));
    kCam = kCamTag;
    kUnlock = kUnlockTag;
    kFolder = kFolderTag;
    kTrack = kTrackTag;
    kPlaylistMin = kPlaylistMinTag;
    kContactMin = kContactMinTag;
    kContactMax = kContactMaxTag;
    kWidgetMin = kWidgetMinTag;
    kWidgetMax = kWidgetMaxTag;
    kFolderApp = kFolderAppTag;
    kLockApp = kLockAppTag;
    shouldShowTrack = true;
    deviceShouldUnlock = false;
    setUserInteractionEnabled(false);
    state.initialised = false;
    state.lockScreen = true;
    Float v = Float(settingReal(ombrelSettings, "kIconSize"));
    iconSize = v - v / 7;
    // A missing value also counts as a configured side.
    auto configured = [&](const char* key) {
        const foundation::Value* side = ombrelSettings.find(key);
        const std::string* name = side ? side->asString() : nullptr;
        return !(name && *name == "__NONE__");
    };
    if (configured("kRightView"))
        isRightViewEnabled = true;
    if (configured("kLeftView"))
        isLeftViewEnabled = true;
    runtime::send(this, Sel("setupAppDictionaries"));
    runtime::send(this, Sel("createTrack:"), false);
    if (settingBool(loadSettings(), "kLockBarDisabled"))
        runtime::send(this, Sel("createIcons"));
    runtime::send(this, Sel("setSideViewSettings"));
    runtime::send(this, Sel("setupSideViews"));
    state.initialised = true;
}

void OmbrelView::enableSleep(bool enable)
{
    if (enable)
        services::restartDimTimer();
    else
        services::cancelDimTimer();
}

void OmbrelView::prepareForUnlock()
{
    disableInteraction = true;
    folderUnlock = false;
    processState().unlockInProgress = true;
    runtime::send(this, Sel("hideTrack"));
}

void OmbrelView::prepareForRelock()
{
    static const Sel setDeviceShouldUnlock("setDeviceShouldUnlock:");
    runtime::send(processState().lockView.get(), setDeviceShouldUnlock, false);
    disableInteraction = false;
    folderUnlock = false;
    processState().unlockInProgress = false;
    runtime::send(this, Sel("showTrack"));
}

} // namespace ombrel
