#include "sim/RunCommand.h"

#include "host/Device.h"
#include "platform/foundation/DeviceRoot.h"
#include "sim/RootFolder.h"
#include "sim/Scenario.h"
#include "sim/ScenarioRunner.h"

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

int runRun(const RunOptions& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string root = absoluteFolder(options.root.empty() ? defaultDeviceRoot() : options.root);
    if (root.empty() || !isDeviceRoot(root)) {
        err << "ombrel run: " << (root.empty() ? std::string("no device root") : root)
            << " is not a device root; make one with: ombrel init --root DIR\n";
        return 2;
    }

    // The whole scenario is checked before anything happens to the device.
    const bool standardInput = options.scenario == "-";
    const std::string name = standardInput ? std::string("<stdin>") : options.scenario;
    ParsedScenario parsed;
    if (standardInput) {
        parsed = parseScenario(in);
    } else {
        std::ifstream file(options.scenario);
        if (!file) {
            err << "ombrel run: cannot read the scenario " << options.scenario << '\n';
            return 2;
        }
        parsed = parseScenario(file);
    }
    if (parsed.error) {
        err << "ombrel run: " << name << ':' << parsed.error->line << ": " << parsed.error->message << '\n';
        return 2;
    }

    host::BootOptions boot;
    boot.root = root;
    boot.seed = options.seed;
    if (!options.stock) {
        std::string library = options.library.value_or(defaultLibraryPath());
        if (library.empty() || !std::filesystem::is_regular_file(library)) {
            err << "ombrel run: no system library at " << (library.empty() ? std::string("?") : library)
                << "; give --library PATH, or --stock to run the phone without it\n";
            return 2;
        }
        boot.libraryPath = library;
    }

    // Settings lines write the file the way the settings pane does, under the same root.
    foundation::setDeviceRoot(root);
    std::unique_ptr<host::Device> device = host::makeInProcessDevice();
    if (host::Status booted = device->boot(boot); !booted) {
        err << "ombrel run: the device did not boot: " << booted.error << '\n';
        return 1;
    }
    err << "ombrel run: booted " << root << (boot.libraryPath ? " with " + *boot.libraryPath : std::string(" (stock)"))
        << '\n';
    return runScenario(parsed.scenario, *device, name, out, err);
}

} // namespace ombrel::sim
