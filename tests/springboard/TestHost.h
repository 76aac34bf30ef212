#pragma once
// A small host for the hook tests: a few of SpringBoard's classes with recording methods, chosen to
// cover every case of installation (own method, inherited-only method, missing class, missing
// method, a method already present when adding, a method of another type, a class method).

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Runtime.h"
#include <string>
#include <vector>

namespace testhost {

struct Options {
    std::string systemVersion = "6.0";
    bool workspace = true; // BKSWorkspace present
};

// What the host's own methods saw, in order: "Class selector[ argument]".
std::vector<std::string>& calls();

// Registers the host classes and writes a device root with the system version.
void boot(const Options&);
// Removes the device root.
void shutdown();
// Loads the library as the host would; answers the dlopen handle.
void* loadLibrary();

struct Record {
    std::string className, selector, kind, outcome;
};
std::vector<Record> installationReport(void* library);

} // namespace testhost
