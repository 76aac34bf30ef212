#pragma once
// "UIImage": an image known by its artwork name (and, once known, its size in points). Images
// carry no pixels here; the renderer draws the artwork of the name. A blank image (the transparent
// bitmaps the system makes) has no name and a size. A composite image is drawn from several
// pieces of artwork (its parts, in order) laid out as its name says: "FolderMiniatures" is the
// folder icon's grid of application miniatures, three by three, row by row (parts beyond nine are
// not drawn).

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace uikit {

using quartz::Size;

class Image : public runtime::Object {
public:
    // "imageNamed:" (class method, Object*(std::string)). An empty name gives nothing; any other
    // name gives an image (the artwork may still be missing: the renderer draws nothing then).
    static runtime::Ref<Image> named(const std::string& name);
    // A nameless image of a size (a blank bitmap).
    static runtime::Ref<Image> blank(Size);
    // An image made of the named artworks `parts`, in drawing order; nothing for an empty name.
    static runtime::Ref<Image> composite(const std::string& name, std::vector<std::string> parts);

    const std::string& name() const { return m_name; }
    const std::vector<std::string>& parts() const { return m_parts; } // empty unless composite
    // "size": the size given, else the artwork's (from the size provider), else zero.
    Size size() const;

    // Whoever knows the artwork (the host, the renderer) tells image sizes by name.
    using SizeProvider = std::function<std::optional<Size>(const std::string& name)>;
    static void setSizeProvider(SizeProvider);

    void setName(std::string name) { m_name = std::move(name); }
    void setSize(std::optional<Size> size) { m_size = size; }

private:
    std::string m_name;
    std::optional<Size> m_size;
    std::vector<std::string> m_parts;
};

} // namespace uikit
