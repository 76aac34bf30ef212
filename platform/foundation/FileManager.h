#pragma once
// Files by host path (map device paths with hostPath first).

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
bool fileExists(const std::string& hostPath);
bool createDirectories(const std::string& hostPath);
// Names of the entries of a folder, sorted by name (byte order); nothing when it cannot be listed.
std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& hostPath);

} // namespace foundation
