#pragma once
// Strict UTF-8 validation (no overlong forms, no surrogates, nothing above U+10FFFF), fast on the
// ASCII text that logs are mostly made of.

#include <string_view>

namespace ombrel {

bool isValidUtf8(std::string_view bytes);

} // namespace ombrel
