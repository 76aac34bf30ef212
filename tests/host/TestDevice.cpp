#include "tests/host/TestDevice.h"
#include "host/lockscreen/AwayView.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace hosttest {

using foundation::Value;

namespace {

std::string makeFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/ombrel-host-XXXXXX";
    return ::mkdtemp(pattern.data()) ? pattern : "";
}

void writePlist(const std::filesystem::path& path, const Value& value)
{
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(foundation::writePropertyList(path.string(), value)) << path;
}

void writeRoot(const std::string& root, const Phone& phone)
{
    Value version = Value::dictionary();
    version.set("ProductName", Value::string("iPhone OS"));
    version.set("ProductVersion", Value::string(phone.systemVersion));
    writePlist(root + "/System/Library/CoreServices/SystemVersion.plist", version);

    Value device = Value::dictionary();
    device.set("Model", Value::string("iPhone5,2"));
    device.set("SystemVersion", Value::string(phone.systemVersion));
    device.set("ScreenWidth", Value::integer(phone.width));
    device.set("ScreenHeight", Value::integer(phone.height));
    if (phone.passcode)
        device.set("Passcode", Value::string(*phone.passcode));
    Value badges = Value::dictionary();
    badges.set("com.apple.mobilemail", Value::integer(3));
    badges.set("com.apple.mobilephone", Value::integer(1));
    device.set("Badges", badges);
    if (!phone.omitClasses.empty()) {
        Value::Array omit;
        for (const std::string& name : phone.omitClasses)
            omit.push_back(Value::string(name));
        device.set("OmitClasses", Value::array(omit));
    }
    writePlist(root + "/var/ombrel/Device.plist", device);

    for (auto [folder, id] : { std::pair { "Mail", "com.apple.mobilemail" }, { "MobileSMS", "com.apple.MobileSMS" },
             { "MobilePhone", "com.apple.mobilephone" } }) {
        Value info = Value::dictionary();
        info.set("CFBundleIdentifier", Value::string(id));
        info.set("CFBundleDisplayName", Value::string(folder));
        writePlist(root + "/Applications/" + folder + ".app/Info.plist", info);
    }
}

} // namespace

TestDevice::TestDevice(const Phone& p, host::BootOptions options)
    : phone(p)
{
    m_root = makeFolder();
    writeRoot(m_root, phone);
    device = host::makeInProcessDevice();
    options.root = m_root;
    booted = device->boot(options);
}

TestDevice::~TestDevice()
{
    device.reset();
    if (!m_root.empty())
        std::filesystem::remove_all(m_root);
}

std::vector<std::string> TestDevice::names() const
{
    std::vector<std::string> out;
    for (const auto& e : device->trace())
        out.push_back(e.name);
    return out;
}

int TestDevice::count(const std::string& name) const
{
    int n = 0;
    for (const auto& e : device->trace())
        n += e.name == name;
    return n;
}

const host::TraceEvent* TestDevice::last(const std::string& name) const
{
    auto& events = const_cast<TestDevice*>(this)->m_cache;
    events = device->trace();
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (it->name == name)
            return &*it;
    return nullptr;
}

void TestDevice::slideTo(float x)
{
    float y = float(phone.height) - host::kLockBarHeight / 2;
    float start = host::kLockBarInset + host::kKnobWidth / 2;
    device->touchDown(start, y);
    for (float at = start; at < x; at += 20)
        device->touchMove(at, y);
    device->touchMove(x, y);
    device->touchUp(x, y);
}

runtime::Object* TestDevice::awayController() const
{
    return runtime::send<runtime::Object*>(runtime::lookUpClass("SBAwayController"), runtime::Sel("sharedAwayController"));
}

void tell(runtime::Object* target, const char* selector) { runtime::send(target, runtime::Sel(selector)); }

} // namespace hosttest
