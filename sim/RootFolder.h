#pragma once
// Where device roots live on the host, and how the command recognises one.

#include <string>

namespace ombrel::sim {

// The device description that marks a folder as a device root.
inline constexpr const char* kDeviceDescriptionPath = "/var/ombrel/Device.plist";

// $XDG_DATA_HOME/ombrel/device, else ~/.local/share/ombrel/device; empty when neither is known.
std::string defaultDeviceRoot();

// Absolute, normalised form of a host folder path.
std::string absoluteFolder(const std::string& path);

// A folder holding a readable device description.
bool isDeviceRoot(const std::string& hostFolder);

} // namespace ombrel::sim
