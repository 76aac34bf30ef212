#pragma once
// "SBDisplayStack" (systems below 6.0): a stack of displays (applications) in one state of
// activation. "init" Object*(), "dealloc" void(), "pushDisplay:" / "popDisplay:" void(Object*),
// "topDisplay" Object*(). An application pushed while the device is locked comes to the front when
// the unlock completes, not before; a popped one is withdrawn. Pushed while unlocked, it comes to
// the front at once.

#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <vector>

namespace host {

class DisplayStack : public runtime::Object {
public:
    std::vector<runtime::Ref<runtime::Object>> displays; // bottom to top
};

void registerDisplayStackClass();
// Made through the runtime ("alloc", "init"), as SpringBoard makes its stacks at start-up.
runtime::Ref<runtime::Object> makeDisplayStack();
// The top display of the most recently made stack that holds one; taken off that stack.
runtime::Ref<runtime::Object> takePushedDisplay();

} // namespace host
