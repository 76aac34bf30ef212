#include "host/icons/IconView.h"
#include "host/SpringBoard.h"
#include "host/icons/IconBadgeView.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <string>

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

runtime::Class* iconViewClass() { static runtime::Class* cls = runtime::lookUpClass("SBIconView"); return cls; }

IconView* me(Object* self) { return static_cast<IconView*>(self); }

Object* initWithDefaultSize(Object* self, Sel)
{
    static const Sel initWithFrame("initWithFrame:");
    Object* made = runtime::sendSuper<Object*>(iconViewClass(), self, initWithFrame, kIconViewFrame);
    if (!made)
        return nullptr;
    IconView* v = me(made);
    v->m_shadow = uikit::ImageView::make(kIconShadowFrame);
    v->m_shadow->setImage(uikit::Image::named("IconShadow").get());
    v->addSubview(v->m_shadow.get());
    v->m_iconImageView = uikit::ImageView::make(kIconImageFrame);
    v->addSubview(v->m_iconImageView.get());
    v->m_labelView = makeIconLabel(kIconLabelFrame, uikit::Font::systemFont(12).get());
    v->addSubview(v->m_labelView.get());
    return made;
}

// Any icon: an application icon brings its artwork; one without a bundle identifier (a folder
// icon, nothing) leaves the image view empty for the subclass to fill.
void setIcon(Object* self, Sel, Object* icon)
{
    static const Sel bundleIDSel("applicationBundleID"), displayNameSel("displayName"), badgeValueSel("badgeValue");
    IconView* v = me(self);
    v->m_icon = icon;
    const std::string bundleID = runtime::send<std::string>(icon, bundleIDSel);
    if (v->m_iconImageView)
        v->m_iconImageView->setImage(bundleID.empty() ? nullptr : uikit::Image::named("AppIcon-" + bundleID).get());
    if (v->m_labelView)
        v->m_labelView->setText(runtime::send<std::string>(icon, displayNameSel));
    v->showBadge(runtime::send<std::int32_t>(icon, badgeValueSel));
}

Object* icon(Object* self, Sel) { return me(self)->m_icon.get(); }

void setLabelHidden(Object* self, Sel, bool hidden)
{
    IconView* v = me(self);
    v->m_labelHidden = hidden;
    if (v->m_labelView)
        v->m_labelView->setHidden(hidden);
}
bool isLabelHidden(Object* self, Sel) { return me(self)->m_labelHidden; }

void setShadowsHidden(Object* self, Sel, bool hidden)
{
    IconView* v = me(self);
    v->m_shadowsHidden = hidden;
    if (v->m_shadow)
        v->m_shadow->setHidden(hidden);
}
bool shadowsHidden(Object* self, Sel) { return me(self)->m_shadowsHidden; }

} // namespace

void IconView::registerClass()
{
    if (wanted("SBIconView"))
        runtime::ClassBuilder("SBIconView", "UIView")
            .instancesOf<IconView>()
            .method("initWithDefaultSize", &initWithDefaultSize)
            .method("setIcon:", &setIcon)
            .method("icon", &icon)
            .method("setLabelHidden:", &setLabelHidden)
            .method("isLabelHidden", &isLabelHidden)
            .method("setShadowsHidden:", &setShadowsHidden)
            .method("shadowsHidden", &shadowsHidden)
            .ivar<&IconView::m_shadow>("_shadow")
            .ivar<&IconView::m_iconImageView>("_iconImageView")
            .ivar<&IconView::m_labelView>("_labelView")
            .ivar<&IconView::m_badgeView>("_badgeView")
            .ivar<&IconView::m_accessoryView>("_accessoryView")
            .registerClass();
}

runtime::Ref<uikit::View>& IconView::badgeField()
{
    return springBoard().profile.systemVersionNumber < 6.0 ? m_badgeView : m_accessoryView;
}

void IconView::showBadge(std::int32_t value)
{
    runtime::Ref<uikit::View>& field = badgeField();
    if (value <= 0) {
        if (field)
            field->removeFromSuperview();
        field = nullptr;
        return;
    }
    if (auto* badge = static_cast<IconBadgeView*>(field.get())) {
        badge->setValue(value);
        return;
    }
    field = IconBadgeView::make(value);
    if (field)
        addSubview(field.get()); // in front of everything, overhanging the corner
}

} // namespace host
