#pragma once
// The table of replaced and added methods, in the order of installation, and its installer.

#include "springboard/Hook.h"
#include "springboard/LockControllerHooks.h"
#include <string>
#include <vector>

namespace ombrel {

// The table installed for every system version, class by class.
std::vector<HookEntry> hookTable();
// Below 6.0: the display stack follows the host's display stacks (LockControllerHooks.h).
// From 6.0: the social actions, then the workspace.
std::vector<HookEntry> workspaceHooks();

// "5.1.1" reads as 5.1: the leading decimal number of the version string (0 when none).
double systemVersionNumber(const std::string& versionString);

} // namespace ombrel
