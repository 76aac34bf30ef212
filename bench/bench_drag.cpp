// A full drag of the thumb through the hooked host, with five icons in the row (four applications
// and the folder of three). Times each touch event alone (the finger's 1/60 s between events is not
// counted) and reports the median of the touch-moved events (the benchmark's time is their mean),
// and of the began and ended events, with the library's settings cache on and off.
//
//   Drag:   touch down on the thumb at rest, 100 moves along a curve that comes back to the start
//           (over the unlock button), release, the animations run out.
//   Folder: touch down, onto the folder icon (the folder row rises), 100 moves up and down the
//           folder column over its applications (the folder stays open, selections come and go),
//           release on nothing.
//
// One device per process, booted once with the library on a root made by `ombrel init`.

#include "host/Device.h"
#include "platform/uikit/Window.h"
#include "tests/sim/OmbrelProcess.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

constexpr double kFinger = 1.0 / 60;
constexpr int kMoves = 100;

struct Phone {
    std::string folder;
    std::unique_ptr<host::Device> device;
    std::string error;
    std::string settingsFile;
    bool changeFileBeforeEachEvent = false;
    double restX = 0, restY = 0;
    double folderX = 0, folderY = 0;

    Phone()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-bench-XXXXXX";
        if (char* made = ::mkdtemp(pattern.data()))
            folder = made;
        std::string root = folder + "/device";
        settingsFile = root + "/var/mobile/Library/Preferences/com.qx.ombrel.plist";
        auto init = ombrel::testing::ombrel({ "init", "--root", root, "--profile", "iphone4s-5.1.1" });
        if (init.status != 0) {
            error = "ombrel init failed: " + init.err;
            return;
        }
        // Five row slots: the folder takes the fifth application's place.
        for (auto [key, app] : { std::pair { "kApp3", "com.apple.mobilesafari" }, std::pair { "kApp4", "com.apple.mobilephone" } }) {
            auto set = ombrel::testing::ombrel({ "settings", "--root", root, "set", key, app });
            if (set.status != 0) {
                error = "ombrel settings set failed: " + set.err;
                return;
            }
        }
        // The loader's cache takes a file only once the second it last changed in has passed.
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        host::BootOptions options;
        options.root = root;
        options.libraryPath = OMBREL_LIBRARY_PATH;
        device = host::makeInProcessDevice();
        if (host::Status booted = device->boot(options); !booted) {
            error = "boot failed: " + booted.error;
            return;
        }
        nlohmann::json lockView = state()["lockView"];
        if (!lockView.is_object() || !lockView["trackCenter"].is_array()) {
            error = "no lock view with a trackCenter on the lock screen";
            return;
        }
        restX = lockView["trackCenter"][0];
        restY = lockView["trackCenter"][1];
        if (!findFolder()) {
            error = "no folder icon in the row";
            return;
        }
    }

    // The folder icon's centre, from the lock view's subviews (tag 4).
    bool findFolder()
    {
        std::size_t icons = 0;
        for (uikit::Window* window : device->windows())
            for (auto& view : window->subviews())
                if (view->className() == "OmbrelView")
                    for (auto& sub : view->subviews()) {
                        icons += sub->tag() == 500 || sub->tag() == 4;
                        if (sub->tag() == 4) {
                            folderX = sub->center().x;
                            folderY = sub->center().y;
                        }
                    }
        return icons == 5 && folderY > 0;
    }
    ~Phone()
    {
        device.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    nlohmann::json state() const
    {
        auto report = reinterpret_cast<const char* (*)()>(device->librarySymbol("ombrelStateJSON"));
        return report ? nlohmann::json::parse(report(), nullptr, false) : nlohmann::json();
    }

    struct Times {
        std::vector<double> down, moves, up; // seconds per event
    };

    template<typename Event>
    double timed(Event event)
    {
        // A file changed in the current second is never taken from the cache: every load reads it.
        if (changeFileBeforeEachEvent)
            ::utimensat(AT_FDCWD, settingsFile.c_str(), nullptr, 0);
        auto start = std::chrono::steady_clock::now();
        event();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    // One drag, each touch event timed alone.
    void drag(Times& times)
    {
        times.down.push_back(timed([&] { device->touchDown(restX, restY); }));
        for (int i = 1; i <= kMoves; ++i) {
            device->wait(kFinger);
            double f = double(i) / kMoves;
            double x = restX + 90 * std::sin(2 * M_PI * f);
            double y = restY - 40 * std::sin(M_PI * f);
            times.moves.push_back(timed([&] { device->touchMove(x, y); }));
        }
        device->wait(kFinger);
        times.up.push_back(timed([&] { device->touchUp(restX, restY); }));
        device->wait(0.5);
    }

    // Onto the folder, then up the column over its applications and back down, never leaving it.
    void folderDrag(Times& times)
    {
        times.down.push_back(timed([&] { device->touchDown(restX, restY); }));
        device->wait(kFinger);
        device->touchMove(folderX, folderY);
        device->wait(kFinger);
        for (int i = 1; i <= kMoves; ++i) {
            device->wait(kFinger);
            double f = double(i) / kMoves;
            double x = folderX - 12 + 10 * std::sin(4 * M_PI * f);
            double y = folderY - 230 * std::sin(M_PI * f);
            times.moves.push_back(timed([&] { device->touchMove(x, y); }));
        }
        device->wait(kFinger);
        times.up.push_back(timed([&] { device->touchUp(folderX - 12, folderY); }));
        device->wait(0.5);
    }

    bool folderOpen() const { return state()["lockView"]["isFolderOpen"] == true; }
};

Phone& phone()
{
    static Phone made;
    return made;
}

enum class Path { Drag, Folder };

void drag(benchmark::State& state, bool cached, Path path)
{
    Phone& p = phone();
    if (!p.error.empty()) {
        state.SkipWithError(p.error.c_str());
        return;
    }
    // The library keeps its own copy of the settings store; only its exported switch reaches it.
    // Without that switch the cache is defeated by its own rule: the file is changed (its status
    // time set to now, content untouched) before each event.
    auto setCache = reinterpret_cast<void (*)(bool)>(p.device->librarySymbol("ombrelSetSettingsCacheEnabled"));
    if (setCache)
        setCache(cached);
    else
        p.changeFileBeforeEachEvent = !cached;
    Phone::Times times;
    p.drag(times); // warm-up, and a check that the finger holds the thumb
    p.device->touchDown(p.restX, p.restY);
    bool tracking = p.state()["lockView"]["isTracking"] == true;
    p.device->touchUp(p.restX, p.restY);
    p.device->wait(0.5);
    if (!tracking) {
        state.SkipWithError("a touch on the thumb does not start tracking");
        return;
    }
    if (path == Path::Folder) {
        // The path must hold the folder open to the end.
        p.device->touchDown(p.restX, p.restY);
        p.device->touchMove(p.folderX, p.folderY);
        bool opened = p.folderOpen();
        for (int i = 1; i <= kMoves; ++i) {
            double f = double(i) / kMoves;
            p.device->touchMove(p.folderX - 12 + 10 * std::sin(4 * M_PI * f), p.folderY - 230 * std::sin(M_PI * f));
        }
        bool stayed = p.folderOpen();
        p.device->touchUp(p.folderX - 12, p.folderY);
        p.device->wait(0.5);
        if (!opened || !stayed) {
            state.SkipWithError("the folder path does not hold the folder open");
            return;
        }
    }
    times = {};
    for (auto _ : state) {
        std::size_t from = times.moves.size();
        if (path == Path::Drag)
            p.drag(times);
        else
            p.folderDrag(times);
        double total = 0;
        for (std::size_t i = from; i < times.moves.size(); ++i)
            total += times.moves[i];
        state.SetIterationTime(total / kMoves); // one touch-moved event
    }
    auto median = [](std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2] * 1e6;
    };
    state.counters["move_median_us"] = median(times.moves);
    state.counters["move_p90_us"] = times.moves.empty() ? 0.0 : times.moves[times.moves.size() * 9 / 10] * 1e6;
    state.counters["began_median_us"] = median(times.down);
    state.counters["ended_median_us"] = median(times.up);
    if (setCache)
        setCache(true);
    p.changeFileBeforeEachEvent = false;
}

void BM_DragMoveCacheOn(benchmark::State& state) { drag(state, true, Path::Drag); }
void BM_DragMoveCacheOff(benchmark::State& state) { drag(state, false, Path::Drag); }
void BM_FolderMoveCacheOn(benchmark::State& state) { drag(state, true, Path::Folder); }
void BM_FolderMoveCacheOff(benchmark::State& state) { drag(state, false, Path::Folder); }

// A fixed number of drags: each is 100 timed events plus the finger's untimed pauses.
BENCHMARK(BM_DragMoveCacheOn)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragMoveCacheOff)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FolderMoveCacheOn)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FolderMoveCacheOff)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
