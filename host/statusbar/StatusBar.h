#pragma once
// "UIStatusBar": the strip at the top of the screen, made once at boot with "initWithFrame:" in
// its own window above the alerts. "requestStyle:animationParameters:" void(std::int32_t, Object*)
// asks for a style (0 default grey, 1 opaque black, 2 translucent black: the lock screen's) and
// crossfades to its background with "_crossfadeToNewBackgroundView" void(). "style"
// std::int32_t(). The time shows unless the away controller's "shouldShowLockStatusBarTime"
// answers NO while the lock screen is up. The battery (always full, with its percentage) shows at
// the right end.

#include "platform/uikit/View.h"

namespace host {

class StatusBar : public uikit::View {
public:
    static void registerClass();

    std::int32_t style = 0;
    std::int32_t backgroundStyle = 0; // the style the background shows after the crossfade
    runtime::Ref<uikit::View> background;
    runtime::Ref<uikit::View> timeLabel;
};

inline constexpr float kStatusBarHeight = 20;

} // namespace host
