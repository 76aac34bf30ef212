// The ombrel command: makes device roots, edits their settings, runs scenarios on them and takes
// pictures of their screens.

#include "sim/DemoCommand.h"
#include "sim/DeviceProfiles.h"
#include "sim/FuzzCommand.h"
#include "sim/InitCommand.h"
#include "sim/RunCommand.h"
#include "sim/SettingsCommand.h"
#include "sim/SnapshotCommand.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <thread>

int main(int argc, char** argv)
{
    using namespace ombrel::sim;
    CLI::App app{"ombrel: the simulated phone's command"};
    app.require_subcommand(1);

    InitOptions init;
    init.profile = std::string(kDefaultDeviceProfile);
    std::string passcode;
    CLI::App* initCommand = app.add_subcommand("init", "make a device root");
    initCommand->add_option("--root", init.root, "device root folder (default $XDG_DATA_HOME/ombrel/device)");
    initCommand->add_option("--profile", init.profile, "device profile")->capture_default_str();
    CLI::Option* passcodeOption = initCommand->add_option("--passcode", passcode, "device passcode (digits)");
    initCommand->add_flag("--force", init.force, "write into a folder that is not a device root");

    SettingsOptions settings;
    CLI::App* settingsCommand = app.add_subcommand("settings", "show and edit the settings file");
    settingsCommand->add_option("--root", settings.root, "device root folder");
    settingsCommand->require_subcommand(1);
    CLI::App* show = settingsCommand->add_subcommand("show", "print every setting");
    show->add_flag("--json", settings.json, "print JSON");
    CLI::App* get = settingsCommand->add_subcommand("get", "print one setting");
    get->add_option("KEY", settings.key)->required();
    CLI::App* set = settingsCommand->add_subcommand("set", "change one setting");
    set->add_option("KEY", settings.key)->required();
    set->add_option("VALUE", settings.value)->required();
    set->add_option("--type", settings.type, "bool, int, real or string (needed for unknown keys)");
    CLI::App* remove = settingsCommand->add_subcommand("delete", "remove one setting");
    remove->add_option("KEY", settings.key)->required();

    RunOptions run;
    std::string library;
    CLI::App* runCommand = app.add_subcommand("run", "boot the device and run a scenario; the trace on stdout");
    runCommand->add_option("--root", run.root, "device root folder");
    runCommand->add_option("--seed", run.seed, "seed for what the device draws at random");
    CLI::Option* libraryOption = runCommand->add_option("--library", library, "the system library (default: ../lib/libOmbrel.so beside the command)");
    CLI::Option* stockOption = runCommand->add_flag("--stock", run.stock, "run the stock phone, without the library");
    libraryOption->excludes(stockOption);
    runCommand->add_option("SCENARIO", run.scenario, "scenario file, or - for standard input")->required();

    DemoOptions demo;
    demo.profile = std::string(kDefaultDeviceProfile);
    CLI::App* demoCommand = app.add_subcommand("demo", "play the demo on a fresh device: frames, a contact sheet and the trace");
    demoCommand->add_option("--root", demo.root, "device root folder (default: a temporary one, removed afterwards)");
    demoCommand->add_option("--profile", demo.profile, "device profile")->capture_default_str();
    demoCommand->add_option("--out", demo.out, "output folder (default: ./ombrel-demo)");

    SnapshotOptions snapshot;
    double at = 0;
    CLI::App* snapshotCommand = app.add_subcommand("snapshot", "run a scenario quietly and write a PNG of the screen");
    snapshotCommand->add_option("--root", snapshot.run.root, "device root folder");
    CLI::Option* atOption = snapshotCommand->add_option("--at", at, "the moment, in seconds of virtual time after boot (default: the end)");
    snapshotCommand->add_option("--seed", snapshot.run.seed, "seed for what the device draws at random");
    snapshotCommand->add_flag("--stock", snapshot.run.stock, "run the stock phone, without the library");
    snapshotCommand->add_option("SCENARIO", snapshot.run.scenario, "scenario file, or - for standard input")->required();
    snapshotCommand->add_option("FILE", snapshot.file, "the PNG to write")->required();

    FuzzOptions fuzz;
    fuzz.profile = std::string(kDefaultDeviceProfile);
    fuzz.jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    std::string fuzzPasscode;
    CLI::App* fuzzCommand = app.add_subcommand("fuzz", "random sequences on fresh phones, the lock screen's invariants checked after every line");
    fuzzCommand->add_option("--profile", fuzz.profile, "device profile")->capture_default_str();
    CLI::Option* fuzzPasscodeOption = fuzzCommand->add_option("--passcode", fuzzPasscode, "device passcode (digits)");
    fuzzCommand->add_option("--seed", fuzz.seed, "the campaign's seed")->capture_default_str();
    fuzzCommand->add_option("--sequences", fuzz.sequences, "sequences to play")->capture_default_str();
    fuzzCommand->add_option("--max-events", fuzz.maxEvents, "most lines in a sequence (before its ending)")->capture_default_str();
    fuzzCommand->add_option("--jobs", fuzz.jobs, "children at work at once (default: the number of cores)");
    fuzzCommand->add_option("--out", fuzz.out, "folder for the violation scenarios (default: .)");
    fuzzCommand->add_option("--time-limit", fuzz.timeLimit, "real seconds before a child counts as hung")->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int status = app.exit(error);
        return status == 0 ? 0 : 2;
    }

    if (initCommand->parsed()) {
        if (*passcodeOption)
            init.passcode = passcode;
        return runInit(init, std::cout, std::cerr);
    }
    if (runCommand->parsed()) {
        if (*libraryOption)
            run.library = library;
        return runRun(run, std::cin, std::cout, std::cerr);
    }
    if (fuzzCommand->parsed()) {
        if (*fuzzPasscodeOption)
            fuzz.passcode = fuzzPasscode;
        return runFuzz(fuzz, std::cout, std::cerr);
    }
    if (demoCommand->parsed())
        return runDemo(demo, std::cout, std::cerr);
    if (snapshotCommand->parsed()) {
        if (*atOption)
            snapshot.at = at;
        return runSnapshot(snapshot, std::cin, std::cerr);
    }
    for (CLI::App* verb : {show, get, set, remove}) {
        if (verb->parsed())
            settings.verb = verb->get_name();
    }
    return runSettings(settings, std::cout, std::cerr);
}
