#pragma once
// String formatting with the platform's rules: printf conversions plus "%@", which prints a value's
// description: a string as itself, a list in parentheses and a dictionary in braces with one element
// per line, a missing value as "(null)".

#include "platform/foundation/Value.h"
#include <cstdarg>
#include <string>

namespace foundation {

std::string description(const Value&);
// "%@" takes a `const foundation::Value*` (null prints "(null)"); other conversions as printf.
std::string formatV(const char* format, va_list);
std::string format(const char* format, ...);

} // namespace foundation
