#pragma once
// One fuzzed sequence in a child process of its own: a fresh device root (made as `ombrel init`
// makes one, in a temporary folder removed afterwards), the device booted with the library and
// seeded from the sequence's seed, the lines played with the invariants checked after each, and a
// report through a pipe. The parent also watches how the child ends: a signal, a sanitizer report,
// an exit status other than 0, or no end within the time limit is a violation too.

#include "sim/FuzzInvariants.h"
#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ombrel::sim {

struct SequenceRequest {
    std::uint64_t seed = 0;
    std::string profile;
    std::optional<std::string> passcode;
    int events = 0;                                // lines to make at random
    std::optional<std::vector<std::string>> body;  // these lines instead (the ending is made afresh)
    std::string templateRoot;                      // a root `init` made once, copied (else init runs)
    std::string folder;                            // the child's own folder, made and removed by the parent
};

struct SequenceResult {
    std::vector<std::string> lines; // as played, the ending included
    std::size_t bodyLines = 0;      // of which the sequence proper (before the ending)
    std::optional<Violation> violation;
    std::size_t at = 0;             // index in `lines` of the line after which it was seen
    bool refused = false;           // a replayed line the device refused (not a violation)
    std::string error;              // the device could not be made or booted
    std::string log;                // what the child wrote on stderr (the sanitizer's report)
};

// A child at work; the parent reads its pipes until it ends.
class SequenceChild {
public:
    SequenceChild(const SequenceRequest&, double timeLimitSeconds);
    ~SequenceChild();
    SequenceChild(const SequenceChild&) = delete;
    SequenceChild& operator=(const SequenceChild&) = delete;

    // Reads what is ready (waits at most `milliseconds`); true once the child has ended.
    bool poll(int milliseconds);
    // The pipe descriptors still open, for a poll over several children.
    std::vector<int> descriptors() const;
    SequenceResult result();

private:
    void read(int fd);
    void ended(int status);

    std::string m_folder; // the child's device root lives here; removed however the child ended
    pid_t m_pid = -1;
    int m_report = -1, m_log = -1;
    double m_deadline = 0;
    bool m_done = false, m_killed = false;
    std::string m_reportText;
    SequenceResult m_result;
};

// A new folder under $TMPDIR (else /tmp) for device roots; empty when it cannot be made.
std::string makeTemporaryFolder();

// Runs one sequence to its end (a convenience over SequenceChild).
SequenceResult runSequence(const SequenceRequest&, double timeLimitSeconds);

} // namespace ombrel::sim
