#include "platform/foundation/DeviceRoot.h"

namespace foundation {

namespace {

std::string& rootStorage()
{
    static std::string root;
    return root;
}

} // namespace

void setDeviceRoot(std::string hostFolder)
{
    while (hostFolder.size() > 1 && hostFolder.back() == '/')
        hostFolder.pop_back();
    // A relative root would move with the working directory, and "/" would be the machine's own
    // filesystem: both leave the device without a root rather than map somewhere unintended.
    bool usable = !hostFolder.empty() && hostFolder.front() == '/' && hostFolder != "/"
        && hostFolder.find('\0') == std::string::npos;
    rootStorage() = usable ? std::move(hostFolder) : std::string();
}

const std::string& deviceRoot() { return rootStorage(); }

std::optional<std::string> hostPath(std::string_view devicePath)
{
    const std::string& root = rootStorage();
    if (root.empty() || devicePath.empty() || devicePath.front() != '/')
        return std::nullopt;
    if (devicePath.find('\0') != std::string_view::npos)
        return std::nullopt;

    std::string result = root;
    std::size_t i = 0;
    while (i < devicePath.size()) {
        std::size_t end = devicePath.find('/', i);
        if (end == std::string_view::npos)
            end = devicePath.size();
        std::string_view component = devicePath.substr(i, end - i);
        i = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            return std::nullopt;
        result += '/';
        result += component;
    }
    return result;
}

} // namespace foundation
