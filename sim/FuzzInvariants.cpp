#include "sim/FuzzInvariants.h"

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PropertyList.h"
#include "platform/uikit/Window.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "sim/Dump.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace ombrel::sim {

using foundation::Value;

namespace {

constexpr std::int32_t kThumbTag = 400;

Violation broken(int invariant, std::string what) { return { invariant, std::move(what) }; }

// The lock views on screen, each with the class of the window it is in.
void findLockViews(uikit::View& view, const std::string& window, std::vector<std::pair<uikit::View*, std::string>>& found)
{
    for (const auto& sub : view.subviews()) {
        if (sub->className() == "OmbrelView")
            found.emplace_back(sub.get(), window);
        findLockViews(*sub, window, found);
    }
}

std::vector<std::pair<uikit::View*, std::string>> lockViews(const host::Device& device)
{
    std::vector<std::pair<uikit::View*, std::string>> found;
    for (uikit::Window* window : device.windows())
        findLockViews(*window, window->className(), found);
    return found;
}


bool field(const nlohmann::ordered_json& object, const char* key)
{
    auto at = object.find(key);
    return at != object.end() && at->is_boolean() && at->get<bool>();
}

} // namespace

std::vector<uikit::View*> lockViewSubviews(const host::Device& device, std::int32_t tag)
{
    std::vector<uikit::View*> found;
    auto views = lockViews(device);
    if (!views.empty())
        for (const auto& sub : views.front().first->subviews())
            if (sub->tag() == tag)
                found.push_back(sub.get());
    return found;
}

const char* invariantName(int invariant)
{
    static const char* const names[] = { "?", "passcode", "launch", "crash", "settled", "settings", "relocked", "leaks" };
    return invariant >= 1 && invariant <= 7 ? names[invariant] : names[0];
}

std::string violationText(const Violation& v)
{
    return "invariant " + std::to_string(v.invariant) + " (" + invariantName(v.invariant) + "): " + v.what;
}

InvariantChecker::InvariantChecker()
{
    if (auto path = foundation::hostPath("/var/ombrel/Device.plist"))
        if (auto description = foundation::readPropertyList(*path))
            m_passcode = description->find("Passcode") != nullptr;
    if (const char* inject = std::getenv("OMBREL_FUZZ_INJECT"))
        m_inject = inject;
}

std::optional<Violation> InvariantChecker::injected(const host::TraceEvent& event) const
{
    auto colon = m_inject.find(':');
    if (colon == std::string::npos || m_inject.substr(colon + 1) != event.name)
        return std::nullopt;
    std::string what = m_inject.substr(0, colon);
    if (what == "crash")
        std::abort();
    int invariant = std::atoi(what.c_str());
    if (invariant < 1 || invariant > 7)
        return std::nullopt;
    return broken(invariant, "injected failure after " + event.name + " (OMBREL_FUZZ_INJECT)");
}

std::optional<Violation> InvariantChecker::afterStep(host::Device& device)
{
    if (auto v = scanTrace(device))
        return v;
    return checkSettingsFile();
}

std::optional<Violation> InvariantChecker::scanTrace(host::Device& device)
{
    std::vector<host::TraceEvent> trace = device.trace();
    for (; m_seen < trace.size(); ++m_seen) {
        const host::TraceEvent& e = trace[m_seen];
        std::string at = " (event " + std::to_string(m_seen) + ", t=" + std::to_string(e.t) + ")";
        if (e.name == "lockScreenShown") {
            m_unlockedSinceLock = false;
            m_authorised = false;
        } else if (e.name == "unlockRequested") {
            m_authorised = false;
            m_successSinceRequest = false;
            nlohmann::ordered_json state = dumpDevice(device)["state"];
            auto pending = state.find("pendingApplication");
            m_requestApplication = pending != state.end() && pending->is_string() ? std::optional(pending->get<std::string>()) : std::nullopt;
        } else if (e.name == "passcodeKeypadShown") {
            m_authorised = false;
        } else if (e.name == "unlockAttemptFinished") {
            bool success = e.fields.value("success", false);
            m_authorised = m_authorised || success;
            m_successSinceRequest = m_successSinceRequest || success;
        } else if (e.name == "passcodeKeypadHidden") {
            if (!m_successSinceRequest && m_requestApplication)
                m_abandoned.insert(*m_requestApplication);
        } else if (e.name == "unlocked") {
            if (m_passcode && !m_authorised)
                return broken(1, "unlocked without a right passcode for the outstanding unlock request" + at);
            m_authorised = false;
            m_unlockedSinceLock = true;
        } else if (e.name == "applicationLaunched") {
            std::string id = e.fields.value("bundleID", "");
            if (!m_unlockedSinceLock)
                return broken(2, id + " launched before the phone unlocked" + at);
            if (m_abandoned.count(id) && m_requestApplication != id)
                return broken(2, id + " launched, chosen by an unlock that was abandoned" + at);
            m_abandoned.erase(id);
        }
        if (!m_inject.empty())
            if (auto v = injected(e))
                return v;
    }
    return std::nullopt;
}

void InvariantChecker::settingsGarbled(std::string bytes)
{
    m_garbage = std::move(bytes);
    m_rawKeys.clear(); // whatever comes next is written whole by the system
    m_checkedFile.reset();
}

void InvariantChecker::settingWrittenRaw(const std::string& key)
{
    m_rawKeys.insert(key);
    m_checkedFile.reset();
}

std::optional<Violation> InvariantChecker::checkSettingsFile()
{
    auto path = foundation::hostPath(kSettingsFilePath);
    struct stat info {};
    if (!path || ::stat(path->c_str(), &info) != 0)
        return std::nullopt;
    FileStamp stamp { info.st_ino, info.st_size, std::int64_t(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec };
    if (m_checkedFile == stamp)
        return std::nullopt; // the same file as last time, checked already
    std::ifstream in(*path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (m_garbage) {
        if (bytes == *m_garbage)
            return std::nullopt;
        m_garbage.reset(); // something else has replaced what the step wrote
    }
    m_checkedFile = stamp;
    std::optional<Value> settings = foundation::parsePropertyList(bytes);
    if (!settings || settings->kind() != Value::Kind::Dictionary)
        return broken(5, "the settings file (" + std::to_string(bytes.size()) + " bytes) is not a property-list dictionary");
    for (const auto& [key, value] : *settings->asDictionary()) {
        Value::Kind kind = defaultSettingKind(key);
        if (isAppSlotKey(key) && kind == Value::Kind::Null)
            kind = Value::Kind::String;
        if (kind == Value::Kind::Null || m_rawKeys.count(key) || value.kind() == kind)
            continue;
        return broken(5, std::string("the settings file holds ") + key + " as " + Value::kindName(value.kind()) + ", not "
                + Value::kindName(kind));
    }
    return std::nullopt;
}

std::optional<Violation> InvariantChecker::checkSettled(host::Device& device)
{
    auto views = lockViews(device);
    if (views.empty())
        return std::nullopt;
    nlohmann::ordered_json dumped = dumpDevice(device);
    const nlohmann::ordered_json& fields = dumped["lockView"];
    if (!fields.is_object())
        return std::nullopt;
    if (field(fields, "isTracking"))
        return broken(4, "the lock view is still tracking with the finger up and the animations over");
    host::DeviceState state = device.state();
    if (!state.locked || state.cameraShowing || state.passcodeKeypadShown || state.asleep
        || field(dumped["state"], "unlockInProgress") || field(fields, "deviceShouldUnlock"))
        return std::nullopt; // it is not meant to take touches now (or a touch only wakes the screen)
    // A thumb hidden while the stock slider is in charge still starts tracking where it rests.
    std::vector<uikit::View*> thumbs = lockViewSubviews(device, kThumbTag);
    uikit::View* thumb = thumbs.empty() ? nullptr : thumbs.front();
    if (!thumb)
        return broken(4, "the lock view has no thumb");
    quartz::Point c = thumb->center();
    if (!std::isfinite(c.x) || !std::isfinite(c.y))
        return broken(4, "the thumb rests at no finite point");
    device.touchDown(c.x, c.y);
    bool tracking = field(dumpDevice(device)["lockView"], "isTracking");
    device.touchCancel(c.x, c.y);
    device.wait(1);
    if (!tracking)
        return broken(4, "a touch on the thumb at (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ") did not start tracking");
    return std::nullopt;
}

std::optional<Violation> InvariantChecker::checkRelocked(const host::Device& device)
{
    if (!device.state().locked)
        return broken(6, "lock, unlock, lock did not end locked");
    // The master switch, as the library reads it when the lock screen comes: off, no lock view.
    const std::size_t expected = settingBool(loadSettings(), "enabled") ? 1 : 0;
    auto views = lockViews(device);
    if (views.size() != expected)
        return broken(6, "lock, unlock, lock ended with " + std::to_string(views.size()) + " lock views (enabled "
                + (expected ? "on" : "off") + ")");
    if (expected && views.front().second != "SBAlertWindow")
        return broken(6, "the lock view is in a " + views.front().second + ", not the alert window");
    return std::nullopt;
}

} // namespace ombrel::sim
