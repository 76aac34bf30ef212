#include "host/Trace.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/uikit/RunLoop.h"
#include "platform/uikit/View.h"
#include <algorithm>

namespace host {

nlohmann::ordered_json toJson(const TraceEvent& e)
{
    nlohmann::ordered_json line;
    line["t"] = e.t;
    line["event"] = e.name;
    for (const auto& [key, value] : e.fields.items())
        line[key] = value;
    return line;
}

std::string toJsonLine(const TraceEvent& e) { return toJson(e).dump(); }

Trace& Trace::shared()
{
    static Trace trace;
    return trace;
}

void Trace::record(std::string name, nlohmann::json fields)
{
    m_events.push_back({ uikit::RunLoop::main().now(), std::move(name), std::move(fields) });
}

void Trace::observeLockViews(uikit::View* window)
{
    // Views that left the window (or went away) since the last look.
    std::vector<runtime::WeakRef<uikit::View>> kept;
    for (const auto& weak : m_lockViews) {
        uikit::View* v = weak.get();
        if (v && window && v->superview() == window)
            kept.push_back(weak);
        else
            record("lockViewDestroyed");
    }
    m_lockViews = std::move(kept);
    if (!window)
        return;
    for (const auto& sub : window->subviews()) {
        if (sub->className() != "OmbrelView")
            continue;
        bool known = std::any_of(m_lockViews.begin(), m_lockViews.end(), [&](const auto& w) { return w.get() == sub.get(); });
        if (!known) {
            m_lockViews.emplace_back(sub.get());
            record("lockViewCreated");
        }
    }
}

void Trace::listen()
{
    foundation::NotificationCenter::defaultCenter().setPostListener(
        [this](const std::string& name) { record("notificationPosted", { { "name", name } }); });
    foundation::setWriteListener([this](const std::string& hostPath) {
        auto settings = foundation::hostPath(kSettingsPath);
        if (settings && *settings == hostPath)
            record("settingsWritten", { { "path", kSettingsPath } });
    });
}

void Trace::stopListening()
{
    foundation::NotificationCenter::defaultCenter().setPostListener({});
    foundation::setWriteListener({});
}

} // namespace host
