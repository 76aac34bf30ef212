#pragma once
// The default table: every key the library reads, with its default value and number kind. The
// loader builds it afresh on every call and fills missing keys of the settings file from it.

#include "platform/foundation/Value.h"
#include <cstddef>
#include <string_view>

namespace ombrel {

inline constexpr std::size_t kDefaultSettingsCount = 57;

// A dictionary of the 57 defaults; Booleans, integers and reals keep their kinds.
foundation::Value defaultSettings();

// The kind a key has in the default table, or Null for a key the table does not hold.
foundation::Value::Kind defaultSettingKind(std::string_view key);

// App slot keys ("kApp0", "kPopupApp2" ...) are given to a new or empty file only; the loader never
// fills them back into a file that lacks them.
bool isAppSlotKey(std::string_view key);

} // namespace ombrel
