#pragma once
// The stock lock view's four touch handlers, in installation order (began, moved, ended, cancelled).

#include "springboard/Hook.h"
#include <vector>

namespace ombrel {

std::vector<HookEntry> touchRoutingHooks();

} // namespace ombrel
