#include "settings/ThemeColor.h"

#include <gtest/gtest.h>
#include <optional>

namespace ombrel {
namespace {

using foundation::Value;

TEST(ThemeColor, ThemeNames)
{
    struct Case {
        const char* name;
        double alpha;
        std::optional<Color> expected;
    };
    const Case cases[] = {
        {"_red", 0.5, Color{0.780, 0.200, 0.137, 0.5}},
        {"_default", 1.0, Color{0, 0, 0, 1.0}},
        {"_white", 1.0, Color{1, 1, 1, 1.0}},
        {"_purple", 0.25, Color{0.275, 0.047, 0.447, 0.25}},
        {"_green", 1.0, Color{0.165, 0.612, 0.608, 1.0}},
        {"_pink", 1.0, Color{0.941, 0.063, 0.475, 1.0}},
        {"blue", 1.0, std::nullopt},
        {"", 1.0, std::nullopt},
        {"red", 1.0, std::nullopt},
        {"_RED", 1.0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(themeColor(c.name, c.alpha), c.expected) << c.name;
}

TEST(ThemeColor, OnlyThreePartsMakeAColour)
{
    struct Case {
        const char* text;
        std::optional<Color> expected;
    };
    const Case cases[] = {
        {"0.5|0.25|1", Color{0.5, 0.25, 1, 0.8}},
        {"0.5|x|1", Color{0.5, 0, 1, 0.8}}, // a part that is no number reads as 0
        {" 0.5|1.5abc|", Color{0.5, 1.5, 0, 0.8}},
        {"0.5|0.25", std::nullopt},
        {"0.5|0.25|1|0", std::nullopt},
        {"", std::nullopt},
        {"||||", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(colorFromString(c.text, 0.8), c.expected) << c.text;
}

TEST(ThemeColor, FromSettings)
{
    Value settings = Value::dictionary({{"kDateHeaderTheme", Value::string("_red")},
        {"kDateHeaderFontColor", Value::string("blue")}, {"kTrackTheme", Value::real(1.0)}});
    EXPECT_EQ(themeColor(settings, "kDateHeaderTheme", 0.5), (Color{0.780, 0.200, 0.137, 0.5}));
    EXPECT_EQ(themeColor(settings, "kDateHeaderFontColor", 1.0), std::nullopt);
    EXPECT_EQ(themeColor(settings, "kTrackTheme", 1.0), std::nullopt);
    EXPECT_EQ(themeColor(settings, "kMissing", 1.0), std::nullopt);
}

} // namespace
} // namespace ombrel
