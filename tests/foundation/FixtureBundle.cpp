// The executable of the bundle that the bundle tests assemble.
#include "platform/runtime/Runtime.h"

namespace {
int greeting(runtime::Object*, runtime::Sel) { return 2012; }

[[maybe_unused]] const bool g_registered = [] {
    runtime::ClassBuilder("FixturePrincipal", "NSObject").instancesOf<runtime::Object>().method("greeting", &greeting).registerClass();
    return true;
}();
} // namespace
