#pragma once
// The lock controller's part of the hook table, in installation order.

#include "springboard/Hook.h"
#include <vector>

namespace ombrel {

std::vector<HookEntry> alertWindowHooks();
std::vector<HookEntry> awayControllerHooks();
std::vector<HookEntry> displayStackHooks(); // below 6.0
std::vector<HookEntry> workspaceReplacements(); // from 6.0

} // namespace ombrel
