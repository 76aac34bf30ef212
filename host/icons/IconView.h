#pragma once
// "SBIconView" (a "UIView"): one icon as SpringBoard draws it. Back to front: the shadow
// ("_shadow", artwork "IconShadow"), the icon image ("_iconImageView", "AppIcon-<bundleID>"), the
// label under the icon ("_labelView", the display name, wider than the view so that long names
// fit) and, while the icon has a badge number above zero, the badge (an "SBIconBadgeView"). The
// badge lives in "_badgeView" below system version 6.0 and in "_accessoryView" from 6.0; the other
// field stays empty, as on the phone, so readers pick the field by the version.
// Selectors and their exact types:
//   "initWithDefaultSize" Object*()       UIView "initWithFrame:" with kIconViewFrame, then subviews
//   "setIcon:" void(Object*)  "icon" Object*   the view owns its icon; nil: no image, empty label
//   "setLabelHidden:" void(bool)   "isLabelHidden" bool()
//   "setShadowsHidden:" void(bool) "shadowsHidden" bool()

#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"
#include <cstdint>

namespace host {

inline constexpr quartz::Rect kIconViewFrame { { 0, 0 }, { 59, 62 } }; // the default size
inline constexpr quartz::Rect kIconImageFrame { { 1, 1 }, { 57, 57 } };
inline constexpr quartz::Rect kIconShadowFrame { { -1, 3 }, { 61, 61 } }; // a little larger, lower
inline constexpr quartz::Rect kIconLabelFrame { { -10, 62 }, { 79, 14 } };

class IconView : public uikit::View {
public:
    static void registerClass();

    // Shows a badge with the number while it is above zero, none otherwise, in the field of the
    // device's system version.
    void showBadge(std::int32_t value);

    runtime::Ref<runtime::Object> m_icon;
    runtime::Ref<uikit::ImageView> m_shadow;
    runtime::Ref<uikit::ImageView> m_iconImageView;
    runtime::Ref<uikit::Label> m_labelView;
    runtime::Ref<uikit::View> m_badgeView;     // below 6.0
    runtime::Ref<uikit::View> m_accessoryView; // from 6.0
    bool m_labelHidden = false;
    bool m_shadowsHidden = false;

private:
    runtime::Ref<uikit::View>& badgeField();
};

} // namespace host
