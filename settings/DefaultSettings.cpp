#include "settings/DefaultSettings.h"

#include <array>

namespace ombrel {

using foundation::Value;

namespace {

struct DefaultEntry {
    const char* key;
    Value (*make)();
};

// One line per key, in the order the settings pane lists them. Lambdas keep each value's kind
// explicit at the place it is defined.
#define OMBREL_BOOL(k, v) DefaultEntry{k, [] { return Value::boolean(v); }}
#define OMBREL_REAL(k, v) DefaultEntry{k, [] { return Value::real(v); }}
#define OMBREL_STRING(k, v) DefaultEntry{k, [] { return Value::string(v); }}

const std::array<DefaultEntry, kDefaultSettingsCount> kDefaults = {
    OMBREL_BOOL("enabled", true),
    OMBREL_BOOL("kLoggingEnabled", false),
    OMBREL_STRING("kTrackTheme", "_default"),
    OMBREL_STRING("kDateHeaderTheme", "_default"),
    OMBREL_REAL("kLockButtonsAlpha", 1.0),
    OMBREL_REAL("kTrackAlpha", 1.0),
    OMBREL_REAL("kIconOpacity", 1.0),
    OMBREL_REAL("kDateHeaderAlpha", 1.0),
    OMBREL_STRING("kDateHeaderFont", "_default"),
    OMBREL_STRING("kDateHeaderFontColor", "_default"),
    OMBREL_REAL("kDateHeaderFontOffset", 0.0),
    OMBREL_REAL("kTrackSize", 75.0),
    OMBREL_REAL("kIconSize", 70.0),
    OMBREL_REAL("kTrackMarginBottom", 40.0),
    OMBREL_REAL("kTrackSideMargin", 10.0),
    OMBREL_BOOL("kDateHeaderDisabled", false),
    OMBREL_BOOL("kDateHeaderFlat", false),
    OMBREL_BOOL("kArtworkBackgroundDisabled", true),
    OMBREL_BOOL("kArtworkViewDisabled", false),
    OMBREL_BOOL("kThemeSideBars", true),
    OMBREL_BOOL("kThemeStatusBar", true),
    OMBREL_BOOL("kLockBarDisabled", true),
    OMBREL_BOOL("kHideDateHeaderBackground", false),
    OMBREL_BOOL("kHideStatusBar", false),
    OMBREL_BOOL("kHideStatusBarBackground", false),
    OMBREL_BOOL("kRepositionBulletin", true),
    OMBREL_BOOL("kHideBulletin", false),
    OMBREL_BOOL("kIconBadgesEnabled", true),
    OMBREL_BOOL("kIconTitlesEnabled", false),
    OMBREL_REAL("kSideViewSlideInWidth", 10.0),
    OMBREL_BOOL("kForceNotificationsToList", false),
    OMBREL_STRING("kIconAnimation", "_zoom"),
    OMBREL_BOOL("kPulseIcons", true),
    OMBREL_REAL("kTrackSliderGrabSize", 10.0),
    OMBREL_BOOL("kIconsShouldCurve", true),
    OMBREL_REAL("kIconMargin", 50.0),
    OMBREL_STRING("kApp0", "com.apple.AppStore"),
    OMBREL_STRING("kApp1", "com.apple.MobileSMS"),
    OMBREL_STRING("kApp2", "com.apple.mobilemail"),
    OMBREL_STRING("kPopupApp0", "com.apple.Preferences"),
    OMBREL_STRING("kPopupApp1", "com.apple.mobileipod"),
    OMBREL_STRING("kPopupApp2", "com.apple.calculator"),
    OMBREL_BOOL("folderEnabled", true),
    OMBREL_BOOL("folderAppsCurve", false),
    OMBREL_BOOL("kFolderStock", false),
    OMBREL_STRING("kRightView", "__NONE__"),
    OMBREL_STRING("kLeftView", "__NONE__"),
    OMBREL_BOOL("kDisableChargingViewBackground", true),
    OMBREL_BOOL("kDisableChargingView", false),
    OMBREL_BOOL("kDismissBulletinsEnabled", true),
    OMBREL_STRING("kActivatorTap", "0"),
    OMBREL_BOOL("kActivatorDoubleTap", true),
    OMBREL_STRING("kActivatorLongHold", "0"),
    OMBREL_STRING("kActivatorSlideRight", "0"),
    OMBREL_STRING("kActivatorSlideLeft", "0"),
    OMBREL_STRING("kActivatorSlideUp", "0"),
    OMBREL_STRING("kActivatorSlideDown", "0"),
};

#undef OMBREL_BOOL
#undef OMBREL_REAL
#undef OMBREL_STRING

} // namespace

Value defaultSettings()
{
    // Built once; every caller gets its own copy-on-write copy, which is as good as a fresh table
    // and saves some 60 allocations on every uncached load.
    static const Value table = [] {
        Value::Dictionary entries;
        for (const DefaultEntry& entry : kDefaults)
            entries.emplace(entry.key, entry.make());
        return Value::dictionary(std::move(entries));
    }();
    return table;
}

Value::Kind defaultSettingKind(std::string_view key)
{
    for (const DefaultEntry& entry : kDefaults) {
        if (key == entry.key)
            return entry.make().kind();
    }
    return Value::Kind::Null;
}

bool isAppSlotKey(std::string_view key)
{
    // "kPopupApp" does not contain "kApp" ("kPopupApp" has "pApp"), so both are checked.
    return key.find("kApp") != std::string_view::npos || key.find("kPopupApp") != std::string_view::npos;
}

} // namespace ombrel
