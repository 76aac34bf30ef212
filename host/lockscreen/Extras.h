#pragma once
// The other stock lock-screen elements: the wallpaper ("SBWallpaperView", an image view that
// inherits "setAlpha:"), the charging view ("SBBatteryReflectionView", own "setImage:"), the
// assistant's bar ("SBAssistantAwayBottomView", own "initWithFrame:"), the media-controls plug-in
// ("SBAwayViewPluginController", "viewWillAppear:" void(bool), "view" Object*) and the camera
// preview.

#include "platform/uikit/View.h"

namespace host {

void registerLockScreenExtras();
runtime::Ref<runtime::Object> makePluginController(quartz::Rect frame);

} // namespace host
