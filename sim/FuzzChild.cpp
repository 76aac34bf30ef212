#include "sim/FuzzChild.h"

#include "sim/FuzzPlay.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace ombrel::sim {

namespace {

double now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// The first lines of a sanitizer's report, or the end of whatever else the child said.
std::string excerpt(const std::string& log)
{
    std::size_t from = log.find("==ERROR:");
    if (from == std::string::npos)
        from = log.find("runtime error:");
    if (from == std::string::npos)
        from = log.size() > 600 ? log.size() - 600 : 0;
    std::string text = log.substr(from, 600);
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return text;
}

} // namespace

SequenceChild::SequenceChild(const SequenceRequest& given, double timeLimit)
{
    SequenceRequest request = given;
    request.folder = m_folder = makeTemporaryFolder();
    int report[2], log[2];
    if (::pipe(report) != 0 || ::pipe(log) != 0) {
        m_result.error = std::string("no pipe: ") + std::strerror(errno);
        m_done = true;
        return;
    }
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(report[0]);
        ::close(log[0]);
        ::dup2(log[1], 2);
        ::close(log[1]);
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        playSequenceAndExit(request, report[1]);
    }
    ::close(report[1]);
    ::close(log[1]);
    m_report = report[0];
    m_log = log[0];
    if (m_pid < 0) {
        m_result.error = std::string("no child: ") + std::strerror(errno);
        ::close(m_report);
        ::close(m_log);
        m_report = m_log = -1;
        m_done = true;
        return;
    }
    m_deadline = now() + timeLimit;
}

SequenceChild::~SequenceChild()
{
    if (m_pid > 0 && !m_done) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    for (int fd : { m_report, m_log })
        if (fd >= 0)
            ::close(fd);
    std::error_code ignored;
    if (!m_folder.empty())
        std::filesystem::remove_all(m_folder, ignored);
}

std::vector<int> SequenceChild::descriptors() const
{
    std::vector<int> fds;
    for (int fd : { m_report, m_log })
        if (fd >= 0)
            fds.push_back(fd);
    return fds;
}

void SequenceChild::read(int fd)
{
    char buffer[65536];
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
        return;
    if (n <= 0) {
        ::close(fd);
        (fd == m_report ? m_report : m_log) = -1;
        return;
    }
    (fd == m_report ? m_reportText : m_result.log).append(buffer, std::size_t(n));
}

bool SequenceChild::poll(int milliseconds)
{
    if (m_done)
        return true;
    std::vector<pollfd> fds;
    for (int fd : descriptors())
        fds.push_back({ fd, POLLIN, 0 });
    if (!fds.empty() && ::poll(fds.data(), fds.size(), milliseconds) > 0) {
        for (const pollfd& p : fds)
            if (p.revents)
                read(p.fd);
    }
    if (m_report < 0 && m_log < 0) {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        ended(status);
        return true;
    }
    if (!m_killed && now() > m_deadline) {
        ::kill(m_pid, SIGKILL);
        m_killed = true;
    }
    return false;
}

void SequenceChild::ended(int status)
{
    m_done = true;
    bool finished = false, ending = false;
    std::istringstream in(m_reportText);
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 1)
            continue;
        std::string rest = line.size() > 2 ? line.substr(2) : std::string();
        switch (line[0]) {
        case 'L': m_result.lines.push_back(rest); break;
        case 'B':
            m_result.bodyLines = m_result.lines.size();
            ending = true;
            break;
        case 'D': finished = true; break;
        case 'E': m_result.error = rest; break;
        case 'R':
        case 'V': {
            std::istringstream fields(rest);
            std::size_t at = 0;
            fields >> at;
            m_result.at = at;
            if (line[0] == 'R') {
                m_result.refused = true;
            } else {
                Violation v;
                fields >> v.invariant;
                fields.get();
                std::getline(fields, v.what);
                m_result.violation = v;
            }
            break;
        }
        }
    }
    if (!ending) // stopped inside the sequence proper
        m_result.bodyLines = m_result.lines.size();
    std::size_t last = m_result.lines.empty() ? 0 : m_result.lines.size() - 1;
    if (m_result.violation && m_result.violation->invariant == 3)
        m_result.at = last; // an exception: after the last line begun
    auto fail = [&](int invariant, std::string what) {
        if (!m_result.violation) { // the first thing seen stands: a report before a leak at exit
            m_result.violation = Violation { invariant, std::move(what) };
            m_result.at = last;
        }
    };
    bool leak = m_result.log.find("LeakSanitizer") != std::string::npos;
    bool sanitizer = m_result.log.find("Sanitizer") != std::string::npos || m_result.log.find("runtime error:") != std::string::npos;
    if (m_killed)
        fail(3, "the child did not finish within the time limit (hang)");
    else if (WIFSIGNALED(status))
        fail(leak ? 7 : 3, std::string("the child was killed by signal ") + strsignal(WTERMSIG(status)) + (sanitizer ? ": " + excerpt(m_result.log) : ""));
    else if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        fail(leak ? 7 : 3, "the child exited with status " + std::to_string(WEXITSTATUS(status)) + (sanitizer ? ": " + excerpt(m_result.log) : ""));
    else if (sanitizer)
        fail(leak ? 7 : 3, "a sanitizer report: " + excerpt(m_result.log));
    else if (!finished && !m_result.violation && !m_result.refused && m_result.error.empty())
        fail(3, "the child ended without finishing its sequence");
}

SequenceResult SequenceChild::result() { return m_result; }

SequenceResult runSequence(const SequenceRequest& request, double timeLimit)
{
    SequenceChild child(request, timeLimit);
    while (!child.poll(200)) {
    }
    return child.result();
}

} // namespace ombrel::sim
