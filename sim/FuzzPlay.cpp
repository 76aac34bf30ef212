#include "sim/FuzzPlay.h"

#include "platform/foundation/DeviceRoot.h"
#include "sim/FuzzEvents.h"
#include "sim/InitCommand.h"
#include "sim/RunCommand.h"
#include "sim/ScenarioRunner.h"
#include "sim/render/Renderer.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace ombrel::sim {

namespace {

void report(int fd, const std::string& text)
{
    std::string line = text + '\n';
    for (std::size_t done = 0; done < line.size();) {
        ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n <= 0)
            return;
        done += std::size_t(n);
    }
}

std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

// Where the finger is down after the lines played so far; nothing when it is up.
struct Finger {
    std::optional<EventGenerator::Point> at;
    void follow(const Step& step, const host::DeviceState& screen)
    {
        if (step.verb == Verb::Up || step.verb == Verb::Cancel)
            at.reset();
        else if (step.verb == Verb::Down || (step.verb == Verb::Move && at))
            at = EventGenerator::Point { step.points[0].resolve(screen.screenWidth, screen.screenHeight),
                step.points[1].resolve(screen.screenWidth, screen.screenHeight) };
    }
};

// Plays one line; false when the sequence is to stop.
bool play(ScenarioPlayer& player, const host::Device& device, Finger& finger, const std::string& line, std::size_t index,
    int fd)
{
    report(fd, "L " + line);
    std::istringstream text(line);
    ParsedScenario parsed = parseScenario(text);
    if (parsed.error || parsed.scenario.steps.size() != 1) {
        report(fd, "E the fuzzer made a bad line: " + line);
        return false;
    }
    finger.follow(parsed.scenario.steps.front(), device.state());
    if (auto failure = player.step(parsed.scenario.steps.front())) {
        if (const auto& v = player.violation())
            report(fd, "V " + std::to_string(index) + ' ' + std::to_string(v->invariant) + ' ' + oneLine(v->what));
        else
            report(fd, "R " + std::to_string(index) + ' ' + oneLine(*failure));
        return false;
    }
    return true;
}

void playSequence(const SequenceRequest& request, const std::string& root, int fd)
{
    // A copy of a root the init code made once is the same fresh device, without its many
    // synchronised writes.
    std::ostringstream quiet;
    std::error_code copied;
    if (!request.templateRoot.empty())
        std::filesystem::copy(request.templateRoot, root, std::filesystem::copy_options::recursive, copied);
    if (request.templateRoot.empty() ? runInit({ root, request.profile, request.passcode, false }, quiet, std::cerr) != 0 : bool(copied)) {
        report(fd, "E the device root could not be made");
        return;
    }
    // As `ombrel run` does, so its replay boots the same device: the artwork's sizes known first.
    Renderer renderer(defaultArtworkFolder());
    foundation::setDeviceRoot(root);
    host::BootOptions boot;
    boot.root = root;
    boot.seed = request.seed;
    boot.libraryPath = defaultLibraryPath();
    std::unique_ptr<host::Device> device = host::makeInProcessDevice();
    if (host::Status booted = device->boot(boot); !booted) {
        report(fd, "E the device did not boot: " + oneLine(booted.error));
        return;
    }
    bool ok = true;
    {
        std::ostringstream trace; // the trace is not wanted; the player writes it somewhere
        ScenarioPlayer player(*device, trace);
        std::istringstream first("invariants");
        player.step(parseScenario(first).scenario.steps.front());
        EventGenerator events(request.seed, request.passcode);
        Finger finger;
        std::size_t index = 0;
        auto flush = [&] { trace.str({}); };
        if (request.body) {
            for (const std::string& line : *request.body) {
                if (!(ok = play(player, *device, finger, line, index++, fd)))
                    break;
                flush();
            }
        } else {
            for (int i = 0; i < request.events && ok; ++i) {
                ok = play(player, *device, finger, events.next(*device), index++, fd);
                flush();
            }
        }
        if (ok) {
            report(fd, "B");
            SequenceEnding ending(request.passcode);
            while (ok) {
                auto line = ending.next(*device, finger.at);
                if (!line)
                    break;
                ok = play(player, *device, finger, *line, index++, fd);
                flush();
            }
        }
    }
    device.reset();
    if (ok)
        report(fd, "D");
}

} // namespace

std::string makeTemporaryFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-fuzzseq-XXXXXX";
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

void playSequenceAndExit(const SequenceRequest& request, int fd)
{
    if (request.folder.empty()) {
        report(fd, "E cannot make a temporary folder");
        std::exit(0);
    }
    try {
        playSequence(request, request.folder + "/device", fd);
    } catch (const std::exception& e) {
        report(fd, std::string("V 0 3 an exception escaped: ") + oneLine(e.what()));
    } catch (...) {
        report(fd, "V 0 3 an exception escaped");
    }
    ::close(fd);
    std::exit(0);
}

} // namespace ombrel::sim
