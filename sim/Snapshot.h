#pragma once
// A picture of what a simulated device shows now, written as a PNG file (the `snapshot` scenario
// line and `ombrel snapshot`).

#include <optional>
#include <string>

namespace host {
class Device;
}

namespace ombrel::sim {

class Renderer;

// Renders the device's windows at its screen size and writes FILE, making its folder when
// missing. Nothing when written; otherwise why not.
std::optional<std::string> writeSnapshot(Renderer&, const host::Device&, const std::string& file);

} // namespace ombrel::sim
