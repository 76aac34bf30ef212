#pragma once
// What the device says about its system: the version string of the installed system, read from
// "/System/Library/CoreServices/SystemVersion.plist" under the device root (key ProductVersion).

#include <string>

namespace foundation {

// "5.1.1", "6.1" ...; empty when the device has no readable version file.
std::string systemVersionString();

} // namespace foundation
