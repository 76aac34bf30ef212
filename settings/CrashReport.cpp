#include "settings/CrashReport.h"

#include "platform/foundation/Date.h"
#include "platform/foundation/Format.h"

#include <atomic>

namespace ombrel {

using foundation::Value;

namespace {

std::atomic<bool> g_loggingEnabled{false};

constexpr const char* kCrashMessageFormat
    = "%@Exception Caught\n\nName: %@\nReason: %@\nInfo: %@\nReturn Address: %@\nCall Stack: %@%@";
constexpr const char* kCrashEntryFormat = "\n%@\t-\t%@";

} // namespace

const std::string& crashSeparator()
{
    static const std::string separator = "\n\n" + std::string(63, '-') + "\n\n";
    return separator;
}

void setLoggingEnabled(bool enabled)
{
    g_loggingEnabled.store(enabled);
}

bool loggingEnabled()
{
    return g_loggingEnabled.load();
}

void crashLog(const Value* separator, const Value* name, const Value* reason, const Value* userInfo,
    const Value* returnAddresses, const Value* symbols, const Value* closingSeparator)
{
    if (!loggingEnabled())
        return;
    Value message = foundation::Value::string(foundation::format(kCrashMessageFormat, separator, name, reason,
        userInfo, returnAddresses, symbols, closingSeparator));
    Value stamp = foundation::Value::string(foundation::formatDate(foundation::now(), kCrashTimeStampPattern));
    appendLogEntry(foundation::format(kCrashEntryFormat, &stamp, &message));
}

} // namespace ombrel

extern "C" void ombrelExceptionHandler(const foundation::Exception* exception)
{
    ombrel::setLoggingEnabled(true);
    if (!exception)
        return;
    foundation::Value separator = foundation::Value::string(ombrel::crashSeparator());
    foundation::Value name = foundation::Value::string(exception->name());
    foundation::Value reason = foundation::Value::string(exception->reason());
    const foundation::Value& userInfo = exception->userInfo();
    foundation::Value returnAddresses = exception->callStackReturnAddresses();
    foundation::Value symbols = exception->callStackSymbols();
    ombrel::crashLog(&separator, &name, &reason, userInfo.isNull() ? nullptr : &userInfo,
        &returnAddresses, &symbols, &separator);
}
