#pragma once
// A simulated phone for one test: a device root in a fresh temporary folder (Device.plist,
// SystemVersion.plist and a few applications, laid out as `ombrel init` does: "Mail" with badge 3,
// "MobileSMS" without, "MobilePhone" with badge 1), booted in this process, removed afterwards.
// Each test runs in its own process, so each boots once.

#include "host/Device.h"
#include "platform/runtime/Object.h"
#include <optional>
#include <string>
#include <vector>

namespace hosttest {

struct Phone {
    Phone(std::string version = "6.1", int width = 320, int height = 568, std::optional<std::string> passcode = {})
        : systemVersion(std::move(version)), width(width), height(height), passcode(std::move(passcode)) { }
    std::string systemVersion;
    int width, height;
    std::optional<std::string> passcode;
    std::vector<std::string> omitClasses; // written as the profile's OmitClasses
};

// Boot options set by a function: options([](auto& o) { o.mediaControls = true; }).
template<class F>
host::BootOptions options(F set)
{
    host::BootOptions o;
    set(o);
    return o;
}

class TestDevice {
public:
    explicit TestDevice(const Phone& = {}, host::BootOptions = {});
    ~TestDevice();

    host::Device& operator*() { return *device; }
    host::Device* operator->() { return device.get(); }

    // Event names of the trace, in order; the number of events of one name.
    std::vector<std::string> names() const;
    int count(const std::string& name) const;
    const host::TraceEvent* last(const std::string& name) const;

    // Drags the stock slider's knob from its rest to x, then lifts.
    void slideTo(float x);
    // The away controller (nothing before boot).
    runtime::Object* awayController() const;

    std::unique_ptr<host::Device> device;
    host::Status booted;
    Phone phone;

private:
    std::string m_root;
    std::vector<host::TraceEvent> m_cache;
};

// Sends a message without arguments to the away controller.
void tell(runtime::Object* target, const char* selector);

} // namespace hosttest
