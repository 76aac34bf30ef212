// Dates for people: the platform's date patterns, in the local time zone.
//
// A pattern is read as runs of one letter ("yyyy", "MM", "a"); text in single quotes is copied as
// it stands ("''" is a quote), and so is anything that is not a letter. Known runs:
//   y (2009), yy (09), yyyy (2009); M (9), MM (09), MMM (Sep), MMMM (September);
//   d, dd (day); E, EE, EEE (Tue), EEEE (Tuesday); H, HH (0-23); h, hh (1-12); m, mm; s, ss;
//   S.. (fraction of a second, as many digits as letters); a (AM/PM).
// Other letters are copied as they stand.

#include "platform/foundation/Date.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace foundation {

namespace {

ClockSource& clockSource()
{
    static ClockSource source;
    return source;
}

const char* const kMonths[] = { "January", "February", "March", "April", "May", "June", "July",
    "August", "September", "October", "November", "December" };
const char* const kDays[] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };

void appendNumber(std::string& out, long value, std::size_t minimumDigits)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*ld", static_cast<int>(minimumDigits), value);
    out += buffer;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void appendField(std::string& out, char letter, std::size_t run, const std::tm& t, double fraction)
{
    switch (letter) {
    case 'y':
        if (run == 2)
            appendNumber(out, (t.tm_year + 1900) % 100, 2);
        else
            appendNumber(out, t.tm_year + 1900, run);
        return;
    case 'M':
        if (run >= 4)
            out += kMonths[t.tm_mon];
        else if (run == 3)
            out.append(kMonths[t.tm_mon], 3);
        else
            appendNumber(out, t.tm_mon + 1, run);
        return;
    case 'd': appendNumber(out, t.tm_mday, run); return;
    case 'E':
        if (run >= 4)
            out += kDays[t.tm_wday];
        else
            out.append(kDays[t.tm_wday], 3);
        return;
    case 'H': appendNumber(out, t.tm_hour, run); return;
    case 'h': appendNumber(out, t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12, run); return;
    case 'm': appendNumber(out, t.tm_min, run); return;
    case 's': appendNumber(out, t.tm_sec, run); return;
    case 'S': {
        std::size_t digits = std::min<std::size_t>(run, 9);
        appendNumber(out, static_cast<long>(std::floor(fraction * std::pow(10.0, double(digits)))), digits);
        out.append(run - digits, '0');
        return;
    }
    case 'a': out += t.tm_hour < 12 ? "AM" : "PM"; return;
    default: out.append(run, letter); return;
    }
}

} // namespace

void setClockSource(ClockSource source) { clockSource() = std::move(source); }

double now()
{
    if (const ClockSource& source = clockSource())
        return source();
    timespec ts {};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

std::string formatDate(double secondsSince1970, const std::string& pattern)
{
    if (!std::isfinite(secondsSince1970) || std::fabs(secondsSince1970) > 1e15)
        secondsSince1970 = 0;
    double whole = std::floor(secondsSince1970);
    std::time_t seconds = static_cast<std::time_t>(whole);
    std::tm t {};
    if (!::localtime_r(&seconds, &t))
        return {};
    double fraction = secondsSince1970 - whole;

    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        if (c == '\'') {
            if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                out += '\'';
                i += 2;
                continue;
            }
            // Quoted text runs to the next lone quote ('o''clock' keeps its quote) or the end.
            ++i;
            while (i < pattern.size()) {
                if (pattern[i] == '\'') {
                    if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += pattern[i++];
            }
            continue;
        }
        if (!isLetter(c)) {
            out += c;
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        appendField(out, c, run, t, fraction);
        i += run;
    }
    return out;
}

} // namespace foundation
