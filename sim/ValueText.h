#pragma once
// Settings values as the command shows them (text lines and JSON) and as it reads them from the
// command line.

#include "platform/foundation/Value.h"
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel::sim {

// One-line text form that shows the kind: true/false, integers as digits, reals with a decimal
// point, strings quoted, dictionaries in braces, arrays in parentheses.
std::string valueText(const foundation::Value&);

// JSON form: Booleans as JSON booleans, numbers as numbers, dictionaries nested.
nlohmann::json valueJson(const foundation::Value&);

// "bool", "int", "real", "string".
std::optional<foundation::Value::Kind> parseKindName(std::string_view);
const char* kindName(foundation::Value::Kind);

// Reads command-line text as a value of the kind: Booleans true/false/yes/no/1/0 in any case;
// integers and reals must be read whole, and reals must be finite.
std::optional<foundation::Value> parseValue(std::string_view text, foundation::Value::Kind);

} // namespace ombrel::sim
