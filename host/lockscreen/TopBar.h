#pragma once
// The lock screen's top bar: "TPLCDBar" (an image view: its background image, "shadowImage"
// class method Object*() for the shadow under it, own "setImage:", "setAlpha:", "setFrame:") and
// the "SBAwayDateView" it holds: the clock and the date, made with
// "labelWithFontSize:origin:fontName:" Object*(Float, Point, Object* font), and the now-playing
// labels laid out by "resizeAndPositionNowPlayingLabels" when "setIsShowingControls:" (bool) turns
// the media controls on. The font name travels as a "UIFont" of that name.

#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"

namespace host {

class LCDBar : public uikit::ImageView {
public:
    static void registerClass();
};

class DateView : public uikit::View {
public:
    static void registerClass();

    void updateClock(); // from the device's wall clock, in UTC

    runtime::Ref<uikit::View> timeLabel;
    runtime::Ref<uikit::View> dateLabel;
    runtime::Ref<uikit::View> titleLabel;  // now playing, with media controls
    runtime::Ref<uikit::View> artistLabel;
    bool showingControls = false;
};

} // namespace host
