#pragma once
// `ombrel demo`: a fresh device, locked, and the thumb's whole journey filmed: touch (the icons come
// in), across the row (the icons pulse), onto the folder (its applications rise), up onto Settings,
// let go (the icons fall, the phone unlocks, Settings comes up). Writes the frames at 30 per
// second, a contact sheet of the key moments with captions, and the event trace.

#include <iosfwd>
#include <string>

namespace ombrel::sim {

struct DemoOptions {
    std::string root;    // device root; empty: a temporary one, removed afterwards
    std::string profile; // device profile
    std::string out;     // output folder; empty: ./ombrel-demo
};

// Answers the exit status: 0 the demo went as it should; 1 it did not (what went wrong on `err`);
// 2 a bad request (unknown profile, a folder that is not a device root).
int runDemo(const DemoOptions&, std::ostream& out, std::ostream& err);

} // namespace ombrel::sim
