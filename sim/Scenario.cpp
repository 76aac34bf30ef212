#include "sim/Scenario.h"

#include "sim/RawSettings.h"
#include "sim/SettingEdit.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace ombrel::sim {

namespace {

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

struct LineParser {
    const std::vector<std::string>& w;
    std::string error;

    bool count(std::size_t least, std::size_t most, const char* usage)
    {
        if (w.size() - 1 < least || w.size() - 1 > most) {
            error = std::string("expected: ") + usage;
            return false;
        }
        return true;
    }

    bool coordinates(std::size_t from, std::size_t n, std::vector<Coordinate>& out)
    {
        for (std::size_t i = from; i < from + n; ++i) {
            auto c = parseCoordinate(w[i]);
            if (!c) {
                error = "\"" + w[i] + "\" is not a coordinate (a number, or W/H[/2][+-N])";
                return false;
            }
            out.push_back(*c);
        }
        return true;
    }

    bool parse(Step& step)
    {
        const std::string& verb = w[0];
        if (verb == "lock" || verb == "cancel" || verb == "dismiss" || verb == "closecamera") {
            step.verb = verb == "lock" ? Verb::Lock : verb == "cancel" ? Verb::Cancel
                : verb == "dismiss" ? Verb::Dismiss : Verb::CloseCamera;
            return count(0, 0, verb.c_str());
        }
        if (verb == "down" || verb == "move" || verb == "up" || verb == "tap") {
            step.verb = verb == "down" ? Verb::Down : verb == "move" ? Verb::Move : verb == "up" ? Verb::Up : Verb::Tap;
            return count(2, 2, (verb + " X Y").c_str()) && coordinates(1, 2, step.points);
        }
        if (verb == "drag") {
            step.verb = Verb::Drag;
            if (!count(4, 5, "drag X1 Y1 X2 Y2 [STEPS]") || !coordinates(1, 4, step.points))
                return false;
            if (w.size() == 6) {
                auto moves = parseNumber(w[5]);
                if (!moves || *moves < 1 || *moves > 10000 || *moves != std::floor(*moves)) {
                    error = "\"" + w[5] + "\" is not a number of steps (a whole number from 1 to 10000)";
                    return false;
                }
                step.moves = static_cast<int>(*moves);
            }
            return true;
        }
        if (verb == "wait") {
            step.verb = Verb::Wait;
            if (!count(1, 1, "wait SECONDS"))
                return false;
            auto seconds = parseNumber(w[1]);
            if (!seconds || *seconds < 0) {
                error = "\"" + w[1] + "\" is not a number of seconds (0 or more)";
                return false;
            }
            step.seconds = *seconds;
            return true;
        }
        if (verb == "passcode") {
            step.verb = Verb::Passcode;
            if (!count(1, 1, "passcode CODE"))
                return false;
            step.word = w[1];
            return true;
        }
        if (verb == "set") {
            step.verb = Verb::Set;
            if (!count(2, 2, "set KEY VALUE"))
                return false;
            SettingValue value = settingValue(w[1], w[2]);
            if (!value.value) {
                error = value.error;
                return false;
            }
            step.word = w[1];
            step.value = *value.value;
            return true;
        }
        if (verb == "setraw") {
            step.verb = Verb::SetRaw;
            if (!count(3, 3, "setraw KEY KIND VALUE"))
                return false;
            auto value = parseRawValue(w[2], w[3], error);
            if (!value)
                return false;
            step.word = w[1];
            step.value = *value;
            return true;
        }
        if (verb == "garbage-settings") {
            step.verb = Verb::GarbageSettings;
            if (!count(1, 1, "garbage-settings empty|truncated|HEX"))
                return false;
            if (w[1] != "empty" && w[1] != "truncated" && !hexBytes(w[1])) {
                error = "\"" + w[1] + "\" is not empty, truncated or bytes in hexadecimal";
                return false;
            }
            step.word = w[1];
            return true;
        }
        if (verb == "invariants") {
            step.verb = Verb::Invariants;
            return count(0, 0, "invariants");
        }
        if (verb == "check") {
            step.verb = Verb::Check;
            if (!count(1, 1, "check settled|relocked"))
                return false;
            if (w[1] != "settled" && w[1] != "relocked") {
                error = "unknown check \"" + w[1] + "\"; use settled or relocked";
                return false;
            }
            step.word = w[1];
            return true;
        }
        if (verb == "dump") {
            step.verb = Verb::Dump;
            if (!count(0, 1, "dump [FILE]"))
                return false;
            if (w.size() == 2)
                step.word = w[1];
            return true;
        }
        if (verb == "snapshot") {
            step.verb = Verb::Snapshot;
            if (!count(1, 1, "snapshot FILE"))
                return false;
            step.word = w[1];
            return true;
        }
        if (verb == "expect") {
            step.verb = Verb::Expect;
            auto expectation = parseExpectation({ w.begin() + 1, w.end() }, error);
            if (!expectation)
                return false;
            step.expectation = std::move(*expectation);
            return true;
        }
        error = "unknown verb \"" + verb + "\"";
        return false;
    }
};

} // namespace

double Coordinate::resolve(double width, double height) const
{
    double of = base == Base::Width ? width : base == Base::Height ? height : 0;
    return of * factor + offset;
}

std::optional<Coordinate> parseCoordinate(const std::string& text)
{
    Coordinate c;
    std::string rest = text;
    if (!rest.empty() && (rest[0] == 'W' || rest[0] == 'H')) {
        c.base = rest[0] == 'W' ? Coordinate::Base::Width : Coordinate::Base::Height;
        rest.erase(0, 1);
        if (rest.starts_with("/2")) {
            c.factor = 0.5;
            rest.erase(0, 2);
        }
        if (rest.empty())
            return c;
        if (rest[0] != '+' && rest[0] != '-')
            return std::nullopt;
        bool minus = rest[0] == '-';
        auto offset = parseNumber(rest.substr(1));
        if (!offset || rest.size() < 2 || !std::isdigit(static_cast<unsigned char>(rest[1])))
            return std::nullopt;
        c.offset = minus ? -*offset : *offset;
        return c;
    }
    auto number = parseNumber(rest);
    if (!number)
        return std::nullopt;
    c.offset = *number;
    return c;
}

std::optional<double> parseNumber(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const char* first = text.data();
    if (first != end && *first == '+')
        ++first;
    auto [at, ec] = std::from_chars(first, end, value);
    if (ec != std::errc() || at != end || first == end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

ParsedScenario parseScenario(std::istream& in)
{
    ParsedScenario parsed;
    int number = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++number;
        std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> w = words(line);
        Step step;
        step.line = number;
        step.text = line;
        LineParser parser { w, {} };
        if (!parser.parse(step)) {
            parsed.error = ScenarioError { number, parser.error + " (in \"" + line + "\")" };
            return parsed;
        }
        parsed.scenario.steps.push_back(std::move(step));
    }
    return parsed;
}

} // namespace ombrel::sim
