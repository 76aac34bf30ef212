#pragma once
// Reading the settings file through one descriptor, with the identity of the file that was read and
// whether that identity may key a cache (see SettingsFile.cpp for why it can never be stale).

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/Value.h"
#include <cstdint>
#include <optional>
#include <string>

namespace ombrel {

// What a stat tells about a file: which file it is and when its content or inode last changed.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> statIdentity(const std::string& hostPath);

enum class SettingsReadStatus {
    Missing,    // no file at the path
    Unreadable, // a file is there but holds no dictionary (bad bytes, too large, wrong root, not a regular file)
    Failed,     // the system refused for now (out of descriptors, memory, I/O error): try again later
    Read,       // `dictionary` holds the file's root dictionary
};

struct SettingsRead {
    SettingsReadStatus status = SettingsReadStatus::Missing;
    foundation::Value dictionary;
    // Set only when the read saw one unchanging file old enough for its identity to key a cache.
    std::optional<FileIdentity> cacheKey;
};

SettingsRead readSettingsFile(const std::string& hostPath, foundation::PropertyListLimits = {});

// The wall-clock second that a file's status-change time is compared with before its identity may
// key a cache. Tests move it to make every steady file cacheable; empty restores the real clock.
using CoarseSecondsSource = std::int64_t (*)();
void setCoarseSecondsForTesting(CoarseSecondsSource);

} // namespace ombrel
