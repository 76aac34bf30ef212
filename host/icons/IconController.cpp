#include "host/icons/IconController.h"
#include "host/SpringBoard.h"
#include "host/icons/Folder.h"
#include "host/icons/FolderIconView.h"
#include "host/icons/IconBadgeView.h"
#include "host/icons/IconView.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <cstdint>
#include <map>

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

class Icon : public Object {
public:
    std::string bundleID;
    std::string displayName;
    std::int32_t badge = 0;
};

class IconModel : public Object {
public:
    std::map<std::string, runtime::Ref<Object>> icons;
};

class IconController : public Object {
public:
    runtime::Ref<Object> m_iconModel;
};

Object* applicationIconForDisplayIdentifier(Object* self, Sel, std::string identifier)
{
    const InstalledApplication* app = springBoard().profile.application(identifier);
    if (!app)
        return nullptr;
    auto& slot = static_cast<IconModel*>(self)->icons[identifier];
    if (!slot) {
        slot = runtime::alloc(runtime::lookUpClass("SBApplicationIcon"));
        auto* icon = static_cast<Icon*>(slot.get());
        icon->bundleID = app->bundleIdentifier;
        icon->displayName = app->displayName;
        auto badge = springBoard().profile.badges.find(identifier);
        icon->badge = badge == springBoard().profile.badges.end() ? 0 : badge->second;
    }
    return slot.get();
}

std::string applicationBundleID(Object* self, Sel) { return static_cast<Icon*>(self)->bundleID; }
std::string displayName(Object* self, Sel) { return static_cast<Icon*>(self)->displayName; }
std::int32_t badgeValue(Object* self, Sel) { return static_cast<Icon*>(self)->badge; }

Object* sharedInstance(Object* cls, Sel)
{
    static runtime::Ref<Object> controller = [&] {
        runtime::Ref<Object> made = runtime::alloc(static_cast<runtime::Class*>(cls));
        static_cast<IconController*>(made.get())->m_iconModel = runtime::alloc(runtime::lookUpClass("SBIconModel"));
        return made;
    }();
    return controller.get();
}

} // namespace

void registerIconClasses()
{
    if (wanted("SBIcon"))
        runtime::ClassBuilder("SBIcon", "NSObject").instancesOf<Icon>().registerClass();
    if (wanted("SBApplicationIcon"))
        runtime::ClassBuilder("SBApplicationIcon", "SBIcon")
            .instancesOf<Icon>()
            .method("applicationBundleID", &applicationBundleID)
            .method("displayName", &displayName)
            .method("badgeValue", &badgeValue)
            .registerClass();
    if (wanted("SBIconModel"))
        runtime::ClassBuilder("SBIconModel", "NSObject")
            .instancesOf<IconModel>()
            .method("applicationIconForDisplayIdentifier:", &applicationIconForDisplayIdentifier)
            .registerClass();
    if (wanted("SBIconController"))
        runtime::ClassBuilder("SBIconController", "NSObject")
            .instancesOf<IconController>()
            .classMethod("sharedInstance", &sharedInstance)
            .ivar<&IconController::m_iconModel>("_iconModel")
            .registerClass();
    // Each checks `wanted` itself; a class whose superclass was left out is not registered.
    Folder::registerClass();
    FolderIcon::registerClass();
    IconBadgeView::registerClass();
    IconView::registerClass();
    FolderIconView::registerClass();
}

} // namespace host
