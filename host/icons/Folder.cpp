#include "host/icons/Folder.h"
#include "host/SpringBoard.h"
#include "platform/foundation/Value.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <algorithm>
#include <cstdint>
#include <limits>

namespace host {

using foundation::Value;
using runtime::Object;
using runtime::Sel;

namespace {

runtime::Class* folderIconClass() { static runtime::Class* cls = runtime::lookUpClass("SBFolderIcon"); return cls; }

Folder* me(Object* self) { return static_cast<Folder*>(self); }

void addIcon(Object* self, Sel, Object* icon)
{
    if (icon)
        me(self)->m_icons.emplace_back(icon);
}

std::vector<runtime::Ref<Object>> icons(Object* self, Sel) { return me(self)->m_icons; }
std::string folderDisplayName(Object* self, Sel) { return me(self)->m_displayName; }

void setDisplayNameFromRepresentation(Object* self, Sel, Value representation)
{
    std::string name;
    for (const char* key : { "displayName", "defaultDisplayName" }) {
        const Value* value = representation.find(key);
        if (value && value->asString()) {
            name = *value->asString();
            break;
        }
    }
    me(self)->m_displayName = std::move(name);
}

FolderIcon* icon(Object* self) { return static_cast<FolderIcon*>(self); }

Object* initWithFolder(Object* self, Sel, Object* folder)
{
    static const Sel initSel("init");
    Object* made = runtime::sendSuper<Object*>(folderIconClass(), self, initSel);
    if (made)
        icon(made)->m_folder = folder;
    return made;
}

Object* folder(Object* self, Sel) { return icon(self)->m_folder.get(); }

std::string iconDisplayName(Object* self, Sel)
{
    static const Sel displayNameSel("displayName");
    return runtime::send<std::string>(icon(self)->m_folder.get(), displayNameSel);
}

// Saturates rather than wrapping: badge numbers come from the profile and may be huge.
std::int32_t badgeValue(Object* self, Sel)
{
    static const Sel iconsSel("icons"), badgeValueSel("badgeValue");
    std::int64_t sum = 0;
    for (const auto& each : runtime::send<std::vector<runtime::Ref<Object>>>(icon(self)->m_folder.get(), iconsSel))
        sum += std::max(runtime::send<std::int32_t>(each.get(), badgeValueSel), std::int32_t(0));
    return static_cast<std::int32_t>(std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void Folder::registerClass()
{
    if (wanted("SBFolder"))
        runtime::ClassBuilder("SBFolder", "NSObject")
            .instancesOf<Folder>()
            .method("addIcon:", &addIcon)
            .method("icons", &icons)
            .method("displayName", &folderDisplayName)
            .method("_setDisplayNameFromRepresentation:", &setDisplayNameFromRepresentation)
            .registerClass();
}

void FolderIcon::registerClass()
{
    if (wanted("SBFolderIcon"))
        runtime::ClassBuilder("SBFolderIcon", "SBIcon")
            .instancesOf<FolderIcon>()
            .method("initWithFolder:", &initWithFolder)
            .method("folder", &folder)
            .method("displayName", &iconDisplayName)
            .method("badgeValue", &badgeValue)
            .registerClass();
}

} // namespace host
