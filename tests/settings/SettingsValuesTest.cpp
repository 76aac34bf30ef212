// Reading one setting: present values by their own conversion, missing keys by the default table,
// wrong kinds not corrected.
#include "settings/SettingsValues.h"
#include <gtest/gtest.h>

using foundation::Value;
using namespace ombrel;

TEST(SettingsValues, PresentMissingAndWrongKinds)
{
    Value s = Value::dictionary();
    s.set("enabled", Value::boolean(false));
    s.set("kTrackSize", Value::string("90.5"));      // a string read as the platform reads it
    s.set("kIconSize", Value::boolean(true));        // a Boolean read as a number
    s.set("kTrackTheme", Value::integer(3));         // not a string
    s.set("kPulseIcons", Value::string("no"));
    EXPECT_FALSE(settingBool(s, "enabled"));
    EXPECT_TRUE(settingBool(s, "kLockBarDisabled")); // missing: the default
    EXPECT_FALSE(settingBool(s, "kPulseIcons"));
    EXPECT_DOUBLE_EQ(settingReal(s, "kTrackSize"), 90.5);
    EXPECT_DOUBLE_EQ(settingReal(s, "kIconSize"), 1);
    EXPECT_DOUBLE_EQ(settingReal(s, "kTrackMarginBottom"), 40);
    EXPECT_EQ(settingString(s, "kTrackTheme"), "");
    EXPECT_EQ(settingString(s, "kIconAnimation"), "_zoom");
    EXPECT_EQ(settingString(s, "noSuchKey"), "");
    EXPECT_FALSE(settingBool(Value(), "noSuchKey"));
}
