#pragma once
// SpringBoard icon views as the lock view uses them: made by class name at default size, their
// badge found by field name, scaled so that the visible icon has a wanted height.

#include "platform/quartz/Transform3D.h"
#include "platform/uikit/View.h"
#include <string>

namespace ombrel {

// An "SBIconView" of default size showing the application's icon (none when SpringBoard does not
// know the identifier: the view exists all the same). Nothing when the class is missing.
runtime::Ref<uikit::View> makeApplicationIconView(runtime::Object* iconModel, const std::string& bundleID);
// An icon view class by name at its default size ("initWithDefaultSize"); the class found is
// remembered in `cache`.
runtime::Ref<uikit::View> makeDefaultSizeView(const char* className, runtime::Class*& cache);
// Hides the badge: "_badgeView" below system version 6.0, "_accessoryView" from 6.0; nothing when
// the field is empty.
void hideBadge(uikit::View* iconView);
// The scale that makes an icon view of height h show `visibleHeight` points, about its centre.
quartz::Transform3D iconScale(quartz::Float visibleHeight, quartz::Float h);

} // namespace ombrel
