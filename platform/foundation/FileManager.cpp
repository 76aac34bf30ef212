#include "platform/foundation/FileManager.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace foundation {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) { }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now and reports whether the close succeeded (a late write error shows up here).
    bool close()
    {
        int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool syncFolder(const std::string& folder)
{
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    // Some filesystems cannot sync a folder at all; that is not a failed write.
    return ::fsync(fd.get()) == 0 || errno == EINVAL;
}

} // namespace

std::optional<std::string> readFile(const std::string& hostPath)
{
    return readFile(hostPath, std::string::npos);
}

std::optional<std::string> readFile(const std::string& hostPath, std::size_t maxBytes)
{
    // Non-blocking open, so that a FIFO planted at the path cannot stall the reader; only regular
    // files are read.
    FileDescriptor fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return std::nullopt;
    struct stat info;
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return std::nullopt;

    std::string content;
    content.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            // The file may have grown since fstat; keep reading, within the limit.
            if (content.size() >= maxBytes)
                break;
            content.resize(std::min(maxBytes, content.size() + 65536));
        }
        ssize_t n = ::read(fd.get(), content.data() + filled, content.size() - filled);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    if (filled == maxBytes && maxBytes != std::string::npos) {
        char extra;
        if (::read(fd.get(), &extra, 1) > 0)
            return std::nullopt;
    }
    content.resize(filled);
    return content;
}

namespace {
WriteListener& writeListener()
{
    static WriteListener listener;
    return listener;
}
} // namespace

void setWriteListener(WriteListener listener) { writeListener() = std::move(listener); }

bool writeFileAtomically(const std::string& hostPath, std::string_view bytes)
{
    if (hostPath.empty() || hostPath.back() == '/')
        return false;
    auto slash = hostPath.rfind('/');
    std::string folder = slash == std::string::npos ? "." : hostPath.substr(0, slash == 0 ? 1 : slash);
    std::string name = slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);

    // The replacement keeps the permissions of the file it replaces; a new file gets rw-r--r--.
    mode_t mode = 0644;
    struct stat old;
    if (::stat(hostPath.c_str(), &old) == 0)
        mode = old.st_mode & 07777;

    // The name is shortened so that the temporary name stays within the filesystem's limit.
    std::string temporary = folder + "/." + name.substr(0, 200) + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    bool ok = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    if (!ok || ::rename(temporary.c_str(), hostPath.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename is only durable once the folder itself is on disk.
    bool durable = syncFolder(folder);
    if (writeListener())
        writeListener()(hostPath);
    return durable;
}

bool fileExists(const std::string& hostPath)
{
    struct stat info;
    return !hostPath.empty() && ::stat(hostPath.c_str(), &info) == 0;
}

bool createDirectories(const std::string& hostPath)
{
    if (hostPath.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(hostPath, error);
    return std::filesystem::is_directory(hostPath, error);
}

std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& hostPath)
{
    DIR* folder = ::opendir(hostPath.c_str());
    if (!folder)
        return std::nullopt;
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(folder)) {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    ::closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace foundation
