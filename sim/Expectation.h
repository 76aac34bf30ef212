#pragma once
// The `expect` lines of a scenario: what must be true at that point of the run.
//
//   expect event NAME [FIELD=VALUE ...]  an event of that name (with those fields) in the trace since
//                                        the event the previous `expect event` matched (or since
//                                        boot); it then becomes the new starting point, so a run
//                                        of `expect event` lines checks an order
//   expect no-event NAME                 no such event since that same starting point
//   expect locked|keypad|dimmed|camera yes|no
//   expect front BUNDLEID|none           the application in front
//   expect state KEY VALUE [~TOL]        a value of the library's process-wide state (dump "state")
//   expect lockview FIELD VALUE [~TOL]   a field of the lock view (dump "lockView")
//   expect view TAG PATH VALUE [~TOL]    a property of the frontmost view with that tag, named by its
//                                        dump path: class, frame.x, center.y, presented.opacity,
//                                        presented.frame.w, transform.0, image, hidden ...
//   expect no-view TAG                   no view with that tag on screen
//   expect views TAG COUNT               that many views with that tag on screen
//
// TAG may name one of several views with that tag: TAG#N is the N-th (from 0) in drawing order,
// back to front (TAG alone is the frontmost). VALUE may start with a comparison (>=, <=, >, <)
// for numbers: `expect view 2 presented.frame.y >= H`.
// VALUE is JSON where it reads as JSON (numbers, true/false, null, [160, 402.5]), else text; yes/no
// stand for true/false, and a screen-relative coordinate (W/2-37.5, H-77.5) for its number. Numbers match within TOL (default 0.001).

#include "host/Device.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ombrel::sim {

enum class ExpectKind { Event, NoEvent, Locked, Keypad, Dimmed, Camera, Front, State, LockView, View, NoView, ViewCount };
enum class Comparison { Same, AtLeast, AtMost, Above, Below };

struct Expectation {
    ExpectKind kind = ExpectKind::Event;
    std::string name;                                      // event name, state key, field or view path
    std::vector<std::pair<std::string, std::string>> fields; // event: FIELD=VALUE
    bool flag = false;                                     // locked, keypad, dimmed, camera
    std::optional<std::string> bundleID;                   // front
    std::int32_t tag = 0;                                  // view, no-view, views
    std::optional<std::size_t> tagIndex;                   // view: TAG#N
    std::size_t count = 0;                                 // views
    Comparison comparison = Comparison::Same;              // state, lockview, view
    std::string value;                                     // state, lockview, view
    double tolerance = 0.001;
};

// Reads the words after "expect"; nothing, with the reason in `error`, for a malformed line.
std::optional<Expectation> parseExpectation(const std::vector<std::string>& words, std::string& error);

// What the expectations are checked against at one point of a run.
struct Observation {
    const host::DeviceState& device;
    const std::vector<host::TraceEvent>& trace;
    const nlohmann::ordered_json& dump; // the dump object (Dump.h)
    std::size_t& eventCursor;           // index of the first trace event `expect event` looks at
};

// Nothing when met; otherwise what was found instead.
std::optional<std::string> check(const Expectation&, Observation&);

} // namespace ombrel::sim
