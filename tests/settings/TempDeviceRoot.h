#pragma once
// A device root in a fresh temporary folder, set as the process's root for the life of the object
// and removed afterwards.

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileManager.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace ombrel::testing {

class TempDeviceRoot {
public:
    TempDeviceRoot()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-test-XXXXXX";
        if (char* made = ::mkdtemp(pattern.data()))
            m_folder = made;
        std::filesystem::create_directories(m_folder + "/var/mobile/Library/Preferences");
        foundation::setDeviceRoot(m_folder);
    }
    ~TempDeviceRoot()
    {
        foundation::setDeviceRoot("");
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    TempDeviceRoot(const TempDeviceRoot&) = delete;
    TempDeviceRoot& operator=(const TempDeviceRoot&) = delete;

    const std::string& folder() const { return m_folder; }
    std::string path(const std::string& devicePath) const { return m_folder + devicePath; }

private:
    std::string m_folder;
};

inline std::optional<std::string> fileBytes(const std::string& hostPath)
{
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& hostPath, const std::string& bytes)
{
    std::ofstream(hostPath, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace ombrel::testing
