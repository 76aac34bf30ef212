#include "platform/foundation/Exception.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <execinfo.h>
#include <memory>
#include <typeinfo>

namespace foundation {

namespace {

constexpr int kMaxFrames = 128;

std::string demangle(const char* name)
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> plain(abi::__cxa_demangle(name, nullptr, nullptr, &status), &std::free);
    return status == 0 && plain ? std::string(plain.get()) : std::string(name);
}

// "lib.so(_ZN3foo3barEv+0x1a) [0x7f..]" becomes "lib.so(foo::bar()+0x1a) [0x7f..]".
std::string demangleSymbolLine(const char* line)
{
    std::string text = line;
    auto open = text.find('(');
    auto plus = text.find('+', open == std::string::npos ? 0 : open);
    if (open == std::string::npos || plus == std::string::npos || plus == open + 1)
        return text;
    std::string mangled = text.substr(open + 1, plus - open - 1);
    return text.substr(0, open + 1) + demangle(mangled.c_str()) + text.substr(plus);
}

UncaughtExceptionHandler g_handler = nullptr;
std::terminate_handler g_previousTerminate = nullptr;
std::atomic<bool> g_terminating { false };

void reportCurrentException(UncaughtExceptionHandler handler)
{
    std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    try {
        std::rethrow_exception(current);
    } catch (const Exception& exception) {
        handler(&exception);
    } catch (const std::exception& exception) {
        std::type_info* type = abi::__cxa_current_exception_type();
        Exception converted(type ? demangle(type->name()) : "std::exception", exception.what());
        handler(&converted);
    } catch (...) {
        std::type_info* type = abi::__cxa_current_exception_type();
        Exception converted(type ? demangle(type->name()) : "unknown", "");
        handler(&converted);
    }
}

[[noreturn]] void onTerminate()
{
    // Only the first pass reports: a handler that throws, or a second thread that terminates
    // meanwhile, goes straight on to the previous handler.
    if (!g_terminating.exchange(true)) {
        if (UncaughtExceptionHandler handler = g_handler) {
            try {
                reportCurrentException(handler);
            } catch (...) {
            }
        }
    }
    if (g_previousTerminate)
        g_previousTerminate();
    std::abort();
}

} // namespace

Exception::Exception(std::string name, std::string reason, Value userInfo)
    : m_name(std::move(name))
    , m_reason(std::move(reason))
    , m_userInfo(std::move(userInfo))
{
    void* frames[kMaxFrames];
    int count = ::backtrace(frames, kMaxFrames);
    // The first frame is this constructor; the stack starts where the exception was made.
    if (count > 1)
        m_frames.assign(frames + 1, frames + count);
}

Value Exception::callStackReturnAddresses() const
{
    Value::Array addresses;
    addresses.reserve(m_frames.size());
    for (void* frame : m_frames)
        addresses.push_back(Value::integer(static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(frame))));
    return Value::array(std::move(addresses));
}

Value Exception::callStackSymbols() const
{
    Value::Array lines;
    if (m_frames.empty())
        return Value::array();
    char** symbols = ::backtrace_symbols(m_frames.data(), static_cast<int>(m_frames.size()));
    if (!symbols)
        return Value::array();
    lines.reserve(m_frames.size());
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        lines.push_back(Value::string(demangleSymbolLine(symbols[i])));
    std::free(symbols);
    return Value::array(std::move(lines));
}

void setUncaughtExceptionHandler(UncaughtExceptionHandler handler)
{
    g_handler = handler;
    // The terminate hook goes in once; the handler it calls can change afterwards.
    static bool installed = false;
    if (!installed) {
        installed = true;
        g_previousTerminate = std::set_terminate(onTerminate);
    }
}

UncaughtExceptionHandler uncaughtExceptionHandler() { return g_handler; }

} // namespace foundation
