#pragma once
// The host's services the system relies on, reached by class name at run time (the class found is
// remembered). A missing class, object or method makes the operation do nothing and answer
// nothing, false or zero.

#include "platform/runtime/Class.h"
#include <string>

namespace ombrel::services {

// A host class by name, looked up until found and then remembered in `cache`.
runtime::Class* hostClass(const char* name, runtime::Class*& cache);

runtime::Object* awayController(); // SBAwayController sharedAwayController

void cancelDimTimer();
void restartDimTimer();
void unlockWithSound(bool sound);
bool playLockSound(); // SBSoundPreferences
// _prewarmCamera, _setupCameraSlideUpAnimation, _translateSlidingViewByY: -600, activateCamera.
void openCamera();
bool isShowingMediaControls();
// Asked only when the away controller answers it.
bool isAndroidLockEnabled();
void showTestBulletin();

runtime::Object* applicationWithDisplayIdentifier(const std::string& bundleID);

// The icon model: the "_iconModel" field of SBIconController's shared instance.
runtime::Object* iconModel();
// The model's icon for an application, nothing for one SpringBoard does not know.
runtime::Object* applicationIcon(runtime::Object* model, const std::string& bundleID);

} // namespace ombrel::services
