#pragma once
// `ombrel init`: makes a device root from a device profile.

#include <iosfwd>
#include <optional>
#include <string>

namespace ombrel::sim {

struct InitOptions {
    std::string root;    // host folder; empty means the default device root
    std::string profile; // device profile name
    std::optional<std::string> passcode;
    bool force = false;  // write into a folder that is not a device root
};

// Answers the exit status: 0 done, 2 refused (bad options, a folder that is not a device root),
// 1 the files could not be written.
int runInit(const InitOptions&, std::ostream& out, std::ostream& err);

} // namespace ombrel::sim
