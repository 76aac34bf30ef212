#pragma once
// "BKSWorkspace" (systems from 6.0): the application switcher's view of the front application.
// "topApplication" std::string(): the bundle identifier of the application that should be in front
// (stock: the current front application, "" on the home screen). When an unlock completes
// SpringBoard asks it and brings that application up, then tells it
// "_receiveApplicationDidActivate:" void(Object* application).

#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"

namespace host {

void registerWorkspaceClass();
runtime::Ref<runtime::Object> makeWorkspace();

} // namespace host
