#pragma once
// Icons, minimal for now: "SBIconController" ("sharedInstance", class method Object*()) with its
// "_iconModel" field, an "SBIconModel" answering "applicationIconForDisplayIdentifier:"
// Object*(std::string) with the "SBApplicationIcon" of an installed application (nothing
// otherwise). An icon answers "applicationBundleID", "displayName" std::string() and
// "badgeValue" std::int32_t() (from the profile's badges). Icon views and folders come later.

namespace host {

void registerIconClasses();

} // namespace host
