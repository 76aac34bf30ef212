#include "sim/RootFolder.h"

#include "platform/foundation/PropertyList.h"

#include <cstdlib>
#include <filesystem>

namespace ombrel::sim {

std::string defaultDeviceRoot()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::string(data) + "/ombrel/device";
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return std::string(home) + "/.local/share/ombrel/device";
    return {};
}

std::string absoluteFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
    std::string text = absolute.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool isDeviceRoot(const std::string& hostFolder)
{
    auto description = foundation::readPropertyList(hostFolder + kDeviceDescriptionPath);
    return description && description->asDictionary();
}

} // namespace ombrel::sim
