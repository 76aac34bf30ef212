#include "sim/SnapshotCommand.h"

#include "sim/ScenarioRunner.h"
#include "sim/Snapshot.h"
#include "sim/render/Renderer.h"

#include <cmath>
#include <ostream>

namespace ombrel::sim {

int runSnapshot(const SnapshotOptions& options, std::istream& in, std::ostream& err)
{
    const std::string command = "ombrel snapshot";
    if (options.at && (!std::isfinite(*options.at) || *options.at < 0)) {
        err << command << ": --at takes a number of seconds, 0 or more\n";
        return 2;
    }
    if (options.file.empty()) {
        err << command << ": no picture file given\n";
        return 2;
    }
    auto prepared = prepareRun(options.run, in, err, command);
    if (auto* status = std::get_if<int>(&prepared))
        return *status;
    const PreparedRun& run = std::get<PreparedRun>(prepared);
    Renderer renderer(defaultArtworkFolder()); // before boot: artwork sizes for the views made then
    std::unique_ptr<host::Device> device = bootDevice(run, err, command);
    if (!device)
        return 1;
    RunLimits limits;
    limits.renderer = &renderer;
    limits.until = options.at;
    limits.command = command;
    std::ostream quiet(nullptr); // the trace and stdout dumps go nowhere
    int status = runScenario(run.scenario, *device, run.name, quiet, err, limits);
    if (auto failure = writeSnapshot(renderer, *device, options.file)) {
        err << command << ": " << *failure << '\n';
        return 1;
    }
    err << command << ": wrote " << options.file << " at " << device->state().time << " s\n";
    return status;
}

} // namespace ombrel::sim
