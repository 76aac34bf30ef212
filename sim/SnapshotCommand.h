#pragma once
// `ombrel snapshot`: runs a scenario as `run` does, quietly (no trace on stdout), and writes a PNG
// of what the screen shows at its end, or at a moment of virtual time after boot.

#include "sim/RunCommand.h"
#include <iosfwd>
#include <optional>
#include <string>

namespace ombrel::sim {

struct SnapshotOptions {
    RunOptions run;
    std::string file;              // the PNG to write; its folder is made when missing
    std::optional<double> at;      // --at SECONDS after boot: the scenario stops there
};

// Answers the exit status as `run` does (0, 1 or 2); also 1 when the picture could not be written,
// and 2 for a negative or non-finite --at. A failed expectation still leaves the picture of the
// moment the run stopped, to show why.
int runSnapshot(const SnapshotOptions&, std::istream& in, std::ostream& err);

} // namespace ombrel::sim
