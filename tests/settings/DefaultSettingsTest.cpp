#include "settings/DefaultSettings.h"

#include <gtest/gtest.h>

namespace ombrel {
namespace {

using foundation::Value;
using Kind = Value::Kind;

TEST(DefaultSettings, HoldsFiftySevenKeysWithTheirNumberKinds)
{
    Value defaults = defaultSettings();
    ASSERT_NE(defaults.asDictionary(), nullptr);
    EXPECT_EQ(defaults.count(), 57u);
    std::map<Kind, int> kinds;
    for (const auto& [key, value] : *defaults.asDictionary()) {
        ++kinds[value.kind()];
        EXPECT_EQ(defaultSettingKind(key), value.kind()) << key;
    }
    EXPECT_EQ(kinds[Kind::Boolean], 26);
    EXPECT_EQ(kinds[Kind::Real], 12);
    EXPECT_EQ(kinds[Kind::String], 19);
}

TEST(DefaultSettings, SpotValues)
{
    struct Case {
        const char* key;
        Value expected;
    };
    const Case cases[] = {
        {"enabled", Value::boolean(true)},
        {"kLoggingEnabled", Value::boolean(false)},
        {"kLockBarDisabled", Value::boolean(true)},
        {"kActivatorDoubleTap", Value::boolean(true)},
        {"folderAppsCurve", Value::boolean(false)},
        {"kTrackSize", Value::real(75.0)},
        {"kIconSize", Value::real(70.0)},
        {"kDateHeaderFontOffset", Value::real(0.0)},
        {"kIconMargin", Value::real(50.0)},
        {"kTrackSliderGrabSize", Value::real(10.0)},
        {"kIconAnimation", Value::string("_zoom")},
        {"kPopupApp1", Value::string("com.apple.mobileipod")},
        {"kApp0", Value::string("com.apple.AppStore")},
        {"kRightView", Value::string("__NONE__")},
        {"kActivatorSlideDown", Value::string("0")},
    };
    Value defaults = defaultSettings();
    for (const Case& c : cases) {
        const Value* value = defaults.find(c.key);
        ASSERT_NE(value, nullptr) << c.key;
        EXPECT_EQ(value->kind(), c.expected.kind()) << c.key;
        EXPECT_EQ(*value, c.expected) << c.key;
    }
    EXPECT_EQ(defaultSettingKind("kApp3"), Kind::Null);
    EXPECT_EQ(defaultSettingKind("kWidgets"), Kind::Null);
}

TEST(DefaultSettings, AppSlotKeysAreTheSixSlotsAndTheirLaterSiblings)
{
    int slots = 0;
    const Value defaults = defaultSettings();
    for (const auto& [key, value] : *defaults.asDictionary())
        slots += isAppSlotKey(key);
    EXPECT_EQ(slots, 6);
    // "Contains anywhere", as the loader skips them.
    for (const char* key : {"kApp4", "kPopupApp3", "xkAppy", "kApps"})
        EXPECT_TRUE(isAppSlotKey(key)) << key;
    for (const char* key : {"kIconSize", "kapp0", "kPopup", "app0"})
        EXPECT_FALSE(isAppSlotKey(key)) << key;
}

TEST(DefaultSettings, EveryCallGivesAnIndependentTable)
{
    Value first = defaultSettings();
    first.set("enabled", Value::boolean(false));
    first.erase("kTrackSize");
    Value second = defaultSettings();
    EXPECT_EQ(*second.find("enabled"), Value::boolean(true));
    EXPECT_EQ(second.count(), 57u);
}

} // namespace
} // namespace ombrel
