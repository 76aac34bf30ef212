#pragma once
// The camera opened over the lock screen: the away controller's camera methods and the preview
// view ("SBCameraPreviewView") that the slid-up lock screen reveals.
//
//   "_prewarmCamera" -> "_setupCameraSlideUpAnimation" -> "_translateSlidingViewByY:" (int32, the
//   lock screen's offset from rest; -600 slides it off the top) -> "activateCamera": the preview
//   shows, the dim timer stops (trace `cameraActivated`).
//   Closing: "_removeCameraPreviewViews" (the preview leaves) then "_tearDownCameraPreview" (the
//   lock screen slides back, the dim timer starts again; trace `cameraClosed`).

#include "platform/runtime/Runtime.h"

namespace host {

void registerCameraPreviewClass();
void registerCameraMethods(runtime::ClassBuilder& awayController);

} // namespace host
