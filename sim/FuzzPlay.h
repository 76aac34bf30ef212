#pragma once
// Inside a fuzzing child: the fresh device, the lines played one at a time, the report written.

#include "sim/FuzzChild.h"

namespace ombrel::sim {

// Report lines, one per line on `reportFd`:
//   L <line>                    a line about to be played (so a crash still leaves the sequence)
//   B                           the sequence proper is over; the ending follows
//   V <index> <invariant> <why> an invariant broken after line <index>
//   R <index> <why>             a replayed line the device refused
//   E <why>                     no device (init or boot failed, an exception)
//   D                           done
// Ends the process: exit status 0 (the sanitizer's leak check runs at exit).
[[noreturn]] void playSequenceAndExit(const SequenceRequest&, int reportFd);

} // namespace ombrel::sim
