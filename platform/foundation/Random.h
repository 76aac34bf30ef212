#pragma once
// The platform's random source ("arc4random"): uniform 32-bit numbers. Unseeded it starts from the
// machine's entropy; a device booted with a seed draws the same numbers every run, so a scenario
// with random motion (the icons' fall) replays exactly.

#include <cstdint>

namespace foundation {

std::uint32_t arc4random();
// Restarts the sequence from `seed`.
void seedRandom(std::uint64_t seed);

} // namespace foundation
