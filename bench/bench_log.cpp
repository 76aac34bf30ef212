// One dLog append on a log of 1 MB, 10 MB and 100 MB: every entry first reads the whole log and
// checks that it is UTF-8 text, so the cost grows with the size of the log.

#include "bench/BenchDeviceRoot.h"
#include "settings/DiagnosticLog.h"

#include <benchmark/benchmark.h>
#include <fstream>

namespace {

// Log-like text: lines of ASCII with some multibyte characters.
void writeLog(const std::string& path, std::size_t size)
{
    const std::string line = "\n12-11 | 04:21:55\t-\tentry with text and a few characters \xC3\xA9\xE2\x82\xAC of more bytes";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t written = 0; written < size; written += line.size())
        out << line;
}

void BM_DLogAppend(benchmark::State& state)
{
    ombrel::bench::BenchDeviceRoot root;
    writeLog(root.path(ombrel::kDiagnosticLogPath), std::size_t(state.range(0)) << 20);
    int entry = 0;
    for (auto _ : state)
        dLog("entry %d", ++entry);
    state.SetLabel(std::to_string(state.range(0)) + " MB log");
}

BENCHMARK(BM_DLogAppend)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
