// One settings-loader call on an unchanged, complete settings file: read and parsed every call,
// and served from the loader's cache (one stat and a compare).

#include "bench/BenchDeviceRoot.h"
#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <sys/stat.h>
#include <thread>
#include <ctime>

namespace {

// The cache takes a file only once the wall-clock second it last changed in has passed.
void waitUntilFileIsSettled(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return;
    for (;;) {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
        if (now.tv_sec > st.st_ctim.tv_sec)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void loadSettings(benchmark::State& state, bool cached)
{
    ombrel::bench::BenchDeviceRoot root;
    std::string path = root.path(ombrel::kSettingsFilePath);
    foundation::writePropertyList(path, ombrel::defaultSettings());
    waitUntilFileIsSettled(path);
    ombrel::setSettingsCacheEnabled(cached);
    for (auto _ : state) {
        foundation::Value settings = ombrel::loadSettings();
        benchmark::DoNotOptimize(settings);
    }
    if (ombrel::loadSettings().count() != 57)
        state.SkipWithError("the settings file did not load");
    ombrel::setSettingsCacheEnabled(true);
}

void BM_LoadSettingsParsedEveryCall(benchmark::State& state)
{
    loadSettings(state, false);
}

void BM_LoadSettingsFromCache(benchmark::State& state)
{
    loadSettings(state, true);
}

BENCHMARK(BM_LoadSettingsParsedEveryCall);
BENCHMARK(BM_LoadSettingsFromCache);

} // namespace

BENCHMARK_MAIN();
