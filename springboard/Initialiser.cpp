// The library's load-time initialiser: runs once when the host loads the library with dlopen,
// before the host builds its lock screen.
#include "lockview/OmbrelView.h"
#include "lockview/ProcessState.h"
#include "platform/foundation/Exception.h"
#include "platform/foundation/ProcessInfo.h"
#include "platform/runtime/AutoreleasePool.h"
#include "settings/CrashReport.h"
#include "springboard/HookTable.h"

namespace ombrel {

namespace {

std::vector<HookRecord>& installationReport()
{
    static std::vector<HookRecord> report;
    return report;
}

[[gnu::constructor]] void initialise()
{
    runtime::AutoreleasePool pool;
    // The library's own classes exist before any host method can reach them.
    OmbrelView::registerClass();
    std::vector<HookRecord> report;
    for (const HookEntry& e : hookTable())
        report.push_back(install(e));
    foundation::setUncaughtExceptionHandler(&ombrelExceptionHandler);
    double version = systemVersionNumber(foundation::systemVersionString());
    processState().systemVersion = version;
    for (const HookEntry& e : version < 6.0 ? displayStackHooks() : workspaceHooks())
        report.push_back(install(e));
    installationReport() = std::move(report);
}

} // namespace

} // namespace ombrel

// What the initialiser installed, entry by entry, for tests and diagnostics.
extern "C" OMBREL_EXPORT const ombrel::HookRecord* ombrelInstallationReport(std::size_t* count)
{
    auto& report = ombrel::installationReport();
    if (count)
        *count = report.size();
    return report.data();
}

extern "C" OMBREL_EXPORT double ombrelSystemVersion() { return ombrel::processState().systemVersion; }
