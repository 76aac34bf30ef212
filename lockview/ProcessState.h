#pragma once
// Process-wide state of the library: one value per process, each with its writers and readers.
//
//   systemVersion   written once by the load-time initialiser; read wherever a feature exists
//                   only from 6.0 on.

namespace ombrel {

struct ProcessState {
    double systemVersion = 0;
};

ProcessState& processState();

} // namespace ombrel
