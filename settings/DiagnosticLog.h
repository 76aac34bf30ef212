#pragma once
// The diagnostic log "/var/mobile/log": UTF-8 text, entries each starting with a line break, only
// ever appended to, except that a file which is not valid UTF-8 is emptied before the next entry.

#include <string>
#include <string_view>

#ifndef OMBREL_EXPORT
#define OMBREL_EXPORT __attribute__((visibility("default")))
#endif

namespace ombrel {

inline constexpr const char* kDiagnosticLogPath = "/var/mobile/log";

// First step of every writer: when the file is missing, unreadable or not valid UTF-8, replace it
// atomically with the empty text. False when the file could not be made.
bool ensureLogFileExists(const std::string& hostPath);

// Makes sure the log exists, then appends the entry with one write at the end of the file.
// Failures are silent: the entry is lost.
void appendLogEntry(std::string_view entry);

} // namespace ombrel

// Appends "\n" and the formatted message to the log. The format follows the platform's rules:
// printf conversions, and "%@" takes a `const foundation::Value*`.
extern "C" OMBREL_EXPORT void dLog(const char* format, ...);
