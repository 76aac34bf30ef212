#include "sim/FuzzEvents.h"

#include "platform/uikit/Window.h"
#include "settings/DefaultSettings.h"
#include "sim/FuzzInvariants.h"
#include "sim/RawSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ombrel::sim {

namespace {

constexpr std::int32_t kCam = 1, kUnlock = 2, kFolder = 4, kThumb = 400, kRowApp = 500, kFolderApp = 600;
constexpr double kFrame = 1.0 / 60;

const char* const kBundleIDs[] = { "com.apple.AppStore", "com.apple.MobileSMS", "com.apple.mobilemail",
    "com.apple.Preferences", "com.apple.mobileipod", "com.apple.calculator", "com.apple.mobilesafari",
    "com.example.not-installed", "", "__NONE__" };
const char* const kWords[] = { "_default", "_zoom", "_fade", "__NONE__", "0", "1", "red", "#ff0000", "x", "Helvetica" };
const char* const kSlots[] = { "kApp0", "kApp1", "kApp2", "kApp3", "kApp4", "kPopupApp0", "kPopupApp1", "kPopupApp2",
    "kPopupApp3" };
const char* const kRawValues[][2] = { { "real", "nan" }, { "real", "inf" }, { "real", "-inf" }, { "real", "-1e300" },
    { "real", "1e300" }, { "real", "0" }, { "real", "-75" }, { "int", "0" }, { "int", "-1" }, { "int", "9223372036854775807" },
    { "int", "75" }, { "bool", "true" }, { "bool", "false" }, { "string", "75" }, { "string", "yes" },
    { "string", "com.apple.MobileSMS" }, { "data", "00ff" }, { "date", "0" }, { "array", "empty" }, { "dict", "empty" } };

} // namespace

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

EventGenerator::EventGenerator(std::uint64_t seed, std::optional<std::string> passcode)
    : m_random(seed)
    , m_passcode(std::move(passcode))
{
}

double EventGenerator::uniform(double from, double to) { return std::uniform_real_distribution<double>(from, to)(m_random); }
bool EventGenerator::chance(double p) { return uniform(0, 1) < p; }
std::size_t EventGenerator::pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random); }

std::string EventGenerator::touch(const char* verb, Point p)
{
    // Absurd settings give absurd frames; a scenario line only takes finite numbers.
    auto finite = [](double v) { return std::isnan(v) ? 0.0 : std::clamp(v, -1e6, 1e6); };
    p = { finite(p.x), finite(p.y) };
    m_finger = p;
    std::string v = verb;
    m_down = v == "down" || (m_down && v == "move");
    return v + ' ' + numberText(p.x) + ' ' + numberText(p.y);
}

EventGenerator::Point EventGenerator::targetPoint(const host::Device& device, std::int32_t tag)
{
    std::vector<uikit::View*> views = lockViewSubviews(device, tag);
    if (views.empty())
        return randomPoint(device);
    uikit::View* view = views[pick(views.size())];
    quartz::Rect f = view->frame();
    if (chance(0.7))
        return { f.origin.x + f.size.width / 2, f.origin.y + f.size.height / 2 };
    if (chance(0.3)) // an exact corner of the frame
        return { f.origin.x + (chance(0.5) ? 0 : f.size.width), f.origin.y + (chance(0.5) ? 0 : f.size.height) };
    return { f.origin.x + uniform(0, 1) * f.size.width, f.origin.y + uniform(0, 1) * f.size.height };
}

EventGenerator::Point EventGenerator::randomPoint(const host::Device& device)
{
    host::DeviceState state = device.state();
    const double W = state.screenWidth, H = state.screenHeight;
    switch (pick(9)) {
    case 0: // the track zone
        return { uniform(80, W - 80), uniform(H - 165, H) };
    case 1: {
        static const std::int32_t tags[] = { kThumb, kRowApp, kFolder, kFolderApp, kCam, kUnlock };
        return targetPoint(device, tags[pick(6)]);
    }
    case 2: { // the folder column and its exact borders
        std::vector<uikit::View*> folder = lockViewSubviews(device, kFolder);
        if (folder.empty())
            return { uniform(0, W), uniform(0, H) };
        quartz::Rect f = folder.front()->frame();
        double x = pick(3) == 0 ? f.origin.x : pick(2) == 0 ? f.origin.x + f.size.width : f.origin.x + uniform(0, f.size.width);
        return { x, uniform(0, f.origin.y + f.size.height) };
    }
    case 3: // the edge strips
        return { chance(0.5) ? uniform(0, 12) : uniform(W - 12, W), uniform(0, H) };
    case 4: // outside the screen
        return chance(0.5) ? Point { chance(0.5) ? uniform(-80, -0.01) : uniform(W + 0.01, W + 80), uniform(-80, H + 80) }
                           : Point { uniform(-80, W + 80), chance(0.5) ? uniform(-80, -0.01) : uniform(H + 0.01, H + 80) };
    case 5: // exact screen edges
        return chance(0.5) ? Point { chance(0.5) ? 0 : W, uniform(0, H) } : Point { uniform(0, W), chance(0.5) ? 0 : H };
    default:
        return { uniform(0, W), uniform(0, H) };
    }
}

void EventGenerator::planGesture()
{
    static const std::int32_t targets[] = { kRowApp, kRowApp, kFolder, kUnlock, kCam, kFolderApp, 0 };
    m_legs.clear();
    std::size_t legs = 1 + pick(3);
    for (std::size_t i = 0; i < legs; ++i) {
        std::int32_t tag = targets[pick(std::size(targets))];
        m_legs.push_back({ tag, 1 + int(pick(6)) });
        if (tag == kFolder && chance(0.6))
            m_legs.push_back({ kFolderApp, 1 + int(pick(4)) });
    }
    m_movesDone = 0;
    m_gestureActive = true;
}

std::string EventGenerator::gestureLine(const host::Device& device)
{
    if (!m_down)
        return touch("down", targetPoint(device, kThumb));
    if (m_pauseNext) {
        m_pauseNext = false;
        return "wait " + numberText(chance(0.8) ? kFrame : uniform(0.05, 0.3));
    }
    if (m_legs.empty()) {
        m_gestureActive = false;
        double end = uniform(0, 1);
        if (end < 0.75)
            return touch("up", m_finger);
        if (end < 0.85) {
            m_down = false;
            return "cancel";
        }
        return "wait " + numberText(uniform(0, 0.3)); // the finger stays down
    }
    Leg& leg = m_legs.front();
    if (m_movesDone == 0)
        m_legFrom = m_finger;
    ++m_movesDone;
    Point to = leg.tag ? targetPoint(device, leg.tag) : randomPoint(device);
    double f = double(m_movesDone) / leg.moves;
    Point p { m_legFrom.x + (to.x - m_legFrom.x) * f, m_legFrom.y + (to.y - m_legFrom.y) * f };
    if (m_movesDone >= leg.moves) {
        m_legs.pop_front();
        m_movesDone = 0;
    }
    m_pauseNext = chance(0.7);
    return touch("move", p);
}

std::string EventGenerator::waitLine()
{
    switch (pick(6)) {
    case 0: return "wait 0";
    case 1: return "wait " + numberText(uniform(0.0001, 0.02));
    case 2:
    case 3: return "wait " + numberText(uniform(0.05, 0.3));
    case 4: return "wait " + numberText(uniform(0.5, 2));
    default: return "wait " + numberText(uniform(8, 13));
    }
}

std::string EventGenerator::setLine()
{
    foundation::Value defaults = defaultSettings();
    std::vector<std::string> keys;
    for (const auto& [key, value] : *defaults.asDictionary())
        keys.push_back(key);
    for (const char* slot : kSlots)
        keys.push_back(slot);
    std::string key = keys[pick(keys.size())];
    foundation::Value::Kind kind = defaultSettingKind(key);
    std::string value;
    if (kind == foundation::Value::Kind::Boolean) {
        value = chance(0.5) ? "yes" : "no";
    } else if (kind == foundation::Value::Kind::Real || kind == foundation::Value::Kind::Integer) {
        static const double absurd[] = { 0, -1, -75, 1e9, -1e9, 1e300, 0.0001, 320, 568 };
        value = numberText(chance(0.6) ? uniform(0, 150) : absurd[pick(std::size(absurd))]);
    } else {
        bool slot = key.starts_with("kApp") || key.starts_with("kPopupApp");
        value = slot ? kBundleIDs[pick(std::size(kBundleIDs) - 2)] : kWords[pick(std::size(kWords))];
    }
    return "set " + key + ' ' + value;
}

std::string EventGenerator::setRawLine()
{
    foundation::Value defaults = defaultSettings();
    std::vector<std::string> keys;
    for (const auto& [key, value] : *defaults.asDictionary())
        keys.push_back(key);
    keys.push_back("kApp3");
    keys.push_back("kNotASetting");
    const auto& raw = kRawValues[pick(std::size(kRawValues))];
    return "setraw " + keys[pick(keys.size())] + ' ' + raw[0] + ' ' + raw[1];
}

std::string EventGenerator::garbageLine()
{
    switch (pick(4)) {
    case 0: return "garbage-settings empty";
    case 1: return "garbage-settings truncated";
    case 2: return "garbage-settings " + hexText("<?xml version=\"1.0\"?><plist><dict><key>enabled</key>");
    default: {
        std::string bytes;
        for (std::size_t i = 0, n = 1 + pick(48); i < n; ++i)
            bytes.push_back(char(pick(256)));
        return "garbage-settings " + hexText(bytes);
    }
    }
}

std::string EventGenerator::next(const host::Device& device)
{
    if (m_gestureActive)
        return gestureLine(device);
    host::DeviceState state = device.state();
    if (state.passcodeKeypadShown && chance(0.6)) {
        double r = uniform(0, 1);
        if (r < 0.55 && m_passcode)
            return "passcode " + *m_passcode;
        if (r < 0.8)
            return std::string("passcode ") + (m_passcode && *m_passcode == "0000" ? "1111" : "0000");
        return "dismiss";
    }
    if (state.cameraShowing && chance(0.3))
        return "closecamera";
    double r = uniform(0, 1);
    if (r < 0.40) {
        planGesture();
        return gestureLine(device);
    }
    if (r < 0.58) {
        static const char* const verbs[] = { "down", "move", "up" };
        const char* verb = verbs[pick(3)];
        if (chance(0.1)) {
            m_down = false;
            return "cancel";
        }
        return touch(verb, randomPoint(device));
    }
    if (r < 0.80)
        return waitLine();
    if (r < 0.86)
        return "lock";
    if (r < 0.93)
        return setLine();
    if (r < 0.98)
        return setRawLine();
    return garbageLine();
}

SequenceEnding::SequenceEnding(std::optional<std::string> passcode)
    : m_passcode(std::move(passcode))
{
}

std::optional<std::string> SequenceEnding::next(const host::Device& device, std::optional<EventGenerator::Point> finger)
{
    if (!m_queue.empty()) {
        std::string line = m_queue.front();
        m_queue.pop_front();
        return line;
    }
    host::DeviceState state = device.state();
    auto center = [&](std::int32_t tag) -> std::optional<EventGenerator::Point> {
        std::vector<uikit::View*> views = lockViewSubviews(device, tag);
        if (views.empty())
            return std::nullopt;
        quartz::Point c = views.front()->center();
        if (!std::isfinite(c.x) || !std::isfinite(c.y) || std::abs(c.x) > 1e6 || std::abs(c.y) > 1e6)
            return std::nullopt; // absurd settings: no place a finger could go
        return EventGenerator::Point { c.x, c.y };
    };
    switch (m_phase++) {
    case 0: // the finger lifted where it was, the animations left to end
        if (finger)
            m_queue.push_back("up " + numberText(finger->x) + ' ' + numberText(finger->y));
        m_queue.push_back("wait 1");
        m_queue.push_back("check settled");
        m_queue.push_back("lock");
        m_queue.push_back("wait 1");
        return next(device, finger);
    case 1: // out of the way of the thumb
        if (state.passcodeKeypadShown && m_passcode) {
            m_phase = 3;
            m_queue = { "passcode " + *m_passcode, "wait 1" };
        } else if (state.cameraShowing) {
            m_queue = { "closecamera", "wait 1" };
        }
        return next(device, finger);
    case 2: { // the thumb onto the unlock button
        auto thumb = center(kThumb), unlock = center(kUnlock);
        if (!state.locked)
            return next(device, finger);
        if (!thumb || !unlock) { // no lock view (the library switched off when it locked): the stock knob
            const double y = state.screenHeight - 48;
            thumb = EventGenerator::Point { 90, y };
            unlock = EventGenerator::Point { 310, y };
        }
        m_queue.push_back("down " + numberText(thumb->x) + ' ' + numberText(thumb->y));
        for (int i = 1; i <= 6; ++i) {
            double f = i / 6.0;
            m_queue.push_back("wait " + numberText(kFrame));
            m_queue.push_back("move " + numberText(thumb->x + (unlock->x - thumb->x) * f) + ' '
                + numberText(thumb->y + (unlock->y - thumb->y) * f));
        }
        m_queue.push_back("up " + numberText(unlock->x) + ' ' + numberText(unlock->y));
        m_queue.push_back("wait 1");
        return next(device, finger);
    }
    case 3:
        if (state.passcodeKeypadShown && m_passcode)
            m_queue = { "passcode " + *m_passcode, "wait 1" };
        return next(device, finger);
    case 4:
        m_queue = { "lock", "wait 1", "check relocked" };
        return next(device, finger);
    default:
        return std::nullopt;
    }
}

} // namespace ombrel::sim
