// Loaded with dlopen by the image tests, the way a bundle is.
#include "platform/runtime/Runtime.h"

using namespace runtime;

namespace {
int fixtureAnswer(Object*, Sel) { return 42; }
int fixtureAdded(Object*, Sel) { return 7; }

[[maybe_unused]] const bool g_registered = [] {
    ClassBuilder("FixtureClass", "NSObject").instancesOf<Object>().method("answer", &fixtureAnswer).registerClass();
    addMethod(lookUpClass("HostClass"), Sel("fixtureAdded"), &fixtureAdded);
    return true;
}();
} // namespace
