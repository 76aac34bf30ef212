#include "platform/foundation/ProcessInfo.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PropertyList.h"

namespace foundation {

std::string systemVersionString()
{
    auto path = hostPath("/System/Library/CoreServices/SystemVersion.plist");
    if (!path)
        return {};
    auto plist = readPropertyList(*path);
    const Value* version = plist ? plist->find("ProductVersion") : nullptr;
    const std::string* text = version ? version->asString() : nullptr;
    return text ? *text : std::string();
}

} // namespace foundation
