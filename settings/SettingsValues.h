#pragma once
// Reading one setting out of a settings dictionary, as every reader in the library does: the value's
// own conversion (a number or a string read as the platform reads it) when the key is present, the
// default table's value when it is missing. A key whose value has the wrong kind is not corrected.

#include "platform/foundation/Value.h"
#include <string>
#include <string_view>

namespace ombrel {

bool settingBool(const foundation::Value& settings, std::string_view key);
// A number that is not finite (NaN, an infinity) or too large for a 32-bit float reads as the
// default, as a missing key does.
double settingReal(const foundation::Value& settings, std::string_view key);
// A string value as it is; a missing key the default's; any other kind the empty string.
std::string settingString(const foundation::Value& settings, std::string_view key);

} // namespace ombrel
