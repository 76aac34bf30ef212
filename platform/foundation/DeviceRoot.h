#pragma once
// The device root: the folder that stands for the phone's filesystem. Every device path
// ("/var/mobile/log") is mapped inside it; with no root set, no device path maps at all, so nothing
// ever reaches the machine's real /var or /Library.

#include <optional>
#include <string>
#include <string_view>

namespace foundation {

void setDeviceRoot(std::string hostFolder); // absolute host path; "" clears
const std::string& deviceRoot();
// Host path of a device path; nothing when no root is set or the path is not absolute or climbs
// out of the root ("..").
std::optional<std::string> hostPath(std::string_view devicePath);

} // namespace foundation
