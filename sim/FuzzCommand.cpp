#include "sim/FuzzCommand.h"

#include "sim/DeviceProfiles.h"
#include "sim/FuzzChild.h"
#include "sim/FuzzShrink.h"
#include "sim/InitCommand.h"
#include "sim/RunCommand.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <poll.h>
#include <sstream>
#include <unistd.h>

namespace ombrel::sim {

namespace {

struct Found {
    int index = 0;
    std::uint64_t seed = 0;
    SequenceResult run;
};

bool validPasscode(const std::string& code)
{
    return code.size() >= 4 && code.size() <= 16 && std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Writes the scenario of a violation; answers its path (empty when it could not be written).
std::string writeViolation(const FuzzOptions& options, std::uint64_t seed, const SequenceResult& run, bool shrunk, std::ostream& err)
{
    std::error_code error;
    std::filesystem::create_directories(options.out, error);
    std::string path = (std::filesystem::path(options.out) / ("fuzz-violation-" + std::to_string(seed) + ".scn")).string();
    std::ofstream file(path);
    file << "# ombrel fuzz: " << violationText(*run.violation) << '\n'
         << "# profile " << options.profile << ", passcode " << options.passcode.value_or("none") << ", seed " << seed
         << (shrunk ? ", shrunk" : ", not shrunk") << '\n';
    const char* inject = std::getenv("OMBREL_FUZZ_INJECT");
    if (inject)
        file << "# injected on purpose: OMBREL_FUZZ_INJECT=" << inject << '\n';
    file << "invariants\n";
    std::size_t end = std::min(run.lines.size(), run.at + 1);
    for (std::size_t i = 0; i < end; ++i)
        file << run.lines[i] << '\n';
    file.close();
    if (!file) {
        err << "ombrel fuzz: cannot write " << path << '\n';
        return {};
    }
    return path;
}

void printReplay(const FuzzOptions& options, std::uint64_t seed, const std::string& path, std::ostream& err)
{
    const char* inject = std::getenv("OMBREL_FUZZ_INJECT");
    std::string env = inject ? std::string("OMBREL_FUZZ_INJECT=") + inject + " " : std::string();
    err << "  replay: root=$(mktemp -d) && ombrel init --root \"$root/device\" --profile " << options.profile
        << (options.passcode ? " --passcode " + *options.passcode : std::string()) << " && " << env
        << "ombrel run --root \"$root/device\" --seed " << seed << ' ' << path << '\n';
}

} // namespace

std::uint64_t sequenceSeed(std::uint64_t campaignSeed, int index)
{
    // splitmix64: neighbouring indices give unrelated seeds.
    std::uint64_t z = campaignSeed + 0x9e3779b97f4a7c15ull * std::uint64_t(index + 1);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

int runFuzz(const FuzzOptions& options, std::ostream& out, std::ostream& err)
{
    if (!findDeviceProfile(options.profile)) {
        err << "ombrel fuzz: no device profile \"" << options.profile << "\"\n";
        return 2;
    }
    if (options.passcode && !validPasscode(*options.passcode)) {
        err << "ombrel fuzz: a passcode is 4 to 16 digits\n";
        return 2;
    }
    if (options.sequences < 0 || options.maxEvents < 1 || options.jobs < 1 || !(options.timeLimit > 0)) {
        err << "ombrel fuzz: --sequences must be 0 or more, --max-events, --jobs and the time limit 1 or more\n";
        return 2;
    }
    if (!std::filesystem::is_regular_file(defaultLibraryPath())) {
        err << "ombrel fuzz: no system library at " << defaultLibraryPath() << '\n';
        return 2;
    }
    auto started = std::chrono::steady_clock::now();
    // One fresh root made by the init code; every child copies it.
    std::string folder = makeTemporaryFolder();
    struct Cleanup {
        std::string folder;
        ~Cleanup()
        {
            std::error_code ignored;
            if (!folder.empty())
                std::filesystem::remove_all(folder, ignored);
        }
    } cleanup { folder };
    std::ostringstream quiet;
    if (folder.empty() || runInit({ folder + "/device", options.profile, options.passcode, false }, quiet, err) != 0) {
        err << "ombrel fuzz: cannot make a device root in a temporary folder\n";
        return 1;
    }
    auto request = [&](std::uint64_t seed) {
        SequenceRequest r;
        r.seed = seed;
        r.profile = options.profile;
        r.passcode = options.passcode;
        r.templateRoot = folder + "/device";
        // From 1 to max-events lines, drawn from the sequence's seed.
        r.events = 1 + int(seed % std::uint64_t(options.maxEvents));
        return r;
    };

    std::size_t events = 0;
    std::vector<Found> found;
    std::deque<std::pair<int, std::unique_ptr<SequenceChild>>> running;
    int next = 0, done = 0;
    const int progressEvery = std::max(1, options.sequences / 20);
    while (done < options.sequences) {
        while (next < options.sequences && int(running.size()) < options.jobs) {
            running.emplace_back(next, std::make_unique<SequenceChild>(request(sequenceSeed(options.seed, next)), options.timeLimit));
            ++next;
        }
        std::vector<pollfd> fds;
        for (auto& [index, child] : running)
            for (int fd : child->descriptors())
                fds.push_back({ fd, POLLIN, 0 });
        if (!fds.empty())
            ::poll(fds.data(), fds.size(), 100);
        for (auto it = running.begin(); it != running.end();) {
            if (!it->second->poll(0)) {
                ++it;
                continue;
            }
            SequenceResult result = it->second->result();
            std::uint64_t seed = sequenceSeed(options.seed, it->first);
            events += result.lines.size();
            if (!result.error.empty()) {
                err << "ombrel fuzz: sequence " << it->first << " (seed " << seed << "): " << result.error << '\n';
                if (!result.violation)
                    result.violation = Violation { 3, result.error };
            }
            if (result.violation) {
                err << "ombrel fuzz: sequence " << it->first << " (seed " << seed << "), after line " << result.at + 1 << ": "
                    << violationText(*result.violation) << '\n';
                found.push_back({ it->first, seed, std::move(result) });
            }
            ++done;
            if (done % progressEvery == 0 || done == options.sequences)
                err << "ombrel fuzz: " << done << '/' << options.sequences << " sequences, " << events << " events, " << found.size()
                    << " violations\n";
            it = running.erase(it);
        }
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    err << "ombrel fuzz: " << done << " sequences and " << events << " events in " << seconds << " s ("
        << (seconds > 0 ? done / seconds : 0) << " sequences/s, " << (seconds > 0 ? events / seconds : 0) << " events/s, "
        << options.jobs << " jobs)\n";

    // The first violation of each invariant is shrunk; the others are written as they came.
    std::map<int, bool> shrunkInvariant;
    for (Found& f : found) {
        SequenceResult shown = f.run;
        bool shrink = !shrunkInvariant[f.run.violation->invariant] && f.run.error.empty();
        if (shrink) {
            shrunkInvariant[f.run.violation->invariant] = true;
            SequenceRequest replay = request(f.seed);
            ShrinkResult shrunk = shrinkSequence(f.run, [&](const std::vector<std::string>& body) {
                replay.body = body;
                return runSequence(replay, options.timeLimit);
            });
            shown = shrunk.shortest;
            err << "ombrel fuzz: seed " << f.seed << ": shrunk from " << f.run.at + 1 << " to " << shown.at + 1 << " lines in "
                << shrunk.tries << " tries\n";
        }
        std::string path = writeViolation(options, f.seed, shown, shrink, err);
        if (!path.empty()) {
            err << "ombrel fuzz: " << violationText(*shown.violation) << "\n  seed " << f.seed << ", " << shown.at + 1
                << " lines: " << path << '\n';
            printReplay(options, f.seed, path, err);
        }
    }
    out << done << " sequences, " << events << " events, " << found.size() << " violations\n";
    return found.empty() ? 0 : 1;
}

} // namespace ombrel::sim
