// One full lock-screen frame at 640x1136 (iphone5-6.1, the device booted with the library): the
// wallpaper, both bars, the status bar, the thumb held on the folder icon, both lock buttons, five
// row icons with their badges and the folder's applications risen above it. Times
// Renderer::render alone on a warm artwork cache (median and p90 per frame), and the PNG encoding
// of that frame at level 1.

#include "host/Device.h"
#include "platform/uikit/Window.h"
#include "sim/render/Renderer.h"
#include "tests/sim/OmbrelProcess.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <vector>

namespace {

struct Screen {
    std::string folder;
    std::unique_ptr<ombrel::sim::Renderer> renderer;
    std::unique_ptr<host::Device> device;
    quartz::Size size;
    std::string error;

    Screen()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-bench-XXXXXX";
        if (char* made = ::mkdtemp(pattern.data()))
            folder = made;
        std::string root = folder + "/device";
        std::vector<std::vector<std::string>> commands { { "init", "--root", root, "--profile", "iphone5-6.1" },
            { "settings", "--root", root, "set", "kApp3", "com.apple.mobilesafari" },
            { "settings", "--root", root, "set", "kApp4", "com.apple.mobilephone" } };
        for (auto& command : commands)
            if (auto done = ombrel::testing::ombrel(command); done.status != 0) {
                error = command[0] + " failed: " + done.err;
                return;
            }
        renderer = std::make_unique<ombrel::sim::Renderer>(ombrel::sim::defaultArtworkFolder());
        device = host::makeInProcessDevice();
        host::BootOptions options;
        options.root = root;
        options.libraryPath = OMBREL_LIBRARY_PATH;
        if (host::Status booted = device->boot(options); !booted) {
            error = "boot failed: " + booted.error;
            return;
        }
        size = { float(device->state().screenWidth), float(device->state().screenHeight) };
        device->wait(0.5);
        // Hold the thumb, then onto the folder icon: the row, the buttons and the folder's column show.
        uikit::View* lockView = find(nullptr, "OmbrelView");
        uikit::View* thumb = lockView ? lockView->viewWithTag(400) : nullptr;
        uikit::View* folderIcon = lockView ? lockView->viewWithTag(4) : nullptr;
        if (!thumb || !folderIcon) {
            error = "no lock view with a thumb and a folder icon";
            return;
        }
        device->touchDown(thumb->center().x, thumb->center().y);
        device->wait(0.5);
        device->touchMove(folderIcon->center().x, folderIcon->center().y);
        device->wait(0.6);
        auto report = reinterpret_cast<const char* (*)()>(device->librarySymbol("ombrelStateJSON"));
        if (!report || nlohmann::json::parse(report())["lockView"]["isFolderOpen"] != true)
            error = "the folder did not open";
    }
    ~Screen()
    {
        device.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    uikit::View* find(uikit::View* in, const char* className)
    {
        if (!in) {
            for (uikit::Window* window : device->windows())
                if (uikit::View* found = find(window, className))
                    return found;
            return nullptr;
        }
        if (in->className() == className)
            return in;
        for (auto& sub : in->subviews())
            if (uikit::View* found = find(sub.get(), className))
                return found;
        return nullptr;
    }

    ombrel::sim::Picture frame() { return renderer->render(device->windows(), size); }
};

Screen& screen()
{
    static Screen made;
    return made;
}

template<typename Work>
void timed(benchmark::State& state, Work work)
{
    std::vector<double> seconds;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        work();
        double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        seconds.push_back(took);
        state.SetIterationTime(took);
    }
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
    state.counters["p90_ms"] = seconds[seconds.size() * 9 / 10] * 1e3;
}

void BM_RenderLockScreenFrame(benchmark::State& state)
{
    Screen& s = screen();
    if (!s.error.empty()) {
        state.SkipWithError(s.error.c_str());
        return;
    }
    ombrel::sim::Picture warm = s.frame(); // every artwork rendered once at its drawn size
    if (warm.width != 640 || warm.height != 1136 || !s.renderer->missingArtwork().empty()) {
        state.SkipWithError("not a 640x1136 frame with every artwork");
        return;
    }
    timed(state, [&] { benchmark::DoNotOptimize(s.frame()); });
}

void BM_EncodePngLevel1(benchmark::State& state)
{
    Screen& s = screen();
    if (!s.error.empty()) {
        state.SkipWithError(s.error.c_str());
        return;
    }
    ombrel::sim::Picture frame = s.frame();
    std::string path = s.folder + "/frame.png";
    bool written = true;
    timed(state, [&] { written = ombrel::sim::writePng(frame, path, 1) && written; });
    if (!written)
        state.SkipWithError("the PNG was not written");
    else
        state.counters["bytes"] = double(std::filesystem::file_size(path));
}

BENCHMARK(BM_RenderLockScreenFrame)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePngLevel1)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
