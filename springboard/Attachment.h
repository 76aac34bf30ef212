#pragma once
// The stock lock view's part of the hook table (its set-up, the stock slider bar, first responder,
// charging view, voice assistant, pattern-lock notifications), in installation order.

#include "springboard/Hook.h"
#include <vector>

namespace ombrel {

// "initializeOmbrel" (added) and "initWithFrame:" (replaced), which come first.
std::vector<HookEntry> attachmentSetUpHooks();
// "lockBar" ... "canBecomeFirstResponder", then "hideLockBar" ... the pattern-lock methods.
std::vector<HookEntry> attachmentHooks();

} // namespace ombrel
