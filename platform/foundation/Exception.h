#pragma once
// The platform's exception: name, reason and user info, with the call stack captured when it is made
// (return addresses and symbolised lines), so that an uncaught-exception handler can report where
// it came from.

#include "platform/foundation/Value.h"
#include <exception>
#include <string>
#include <vector>

namespace foundation {

class Exception : public std::exception {
public:
    Exception(std::string name, std::string reason, Value userInfo = {});
    const std::string& name() const { return m_name; }
    const std::string& reason() const { return m_reason; }
    const Value& userInfo() const { return m_userInfo; }           // nothing when none was given
    Value callStackReturnAddresses() const;                        // array of integers
    Value callStackSymbols() const;                                // array of strings
    const char* what() const noexcept override { return m_reason.c_str(); }

private:
    std::string m_name, m_reason;
    Value m_userInfo;
    std::vector<void*> m_frames;
};

// The process's uncaught-exception handler. It is called with the exception about to end the
// process: a platform Exception as it is, any other C++ exception converted (name: its type name,
// reason: what()). The process then aborts as before. Installing replaces the earlier handler.
using UncaughtExceptionHandler = void (*)(const Exception*);
void setUncaughtExceptionHandler(UncaughtExceptionHandler);
UncaughtExceptionHandler uncaughtExceptionHandler();

} // namespace foundation
