#pragma once
// "UILabel": one run of text in a font and a colour. Registered methods: "text"/"setText:"
// (std::string), "font"/"setFont:" (Object*, a "UIFont"), "textColor"/"setTextColor:" (Object*),
// "textAlignment"/"setTextAlignment:" (std::int32_t: 0 left, 1 centre, 2 right).
// A new label has the system font at 17 points, black text, left aligned.

#include "platform/uikit/Color.h"
#include "platform/uikit/Font.h"
#include "platform/uikit/View.h"
#include <string>

namespace uikit {

class Label : public View {
public:
    static runtime::Ref<Label> make(Rect frame); // "UILabel" + "initWithFrame:"

    std::string text() const;
    void setText(const std::string&);
    Font* font() const;
    void setFont(Font*);
    Color* textColor() const;
    void setTextColor(Color*);
    std::int32_t textAlignment() const;
    void setTextAlignment(std::int32_t);

    // Behind the registered implementations.
    std::string m_text;
    runtime::Ref<Font> m_font;
    runtime::Ref<Color> m_textColor;
    std::int32_t m_textAlignment = 0;
};

} // namespace uikit
