#include "sim/RunCommand.h"

#include "host/Device.h"
#include "platform/foundation/DeviceRoot.h"
#include "sim/RootFolder.h"
#include "sim/Scenario.h"
#include "sim/ScenarioRunner.h"
#include "sim/render/Renderer.h"

#include <filesystem>
#include <fstream>
#include <ostream>

namespace ombrel::sim {

std::string defaultLibraryPath()
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return (self.parent_path().parent_path() / "lib" / "libOmbrel.so").lexically_normal().string();
}

std::variant<PreparedRun, int> prepareRun(const RunOptions& options, std::istream& in, std::ostream& err,
    const std::string& command)
{
    std::string root = absoluteFolder(options.root.empty() ? defaultDeviceRoot() : options.root);
    if (root.empty() || !isDeviceRoot(root)) {
        err << command << ": " << (root.empty() ? std::string("no device root") : root)
            << " is not a device root; make one with: ombrel init --root DIR\n";
        return 2;
    }

    // The whole scenario is checked before anything happens to the device.
    PreparedRun prepared;
    const bool standardInput = options.scenario == "-";
    prepared.name = standardInput ? std::string("<stdin>") : options.scenario;
    ParsedScenario parsed;
    if (standardInput) {
        parsed = parseScenario(in);
    } else {
        std::ifstream file(options.scenario);
        if (!file) {
            err << command << ": cannot read the scenario " << options.scenario << '\n';
            return 2;
        }
        parsed = parseScenario(file);
    }
    if (parsed.error) {
        err << command << ": " << prepared.name << ':' << parsed.error->line << ": " << parsed.error->message << '\n';
        return 2;
    }
    prepared.scenario = std::move(parsed.scenario);

    prepared.boot.root = root;
    prepared.boot.seed = options.seed;
    if (!options.stock) {
        std::string library = options.library.value_or(defaultLibraryPath());
        if (library.empty() || !std::filesystem::is_regular_file(library)) {
            err << command << ": no system library at " << (library.empty() ? std::string("?") : library)
                << "; give --library PATH, or --stock to run the phone without it\n";
            return 2;
        }
        prepared.boot.libraryPath = library;
    }
    return prepared;
}

std::unique_ptr<host::Device> bootDevice(const PreparedRun& prepared, std::ostream& err, const std::string& command)
{
    // Settings lines write the file the way the settings pane does, under the same root.
    foundation::setDeviceRoot(prepared.boot.root);
    std::unique_ptr<host::Device> device = host::makeInProcessDevice();
    if (host::Status booted = device->boot(prepared.boot); !booted) {
        err << command << ": the device did not boot: " << booted.error << '\n';
        return nullptr;
    }
    err << command << ": booted " << prepared.boot.root
        << (prepared.boot.libraryPath ? " with " + *prepared.boot.libraryPath : std::string(" (stock)")) << '\n';
    return device;
}

int runRun(const RunOptions& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    auto prepared = prepareRun(options, in, err, "ombrel run");
    if (auto* status = std::get_if<int>(&prepared))
        return *status;
    const PreparedRun& run = std::get<PreparedRun>(prepared);
    // Made before boot: views made from artwork take the artwork's size, as on the phone.
    Renderer renderer(defaultArtworkFolder());
    std::unique_ptr<host::Device> device = bootDevice(run, err, "ombrel run");
    if (!device)
        return 1;
    RunLimits limits;
    limits.renderer = &renderer;
    return runScenario(run.scenario, *device, run.name, out, err, limits);
}

} // namespace ombrel::sim
