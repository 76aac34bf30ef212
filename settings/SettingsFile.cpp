#include "settings/SettingsFile.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrel {

// Why a cached parse keyed on FileIdentity can never be stale
// -------------------------------------------------------------
// Let T0 be CLOCK_REALTIME_COARSE read before the file is opened. The kernel stamps a file's
// status-change time (ctime) from that same coarse clock whenever the content or the inode changes,
// and no system call can set ctime back. So every change made after T0 leaves ctime >= T0.
//
// 1. We read through one descriptor and stat it before (K1) and after (K2) reading. If the file had
//    changed during the read, ctime would have moved, so K1 == K2 with ctime(K1) < T0 means the
//    bytes read are the content that K1 describes.
// 2. Later, a stat of the path that equals K1 must be the same inode with the same ctime. Changing
//    that inode in place would have set ctime >= T0 > ctime(K1). Replacing the path by another
//    file (rename) gives another inode number while the old file lives; an inode number reused
//    after the old file is gone belongs to a file made after T0, with ctime >= T0.
// Without the "older than T0" rule a write in the same clock tick as the read could keep size,
// times and even a reused inode number identical. We compare whole seconds, not nanoseconds, so the
// proof also holds on filesystems that store times with one-second granularity; a file changed in
// the current second is simply parsed again until the second has passed.
//
// A wall clock set backwards only leaves ctime in the future, which fails the rule: no caching.

namespace {

std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

FileIdentity identityOf(const struct stat& st)
{
    return FileIdentity{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), std::int64_t(st.st_size),
        nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

bool isTransient(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOMEM || error == EIO || error == EINTR
        || error == EAGAIN || error == ENOBUFS;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads at most `limit + 1` bytes so that a file grown past the limit while being read is noticed.
std::optional<std::string> readAll(int fd, std::size_t expected, std::size_t limit)
{
    std::string bytes;
    bytes.resize(std::min(expected, limit) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (bytes.size() > limit)
                break;
            bytes.resize(std::min(bytes.size() * 2, limit + 1));
        }
        ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        used += std::size_t(n);
    }
    bytes.resize(used);
    return bytes;
}

CoarseSecondsSource g_coarseSecondsForTesting = nullptr;

std::int64_t coarseSecondsNow()
{
    if (g_coarseSecondsForTesting)
        return g_coarseSecondsForTesting();
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return now.tv_sec;
}

} // namespace

void setCoarseSecondsForTesting(CoarseSecondsSource source)
{
    g_coarseSecondsForTesting = source;
}

std::optional<FileIdentity> statIdentity(const std::string& hostPath)
{
    struct stat st;
    if (::stat(hostPath.c_str(), &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

SettingsRead readSettingsFile(const std::string& hostPath, foundation::PropertyListLimits limits)
{
    SettingsRead result;
    const std::int64_t secondBeforeOpen = coarseSecondsNow();

    Descriptor fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        int error = errno;
        result.status = error == ENOENT ? SettingsReadStatus::Missing
            : isTransient(error)        ? SettingsReadStatus::Failed
                                        : SettingsReadStatus::Unreadable;
        return result;
    }
    struct stat first;
    if (::fstat(fd.get(), &first) != 0) {
        result.status = SettingsReadStatus::Failed;
        return result;
    }
    result.status = SettingsReadStatus::Unreadable;
    if (!S_ISREG(first.st_mode) || std::uint64_t(first.st_size) > limits.maxBytes)
        return result; // refused unread: a huge file costs one fstat, not its size in memory

    auto bytes = readAll(fd.get(), std::size_t(first.st_size), limits.maxBytes);
    if (!bytes) {
        result.status = SettingsReadStatus::Failed;
        return result;
    }
    struct stat second;
    bool stable = ::fstat(fd.get(), &second) == 0 && identityOf(first) == identityOf(second)
        && bytes->size() == std::size_t(first.st_size);

    auto root = foundation::parsePropertyList(*bytes, limits);
    if (!root || !root->asDictionary()) {
        // Bytes that changed under the read are no verdict on the file: a writer replacing it in
        // place may be half way. Only a steady file is called unreadable.
        if (!stable)
            result.status = SettingsReadStatus::Failed;
        return result;
    }
    result.status = SettingsReadStatus::Read;
    result.dictionary = std::move(*root);
    if (stable && first.st_ctim.tv_sec < secondBeforeOpen)
        result.cacheKey = identityOf(first);
    return result;
}

} // namespace ombrel
