#include "platform/uikit/Image.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

Image::SizeProvider& sizeProvider()
{
    static Image::SizeProvider* provider = new Image::SizeProvider; // lives as long as the process
    return *provider;
}

Object* imageNamed(Object*, Sel, std::string name) { return runtime::autorelease(Image::named(name).leak()); }
Size imageSize(Object* self, Sel) { return static_cast<Image*>(self)->size(); }

runtime::Class* imageClass()
{
    static runtime::Class* cls = runtime::ClassBuilder("UIImage", "NSObject")
                                     .instancesOf<Image>()
                                     .classMethod("imageNamed:", &imageNamed)
                                     .method("size", &imageSize)
                                     .registerClass();
    return cls;
}

[[maybe_unused]] const bool g_registered = imageClass() != nullptr;

} // namespace

runtime::Ref<Image> Image::named(const std::string& name)
{
    if (name.empty())
        return nullptr;
    auto object = runtime::alloc(imageClass());
    auto* image = static_cast<Image*>(object.get());
    image->m_name = name;
    return runtime::Ref<Image>(image);
}

runtime::Ref<Image> Image::composite(const std::string& name, std::vector<std::string> parts)
{
    runtime::Ref<Image> image = named(name);
    if (image)
        image->m_parts = std::move(parts);
    return image;
}

runtime::Ref<Image> Image::blank(Size size)
{
    auto object = runtime::alloc(imageClass());
    auto* image = static_cast<Image*>(object.get());
    image->m_size = size;
    return runtime::Ref<Image>(image);
}

Size Image::size() const
{
    if (m_size)
        return *m_size;
    if (!m_name.empty() && sizeProvider())
        if (std::optional<Size> s = sizeProvider()(m_name))
            return *s;
    return {};
}

void Image::setSizeProvider(SizeProvider provider) { sizeProvider() = std::move(provider); }

} // namespace uikit
