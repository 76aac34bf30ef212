#pragma once
// The device's wall clock. Real time by default; the simulated device and tests set a source so
// that stamps are reproducible.

#include <functional>
#include <string>

namespace foundation {

// Seconds since 1970-01-01 00:00:00 UTC.
using ClockSource = std::function<double()>;
void setClockSource(ClockSource); // empty restores real time
double now();
// strftime-like formatting in the local time zone with the platform's date patterns ("MM-dd | HH:mm:ss").
std::string formatDate(double secondsSince1970, const std::string& pattern);

} // namespace foundation
