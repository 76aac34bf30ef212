#pragma once
// A simulated device booted with the library, on a fresh device root made by `ombrel init`, for
// tests that act as a user would: lock, touch, wait, then read the trace and the views.

#include "host/Device.h"
#include "platform/foundation/Value.h"
#include "platform/runtime/Object.h"
#include "platform/uikit/View.h"
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace lockviewtest {

struct DeviceFixture : ::testing::Test {
    // Makes the device root with `ombrel init` (once).
    void makeRoot(const std::string& profile = "iphone4s-5.1.1", std::optional<std::string> passcode = std::nullopt);
    // Boots the device of the root (made with the defaults when there is none) with the library;
    // booting locks.
    void boot();
    void TearDown() override;

    // Writes one setting the way the settings pane does, through `ombrel settings set` (the root
    // must exist).
    void setSetting(const std::string& key, const std::string& value);
    // The settings file of the root as it is stored, and replacing it whole (any kinds of value).
    std::string settingsPath() const;
    foundation::Value storedSettings() const;
    void storeSettings(const foundation::Value&);

    runtime::Object* lockView() const;   // through the alert window's "ombrelView"
    uikit::View* lockViewAsView() const { return static_cast<uikit::View*>(lockView()); }
    // The lock view's subviews with a tag, back to front.
    std::vector<uikit::View*> viewsWithTag(std::int32_t tag) const;
    runtime::Object* stockLockView() const; // the SBAwayView on screen
    std::vector<std::string> eventsSince(std::size_t index) const;
    // The library's process-wide state and lock view fields (its ombrelStateJSON).
    nlohmann::json libraryState() const;
    std::size_t eventCount() const { return device->trace().size(); }

    std::string root;
    host::BootOptions options; // root and library are filled in by boot()
    std::unique_ptr<host::Device> device;
};

} // namespace lockviewtest
