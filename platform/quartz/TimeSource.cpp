#include "platform/quartz/TimeSource.h"

namespace quartz {

namespace {
TimeSource* g_source = nullptr;
}

void setTimeSource(TimeSource* source) { g_source = source; }
TimeSource* timeSource() { return g_source; }
double currentMediaTime() { return g_source ? g_source->now() : 0; }

} // namespace quartz
