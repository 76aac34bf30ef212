#include "settings/DiagnosticLog.h"

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/Format.h"
#include "settings/Utf8.h"

#include <cerrno>
#include <cstdarg>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrel {

namespace {

// Reads the whole file as text the cheap way: mapped, never copied, and checked in place.
bool isReadableUtf8File(const std::string& hostPath)
{
    int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st;
    bool valid = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (st.st_size == 0) {
            valid = true;
        } else {
            std::size_t size = std::size_t(st.st_size);
            void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (map != MAP_FAILED) {
                ::madvise(map, size, MADV_SEQUENTIAL);
                valid = isValidUtf8(std::string_view(static_cast<const char*>(map), size));
                ::munmap(map, size);
            }
        }
    }
    ::close(fd);
    return valid;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

} // namespace

bool ensureLogFileExists(const std::string& hostPath)
{
    if (isReadableUtf8File(hostPath))
        return true;
    return foundation::writeFileAtomically(hostPath, "");
}

void appendLogEntry(std::string_view entry)
{
    auto path = foundation::hostPath(kDiagnosticLogPath);
    if (!path || !ensureLogFileExists(*path))
        return;
    int fd = ::open(path->c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return;
    // O_APPEND moves to the end and writes in one step, so entries of concurrent writers never
    // overwrite each other.
    writeAll(fd, entry);
    ::close(fd);
}

} // namespace ombrel

extern "C" void dLog(const char* format, ...)
{
    if (!format)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::string entry = "\n" + foundation::formatV(format, arguments);
    va_end(arguments);
    ombrel::appendLogEntry(entry);
}
