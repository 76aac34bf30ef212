#pragma once
// One setting changed the way the settings pane changes it: the text typed with the kind the key
// has in the default table, then the whole dictionary loaded, changed and written atomically.
// Shared by `ombrel settings set` and the `set` line of scenarios.

#include "platform/foundation/Value.h"
#include <optional>
#include <string>

namespace ombrel::sim {

// The value a request asks for, or why it is refused (no file is touched either way).
struct SettingValue {
    std::optional<foundation::Value> value;
    std::string error; // a sentence without a prefix, when there is no value
};

// Reads `text` as a value for `key`: with the kind of the default table; a key outside the table
// needs `typeName` (bool, int, real or string), which must agree with the table when both exist.
SettingValue settingValue(const std::string& key, const std::string& text, const std::string& typeName = {});

// Loads the settings (defaults filled in), sets the key and writes the file atomically. False when
// the file could not be written. Needs the device root to be set.
bool writeSetting(const std::string& key, const foundation::Value& value);

} // namespace ombrel::sim
