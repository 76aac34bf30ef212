#pragma once
// `ombrel run`: boots the device of a root in this process, with the system library found beside
// the command (or another, or none), runs a scenario on it and prints the trace as JSON lines.

#include "host/Device.h"
#include "sim/Scenario.h"
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>

namespace ombrel::sim {

struct RunOptions {
    std::string root;                   // empty means the default device root
    std::string scenario;               // a file, or "-" for standard input
    std::optional<std::uint64_t> seed;
    std::optional<std::string> library; // --library PATH
    bool stock = false;                 // --stock: no library at all
};

// Where the build and the install put the library: ../lib/libOmbrel.so from the command's folder.
std::string defaultLibraryPath();

// A request checked and ready to boot: the scenario read whole, the boot options filled in.
struct PreparedRun {
    Scenario scenario;
    std::string name;           // the scenario's file name, or <stdin>
    host::BootOptions boot;
};

// Checks the device root, reads and checks the scenario and finds the library, as `run` does;
// the exit status 2 (the reason on `err`, after `command`) when the request is refused.
std::variant<PreparedRun, int> prepareRun(const RunOptions&, std::istream& in, std::ostream& err, const std::string& command);

// Boots the device of a prepared run (the device root set first, as settings lines need it);
// nothing when it did not boot (the reason on `err`).
std::unique_ptr<host::Device> bootDevice(const PreparedRun&, std::ostream& err, const std::string& command);

// Answers the exit status: 0 the scenario ran and its expectations held; 1 a failed expectation,
// a step the device refused or a device that did not boot; 2 a bad request (a bad scenario line,
// an unreadable scenario, not a device root, no library).
int runRun(const RunOptions&, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace ombrel::sim
