#pragma once
// Icons: "SBIconController" ("sharedInstance", class method Object*()) with its "_iconModel"
// field, an "SBIconModel" answering "applicationIconForDisplayIdentifier:" Object*(std::string)
// with the "SBApplicationIcon" of an installed application (nothing otherwise, made once per
// identifier). An application icon answers "applicationBundleID", "displayName" std::string() and
// "badgeValue" std::int32_t() (from the profile's badges).
// registerIconClasses also registers the folders ("SBFolder", "SBFolderIcon": Folder.h) and the
// views that draw icons ("SBIconView", "SBIconBadgeView", "SBFolderIconView": IconView.h,
// IconBadgeView.h, FolderIconView.h), each unless the profile leaves it out.

namespace host {

void registerIconClasses();

} // namespace host
