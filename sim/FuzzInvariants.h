#pragma once
// The lock screen's invariants, checked after every step of a fuzzed sequence (and of any scenario
// with an `invariants` line):
//
//   1 passcode   with a passcode, `unlocked` only after `unlockAttemptFinished success=true` that
//                followed the last `unlockRequested` / `passcodeKeypadShown`
//   2 launch     `applicationLaunched` only after the `unlocked` that completes its unlock, and never
//                for the application of an unlock that was abandoned (keypad dismissed)
//   3 crash      no crash, sanitizer report, escaping exception or hang (seen by the fuzzer)
//   4 settled    with the finger up and the animations over, the lock view is not tracking and a
//                touch on its thumb starts tracking (unless unlocking, unlocked or the camera is up)
//   5 settings   the settings file parses as a dictionary (bytes a step wrote on purpose excepted
//                while they last), and every default key the system wrote has the default's kind
//   6 relocked   lock, unlock, lock ends locked with exactly one lock view in the alert window
//   7 leaks      the sanitizer's leak check is clean (seen by the fuzzer)
//
// OMBREL_FUZZ_INJECT (a testing aid, for the fuzzer's own tests): "N:EVENT" makes invariant N fail
// after any step that recorded trace event EVENT; "crash:EVENT" aborts the process there.

#include "host/Device.h"
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace uikit {
class View;
}

namespace ombrel::sim {

struct Violation {
    int invariant = 0; // 1 to 7
    std::string what;
};

// The subviews with that tag of the lock view on screen, back to front (none without one).
std::vector<uikit::View*> lockViewSubviews(const host::Device&, std::int32_t tag);

// "invariant 4 (settled): what".
std::string violationText(const Violation&);
const char* invariantName(int);

class InvariantChecker {
public:
    // Reads the device's passcode from the root's Device.plist (the device root must be set).
    InvariantChecker();

    // After a step: the events it recorded and the settings file.
    std::optional<Violation> afterStep(host::Device&);

    // Invariant 4, with the finger up: touches the thumb (down, then cancelled, then a second's
    // wait) when the lock view should take touches.
    std::optional<Violation> checkSettled(host::Device&);
    // Invariant 6, after lock, unlock, lock.
    std::optional<Violation> checkRelocked(const host::Device&);

    // The step wrote these bytes over the settings file on purpose / a value of a kind of its own.
    void settingsGarbled(std::string bytes);
    void settingWrittenRaw(const std::string& key);

private:
    std::optional<Violation> scanTrace(host::Device&);
    std::optional<Violation> checkSettingsFile();
    std::optional<Violation> injected(const host::TraceEvent&) const;

    bool m_passcode = false;
    std::size_t m_seen = 0;
    bool m_authorised = false;        // a right passcode answered the outstanding request
    bool m_unlockedSinceLock = false;
    bool m_successSinceRequest = false;
    std::optional<std::string> m_requestApplication; // pending at the last unlock request
    std::set<std::string> m_abandoned;
    std::optional<std::string> m_garbage; // bytes written on purpose, while the file holds them
    std::set<std::string> m_rawKeys;
    struct FileStamp {
        ino_t inode = 0;
        off_t size = -1;
        std::int64_t changed = 0;
        bool operator==(const FileStamp&) const = default;
    };
    std::optional<FileStamp> m_checkedFile;
    std::string m_inject;
};

} // namespace ombrel::sim
