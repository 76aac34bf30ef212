#include "sim/render/Artwork.h"

#include <algorithm>
#include <cairo.h>
#include <cstring>
#include <iostream>
#include <librsvg/rsvg.h>

namespace ombrel::sim {

namespace {

// Enough for every size of every artwork of a few minutes of animation.
constexpr std::size_t kCacheLimit = 96u << 20;

// Opaque artwork (a wallpaper) is kept without alpha: drawing it is then a copy, not a blend.
cairo_surface_t* withoutAlphaWhenOpaque(cairo_surface_t* surface)
{
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * std::size_t(stride));
        for (int x = 0; x < width; ++x)
            if ((row[x] >> 24) != 0xff)
                return surface;
    }
    cairo_surface_t* opaque = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(opaque);
    std::memcpy(cairo_image_surface_get_data(opaque), data, std::size_t(stride) * std::size_t(height));
    cairo_surface_mark_dirty(opaque);
    cairo_surface_destroy(surface);
    return opaque;
}

} // namespace

Artwork::Artwork(std::string folder)
    : m_folder(std::move(folder))
{
}

Artwork::~Artwork()
{
    for (auto& [key, rendered] : m_rendered)
        cairo_surface_destroy(rendered.surface);
    for (auto& [name, source] : m_sources)
        if (source.handle)
            g_object_unref(source.handle);
}

const Artwork::Source& Artwork::source(const std::string& name)
{
    auto found = m_sources.find(name);
    if (found != m_sources.end())
        return found->second;
    Source made;
    // A name is a file name, never a path: nothing outside the folder is read.
    if (!name.empty() && name.find('/') == std::string::npos && name != "." && name != "..") {
        GError* error = nullptr;
        made.handle = rsvg_handle_new_from_file((m_folder + "/" + name + ".svg").c_str(), &error);
        if (error)
            g_error_free(error);
    }
    if (made.handle) {
        gdouble width = 0, height = 0;
        if (!rsvg_handle_get_intrinsic_size_in_pixels(made.handle, &width, &height)) {
            // No absolute width and height: the view box gives the size.
            gboolean hasWidth = false, hasHeight = false, hasViewBox = false;
            RsvgLength w, h;
            RsvgRectangle box {};
            rsvg_handle_get_intrinsic_dimensions(made.handle, &hasWidth, &w, &hasHeight, &h, &hasViewBox, &box);
            width = hasViewBox ? box.width : 0;
            height = hasViewBox ? box.height : 0;
        }
        made.size = { quartz::Float(width), quartz::Float(height) };
    }
    return m_sources.emplace(name, made).first->second;
}

std::optional<quartz::Size> Artwork::size(const std::string& name)
{
    const Source& s = source(name);
    if (!s.handle)
        return std::nullopt;
    return s.size;
}

cairo_surface_t* Artwork::surface(const std::string& name, int width, int height)
{
    auto key = std::make_tuple(name, width, height);
    auto found = m_rendered.find(key);
    if (found != m_rendered.end()) {
        found->second.lastFrame = m_frame;
        return found->second.surface;
    }
    const Source& s = source(name);
    if (!s.handle) {
        if (std::find(m_missing.begin(), m_missing.end(), name) == m_missing.end()) {
            m_missing.push_back(name);
            std::cerr << "ombrel: no artwork for \"" << name << "\"\n";
        }
        return nullptr;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport { 0, 0, double(width), double(height) };
    GError* error = nullptr;
    // The artwork is stretched to the drawn size, as an image view stretches its image.
    if (s.size.width > 0 && s.size.height > 0) {
        cairo_scale(cr, width / double(s.size.width), height / double(s.size.height));
        viewport = { 0, 0, double(s.size.width), double(s.size.height) };
    }
    if (!rsvg_handle_render_document(s.handle, cr, &viewport, &error)) {
        std::cerr << "ombrel: artwork \"" << name << "\" did not render: " << (error ? error->message : "?") << '\n';
    }
    if (error)
        g_error_free(error);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    surface = withoutAlphaWhenOpaque(surface);
    m_bytes += std::size_t(cairo_image_surface_get_stride(surface)) * std::size_t(height);
    m_rendered.emplace(key, Rendered { surface, m_frame });
    return surface;
}

void Artwork::drop(std::map<std::tuple<std::string, int, int>, Rendered>::iterator it)
{
    m_bytes -= std::size_t(cairo_image_surface_get_stride(it->second.surface))
        * std::size_t(cairo_image_surface_get_height(it->second.surface));
    cairo_surface_destroy(it->second.surface);
    m_rendered.erase(it);
}

void Artwork::endFrame()
{
    if (m_bytes > kCacheLimit) {
        for (auto it = m_rendered.begin(); it != m_rendered.end();) {
            auto next = std::next(it);
            if (it->second.lastFrame != m_frame)
                drop(it);
            it = next;
        }
    }
    ++m_frame;
}

} // namespace ombrel::sim
