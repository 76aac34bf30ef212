// `ombrel run`: scenario lines checked before the device boots, expectations, dumps and the trace,
// through the command as a person runs it.

#include "platform/foundation/PropertyList.h"
#include "tests/settings/TempDeviceRoot.h"
#include "tests/sim/OmbrelProcess.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <algorithm>
#include <sstream>

namespace ombrel {
namespace {

using foundation::Value;
using nlohmann::json;
using testing::ombrel;
using testing::Result;

class RunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = m_folder.folder() + "/device";
        Result init = ombrel({"init", "--root", root, "--profile", "iphone4s-5.1.1"});
        ASSERT_EQ(init.status, 0) << init.err;
    }
    // The stock phone runs the scenario given on standard input.
    Result run(const std::string& scenario, std::vector<std::string> extra = {"--stock"}) const
    {
        std::vector<std::string> arguments{"run", "--root", root};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        arguments.push_back("-");
        return ombrel(arguments, scenario);
    }
    static std::vector<json> lines(const std::string& out)
    {
        std::vector<json> parsed;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            parsed.push_back(json::parse(line, nullptr, false));
        return parsed;
    }

    testing::TempDeviceRoot m_folder;
    std::string root;
};

TEST_F(RunTest, ABadLineStopsTheRunBeforeItStartsWithItsLineNumber)
{
    struct Case {
        std::string scenario;
        int line;
        std::string says;
    };
    const Case cases[] = {
        {"lock\njump 1 2\n", 2, "unknown verb \"jump\""},
        {"# a comment\n\ndown 10\n", 3, "expected: down X Y"},
        {"wait abc\n", 1, "\"abc\" is not a number of seconds"},
        {"wait -1\n", 1, "not a number of seconds"},
        {"tap 10 12px\n", 1, "\"12px\" is not a coordinate"},
        {"tap W*2 10\n", 1, "\"W*2\" is not a coordinate"},
        {"move nan 3\n", 1, "\"nan\" is not a coordinate"},
        {"drag 1 2 3 4 0\n", 1, "not a number of steps"},
        {"drag 1 2 3\n", 1, "expected: drag X1 Y1 X2 Y2 [STEPS]"},
        {"lock now\n", 1, "expected: lock"},
        {"set kTrackSize big\n", 1, "\"big\" is not a valid real for kTrackSize"},
        {"set kNoSuchKey 1\n", 1, "kNoSuchKey is not a known setting"},
        {"passcode\n", 1, "expected: passcode CODE"},
        {"lock\nexpect locked maybe\n", 2, "\"maybe\" is not yes or no"},
        {"expect wonders\n", 1, "unknown expectation \"wonders\""},
        {"expect view four hidden no\n", 1, "\"four\" is not a view tag"},
        {"expect event\n", 1, "expected: expect event NAME"},
        {"expect event unlocked success\n", 1, "\"success\" is not FIELD=VALUE"},
        {"expect lockview trackCenter [1,2] ~x\n", 1, "\"~x\" is not a tolerance"},
        {"expect view 500#x hidden no\n", 1, "\"500#x\" is not TAG#N"},
        {"expect views 500 many\n", 1, "\"many\" is not a count"},
        {"expect view 2 frame.y >= far\n", 1, "\"far\" is not a number to compare with"},
    };
    for (const Case& c : cases) {
        Result result = run(c.scenario);
        EXPECT_EQ(result.status, 2) << c.scenario;
        EXPECT_NE(result.err.find("<stdin>:" + std::to_string(c.line) + ": "), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "") << "nothing runs: " << c.scenario; // not even boot's trace
    }
}

TEST_F(RunTest, AFailedExpectationStopsWithItsLineAndWhatWasFound)
{
    Result result = run("expect locked yes\n# the phone boots locked\nexpect locked no\nlock\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("<stdin>:3: expect locked no: found locked yes"), std::string::npos) << result.err;

    Result event = run("expect event lockScreenShown\nexpect event lockScreenShown\n");
    EXPECT_EQ(event.status, 1) << "the second looks after the first match";
    EXPECT_NE(event.err.find("<stdin>:2: expect event lockScreenShown: no such event"), std::string::npos) << event.err;

    Result view = run("expect view 987654 hidden no\n");
    EXPECT_EQ(view.status, 1);
    EXPECT_NE(view.err.find("<stdin>:1: expect view 987654 hidden no: no view with tag 987654"), std::string::npos)
        << view.err;
}

TEST_F(RunTest, ViewsByIndexCountAndComparison)
{
    // With the library: three row applications (App Store, Messages, Mail) and the folder.
    Result met = run("expect views 500 3\nexpect view 500#0 center.x < 60\nexpect view 500#2 center.x > 150\n"
                     "expect view 500 center.x >= 197.5\nexpect view 2 frame.y <= H-100 ~100\n",
        {});
    EXPECT_EQ(met.status, 0) << met.err;
    struct Case {
        const char* line;
        const char* found;
    } failing[] = {
        {"expect views 500 4", "found 3"},
        {"expect view 500#5 hidden no", "no view with tag 500 at index 5"},
        {"expect view 500#0 center.x > 60", "view 500 center.x is 45.5"},
        {"expect view 500#0 image < 3", "view 500 image is absent"},
    };
    for (const Case& c : failing) {
        Result result = run(std::string(c.line) + "\n", {});
        EXPECT_EQ(result.status, 1) << c.line;
        EXPECT_NE(result.err.find(c.found), std::string::npos) << result.err;
    }
}

TEST_F(RunTest, ASeedMakesTheRainReplay)
{
    // Released on the unlock button, the icons fall with random sizes and speeds.
    const std::string scenario = "down 160 H-78\nmove 220 H-78\nmove 275 H-78\nup 275 H-78\nwait 0.15\ndump\n";
    auto rain = [&](const char* seed) {
        Result result = run(scenario, {"--seed", seed});
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<json> out = lines(result.out);
        return out.empty() ? json() : out.back()["windows"];
    };
    json first = rain("5");
    EXPECT_FALSE(first.is_null());
    EXPECT_EQ(rain("5"), first);
    EXPECT_NE(rain("6"), first);
}

TEST_F(RunTest, AStepTheDeviceRefusesFails)
{
    Result result = run("lock\npasscode 1234\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("<stdin>:2: passcode 1234: no passcode keypad is shown"), std::string::npos) << result.err;
}

TEST_F(RunTest, TheTraceIsJsonLinesInTimeOrder)
{
    Result result = run("wait 9\nexpect event screenDimmed\n");
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<json> events = lines(result.out);
    ASSERT_FALSE(events.empty());
    double last = 0;
    for (const json& event : events) {
        ASSERT_TRUE(event.is_object()) << result.out;
        ASSERT_TRUE(event["t"].is_number() && event["event"].is_string()) << event;
        EXPECT_GE(event["t"].get<double>(), last);
        last = event["t"];
    }
    EXPECT_NE(std::find(events.begin(), events.end(), json{{"t", 0}, {"event", "lockScreenShown"}}), events.end())
        << result.out;
    EXPECT_EQ(events.back()["event"], "screenDimmed");
    EXPECT_NEAR(events.back()["t"].get<double>(), 8, 1e-9);
}

void expectViewShape(const json& view, int depth = 0)
{
    ASSERT_LT(depth, 64);
    for (const char* key : {"class", "tag", "frame", "bounds", "center", "transform", "hidden", "alpha",
             "userInteraction", "presented", "subviews"})
        ASSERT_TRUE(view.contains(key)) << key << " in " << view.dump().substr(0, 200);
    EXPECT_TRUE(view["class"].is_string());
    EXPECT_TRUE(view["tag"].is_number_integer());
    for (const json* rect : {&view["frame"], &view["bounds"], &view["presented"]["frame"]}) {
        ASSERT_EQ(rect->size(), 4u);
        for (const json& n : *rect)
            EXPECT_TRUE(n.is_number());
    }
    EXPECT_EQ(view["center"].size(), 2u);
    for (const json* matrix : {&view["transform"], &view["presented"]["transform"]}) {
        ASSERT_EQ(matrix->size(), 16u);
        for (const json& n : *matrix)
            EXPECT_TRUE(n.is_number());
    }
    EXPECT_TRUE(view["presented"]["opacity"].is_number());
    EXPECT_TRUE(view["hidden"].is_boolean() && view["userInteraction"].is_boolean());
    if (view.contains("image")) {
        EXPECT_TRUE(view["image"].is_string() || view["image"].is_null());
    }
    if (view.contains("text")) {
        EXPECT_TRUE(view["text"].is_string());
    }
    for (const json& subview : view["subviews"])
        expectViewShape(subview, depth + 1);
}

TEST_F(RunTest, DumpShape)
{
    std::string file = m_folder.folder() + "/dump.json";
    Result result = run("wait 0.5\ndump\ndump " + file + "\n");
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<json> out = lines(result.out);
    ASSERT_FALSE(out.empty());
    const json& dump = out.back();
    ASSERT_TRUE(dump.is_object()) << result.out;
    EXPECT_EQ(json::parse(*testing::fileBytes(file)), dump) << "the file holds the same dump";

    EXPECT_NEAR(dump["time"].get<double>(), 0.5, 1e-9);
    EXPECT_EQ(dump["locked"], true);
    EXPECT_EQ(dump["passcodeKeypadShown"], false);
    EXPECT_TRUE(dump["frontApplication"].is_null());
    for (const char* key : {"initialised", "lockScreen", "unlockInProgress", "responderGuard", "pendingApplication",
             "topBarHeight", "systemVersion"})
        EXPECT_TRUE(dump["state"].contains(key) && dump["state"][key].is_null()) << key << ": no library, no values";
    EXPECT_TRUE(dump.contains("lockView") && dump["lockView"].is_null());
    ASSERT_TRUE(dump["windows"].is_array());
    ASSERT_FALSE(dump["windows"].empty());
    bool alertWindow = false;
    for (const json& window : dump["windows"]) {
        expectViewShape(window);
        if (window["class"] == "SBAlertWindow") {
            alertWindow = true;
            EXPECT_EQ(window["frame"], json({0, 0, 320, 480}));
        }
    }
    EXPECT_TRUE(alertWindow) << "the lock screen's window is on screen";
}

TEST_F(RunTest, SetWritesTheSettingsFileWithTheKindOfTheDefault)
{
    Result result = run("set kTrackSize 100\nset kLockBarDisabled no\nexpect event settingsWritten\n");
    ASSERT_EQ(result.status, 0) << result.err;
    auto file = foundation::readPropertyList(root + "/var/mobile/Library/Preferences/com.qx.ombrel.plist");
    ASSERT_TRUE(file);
    EXPECT_EQ(*file->find("kTrackSize"), Value::real(100));
    EXPECT_EQ(*file->find("kLockBarDisabled"), Value::boolean(false));
}

TEST_F(RunTest, BadRequests)
{
    std::string scenario = m_folder.folder() + "/s.scn";
    testing::writeBytes(scenario, "lock\n");
    const std::vector<std::string> cases[] = {
        {"run", "--root", m_folder.folder() + "/nothing", "--stock", scenario},
        {"run", "--root", root, "--stock", m_folder.folder() + "/missing.scn"},
        {"run", "--root", root, "--library", m_folder.folder() + "/libNone.so", scenario},
        {"run", "--root", root, "--library", scenario + "x", "--stock", scenario},
        {"run", "--root", root},
    };
    for (const auto& arguments : cases) {
        Result result = ombrel(arguments);
        EXPECT_EQ(result.status, 2) << ::testing::PrintToString(arguments);
        EXPECT_FALSE(result.err.empty());
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
} // namespace ombrel
