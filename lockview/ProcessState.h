#pragma once
// Process-wide state of the library: one value per process, zero or false at load. Every value is
// listed with its writers and readers; nothing else keeps state beside the lock view.
//
//   lockView             the current lock view, owned     set: alert display; cleared: alert removal
//                                                         read: touch routing and every hook
//   initialised          the lock view is set up          set: end of initialize and of the stock lock
//                                                         view's set-up; cleared: initialize (first),
//                                                         teardown; read: touch routing, track release
//   logging              (kept by the crash report, settings/CrashReport.h)
//   lockScreen           the lock screen is up            set: initialize, locking, activation;
//                                                         cleared: lock screen animated out
//   unlockInProgress                                      set: prepareForUnlock; cleared:
//                                                         prepareForRelock, teardown; read: track
//   responderGuard       refuse first responder           set/cleared: disableResignResponder:
//   displayStack         not owned                        set: host display stack made; cleared: its
//                                                         dealloc; read: displayStack, touch routing
//   bulletinListView     not owned                        set: stock lock view set-up; cleared:
//                                                         teardown; read: track
//   topBar, topBarHeight not owned                        set: stock lock view set-up; cleared:
//                                                         teardown (the height stays)
//   systemVersion                                         set once by the load-time initialiser
//   pendingApplication   not owned                        set: touch routing; cleared: lock
//                                                         controller hooks, touch routing
//   statusBar            captured status bar, not owned   set: status bar hooks; never cleared

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Ref.h"

namespace ombrel {

class OmbrelView;

struct ProcessState {
    runtime::Ref<OmbrelView> lockView;
    bool initialised = false;
    bool lockScreen = false;
    bool unlockInProgress = false;
    bool responderGuard = false;
    runtime::WeakRef<runtime::Object> displayStack;
    runtime::WeakRef<runtime::Object> bulletinListView;
    runtime::WeakRef<runtime::Object> topBar;
    quartz::Float topBarHeight = 0;
    double systemVersion = 0;
    runtime::WeakRef<runtime::Object> pendingApplication;
    runtime::WeakRef<runtime::Object> statusBar;
};

ProcessState& processState();

} // namespace ombrel
