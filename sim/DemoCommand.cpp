#include "sim/DemoCommand.h"

#include "host/Device.h"
#include "platform/uikit/Window.h"
#include "sim/DemoRecorder.h"
#include "sim/DeviceProfiles.h"
#include "sim/InitCommand.h"
#include "sim/RunCommand.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

namespace ombrel::sim {

namespace fs = std::filesystem;
using quartz::Point;

namespace {

constexpr std::int32_t kUnlockTag = 2, kFolderTag = 4, kTrackTag = 400, kLockAppTag = 500, kFolderAppTag = 600;
constexpr std::uint64_t kDemoSeed = 2026; // the same fall at every run

// The lock view's subviews with a tag, back to front.
std::vector<uikit::View*> lockViewIcons(const host::Device& device, std::int32_t tag)
{
    std::vector<uikit::View*> found;
    for (uikit::Window* window : device.windows())
        for (const auto& view : window->subviews())
            if (view->className() == "OmbrelView")
                for (const auto& sub : view->subviews())
                    if (sub->tag() == tag)
                        found.push_back(sub.get());
    return found;
}

struct Finger {
    host::Device& device;
    Point at;
    // Moves in a straight line to `to`, one touch-moved event per frame.
    std::function<void(double)> to(Point target)
    {
        Point from = at;
        return [this, from, target](double f) {
            at = { float(from.x + (target.x - from.x) * f), float(from.y + (target.y - from.y) * f) };
            device.touchMove(at.x, at.y);
        };
    }
};

std::string temporaryRoot()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-demo-XXXXXX";
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

// Whether the trace holds these events in this order (an event with a bundle identifier as
// "applicationLaunched=ID").
std::optional<std::string> missingStep(const std::vector<host::TraceEvent>& trace, const std::vector<std::string>& steps)
{
    std::size_t i = 0;
    for (const std::string& step : steps) {
        auto equals = step.find('=');
        std::string name = step.substr(0, equals);
        bool found = false;
        for (; i < trace.size() && !found; ++i)
            found = trace[i].name == name
                && (equals == std::string::npos || trace[i].fields.value("bundleID", "") == step.substr(equals + 1));
        if (!found)
            return step;
    }
    return std::nullopt;
}

} // namespace

int runDemo(const DemoOptions& options, std::ostream& out, std::ostream& err)
{
    auto started = std::chrono::steady_clock::now();
    const DeviceProfile* profile = findDeviceProfile(options.profile);
    if (!profile) {
        err << "ombrel demo: no device profile \"" << options.profile << "\"\n";
        return 2;
    }
    bool temporary = options.root.empty();
    std::string root = temporary ? temporaryRoot() : options.root;
    if (root.empty()) {
        err << "ombrel demo: cannot make a temporary device root\n";
        return 1;
    }
    struct Cleanup {
        std::string root;
        ~Cleanup()
        {
            std::error_code ignored;
            if (!root.empty())
                fs::remove_all(root, ignored);
        }
    } cleanup { temporary ? root : std::string() };

    std::ostringstream initOut;
    if (int status = runInit({ root, options.profile, std::nullopt, false }, initOut, err); status != 0)
        return status;
    err << "ombrel demo: a fresh " << profile->name << " (" << profile->model << ", " << profile->systemVersion
        << ") in " << root << '\n';

    std::string outFolder = options.out.empty() ? std::string("ombrel-demo") : options.out;
    std::string frames = outFolder + "/frames";
    std::error_code error;
    fs::create_directories(frames, error);
    if (error) {
        err << "ombrel demo: cannot make " << frames << ": " << error.message() << '\n';
        return 1;
    }
    for (const auto& entry : fs::directory_iterator(frames, error)) // the frames of an earlier demo
        if (entry.path().filename().string().starts_with("frame-") && entry.path().extension() == ".png")
            fs::remove(entry.path(), error);

    host::BootOptions boot;
    boot.root = root;
    boot.seed = kDemoSeed;
    boot.libraryPath = defaultLibraryPath();
    if (!fs::is_regular_file(*boot.libraryPath)) {
        err << "ombrel demo: no system library at " << *boot.libraryPath << '\n';
        return 1;
    }
    // Made before the boot: it tells the host the artwork's sizes.
    Renderer renderer(defaultArtworkFolder());
    std::unique_ptr<host::Device> device = host::makeInProcessDevice();
    if (host::Status booted = device->boot(boot); !booted) {
        err << "ombrel demo: the device did not boot: " << booted.error << '\n';
        return 1;
    }

    PngQueue queue;
    quartz::Size screen { float(profile->screenWidth), float(profile->screenHeight) };
    DemoRecorder film(*device, renderer, queue, frames, screen);
    auto phase = [&](const char* what) { err << "ombrel demo: " << what << " (frame " << film.frameCount() + 1 << ")\n"; };

    auto thumb = lockViewIcons(*device, kTrackTag);
    auto apps = lockViewIcons(*device, kLockAppTag);
    auto folder = lockViewIcons(*device, kFolderTag);
    auto unlock = lockViewIcons(*device, kUnlockTag);
    if (thumb.empty() || apps.size() < 2 || folder.empty() || unlock.empty()) {
        err << "ombrel demo: the lock screen does not show the thumb, the icon row and the folder\n";
        return 1;
    }

    phase("the lock screen");
    film.frame();
    film.film(0.6);
    film.moment("Locked: the thumb at rest");

    phase("touching the thumb");
    Finger finger { *device, thumb[0]->center() };
    device->touchDown(finger.at.x, finger.at.y);
    film.film(0.4);
    film.moment("Touched: the icons bounce in");

    phase("across the icon row");
    film.film(0.5, finger.to(apps[0]->center()));
    film.film(0.25);
    film.moment("On an icon: it grows, the rest shrink");
    film.film(0.8, finger.to(apps.back()->center()));
    film.film(0.2);

    phase("onto the folder");
    film.film(0.4, finger.to(folder[0]->center()));
    film.film(0.4);
    film.moment("On the folder: its apps rise");

    phase("up onto a folder application");
    auto folderApps = lockViewIcons(*device, kFolderAppTag);
    if (folderApps.empty()) {
        err << "ombrel demo: the folder did not open\n";
        return 1;
    }
    film.film(0.4, finger.to(folderApps.front()->center()));
    film.film(0.3);
    film.moment("Up onto Settings");

    phase("letting go");
    device->touchUp(finger.at.x, finger.at.y);
    film.film(0.2);
    film.moment("Let go: the icons fall away");
    film.film(0.5);
    phase("the unlock");
    film.film(0.7);
    film.moment("Unlocked: Settings comes up");

    std::size_t failedWrites = queue.wait();
    std::vector<std::pair<const Picture*, std::string>> sheetFrames;
    for (const auto& [picture, caption] : film.moments())
        sheetFrames.emplace_back(&picture, caption);
    std::string sheet = outFolder + "/contact-sheet.png";
    bool sheetWritten = writePng(contactSheet(sheetFrames, 3, 320), sheet);
    std::string tracePath = outFolder + "/trace.jsonl";
    std::vector<host::TraceEvent> trace = device->trace();
    {
        std::ofstream traceFile(tracePath);
        for (const host::TraceEvent& event : trace)
            traceFile << host::toJsonLine(event) << '\n';
        if (!traceFile)
            err << "ombrel demo: cannot write " << tracePath << '\n';
    }
    host::DeviceState state = device->state();
    device.reset();

    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::optional<std::string> missing = missingStep(trace,
        { "lockViewCreated", "lockScreenShown", "unlockRequested", "unlocked", "applicationLaunched=com.apple.Preferences" });
    out << "ombrel demo: " << profile->name << ", " << film.frameCount() << " frames at " << DemoRecorder::kFramesPerSecond
        << " per second (" << double(film.frameCount()) / DemoRecorder::kFramesPerSecond << " s of screen time)\n";
    out << "  happened      the lock screen came up; the thumb brought the icons in, crossed the row, opened the\n"
           "                folder and chose Settings; the release rained the icons away, unlocked the phone\n"
           "                and brought "
        << state.frontApplication.value_or("nothing") << " to the front (" << trace.size() << " events)\n";
    out << "  frames        " << film.framePath(1) << " ... " << film.framePath(film.frameCount()) << '\n';
    out << "  contact sheet " << sheet << '\n';
    out << "  trace         " << tracePath << '\n';
    if (!renderer.missingArtwork().empty())
        out << "  no artwork    " << renderer.missingArtwork().size() << " image names (listed above)\n";
    char took[32];
    std::snprintf(took, sizeof took, "%.1f s", seconds);
    out << "  took          " << took << '\n';
    if (failedWrites || !sheetWritten) {
        err << "ombrel demo: " << failedWrites + (sheetWritten ? 0 : 1) << " pictures could not be written to " << outFolder << '\n';
        return 1;
    }
    if (missing) {
        err << "ombrel demo: the demo did not go as it should: no " << *missing << " in the trace\n";
        return 1;
    }
    return 0;
}

} // namespace ombrel::sim
