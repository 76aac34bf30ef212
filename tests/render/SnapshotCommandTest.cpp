// `snapshot FILE` lines and `ombrel snapshot`, through the command as a person runs it.
#include "tests/render/PngFile.h"
#include "tests/sim/OmbrelProcess.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using ombrel::testing::ombrel;

struct Snapshot : ::testing::Test {
    std::string folder;
    std::string root;
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ombrel-snapshot.XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        root = folder + "/device";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    void init(const std::string& profile)
    {
        auto made = ombrel({ "init", "--root", root, "--profile", profile });
        ASSERT_EQ(made.status, 0) << made.err;
    }
    std::string scenario(const std::string& text)
    {
        std::string path = folder + "/scenario.txt";
        std::ofstream(path) << text;
        return path;
    }
    std::string setting(const std::string& key) { return ombrel({ "settings", "--root", root, "get", key }).out; }
};

TEST_F(Snapshot, LineWritesThePictureOfTheScreenAndTheRunGoesOn)
{
    for (auto [profile, height] : { std::pair { "iphone4s-5.1.1", 960 }, std::pair { "iphone5-6.1", 1136 } }) {
        std::filesystem::remove_all(root);
        init(profile);
        std::string file = folder + "/made/here/" + profile + ".png";
        auto run = ombrel({ "run", "--root", root, scenario("wait 0.5\nsnapshot " + file + "\nexpect locked yes\n") });
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("lockScreenShown"), std::string::npos); // the trace as ever
        auto picture = rendertest::readPng(file);
        ASSERT_TRUE(picture) << profile;
        EXPECT_EQ(picture->width, 640);
        EXPECT_EQ(picture->height, height);
    }
}

TEST_F(Snapshot, LineThatCannotWriteFailsTheStep)
{
    init("iphone5-6.1");
    std::ofstream(folder + "/file") << "x"; // a file where a folder would have to be
    auto run = ombrel({ "run", "--root", root, scenario("snapshot " + folder + "/file/a.png\n") });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("scenario.txt:1"), std::string::npos) << run.err;
    auto bad = ombrel({ "run", "--root", root, scenario("snapshot\n") });
    EXPECT_EQ(bad.status, 2) << bad.err;
}

TEST_F(Snapshot, CommandIsQuietAndStopsAtTheMoment)
{
    init("iphone5-6.1");
    std::string before = setting("kApp0");
    std::string file = folder + "/out/at.png";
    auto run = ombrel({ "snapshot", "--root", root, "--at", "1", scenario("wait 3\nset kApp0 com.apple.weather\n"), file });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("at 1 s"), std::string::npos) << run.err; // the wait was cut at the moment
    EXPECT_EQ(setting("kApp0"), before);                             // a step after it did not run
    ASSERT_TRUE(rendertest::readPng(file));

    auto whole = ombrel({ "snapshot", "--root", root, scenario("wait 3\nset kApp0 com.apple.weather\n"), file });
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_NE(whole.err.find("at 3 s"), std::string::npos) << whole.err;
    EXPECT_EQ(setting("kApp0"), "\"com.apple.weather\"\n");
}

TEST_F(Snapshot, CommandRunsOnToALaterMomentAndKeepsRunExitCodes)
{
    init("iphone4s-5.1.1");
    std::string file = folder + "/late.png";
    auto late = ombrel({ "snapshot", "--root", root, "--at", "2.5", scenario("wait 1\n"), file });
    EXPECT_EQ(late.status, 0) << late.err;
    EXPECT_NE(late.err.find("at 2.5 s"), std::string::npos) << late.err;

    std::filesystem::remove(file);
    auto failed = ombrel({ "snapshot", "--root", root, "--stock", scenario("expect locked no\n"), file });
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(std::filesystem::exists(file)); // the moment it stopped, to show why

    EXPECT_EQ(ombrel({ "snapshot", "--root", root, "--at", "-1", scenario("wait 1\n"), file }).status, 2);
    EXPECT_EQ(ombrel({ "snapshot", "--root", root, scenario("jump 1\n"), folder + "/no.png" }).status, 2);
    EXPECT_EQ(ombrel({ "snapshot", "--root", folder + "/nothing", scenario("wait 1\n"), folder + "/no.png" }).status, 2);
    EXPECT_FALSE(std::filesystem::exists(folder + "/no.png"));
}

} // namespace
