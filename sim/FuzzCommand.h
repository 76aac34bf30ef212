#pragma once
// `ombrel fuzz`: random sequences of scenario lines, each on a fresh simulated phone in a child
// process, with the lock screen's invariants (FuzzInvariants.h) checked after every line. Each
// violation is shrunk to the shortest sequence that still shows it and written as a scenario file
// that `ombrel run` replays.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace ombrel::sim {

struct FuzzOptions {
    std::string profile;                 // device profile of every sequence
    std::optional<std::string> passcode; // the device passcode, if any
    std::uint64_t seed = 1;              // the campaign's seed: every sequence's seed derives from it
    int sequences = 100;
    int maxEvents = 100;                 // each sequence has from 1 to this many lines, then its ending
    int jobs = 1;                        // children at work at once
    std::string out = ".";               // where violation scenarios are written
    double timeLimit = 30;               // real seconds a child may take before it counts as hung
};

// The seed of sequence `index` of a campaign.
std::uint64_t sequenceSeed(std::uint64_t campaignSeed, int index);

// Answers the exit status: 0 no violation, 1 a violation (each written as a scenario), 2 a bad
// request. The summary line on `out`; progress and the violations on `err`.
int runFuzz(const FuzzOptions&, std::ostream& out, std::ostream& err);

} // namespace ombrel::sim
