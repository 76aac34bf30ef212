#pragma once
// Property lists in files and memory. Writing gives the XML form; reading accepts XML and the binary
// form. Malformed, truncated, hostile (deeply nested, huge) input gives nothing, never a crash or a
// hang: input is checked before the parser sees it.

#include "platform/foundation/Value.h"
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

struct PropertyListLimits {
    std::size_t maxBytes = 16 * 1024 * 1024; // larger input is refused unread
    int maxDepth = 256;                      // nesting of arrays and dictionaries
    // libplist needs some hundred bytes per value and inserts XML dictionary keys in quadratic
    // time, so tiny values in great number are bounded too.
    std::size_t maxValues = 1 << 18;           // values in the whole input
    std::size_t maxDictionaryKeys = 1 << 16;   // keys in one dictionary
};

std::optional<Value> parsePropertyList(std::string_view bytes, PropertyListLimits = {});
std::optional<Value> readPropertyList(const std::string& hostPath, PropertyListLimits = {});
std::string xmlPropertyList(const Value&);
std::string binaryPropertyList(const Value&);
// Atomic replacement of hostPath with the XML form of the value.
bool writePropertyList(const std::string& hostPath, const Value&);

} // namespace foundation
