#pragma once
// The settings loader and writer. The settings file is a property list whose root is a dictionary;
// the loader fills in missing defaults (writing the file back when it did) and never fails.

#include "platform/foundation/Value.h"
#include <cstdint>

namespace ombrel {

inline constexpr const char* kSettingsFilePath = "/var/mobile/Library/Preferences/com.qx.ombrel.plist";
// An unreadable settings file is moved here before the defaults replace it.
inline constexpr const char* kUnreadableSettingsFileSuffix = ".bad";

// The settings loader: the file's dictionary with the defaults filled in, or the 57 defaults when
// there is no usable file. Each call returns its own copy (copy-on-write, so it costs nothing until
// the caller changes it). Without a device root nothing is read or written: the defaults come back.
foundation::Value loadSettings();

// Replaces the whole settings file atomically with the dictionary; false when the value is not a
// dictionary or the file could not be written.
bool writeSettings(const foundation::Value& dictionary);

// The loader remembers its last result for an unchanged file (see SettingsFile.cpp); switched off,
// every call reads and parses the file. On by default.
void setSettingsCacheEnabled(bool);
bool settingsCacheEnabled();

// How many times the loader has read the file since the process started (cache misses).
std::uint64_t settingsFileReadCount();

} // namespace ombrel
