#include "settings/SettingsStore.h"

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsFile.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace ombrel {

using foundation::Value;

namespace {

// The last result for a file that needed no defaults filled in, keyed on the path and identity of
// the file it was read from. Touch handlers call the loader several times per event; a hit costs
// one stat and a compare instead of a read and a parse.
struct LoaderCache {
    std::mutex lock;
    std::string path;
    std::optional<FileIdentity> key;
    Value result;
};

LoaderCache& cache()
{
    static LoaderCache instance;
    return instance;
}

std::atomic<bool> g_cacheEnabled{true};
std::atomic<std::uint64_t> g_fileReads{0};

// Keeps what the user had: an unreadable file is moved beside the settings file (replacing an
// older one) before the defaults take its place. False when it could not be moved.
bool keepUnreadableFile(const std::string& path)
{
    std::string kept = path + kUnreadableSettingsFileSuffix;
    return std::rename(path.c_str(), kept.c_str()) == 0;
}

// Step 4: fills every default the file lacks, app slots apart; answers whether F changed.
bool fillMissingDefaults(Value& settings, const Value& defaults)
{
    bool changed = false;
    Value::Dictionary* target = nullptr;
    for (const auto& [key, value] : *defaults.asDictionary()) {
        if (isAppSlotKey(key) || settings.find(key))
            continue;
        if (!target)
            target = settings.mutableDictionary();
        target->emplace(key, value);
        changed = true;
    }
    return changed;
}

} // namespace

Value loadSettings()
{
    auto path = foundation::hostPath(kSettingsFilePath);
    if (!path)
        return defaultSettings();

    bool useCache = g_cacheEnabled.load(std::memory_order_relaxed);
    if (useCache) {
        LoaderCache& c = cache();
        std::lock_guard guard(c.lock);
        if (c.key && c.path == *path && statIdentity(*path) == c.key)
            return c.result;
    }

    SettingsRead read = readSettingsFile(*path);
    g_fileReads.fetch_add(1, std::memory_order_relaxed);
    Value defaults = defaultSettings();
    switch (read.status) {
    case SettingsReadStatus::Failed:
        // Nothing is known about the file; leave it alone and try again on the next call.
        return defaults;
    case SettingsReadStatus::Unreadable:
        // A file that cannot be kept is not overwritten either.
        if (!keepUnreadableFile(*path))
            return defaults;
        [[fallthrough]];
    case SettingsReadStatus::Missing:
        foundation::writePropertyList(*path, defaults);
        return defaults;
    case SettingsReadStatus::Read:
        break;
    }

    Value settings = std::move(read.dictionary);
    if (settings.count() == 0) {
        foundation::writePropertyList(*path, defaults);
        return defaults;
    }
    if (fillMissingDefaults(settings, defaults)) {
        foundation::writePropertyList(*path, settings);
        return settings;
    }
    if (useCache && read.cacheKey) {
        LoaderCache& c = cache();
        std::lock_guard guard(c.lock);
        c.path = *path;
        c.key = read.cacheKey;
        c.result = settings;
    }
    return settings;
}

bool writeSettings(const Value& dictionary)
{
    if (!dictionary.asDictionary())
        return false;
    auto path = foundation::hostPath(kSettingsFilePath);
    return path && foundation::writePropertyList(*path, dictionary);
}

void setSettingsCacheEnabled(bool enabled)
{
    g_cacheEnabled.store(enabled, std::memory_order_relaxed);
    if (!enabled) {
        LoaderCache& c = cache();
        std::lock_guard guard(c.lock);
        c.key.reset();
        c.result = Value();
    }
}

bool settingsCacheEnabled()
{
    return g_cacheEnabled.load(std::memory_order_relaxed);
}

std::uint64_t settingsFileReadCount()
{
    return g_fileReads.load(std::memory_order_relaxed);
}

} // namespace ombrel
