// The loader's five steps and the writer, on a temporary device root.

#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "tests/settings/TempDeviceRoot.h"

#include <gtest/gtest.h>

namespace ombrel {
namespace {

using foundation::Value;
using testing::fileBytes;

class SettingsStoreTest : public ::testing::Test {
protected:
    std::string settingsPath() const { return m_root.path(kSettingsFilePath); }
    std::optional<Value> fileDictionary() const { return foundation::readPropertyList(settingsPath()); }
    void writeFile(const Value& dictionary) const
    {
        ASSERT_TRUE(foundation::writePropertyList(settingsPath(), dictionary));
    }

    testing::TempDeviceRoot m_root;
};

TEST_F(SettingsStoreTest, NoFileWritesAllDefaultsWithTheirKinds)
{
    Value loaded = loadSettings();
    EXPECT_EQ(loaded, defaultSettings());

    auto file = fileDictionary();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->count(), 57u);
    EXPECT_EQ(*file, defaultSettings()); // equality covers kinds: Boolean true is not integer 1
    std::string xml = *fileBytes(settingsPath());
    EXPECT_NE(xml.find("<true/>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<false/>"), std::string::npos);
    EXPECT_NE(xml.find("<real>75"), std::string::npos);
    EXPECT_EQ(xml.find("<integer>"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(settingsPath() + kUnreadableSettingsFileSuffix));
}

TEST_F(SettingsStoreTest, PartialFileGetsMissingDefaultsButNoAppSlots)
{
    writeFile(Value::dictionary({{"enabled", Value::boolean(false)}}));
    Value loaded = loadSettings();

    auto file = fileDictionary();
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, loaded);
    EXPECT_EQ(file->count(), 51u); // 50 filled in + enabled
    EXPECT_EQ(*file->find("enabled"), Value::boolean(false));
    EXPECT_EQ(*file->find("kTrackSize"), Value::real(75.0));
    for (const char* slot : {"kApp0", "kApp1", "kApp2", "kPopupApp0", "kPopupApp1", "kPopupApp2"})
        EXPECT_EQ(file->find(slot), nullptr) << slot;
}

TEST_F(SettingsStoreTest, EmptyDictionaryIsTreatedAsNoFile)
{
    writeFile(Value::dictionary());
    EXPECT_EQ(loadSettings(), defaultSettings());
    EXPECT_EQ(*fileDictionary(), defaultSettings());
    EXPECT_FALSE(std::filesystem::exists(settingsPath() + kUnreadableSettingsFileSuffix));
}

TEST_F(SettingsStoreTest, CompleteFileIsNotRewritten)
{
    // Binary form on disk: any rewrite by the loader would turn it into XML.
    Value settings = defaultSettings();
    settings.set("kTrackSize", Value::string("big"));    // wrong kinds stay as they are
    settings.set("kApp3", Value::string("com.apple.weather"));
    settings.erase("kApp1");                              // an emptied slot stays empty
    std::string binary = foundation::binaryPropertyList(settings);
    testing::writeBytes(settingsPath(), binary);

    for (int call = 0; call < 3; ++call) {
        EXPECT_EQ(loadSettings(), settings);
        EXPECT_EQ(fileBytes(settingsPath()), binary);
    }
}

TEST_F(SettingsStoreTest, EachCallReturnsItsOwnCopy)
{
    for (bool cached : {true, false}) {
        setSettingsCacheEnabled(cached);
        writeFile(defaultSettings());
        Value first = loadSettings();
        first.set("enabled", Value::boolean(false));
        first.mutableDictionary()->erase("kTrackSize");
        Value second = loadSettings();
        EXPECT_EQ(*second.find("enabled"), Value::boolean(true)) << cached;
        EXPECT_NE(second.find("kTrackSize"), nullptr) << cached;
    }
}

TEST_F(SettingsStoreTest, WriterReplacesTheWholeFile)
{
    Value settings = defaultSettings();
    settings.set("kWidgets", Value::dictionary({{"tap", Value::integer(3)}}));
    settings.erase("kHideBulletin");
    ASSERT_TRUE(writeSettings(settings));
    EXPECT_EQ(*fileDictionary(), settings);

    EXPECT_FALSE(writeSettings(Value::array()));
    EXPECT_FALSE(writeSettings(Value::string("x")));
    EXPECT_EQ(*fileDictionary(), settings);
}

TEST_F(SettingsStoreTest, FailedWritesAreSilentAndRetried)
{
    std::filesystem::remove_all(m_root.path("/var/mobile/Library/Preferences"));
    EXPECT_EQ(loadSettings(), defaultSettings());
    EXPECT_FALSE(writeSettings(defaultSettings()));

    std::filesystem::create_directories(m_root.path("/var/mobile/Library/Preferences"));
    EXPECT_EQ(loadSettings(), defaultSettings());
    EXPECT_EQ(fileDictionary(), defaultSettings());
}

TEST(SettingsStoreWithoutRoot, GivesDefaultsAndTouchesNothing)
{
    foundation::setDeviceRoot("");
    EXPECT_EQ(loadSettings(), defaultSettings());
    EXPECT_FALSE(writeSettings(defaultSettings()));
}

} // namespace
} // namespace ombrel
