// `ombrel demo` as a person runs it: a fresh phone filmed from the lock screen to the application it
// unlocks into; frames, contact sheet and trace on disk, the temporary root gone afterwards.
#include "tests/render/PngFile.h"
#include "tests/sim/OmbrelProcess.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <filesystem>
#include <fstream>
#include <regex>

namespace {

namespace fs = std::filesystem;
using ombrel::testing::ombrel;
using ombrel::testing::Result;

struct Demo : ::testing::Test {
    void SetUp() override
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-demo-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string folder;
};

TEST_F(Demo, FilmsTheWholeJourneyOnBothPhones)
{
    struct Case {
        const char* profile;
        int height;
    } cases[] = { { "iphone5-6.1", 1136 }, { "iphone4s-5.1.1", 960 } };
    for (const Case& c : cases) {
        std::string out = folder + "/" + c.profile;
        fs::create_directories(out + "/frames");
        std::ofstream(out + "/frames/frame-9999.png") << "left from an earlier demo";
        Result run = ombrel({ "demo", "--profile", c.profile, "--out", out });
        ASSERT_EQ(run.status, 0) << run.err;

        // The summary names the frame count, and exactly those frames are there, numbered from 1.
        std::smatch count;
        ASSERT_TRUE(std::regex_search(run.out, count, std::regex("(\\d+) frames at 30 per second"))) << run.out;
        int frames = std::stoi(count[1]);
        EXPECT_GT(frames, 60);
        std::size_t files = 0;
        for (const auto& entry : fs::directory_iterator(out + "/frames"))
            files += entry.path().extension() == ".png";
        EXPECT_EQ(files, std::size_t(frames)) << "the stale frame is gone, nothing else is missing";
        auto first = rendertest::readPng(out + "/frames/frame-0001.png");
        char last[32];
        std::snprintf(last, sizeof last, "/frames/frame-%04d.png", frames);
        auto end = rendertest::readPng(out + last);
        ASSERT_TRUE(first && end) << c.profile;
        EXPECT_EQ(first->width, 640);
        EXPECT_EQ(first->height, c.height);
        EXPECT_NE(first->pixels, end->pixels) << "the lock screen at the start, the application at the end";
        auto sheet = rendertest::readPng(out + "/contact-sheet.png");
        ASSERT_TRUE(sheet);
        EXPECT_GT(sheet->height, sheet->width) << "seven moments, three to a row";

        // The trace: the launch comes after the unlock.
        std::ifstream trace(out + "/trace.jsonl");
        std::vector<std::string> events;
        for (std::string line; std::getline(trace, line);) {
            auto event = nlohmann::json::parse(line);
            events.push_back(event["event"].get<std::string>() + (event.contains("bundleID") ? " " + event["bundleID"].get<std::string>() : ""));
        }
        auto at = [&](const std::string& e) { return std::find(events.begin(), events.end(), e) - events.begin(); };
        EXPECT_LT(at("unlockRequested"), at("unlocked"));
        EXPECT_LT(at("unlocked"), at("applicationLaunched com.apple.Preferences"));
        EXPECT_LT(at("applicationLaunched com.apple.Preferences"), std::ptrdiff_t(events.size()));

        // The temporary device root it named is gone.
        std::smatch root;
        ASSERT_TRUE(std::regex_search(run.err, root, std::regex("in (\\S+ombrel-demo-\\S+)\\n"))) << run.err;
        EXPECT_FALSE(fs::exists(root[1].str())) << root[1];
    }
}

TEST_F(Demo, BadRequestsWriteNothing)
{
    Result unknown = ombrel({ "demo", "--profile", "iphone99", "--out", folder + "/out" });
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("no device profile \"iphone99\""), std::string::npos) << unknown.err;
    EXPECT_FALSE(fs::exists(folder + "/out"));

    // A folder that is neither empty nor a device root is not taken as the device.
    fs::create_directories(folder + "/notes");
    std::ofstream(folder + "/notes/keep.txt") << "mine";
    Result taken = ombrel({ "demo", "--root", folder + "/notes", "--out", folder + "/out" });
    EXPECT_EQ(taken.status, 2) << taken.err;
    EXPECT_TRUE(fs::exists(folder + "/notes/keep.txt"));
}

} // namespace
