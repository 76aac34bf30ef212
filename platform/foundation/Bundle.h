#pragma once
// Bundles: a folder "X.bundle" whose Info.plist names its executable (CFBundleExecutable) and its
// principal class (NSPrincipalClass). Loading maps the executable with dlopen, which registers its
// classes in the runtime; unloading takes those classes away again, then unmaps it.

#include "platform/foundation/Value.h"
#include "platform/runtime/Class.h"
#include <optional>
#include <string>

namespace foundation {

class Bundle {
public:
    // Nothing when the folder has no readable Info.plist with a dictionary at its root.
    static std::optional<Bundle> atHostPath(const std::string& folder);
    static std::optional<Bundle> atDevicePath(const std::string& folder);

    Bundle(Bundle&&) noexcept;
    Bundle& operator=(Bundle&&) noexcept;
    Bundle(const Bundle&) = delete;
    Bundle& operator=(const Bundle&) = delete;
    ~Bundle(); // does not unload: code and classes stay, as on the phone

    const std::string& bundlePath() const { return m_path; }
    const Value& infoDictionary() const { return m_info; }
    std::string identifier() const;            // CFBundleIdentifier, or empty
    std::optional<std::string> executablePath() const;
    bool isLoaded() const { return m_handle != nullptr; }

    // Loads the executable once; false (with the loader's message in `error`) when it cannot.
    bool load(std::string* error = nullptr);
    // Loads if needed, then looks the principal class up by name; nothing when either fails.
    runtime::Class* principalClass();
    // Removes the classes and methods of the executable, then unmaps it. Instances of its classes
    // must be gone first.
    void unload();

private:
    Bundle() = default;
    std::string m_path;
    Value m_info;
    void* m_handle = nullptr;
};

} // namespace foundation
