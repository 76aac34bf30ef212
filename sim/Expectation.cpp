#include "sim/Expectation.h"

#include "sim/Scenario.h"

#include <cmath>
#include <sstream>

namespace ombrel::sim {

using Json = nlohmann::ordered_json;

namespace {

std::optional<bool> yesNo(const std::string& word)
{
    if (word == "yes")
        return true;
    if (word == "no")
        return false;
    return std::nullopt;
}

// The words from `from` joined by blanks, less a trailing "~TOL" which goes into `tolerance`.
bool valueAndTolerance(const std::vector<std::string>& words, std::size_t from, Expectation& e, std::string& error)
{
    std::size_t end = words.size();
    if (end > from + 1 && words.back().starts_with("~")) {
        auto tolerance = parseNumber(words.back().substr(1));
        if (!tolerance || *tolerance < 0) {
            error = "\"" + words.back() + "\" is not a tolerance (~ and a number, 0 or more)";
            return false;
        }
        e.tolerance = *tolerance;
        --end;
    }
    for (std::size_t i = from; i < end; ++i)
        e.value += (i > from ? " " : "") + words[i];
    static const std::pair<const char*, Comparison> comparisons[] = { { ">=", Comparison::AtLeast },
        { "<=", Comparison::AtMost }, { ">", Comparison::Above }, { "<", Comparison::Below } };
    for (const auto& [sign, comparison] : comparisons) {
        if (!e.value.starts_with(sign))
            continue;
        std::string rest = e.value.substr(std::string_view(sign).size());
        rest.erase(0, rest.find_first_not_of(' '));
        if (!parseNumber(rest) && !parseCoordinate(rest)) {
            error = "\"" + rest + "\" is not a number to compare with";
            return false;
        }
        e.comparison = comparison;
        e.value = rest;
        break;
    }
    return true;
}

Json expectedJson(const std::string& text, const host::DeviceState& screen)
{
    if (auto flag = yesNo(text))
        return *flag;
    if (auto c = parseCoordinate(text); c && c->base != Coordinate::Base::Zero)
        return c->resolve(screen.screenWidth, screen.screenHeight);
    Json parsed = Json::parse(text, nullptr, false);
    return parsed.is_discarded() ? Json(text) : parsed;
}

bool same(const Json& found, const Json& expected, double tolerance)
{
    if (found.is_number() && expected.is_number())
        return std::fabs(found.get<double>() - expected.get<double>()) <= tolerance;
    if (found.is_array() && expected.is_array()) {
        if (found.size() != expected.size())
            return false;
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (!same(found[i], expected[i], tolerance))
                return false;
        }
        return true;
    }
    return found == expected;
}

// Text given in a scenario matches a found value by JSON meaning, or as the same text.
bool matches(const Json& found, const std::string& text, double tolerance, const host::DeviceState& screen)
{
    return same(found, expectedJson(text, screen), tolerance) || (found.is_string() && found.get<std::string>() == text);
}

bool compares(const Json& found, const Expectation& e, const host::DeviceState& screen)
{
    if (e.comparison == Comparison::Same)
        return matches(found, e.value, e.tolerance, screen);
    Json expected = expectedJson(e.value, screen);
    if (!found.is_number() || !expected.is_number())
        return false;
    double f = found.get<double>(), x = expected.get<double>();
    switch (e.comparison) {
    case Comparison::AtLeast: return f >= x - e.tolerance;
    case Comparison::AtMost: return f <= x + e.tolerance;
    case Comparison::Above: return f > x;
    case Comparison::Below: return f < x;
    case Comparison::Same: break;
    }
    return false;
}

// The views with a tag in drawing order: a view before its subviews, subviews back to front.
void viewsWithTag(const Json& views, std::int32_t tag, std::vector<const Json*>& found)
{
    for (const Json& view : views) {
        if (view["tag"] == tag)
            found.push_back(&view);
        viewsWithTag(view["subviews"], tag, found);
    }
}

// A dump path: object keys, and for arrays an index or x, y, w, h.
const Json* atPath(const Json& view, const std::string& path)
{
    const Json* at = &view;
    std::istringstream parts(path);
    for (std::string part; std::getline(parts, part, '.');) {
        if (at->is_object()) {
            auto found = at->find(part);
            if (found == at->end())
                return nullptr;
            at = &*found;
            continue;
        }
        if (!at->is_array())
            return nullptr;
        static const char* names[] = { "x", "y", "w", "h" };
        std::size_t index = at->size();
        for (std::size_t i = 0; i < 4; ++i) {
            if (part == names[i])
                index = i;
        }
        if (auto number = parseNumber(part); number && *number >= 0 && *number == std::floor(*number))
            index = static_cast<std::size_t>(*number);
        if (index >= at->size())
            return nullptr;
        at = &(*at)[index];
    }
    return at;
}

std::string yes(bool flag) { return flag ? "yes" : "no"; }

std::optional<std::string> checkEvent(const Expectation& e, Observation& o)
{
    for (std::size_t i = o.eventCursor; i < o.trace.size(); ++i) {
        const host::TraceEvent& event = o.trace[i];
        if (event.name != e.name)
            continue;
        bool all = true;
        for (const auto& [field, text] : e.fields) {
            auto value = event.fields.find(field);
            if (value == event.fields.end() || !matches(Json(*value), text, e.tolerance, o.device))
                all = false;
        }
        if (!all)
            continue;
        if (e.kind == ExpectKind::NoEvent)
            return "found " + host::toJsonLine(event);
        o.eventCursor = i + 1;
        return std::nullopt;
    }
    if (e.kind == ExpectKind::NoEvent)
        return std::nullopt;
    std::string seen;
    for (std::size_t i = o.eventCursor; i < o.trace.size(); ++i)
        seen += "\n    " + host::toJsonLine(o.trace[i]);
    return "no such event; the events looked at:" + (seen.empty() ? std::string(" none") : seen);
}

std::optional<std::string> checkValue(const Json* found, const std::string& what, const Expectation& e,
    const host::DeviceState& screen)
{
    if (!found)
        return what + " is absent";
    if (compares(*found, e, screen))
        return std::nullopt;
    return what + " is " + found->dump();
}

} // namespace

std::optional<Expectation> parseExpectation(const std::vector<std::string>& words, std::string& error)
{
    Expectation e;
    const std::string kind = words.empty() ? std::string() : words[0];
    auto arguments = [&](std::size_t least, std::size_t most, const char* usage) {
        if (words.size() - 1 < least || words.size() - 1 > most) {
            error = std::string("expected: expect ") + usage;
            return false;
        }
        return true;
    };
    auto tag = [&](std::string word) {
        if (std::size_t hash = word.find('#'); hash != std::string::npos && kind == "view") {
            auto index = parseNumber(word.substr(hash + 1));
            if (!index || *index < 0 || *index != std::floor(*index) || *index > 1e6) {
                error = "\"" + word + "\" is not TAG#N (N a whole number from 0)";
                return false;
            }
            e.tagIndex = static_cast<std::size_t>(*index);
            word.resize(hash);
        }
        auto number = parseNumber(word);
        if (!number || *number != std::floor(*number) || std::fabs(*number) > 2147483647.0) {
            error = "\"" + word + "\" is not a view tag (a whole number)";
            return false;
        }
        e.tag = static_cast<std::int32_t>(*number);
        return true;
    };
    if (kind == "event" || kind == "no-event") {
        e.kind = kind == "event" ? ExpectKind::Event : ExpectKind::NoEvent;
        if (!arguments(1, kind == "event" ? 64 : 1, kind == "event" ? "event NAME [FIELD=VALUE ...]" : "no-event NAME"))
            return std::nullopt;
        e.name = words[1];
        for (std::size_t i = 2; i < words.size(); ++i) {
            std::size_t equals = words[i].find('=');
            if (equals == 0 || equals == std::string::npos) {
                error = "\"" + words[i] + "\" is not FIELD=VALUE";
                return std::nullopt;
            }
            e.fields.emplace_back(words[i].substr(0, equals), words[i].substr(equals + 1));
        }
        return e;
    }
    if (kind == "locked" || kind == "keypad" || kind == "dimmed" || kind == "camera") {
        e.kind = kind == "locked" ? ExpectKind::Locked : kind == "keypad" ? ExpectKind::Keypad
            : kind == "dimmed" ? ExpectKind::Dimmed : ExpectKind::Camera;
        if (!arguments(1, 1, (kind + " yes|no").c_str()))
            return std::nullopt;
        auto flag = yesNo(words[1]);
        if (!flag) {
            error = "\"" + words[1] + "\" is not yes or no";
            return std::nullopt;
        }
        e.flag = *flag;
        return e;
    }
    if (kind == "front") {
        e.kind = ExpectKind::Front;
        if (!arguments(1, 1, "front BUNDLEID|none"))
            return std::nullopt;
        if (words[1] != "none")
            e.bundleID = words[1];
        return e;
    }
    if (kind == "state" || kind == "lockview") {
        e.kind = kind == "state" ? ExpectKind::State : ExpectKind::LockView;
        if (!arguments(2, 64, (kind + " KEY VALUE [~TOLERANCE]").c_str()))
            return std::nullopt;
        e.name = words[1];
        return valueAndTolerance(words, 2, e, error) ? std::optional(e) : std::nullopt;
    }
    if (kind == "view") {
        e.kind = ExpectKind::View;
        if (!arguments(3, 64, "view TAG PATH VALUE [~TOLERANCE]") || !tag(words[1]))
            return std::nullopt;
        e.name = words[2];
        return valueAndTolerance(words, 3, e, error) ? std::optional(e) : std::nullopt;
    }
    if (kind == "no-view") {
        e.kind = ExpectKind::NoView;
        if (!arguments(1, 1, "no-view TAG") || !tag(words[1]))
            return std::nullopt;
        return e;
    }
    if (kind == "views") {
        e.kind = ExpectKind::ViewCount;
        if (!arguments(2, 2, "views TAG COUNT") || !tag(words[1]))
            return std::nullopt;
        auto count = parseNumber(words[2]);
        if (!count || *count < 0 || *count != std::floor(*count) || *count > 1e6) {
            error = "\"" + words[2] + "\" is not a count (a whole number from 0)";
            return std::nullopt;
        }
        e.count = static_cast<std::size_t>(*count);
        return e;
    }
    error = kind.empty() ? "expect what? (event, no-event, locked, keypad, dimmed, camera, front, state, lockview, view, no-view, views)"
                         : "unknown expectation \"" + kind + "\"";
    return std::nullopt;
}

std::optional<std::string> check(const Expectation& e, Observation& o)
{
    auto flag = [&](bool found, const char* what) -> std::optional<std::string> {
        if (found == e.flag)
            return std::nullopt;
        return std::string("found ") + what + " " + yes(found);
    };
    switch (e.kind) {
    case ExpectKind::Event:
    case ExpectKind::NoEvent:
        return checkEvent(e, o);
    case ExpectKind::Locked:
        return flag(o.device.locked, "locked");
    case ExpectKind::Keypad:
        return flag(o.device.passcodeKeypadShown, "keypad");
    case ExpectKind::Dimmed:
        return flag(o.device.screenDimmed, "dimmed");
    case ExpectKind::Camera:
        return flag(o.device.cameraShowing, "camera");
    case ExpectKind::Front:
        if (o.device.frontApplication == e.bundleID)
            return std::nullopt;
        return "found front " + o.device.frontApplication.value_or("none");
    case ExpectKind::State:
        return checkValue(atPath(o.dump["state"], e.name), "state " + e.name, e, o.device);
    case ExpectKind::LockView:
        if (!o.dump["lockView"].is_object())
            return std::string("there is no lock view");
        return checkValue(atPath(o.dump["lockView"], e.name), "lockView " + e.name, e, o.device);
    case ExpectKind::View:
    case ExpectKind::NoView:
    case ExpectKind::ViewCount: {
        std::vector<const Json*> views;
        viewsWithTag(o.dump["windows"], e.tag, views);
        if (e.kind == ExpectKind::ViewCount)
            return views.size() == e.count ? std::nullopt : std::optional<std::string>("found " + std::to_string(views.size()));
        const Json* view = views.empty() ? nullptr : views.back();
        if (e.tagIndex)
            view = *e.tagIndex < views.size() ? views[*e.tagIndex] : nullptr;
        if (e.kind == ExpectKind::NoView)
            return view ? std::optional<std::string>("found a " + (*view)["class"].get<std::string>() + " with that tag")
                        : std::nullopt;
        if (!view)
            return "no view with tag " + std::to_string(e.tag) + (e.tagIndex ? " at index " + std::to_string(*e.tagIndex) : "");
        return checkValue(atPath(*view, e.name), "view " + std::to_string(e.tag) + " " + e.name, e, o.device);
    }
    }
    return std::string("unknown expectation");
}

} // namespace ombrel::sim
