#include "host/icons/IconBadgeView.h"
#include "host/SpringBoard.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <string>

namespace host {

using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

runtime::Class* badgeViewClass() { static runtime::Class* cls = runtime::lookUpClass("SBIconBadgeView"); return cls; }

Object* initWithFrame(Object* self, Sel cmd, Rect frame)
{
    Object* made = runtime::sendSuper<Object*>(badgeViewClass(), self, cmd, frame);
    if (!made)
        return nullptr;
    auto* v = static_cast<IconBadgeView*>(made);
    const Rect inside { {}, frame.size };
    v->m_background = uikit::ImageView::make(inside);
    v->m_background->setImage(uikit::Image::named("SBBadgeBG").get());
    v->addSubview(v->m_background.get());
    v->m_label = makeIconLabel(inside, uikit::Font::boldSystemFont(16).get());
    v->addSubview(v->m_label.get());
    return made;
}

} // namespace

void IconBadgeView::registerClass()
{
    if (wanted("SBIconBadgeView"))
        runtime::ClassBuilder("SBIconBadgeView", "UIView")
            .instancesOf<IconBadgeView>()
            .method("initWithFrame:", &initWithFrame)
            .registerClass();
}

runtime::Ref<uikit::Label> makeIconLabel(Rect frame, uikit::Font* font)
{
    runtime::Ref<uikit::Label> label = uikit::Label::make(frame);
    label->setFont(font);
    label->setTextColor(uikit::Color::whiteColor());
    label->setBackgroundColor(uikit::Color::clearColor());
    label->setTextAlignment(1);
    return label;
}

runtime::Ref<IconBadgeView> IconBadgeView::make(std::int32_t value)
{
    runtime::Ref<uikit::View> made = uikit::View::make("SBIconBadgeView", kIconBadgeFrame);
    if (!made || !runtime::isKindOfClass(made.get(), badgeViewClass()))
        return nullptr;
    runtime::Ref<IconBadgeView> badge(static_cast<IconBadgeView*>(made.get()));
    badge->setValue(value);
    return badge;
}

void IconBadgeView::setValue(std::int32_t value)
{
    if (m_label)
        m_label->setText(std::to_string(value));
}

} // namespace host
