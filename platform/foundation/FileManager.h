#pragma once
// Files by host path (map device paths with hostPath first).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace foundation {

std::optional<std::string> readFile(const std::string& hostPath);
// The same, refusing anything but a regular file of at most maxBytes; the size is checked before
// the content is read.
std::optional<std::string> readFile(const std::string& hostPath, std::size_t maxBytes);
// Write to a temporary file in the same folder, flush it, rename it over the old file, flush the
// folder: a reader sees the old content or the new, whole.
bool writeFileAtomically(const std::string& hostPath, std::string_view bytes);
// Told the host path of every file that writeFileAtomically has just replaced (after the rename),
// so the simulated device can record settings writes; one listener per process, empty for none.
using WriteListener = std::function<void(const std::string& hostPath)>;
void setWriteListener(WriteListener);
bool fileExists(const std::string& hostPath);
bool createDirectories(const std::string& hostPath);
// Names of the entries of a folder, sorted by name (byte order); nothing when it cannot be listed.
std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& hostPath);

} // namespace foundation
