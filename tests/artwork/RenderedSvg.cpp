#include "tests/artwork/RenderedSvg.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cstring>
#include <memory>

namespace ombrel::test {

namespace {

struct HandleDeleter {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};
using Handle = std::unique_ptr<RsvgHandle, HandleDeleter>;

Handle openHandle(const std::string& path)
{
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &error);
    if (error)
        g_error_free(error);
    return Handle(handle);
}

} // namespace

std::size_t RenderedSvg::visiblePixels() const
{
    std::size_t count = 0;
    for (std::uint32_t pixel : pixels)
        count += (pixel >> 24) != 0;
    return count;
}

std::optional<SvgSize> loadSvgSize(const std::string& path)
{
    Handle handle = openHandle(path);
    if (!handle)
        return std::nullopt;
    gboolean hasWidth = false, hasHeight = false, hasViewBox = false;
    RsvgLength width {}, height {};
    RsvgRectangle viewBox {};
    rsvg_handle_get_intrinsic_dimensions(handle.get(), &hasWidth, &width, &hasHeight, &height, &hasViewBox, &viewBox);
    if (!hasWidth || !hasHeight || !hasViewBox || width.unit != RSVG_UNIT_PX || height.unit != RSVG_UNIT_PX)
        return std::nullopt;
    return SvgSize { width.length, height.length, viewBox.x, viewBox.y, viewBox.width, viewBox.height };
}

std::optional<RenderedSvg> renderSvg(const std::string& path, double width, double height)
{
    Handle handle = openHandle(path);
    if (!handle)
        return std::nullopt;
    RenderedSvg out;
    out.width = int(width * 2);
    out.height = int(height * 2);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, out.width, out.height);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport { 0, 0, double(out.width), double(out.height) };
    GError* error = nullptr;
    bool drawn = rsvg_handle_render_document(handle.get(), cr, &viewport, &error);
    if (error)
        g_error_free(error);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    if (drawn && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        out.pixels.resize(std::size_t(out.width) * std::size_t(out.height));
        for (int y = 0; y < out.height; ++y)
            std::memcpy(&out.pixels[std::size_t(y) * std::size_t(out.width)], data + std::ptrdiff_t(y) * stride, std::size_t(out.width) * 4);
    }
    cairo_surface_destroy(surface);
    if (!drawn)
        return std::nullopt;
    return out;
}

} // namespace ombrel::test
