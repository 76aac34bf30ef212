#pragma once
// A throw-away device root for a benchmark run.

#include "platform/foundation/DeviceRoot.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace ombrel::bench {

class BenchDeviceRoot {
public:
    BenchDeviceRoot()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-bench-XXXXXX";
        if (char* made = ::mkdtemp(pattern.data()))
            m_folder = made;
        std::filesystem::create_directories(m_folder + "/var/mobile/Library/Preferences");
        foundation::setDeviceRoot(m_folder);
    }
    ~BenchDeviceRoot()
    {
        foundation::setDeviceRoot("");
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string path(const std::string& devicePath) const { return m_folder + devicePath; }

private:
    std::string m_folder;
};

} // namespace ombrel::bench
