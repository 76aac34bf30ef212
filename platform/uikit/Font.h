#pragma once
// "UIFont": a font name and a point size. The renderer maps names to installed faces.

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <string>

namespace uikit {

using quartz::Float;

inline constexpr const char* kSystemFontName = "Helvetica";
inline constexpr const char* kBoldSystemFontName = "Helvetica-Bold";

class Font : public runtime::Object {
public:
    // "fontWithName:size:" (class method, Object*(std::string, Float)).
    static runtime::Ref<Font> make(std::string name, Float pointSize);
    static runtime::Ref<Font> systemFont(Float pointSize);     // "systemFontOfSize:"
    static runtime::Ref<Font> boldSystemFont(Float pointSize); // "boldSystemFontOfSize:"

    std::string name;
    Float pointSize = 0;
};

} // namespace uikit
