#pragma once
// Settings files the settings pane never writes, for the `setraw` and `garbage-settings` scenario
// lines: a value of any kind (also NaN and infinities) under any key, and a file replaced by bytes
// that are no property list at all. They show how the library copes with what it did not write.

#include "platform/foundation/Value.h"
#include <optional>
#include <string>

namespace ombrel::sim {

// A value of KIND read from TEXT: bool (true/false), int (64-bit), real (also nan, inf, -inf),
// string (as written), data (hexadecimal bytes), date (seconds since 2001), array and dict
// (TEXT "empty"). Nothing, with the reason in `error`, otherwise.
std::optional<foundation::Value> parseRawValue(const std::string& kind, const std::string& text, std::string& error);

// The bytes an even number of hexadecimal digits stand for; nothing for anything else.
std::optional<std::string> hexBytes(const std::string& text);
std::string hexText(const std::string& bytes);

// Replaces the settings file, in place and not atomically, with: nothing ("empty"), its own first
// half ("truncated"; nothing when there is no file) or the bytes of a hexadecimal text. Answers the
// bytes written, nothing when the file could not be written. Needs the device root to be set.
std::optional<std::string> garbleSettingsFile(const std::string& what);

} // namespace ombrel::sim
