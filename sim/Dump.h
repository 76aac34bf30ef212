#pragma once
// The dump: one JSON object describing what the phone shows and holds at one moment.
//
//   {"time", "locked", "passcodeKeypadShown", "frontApplication" (bundle id or null),
//    "state": the library's process-wide values (nulls when no library is loaded),
//    "lockView": the lock view's Boolean, number and point fields (null when there is none),
//    "windows": [view, ...] back to front}
//
// A view: {"class", "tag", "frame": [x, y, w, h] (as the view reports it, transform included),
// "bounds", "center": [x, y], "transform": [16 numbers, row by row] (the layer's model transform),
// "hidden", "alpha", "userInteraction", "image" (image views only: the image name, null for a
// nameless one), "text" (labels only), "presented": {"frame", "opacity", "transform"} (what the
// screen shows at this time), "subviews": [...] back to front}.
//
// Works from the platform's views and the device-control interface only; the library's state comes
// through its exported ombrelStateJSON().

#include <nlohmann/json.hpp>

namespace host {
class Device;
}
namespace uikit {
class View;
}

namespace ombrel::sim {

nlohmann::ordered_json dumpView(uikit::View&);
nlohmann::ordered_json dumpDevice(const host::Device&);

} // namespace ombrel::sim
