#include "platform/uikit/Label.h"
#include "platform/uikit/ViewSelectors.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

struct Selectors {
    Sel text { "text" }, setText { "setText:" }, font { "font" }, setFont { "setFont:" };
    Sel textColor { "textColor" }, setTextColor { "setTextColor:" };
    Sel textAlignment { "textAlignment" }, setTextAlignment { "setTextAlignment:" };
};
const Selectors& sels()
{
    static const Selectors s;
    return s;
}

Label* L(Object* o) { return static_cast<Label*>(o); }
std::string text(Object* o, Sel) { return L(o)->m_text; }
void setText(Object* o, Sel, std::string t) { L(o)->m_text = std::move(t); }
Object* font(Object* o, Sel) { return L(o)->m_font.get(); }
void setFont(Object* o, Sel, Object* f) { L(o)->m_font = static_cast<Font*>(f); }
Object* textColor(Object* o, Sel) { return L(o)->m_textColor.get(); }
void setTextColor(Object* o, Sel, Object* c) { L(o)->m_textColor = static_cast<Color*>(c); }
std::int32_t textAlignment(Object* o, Sel) { return L(o)->m_textAlignment; }
void setTextAlignment(Object* o, Sel, std::int32_t a) { L(o)->m_textAlignment = a; }

Object* initWithFrame(Object* o, Sel cmd, Rect frame)
{
    Object* made = runtime::sendSuper<Object*>(runtime::lookUpClass("UILabel"), o, cmd, frame);
    if (made) {
        L(made)->m_font = Font::systemFont(17);
        L(made)->m_textColor = Color::blackColor();
    }
    return made;
}

[[maybe_unused]] const bool g_registered = (viewClass(), runtime::ClassBuilder("UILabel", "UIView"))
                                               .instancesOf<Label>()
                                               .method("initWithFrame:", &initWithFrame)
                                               .method("text", &text)
                                               .method("setText:", &setText)
                                               .method("font", &font)
                                               .method("setFont:", &setFont)
                                               .method("textColor", &textColor)
                                               .method("setTextColor:", &setTextColor)
                                               .method("textAlignment", &textAlignment)
                                               .method("setTextAlignment:", &setTextAlignment)
                                               .registerClass()
    != nullptr;

} // namespace

runtime::Ref<Label> Label::make(Rect frame)
{
    runtime::Ref<View> v = View::make("UILabel", frame);
    return runtime::Ref<Label>(static_cast<Label*>(v.get()));
}

std::string Label::text() const { return runtime::send<std::string>(this, sels().text); }
void Label::setText(const std::string& t) { runtime::send<void>(this, sels().setText, t); }
Font* Label::font() const { return static_cast<Font*>(runtime::send<Object*>(this, sels().font)); }
void Label::setFont(Font* f) { runtime::send<void>(this, sels().setFont, f); }
Color* Label::textColor() const { return static_cast<Color*>(runtime::send<Object*>(this, sels().textColor)); }
void Label::setTextColor(Color* c) { runtime::send<void>(this, sels().setTextColor, c); }
std::int32_t Label::textAlignment() const { return runtime::send<std::int32_t>(this, sels().textAlignment); }
void Label::setTextAlignment(std::int32_t a) { runtime::send<void>(this, sels().setTextAlignment, a); }

} // namespace uikit
