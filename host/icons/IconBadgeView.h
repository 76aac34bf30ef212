#pragma once
// "SBIconBadgeView" (a "UIView"): the number in the red oval at an icon's top-right corner. Its
// "initWithFrame:" lays the oval ("SBBadgeBG") and a centred white label over its whole bounds;
// `setValue` puts the number in the label.

#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"
#include <cstdint>

namespace host {

// Overhangs the icon's top-right corner, as SpringBoard draws it.
inline constexpr quartz::Rect kIconBadgeFrame { { 37, -8 }, { 29, 29 } };

class IconBadgeView : public uikit::View {
public:
    static void registerClass();
    // "SBIconBadgeView" "initWithFrame:" kIconBadgeFrame; nothing when the class is left out.
    static runtime::Ref<IconBadgeView> make(std::int32_t value);

    void setValue(std::int32_t value);

    runtime::Ref<uikit::ImageView> m_background;
    runtime::Ref<uikit::Label> m_label;
};

// A centred white label on a clear background: how an icon's name and its badge number are drawn.
runtime::Ref<uikit::Label> makeIconLabel(quartz::Rect frame, uikit::Font*);

} // namespace host
