// The ombrel command, run as its own process the way a person runs it.

#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "tests/settings/TempDeviceRoot.h"
#include "tests/sim/OmbrelProcess.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace ombrel {
namespace {

using foundation::Value;
using testing::fileBytes;

using testing::ombrel;
using testing::Result;

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = m_folder.folder() + "/device";
        Result init = ombrel({"init", "--root", root});
        ASSERT_EQ(init.status, 0) << init.err;
    }
    std::string settingsPath() const { return root + "/var/mobile/Library/Preferences/com.qx.ombrel.plist"; }
    std::optional<Value> settingsFile() const { return foundation::readPropertyList(settingsPath()); }
    Result settings(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), {"settings", "--root", root});
        return ombrel(std::move(arguments));
    }

    testing::TempDeviceRoot m_folder;
    std::string root;
};

TEST_F(CliTest, InitMakesADeviceRoot)
{
    auto file = settingsFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, defaultSettings());
    auto version = foundation::readPropertyList(root + "/System/Library/CoreServices/SystemVersion.plist");
    ASSERT_TRUE(version);
    EXPECT_EQ(*version->find("ProductVersion"), Value::string("6.1"));
    auto device = foundation::readPropertyList(root + "/var/ombrel/Device.plist");
    ASSERT_TRUE(device);
    EXPECT_EQ(*device->find("Model"), Value::string("iPhone5,2"));
    EXPECT_EQ(*device->find("ScreenHeight"), Value::integer(568));
    EXPECT_EQ(device->find("Passcode"), nullptr);
    auto mail = foundation::readPropertyList(root + "/Applications/MobileMail.app/Info.plist");
    ASSERT_TRUE(mail);
    EXPECT_EQ(*mail->find("CFBundleIdentifier"), Value::string("com.apple.mobilemail"));
    for (const char* folder : {"/Library/Ombrel/SideViews", "/var/mobile/Library/Notes"})
        EXPECT_TRUE(std::filesystem::is_directory(root + folder)) << folder;
}

TEST_F(CliTest, InitWithProfileAndPasscodeOverAnExistingDeviceRoot)
{
    Result again = ombrel({"init", "--root", root, "--profile", "iphone4s-5.1.1", "--passcode", "1234"});
    ASSERT_EQ(again.status, 0) << again.err;
    auto version = foundation::readPropertyList(root + "/System/Library/CoreServices/SystemVersion.plist");
    EXPECT_EQ(*version->find("ProductVersion"), Value::string("5.1.1"));
    auto device = foundation::readPropertyList(root + "/var/ombrel/Device.plist");
    EXPECT_EQ(*device->find("ScreenHeight"), Value::integer(480));
    EXPECT_EQ(*device->find("Passcode"), Value::string("1234"));
}

TEST_F(CliTest, InitRefuses)
{
    std::string other = m_folder.folder() + "/other";
    std::filesystem::create_directories(other);
    testing::writeBytes(other + "/notes.txt", "mine");
    struct Case {
        std::vector<std::string> arguments;
        int status;
    };
    const Case cases[] = {
        {{"init", "--root", other}, 2},
        {{"init", "--root", other + "/notes.txt", "--force"}, 2},
        {{"init", "--root", root, "--profile", "iphone99"}, 2},
        {{"init", "--root", root, "--passcode", "12a4"}, 2},
        {{"init", "--root", other, "--force"}, 0},
    };
    for (const Case& c : cases) {
        Result run = ombrel(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments[2] << run.err;
        if (c.status != 0) {
            EXPECT_FALSE(run.err.empty());
        }
    }
    EXPECT_EQ(fileBytes(other + "/notes.txt"), "mine");
}

TEST_F(CliTest, SetGetDelete)
{
    struct Case {
        std::vector<std::string> set;
        const char* key;
        Value stored;
        const char* shown;
    };
    const Case cases[] = {
        {{"enabled", "NO"}, "enabled", Value::boolean(false), "false"},
        {{"kHideBulletin", "Yes"}, "kHideBulletin", Value::boolean(true), "true"},
        {{"kPulseIcons", "0"}, "kPulseIcons", Value::boolean(false), "false"},
        {{"kTrackSize", "80"}, "kTrackSize", Value::real(80.0), "80.0"},
        {{"kIconMargin", "-2.5"}, "kIconMargin", Value::real(-2.5), "-2.5"},
        {{"kApp0", "com.apple.weather"}, "kApp0", Value::string("com.apple.weather"), "\"com.apple.weather\""},
        {{"kApp3", "com.apple.camera", "--type", "string"}, "kApp3", Value::string("com.apple.camera"), "\"com.apple.camera\""},
        {{"kApp4", "com.apple.weather"}, "kApp4", Value::string("com.apple.weather"), "\"com.apple.weather\""}, // every slot is a string
        {{"kPopupApp3", "com.apple.camera"}, "kPopupApp3", Value::string("com.apple.camera"), "\"com.apple.camera\""},
        {{"kCount", "12", "--type", "int"}, "kCount", Value::integer(12), "12"},
        {{"kTrackSize", "90", "--type", "real"}, "kTrackSize", Value::real(90.0), "90.0"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"set"};
        arguments.insert(arguments.end(), c.set.begin(), c.set.end());
        Result set = settings(arguments);
        ASSERT_EQ(set.status, 0) << c.key << set.err;
        EXPECT_EQ(*settingsFile()->find(c.key), c.stored) << c.key;
        Result get = settings({"get", c.key});
        EXPECT_EQ(get.status, 0);
        EXPECT_EQ(get.out, std::string(c.shown) + "\n") << c.key;
    }

    Result removed = settings({"delete", "kCount"});
    EXPECT_EQ(removed.status, 0) << removed.err;
    EXPECT_EQ(settingsFile()->find("kCount"), nullptr);
    EXPECT_EQ(settings({"get", "kCount"}).status, 1);
    EXPECT_EQ(settings({"delete", "kCount"}).status, 1);

    // A default comes back at the next read; an app slot does not.
    EXPECT_EQ(settings({"delete", "kTrackSize"}).status, 0);
    EXPECT_EQ(settings({"delete", "kApp1"}).status, 0);
    Result show = settings({"get", "kTrackSize"});
    EXPECT_EQ(show.out, "75.0\n");
    EXPECT_EQ(settings({"get", "kApp1"}).status, 1);
}

TEST_F(CliTest, BadRequestsLeaveTheFileAlone)
{
    const std::string before = *fileBytes(settingsPath());
    const std::vector<std::string> cases[] = {
        {"set", "enabled", "maybe"},
        {"set", "kTrackSize", "abc"},
        {"set", "kTrackSize", "75px"},
        {"set", "kTrackSize", "1e999"},
        {"set", "kTrackSize", "nan"},
        {"set", "kTrackSize", "inf"},
        {"set", "kTrackSize", ""},
        {"set", "kNewKey", "1"},
        {"set", "kNewKey", "1", "--type", "float"},
        {"set", "kNewKey", "1.5", "--type", "int"},
        {"set", "kTrackSize", "1", "--type", "bool"},
        {"set", "enabled"},
        {"frobnicate"},
    };
    for (const auto& arguments : cases) {
        Result run = settings(arguments);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(arguments);
        EXPECT_FALSE(run.err.empty()) << ::testing::PrintToString(arguments);
        EXPECT_EQ(fileBytes(settingsPath()), before) << ::testing::PrintToString(arguments);
    }
}

TEST_F(CliTest, ShowAsTextAndJson)
{
    ASSERT_EQ(settings({"set", "kWidgetsCount", "3", "--type", "int"}).status, 0);
    Result text = settings({"show"});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("enabled = true\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("kTrackSize = 75.0\n"), std::string::npos);
    EXPECT_NE(text.out.find("kIconAnimation = \"_zoom\"\n"), std::string::npos);
    EXPECT_NE(text.out.find("kWidgetsCount = 3\n"), std::string::npos);
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), 58);
    EXPECT_LT(text.out.find("enabled ="), text.out.find("folderEnabled =")); // sorted by key

    Result json = settings({"show", "--json"});
    ASSERT_EQ(json.status, 0);
    auto parsed = nlohmann::json::parse(json.out);
    EXPECT_EQ(parsed.size(), 58u);
    EXPECT_TRUE(parsed["enabled"].is_boolean());
    EXPECT_TRUE(parsed["kTrackSize"].is_number_float());
    EXPECT_TRUE(parsed["kWidgetsCount"].is_number_integer());
    EXPECT_EQ(parsed["kApp0"], "com.apple.AppStore");
}

TEST(CliWithoutDeviceRoot, IsRefused)
{
    testing::TempDeviceRoot folder;
    Result run = ombrel({"settings", "--root", folder.folder(), "show"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("not a device root"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path("/var/mobile/Library/Preferences/com.qx.ombrel.plist")));
}

} // namespace
} // namespace ombrel
