#pragma once
// The crash report: what the uncaught-exception handler writes to the diagnostic log before the
// process dies, and the logging flag that lets it write.

#include "platform/foundation/Exception.h"
#include "platform/foundation/Value.h"
#include "settings/DiagnosticLog.h"

#include <string>

namespace ombrel {

// Two line breaks, 63 hyphen-minus characters and two line breaks (67 characters).
const std::string& crashSeparator();
inline constexpr const char* kCrashTimeStampPattern = "MM-dd | HH:mm:ss";

// The process-wide logging flag: starts false; the lock view sets it from kLoggingEnabled and clears
// it at teardown; the exception handler sets it before writing. Only crashLog consults it.
void setLoggingEnabled(bool);
bool loggingEnabled();

// Appends a crash entry "\n<time stamp>\t-\t<message>" when the logging flag is set. The seven
// values fill the crash message in order; a null pointer prints "(null)".
void crashLog(const foundation::Value* separator, const foundation::Value* name,
    const foundation::Value* reason, const foundation::Value* userInfo,
    const foundation::Value* returnAddresses, const foundation::Value* symbols,
    const foundation::Value* closingSeparator);

} // namespace ombrel

// The process's uncaught-exception handler (installed by the library's initialiser): turns logging
// on and writes the crash report of the exception.
extern "C" OMBREL_EXPORT void ombrelExceptionHandler(const foundation::Exception* exception);
