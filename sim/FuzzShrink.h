#pragma once
// The shortest sequence that still shows a violation: lines removed in halves, then quarters, down
// to one at a time, each try played in a fresh child; a try counts when the same invariant fails.

#include "sim/FuzzChild.h"
#include <functional>

namespace ombrel::sim {

struct ShrinkResult {
    SequenceResult shortest; // the last failing run: its lines end where the violation was seen
    int tries = 0;
};

// `failing` is the run that showed the violation; `replay` plays a body of lines in a fresh child.
// At most `maxTries` replays.
ShrinkResult shrinkSequence(const SequenceResult& failing, const std::function<SequenceResult(const std::vector<std::string>&)>& replay,
    int maxTries = 300);

} // namespace ombrel::sim
