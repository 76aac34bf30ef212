#include "sim/Snapshot.h"

#include "host/Device.h"
#include "sim/render/Renderer.h"

#include <filesystem>

namespace ombrel::sim {

std::optional<std::string> writeSnapshot(Renderer& renderer, const host::Device& device, const std::string& file)
{
    host::DeviceState state = device.state();
    Picture picture = renderer.render(device.windows(), { quartz::Float(state.screenWidth), quartz::Float(state.screenHeight) });
    std::filesystem::path folder = std::filesystem::path(file).parent_path();
    std::error_code error;
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    if (error)
        return "cannot make the folder " + folder.string() + ": " + error.message();
    if (!writePng(picture, file))
        return "could not write " + file;
    return std::nullopt;
}

} // namespace ombrel::sim
