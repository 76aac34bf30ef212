#pragma once
// "SBAlertWindow": the full-screen window, at alert level, in which SpringBoard shows an alert (the
// lock screen is the away controller shown as an alert). "displayAlert:" void(Object* alert) puts
// the alert's display view (the alert answers "display", Object*) at the back of the window, so
// anything laid over the window earlier stays on top, and shows the window; "deactivateAlert:"
// void(Object* alert) takes the display view away and hides the window.

#include "platform/uikit/Window.h"

namespace host {

class AlertWindow : public uikit::Window {
public:
    static void registerClass();
    static runtime::Ref<AlertWindow> make(); // full screen, at alert level

    runtime::WeakRef<runtime::Object> currentAlert;
};

} // namespace host
