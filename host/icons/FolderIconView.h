#pragma once
// "SBFolderIconView" (an "SBIconView"): a folder's icon. Over the (empty) icon image it lays the
// folder background ("_iconBackgroundView", artwork "FolderIconBackground") and, above that, the
// miniatures of the folder's applications ("_iconForegroundView": one composite image
// "FolderMiniatures" whose parts are "AppIcon-<bundleID>" in slot order; no image for a folder
// without applications). The label shows the folder's name; the badge, in the same field as an
// icon view's, the folder icon's badge number (the sum of its applications').
// Selectors and their exact types:
//   "initWithDefaultSize" Object*()   SBIconView's, then the two image views
//   "setFolderIcon:" void(Object*)    "setIcon:" with the folder icon
//   "folderIcon" Object*()            the icon held when it is an "SBFolderIcon", else nil
//   "setIcon:" void(Object*)          SBIconView's, then the miniatures of the icon's folder

#include "host/icons/IconView.h"

namespace host {

class FolderIconView : public IconView {
public:
    static void registerClass();

    runtime::Ref<uikit::ImageView> m_iconBackgroundView;
    runtime::Ref<uikit::ImageView> m_iconForegroundView;
};

} // namespace host
