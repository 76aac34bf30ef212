// `ombrel fuzz` through the command: a small campaign passes; an injected violation is caught,
// shrunk and written as a scenario that `ombrel run` replays; a crashing child is reported. And the
// scenario lines the fuzzer writes: setraw, garbage-settings, invariants and check.

#include "platform/foundation/PropertyList.h"
#include "tests/settings/TempDeviceRoot.h"
#include "tests/sim/OmbrelProcess.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace ombrel {
namespace {

using foundation::Value;
using testing::ombrel;
using testing::Result;

// Sets an environment variable for the life of the object (children inherit it).
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value)
        : name(name)
    {
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() { ::unsetenv(name); }
    const char* name;
};

std::vector<std::string> scenarioFiles(const std::string& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".scn")
            files.push_back(entry.path().string());
    return files;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class FuzzTest : public ::testing::Test {
protected:
    Result fuzz(std::vector<std::string> extra) const
    {
        std::vector<std::string> arguments{"fuzz", "--out", m_folder.folder() + "/out", "--jobs", "2"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return ombrel(arguments);
    }
    std::string outFolder() const { return m_folder.folder() + "/out"; }
    std::string makeRoot(const std::string& profile, const std::string& passcode = {}) const
    {
        std::string root = m_folder.folder() + "/device-" + profile + passcode;
        std::vector<std::string> init{"init", "--root", root, "--profile", profile};
        if (!passcode.empty()) {
            init.push_back("--passcode");
            init.push_back(passcode);
        }
        EXPECT_EQ(ombrel(init).status, 0);
        return root;
    }

    testing::TempDeviceRoot m_folder;
};

TEST_F(FuzzTest, ASmallCampaignFindsNoViolation)
{
    struct Case {
        const char* profile;
        const char* passcode;
    } cases[] = {{"iphone5-6.1", nullptr}, {"iphone4s-5.1.1", "1234"}};
    for (const Case& c : cases) {
        std::vector<std::string> options{"--seed", "7", "--sequences", "30", "--max-events", "60", "--profile", c.profile};
        if (c.passcode) {
            options.push_back("--passcode");
            options.push_back(c.passcode);
        }
        Result result = fuzz(options);
        EXPECT_EQ(result.status, 0) << c.profile << '\n' << result.err;
        EXPECT_TRUE(std::regex_match(result.out, std::regex("30 sequences, [1-9][0-9]* events, 0 violations\n"))) << result.out;
        EXPECT_TRUE(!std::filesystem::exists(outFolder()) || scenarioFiles(outFolder()).empty());
    }
}

TEST_F(FuzzTest, AnInjectedViolationIsShrunkAndReplays)
{
    // The ending of a sequence never opens the camera: the release on the camera button must stay.
    ScopedEnv inject("OMBREL_FUZZ_INJECT", "2:cameraActivated");
    Result result = fuzz({"--seed", "11", "--sequences", "12", "--max-events", "60", "--passcode", "1234"});
    ASSERT_EQ(result.status, 1) << result.err;
    std::smatch count;
    ASSERT_TRUE(std::regex_match(result.out, count, std::regex("12 sequences, [0-9]+ events, ([1-9][0-9]*) violations\n"))) << result.out;
    std::vector<std::string> files = scenarioFiles(outFolder());
    ASSERT_EQ(files.size(), std::stoul(count[1])) << result.err;
    EXPECT_NE(result.err.find("ombrel run --root"), std::string::npos) << "the replay commands are printed";

    // The shrunk one: the thumb taken onto the camera button, and little else.
    std::string shrunk;
    for (const std::string& file : files)
        if (readFile(file).find(", shrunk\n") != std::string::npos)
            shrunk = file;
    ASSERT_FALSE(shrunk.empty()) << result.err;
    std::string text = readFile(shrunk);
    EXPECT_NE(text.find("# ombrel fuzz: invariant 2 (launch): injected failure after cameraActivated"), std::string::npos) << text;
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    ASSERT_GE(lines.size(), 3u) << text;
    EXPECT_EQ(lines.front(), "invariants");
    std::smatch sizes;
    ASSERT_TRUE(std::regex_search(result.err, sizes, std::regex("shrunk from ([0-9]+) to ([0-9]+) lines"))) << result.err;
    EXPECT_EQ(lines.size(), std::stoul(sizes[2]) + 1) << text;
    EXPECT_LE(lines.size(), 15u) << "not shrunk:\n" << text;
    EXPECT_EQ(lines.back().substr(0, 3), "up ") << "the release opens the camera:\n" << text;

    // Replayed on a device like the fuzzer's: the same line fails; without the injection it passes.
    std::string seed = std::filesystem::path(shrunk).stem().string().substr(std::string("fuzz-violation-").size());
    std::string root = makeRoot("iphone5-6.1", "1234");
    Result replay = ombrel({"run", "--root", root, "--seed", seed, shrunk});
    EXPECT_EQ(replay.status, 1) << replay.err;
    EXPECT_NE(replay.err.find(lines.back() + ": invariant 2 (launch): injected failure"), std::string::npos) << replay.err;
    ::unsetenv("OMBREL_FUZZ_INJECT");
    Result clean = ombrel({"run", "--root", root, "--seed", seed, shrunk});
    EXPECT_EQ(clean.status, 0) << clean.err;
}

TEST_F(FuzzTest, ACrashingChildIsAViolation)
{
    ScopedEnv inject("OMBREL_FUZZ_INJECT", "crash:lockScreenShown"); // boot records it: every child dies
    Result result = fuzz({"--seed", "3", "--sequences", "2", "--max-events", "5"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(std::regex_match(result.out, std::regex("2 sequences, [0-9]+ events, 2 violations\n"))) << result.out;
    EXPECT_NE(result.err.find("invariant 3 (crash): the child was killed by signal Aborted"), std::string::npos) << result.err;
    EXPECT_EQ(scenarioFiles(outFolder()).size(), 2u);
}

TEST_F(FuzzTest, BadRequestsAreRefused)
{
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--profile", "nokia"}, {"--passcode", "12"}, {"--max-events", "0"}, {"--jobs", "0"}}) {
        Result result = fuzz(options);
        EXPECT_EQ(result.status, 2) << options[0] << ' ' << options[1];
        EXPECT_EQ(result.out, "");
    }
}

class FuzzLinesTest : public FuzzTest {
protected:
    void SetUp() override { root = makeRoot("iphone4s-5.1.1"); }
    Result run(const std::string& scenario) const { return ombrel({"run", "--root", root, "--seed", "1", "-"}, scenario); }
    std::string settingsPath() const { return root + "/var/mobile/Library/Preferences/com.qx.ombrel.plist"; }
    std::string root;
};

TEST_F(FuzzLinesTest, SetrawWritesAnyKindAndTheInvariantsAllowIt)
{
    Result result = run("invariants\nsetraw kTrackSize string big\nsetraw kNew real nan\nwait 0.1\n");
    ASSERT_EQ(result.status, 0) << result.err;
    auto settings = foundation::readPropertyList(settingsPath());
    ASSERT_TRUE(settings);
    ASSERT_TRUE(settings->find("kTrackSize"));
    EXPECT_EQ(settings->find("kTrackSize")->kind(), Value::Kind::String);
}

TEST_F(FuzzLinesTest, GarbageSettingsReplaceTheFileAndAreRepairedWithoutAViolation)
{
    Result result = run("invariants\ngarbage-settings 00ff3c\nwait 0.1\ndown 160 H-78\nup 160 H-78\nwait 1\n");
    ASSERT_EQ(result.status, 0) << result.err;
    auto settings = foundation::readPropertyList(settingsPath());
    EXPECT_TRUE(settings && settings->kind() == Value::Kind::Dictionary) << "the next load repaired it";
}

TEST_F(FuzzLinesTest, ChecksFailWithTheirInvariant)
{
    Result settled = run("invariants\nwait 1\ncheck settled\nlock\nwait 1\ncheck relocked\n");
    EXPECT_EQ(settled.status, 0) << settled.err;
    // Unlocked by the thumb onto the unlock button and not locked again.
    Result unlocked = run("down 160 H-78\nmove 275 H-78\nup 275 H-78\nwait 1\ncheck relocked\n");
    EXPECT_EQ(unlocked.status, 1);
    EXPECT_NE(unlocked.err.find("check relocked: invariant 6 (relocked): lock, unlock, lock did not end locked"), std::string::npos)
        << unlocked.err;
}

TEST_F(FuzzLinesTest, BadLinesAreRefused)
{
    struct Case {
        const char* line;
        const char* says;
    } cases[] = {
        {"setraw kTrackSize real", "expected: setraw KEY KIND VALUE"},
        {"setraw kTrackSize float 1", "unknown kind \"float\""},
        {"setraw kTrackSize int 1.5", "\"1.5\" is not a int value"},
        {"setraw kTrackSize array x", "\"x\" is not a array value"},
        {"garbage-settings 0g", "is not empty, truncated or bytes in hexadecimal"},
        {"garbage-settings abc", "is not empty, truncated or bytes in hexadecimal"},
        {"check tidy", "unknown check \"tidy\""},
        {"invariants now", "expected: invariants"},
    };
    for (const Case& c : cases) {
        Result result = run(std::string(c.line) + "\n");
        EXPECT_EQ(result.status, 2) << c.line;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace ombrel
