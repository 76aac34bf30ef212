#include "sim/Dump.h"

#include "host/Device.h"
#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"
#include "platform/uikit/View.h"
#include "platform/uikit/Window.h"

#include <charconv>
#include <cstdlib>

namespace ombrel::sim {

using Json = nlohmann::ordered_json;

namespace {

// A 32-bit value as the shortest decimal that reads back as it (0.1f dumps as 0.1, not as
// 0.10000000149011612), so dumps stay readable and stable.
Json number(quartz::Float value)
{
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text - 1, value);
    if (ec != std::errc())
        return static_cast<double>(value);
    *end = '\0';
    return std::strtod(text, nullptr);
}

Json rect(const quartz::Rect& r)
{
    return Json::array({ number(r.origin.x), number(r.origin.y), number(r.size.width), number(r.size.height) });
}

Json point(const quartz::Point& p) { return Json::array({ number(p.x), number(p.y) }); }

Json matrix(const quartz::Transform3D& t)
{
    Json out = Json::array();
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            out.push_back(number(t.at(row, column)));
    }
    return out;
}

// The library's state object, parsed; nothing without the library or on unreadable text.
std::optional<Json> libraryState(const host::Device& device)
{
    using StateFunction = const char* (*)();
    auto function = reinterpret_cast<StateFunction>(device.librarySymbol("ombrelStateJSON"));
    if (!function)
        return std::nullopt;
    const char* text = function();
    if (!text)
        return std::nullopt;
    Json state = Json::parse(text, nullptr, false);
    if (!state.is_object())
        return std::nullopt;
    return state;
}

} // namespace

Json dumpView(uikit::View& view)
{
    Json out;
    out["class"] = view.className();
    out["tag"] = view.tag();
    out["frame"] = rect(view.frame());
    out["bounds"] = rect(view.bounds());
    out["center"] = point(view.center());
    out["transform"] = matrix(view.transform());
    out["hidden"] = view.isHidden();
    out["alpha"] = number(view.alpha());
    out["userInteraction"] = view.isUserInteractionEnabled();
    if (auto* imageView = dynamic_cast<uikit::ImageView*>(&view)) {
        uikit::Image* image = imageView->image();
        out["image"] = image && !image->name().empty() ? Json(image->name()) : Json(nullptr);
    }
    if (auto* label = dynamic_cast<uikit::Label*>(&view))
        out["text"] = label->text();
    quartz::Presentation presented = view.presentation();
    out["presented"] = { { "frame", rect(presented.frame()) }, { "opacity", number(presented.opacity) },
        { "transform", matrix(presented.transform) } };
    Json subviews = Json::array();
    for (const auto& subview : view.subviews())
        subviews.push_back(dumpView(*subview));
    out["subviews"] = std::move(subviews);
    return out;
}

Json dumpDevice(const host::Device& device)
{
    host::DeviceState deviceState = device.state();
    Json out;
    out["time"] = deviceState.time;
    out["locked"] = deviceState.locked;
    out["passcodeKeypadShown"] = deviceState.passcodeKeypadShown;
    out["frontApplication"] = deviceState.frontApplication ? Json(*deviceState.frontApplication) : Json(nullptr);

    Json state = { { "initialised", nullptr }, { "lockScreen", nullptr }, { "unlockInProgress", nullptr },
        { "responderGuard", nullptr }, { "pendingApplication", nullptr }, { "topBarHeight", nullptr },
        { "systemVersion", nullptr } };
    Json lockView = nullptr;
    if (auto library = libraryState(device)) {
        for (auto& [key, value] : library->items()) {
            if (key == "lockView")
                lockView = value;
            else
                state[key] = value;
        }
    }
    out["state"] = std::move(state);
    out["lockView"] = std::move(lockView);

    Json windows = Json::array();
    for (uikit::Window* window : device.windows())
        windows.push_back(dumpView(*window));
    out["windows"] = std::move(windows);
    return out;
}

} // namespace ombrel::sim
