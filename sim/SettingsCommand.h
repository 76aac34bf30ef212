#pragma once
// `ombrel settings`: shows and edits the settings file of a device root, like the phone's
// `defaults`. Reads go through the library's loader (so defaults are filled in); writes replace the
// whole dictionary atomically.

#include <iosfwd>
#include <string>

namespace ombrel::sim {

struct SettingsOptions {
    std::string root;   // empty means the default device root
    std::string verb;   // show, get, set, delete
    std::string key;
    std::string value;
    std::string type;   // set: bool, int, real or string; needed for keys outside the default table
    bool json = false;  // show
};

// Answers the exit status: 0 done, 1 a missing key or a failed write, 2 a bad request (bad value,
// type or key, not a device root) that left the file untouched.
int runSettings(const SettingsOptions&, std::ostream& out, std::ostream& err);

} // namespace ombrel::sim
