#pragma once
// Folders. "SBFolder" (an "NSObject"): a named, ordered list of icons.
//   "init" Object*() (NSObject's)   "addIcon:" void(Object*) appends (nil is ignored)
//   "icons" std::vector<runtime::Ref<runtime::Object>>() the icons in the order added (slot order)
//   "displayName" std::string()
//   "_setDisplayNameFromRepresentation:" void(foundation::Value): the name from the dictionary's
//   "displayName", else its "defaultDisplayName" (strings); anything else leaves the name empty.
// "SBFolderIcon" (an "SBIcon"): the folder's icon on the home screen.
//   "initWithFolder:" Object*(Object*) the icon owns the folder   "folder" Object*()
//   "displayName" std::string() the folder's
//   "badgeValue" std::int32_t(): the sum of its application icons' badge numbers (those above
//   zero, saturating), as SpringBoard shows on a folder.

#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <string>
#include <vector>

namespace host {

class Folder : public runtime::Object {
public:
    static void registerClass();

    std::vector<runtime::Ref<runtime::Object>> m_icons;
    std::string m_displayName;
};

class FolderIcon : public runtime::Object {
public:
    static void registerClass();

    runtime::Ref<runtime::Object> m_folder;
};

} // namespace host
