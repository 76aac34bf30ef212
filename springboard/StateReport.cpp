// What the library shows of itself to the simulated device's tools: its process-wide state and the
// lock view's fields as JSON text (for dumps), and the settings cache switch (for benchmarks).
#include "lockview/OmbrelView.h"
#include "lockview/ProcessState.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "settings/DiagnosticLog.h"
#include "settings/SettingsStore.h"
#include <nlohmann/json.hpp>
#include <typeinfo>

namespace ombrel {

namespace {

// Every Boolean, number and point field of the lock view, by its field name, walking the class
// hierarchy's fields in declaration order.
nlohmann::ordered_json lockViewFields(OmbrelView* view)
{
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    std::vector<const runtime::Class*> chain;
    for (const runtime::Class* c = view->isa(); c; c = c->superclass())
        chain.insert(chain.begin(), c);
    for (const runtime::Class* c : chain) {
        for (const runtime::Ivar& iv : c->ownIvars()) {
            void* at = iv.address(view);
            if (*iv.type == typeid(bool))
                fields[iv.name] = *static_cast<bool*>(at);
            else if (*iv.type == typeid(std::int32_t))
                fields[iv.name] = *static_cast<std::int32_t*>(at);
            else if (*iv.type == typeid(quartz::Float))
                fields[iv.name] = *static_cast<quartz::Float*>(at);
            else if (*iv.type == typeid(quartz::Point)) {
                auto* p = static_cast<quartz::Point*>(at);
                fields[iv.name] = { p->x, p->y };
            }
        }
    }
    return fields;
}

} // namespace

} // namespace ombrel

extern "C" OMBREL_EXPORT const char* ombrelStateJSON()
{
    using namespace ombrel;
    static std::string text;
    ProcessState& state = processState();
    nlohmann::ordered_json out;
    out["initialised"] = state.initialised;
    out["lockScreen"] = state.lockScreen;
    out["unlockInProgress"] = state.unlockInProgress;
    out["responderGuard"] = state.responderGuard;
    static const runtime::Sel bundleIdentifier("bundleIdentifier");
    if (runtime::Object* app = state.pendingApplication.get())
        out["pendingApplication"] = runtime::send<std::string>(app, bundleIdentifier);
    else
        out["pendingApplication"] = nullptr;
    out["topBarHeight"] = state.topBarHeight;
    out["systemVersion"] = state.systemVersion;
    if (OmbrelView* view = state.lockView.get())
        out["lockView"] = lockViewFields(view);
    else
        out["lockView"] = nullptr;
    text = out.dump();
    return text.c_str();
}

// Switches the library's settings cache, for benchmarks that compare loads with and without it.
extern "C" OMBREL_EXPORT void ombrelSetSettingsCacheEnabled(bool enabled)
{
    ombrel::setSettingsCacheEnabled(enabled);
}
