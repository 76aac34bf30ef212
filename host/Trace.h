#pragma once
// The event trace: what happened on the simulated device, in order, each event stamped with the
// run loop's time. The host's own code records its events; the library's lock view, which the host
// cannot know, is seen by observing the alert window's subviews (a view of class "OmbrelView"
// appearing is `lockViewCreated`, leaving is `lockViewDestroyed`). Notification posts and
// replacements of the settings file are heard through foundation's listeners.

#include "host/Device.h"
#include "platform/runtime/Ref.h"
#include <string>
#include <vector>

namespace uikit {
class View;
}

namespace host {

inline constexpr const char* kSettingsPath = "/var/mobile/Library/Preferences/com.qx.ombrel.plist";

class Trace {
public:
    static Trace& shared();

    void record(std::string name, nlohmann::json fields = nlohmann::json::object());
    const std::vector<TraceEvent>& events() const { return m_events; }
    void clear() { m_events.clear(); }

    // Compares the "OmbrelView" subviews of the window with those seen last time and records the
    // difference.
    void observeLockViews(uikit::View* window);

    // Installs the notification and file-write listeners; uninstalls them.
    void listen();
    void stopListening();

private:
    std::vector<TraceEvent> m_events;
    std::vector<runtime::WeakRef<uikit::View>> m_lockViews;
};

} // namespace host
