#include "sim/render/Renderer.h"

#include "platform/uikit/Image.h"
#include "platform/uikit/Window.h"
#include "sim/render/Artwork.h"
#include "sim/render/ViewPainter.h"

#include <cairo.h>
#include <cassert>
#include <cmath>
#include <filesystem>

namespace ombrel::sim {

std::string defaultArtworkFolder()
{
#ifdef OMBREL_ARTWORK_DIR
    if (std::filesystem::is_directory(OMBREL_ARTWORK_DIR))
        return OMBREL_ARTWORK_DIR;
#endif
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return (self.parent_path().parent_path() / "share" / "ombrel" / "artwork").lexically_normal().string();
}

Renderer::Renderer(std::string artworkFolder, double scale)
    : m_artwork(std::make_shared<Artwork>(std::move(artworkFolder)))
    , m_scale(scale > 0 ? scale : 1)
{
    uikit::Image::setSizeProvider([artwork = m_artwork](const std::string& name) { return artwork->size(name); });
}

Renderer::~Renderer() = default;

Picture Renderer::render(const std::vector<uikit::Window*>& windows, quartz::Size screen)
{
    Picture picture;
    picture.width = int(std::lround(screen.width * m_scale));
    picture.height = int(std::lround(screen.height * m_scale));
    if (picture.width <= 0 || picture.height <= 0)
        return {};
    picture.pixels.assign(std::size_t(picture.width) * std::size_t(picture.height), 0xff000000u); // the dark glass
    assert(cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, picture.width) == picture.width * 4);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(picture.pixels.data()),
        CAIRO_FORMAT_ARGB32, picture.width, picture.height, picture.width * 4);
    cairo_t* cr = cairo_create(surface);
    cairo_matrix_t toDevice;
    cairo_matrix_init_scale(&toDevice, m_scale, m_scale);
    ViewPainter painter(cr, *m_artwork);
    for (uikit::Window* window : windows)
        if (window)
            painter.paint(*window, toDevice);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    m_artwork->endFrame();
    return picture;
}

const std::vector<std::string>& Renderer::missingArtwork() const { return m_artwork->missing(); }

} // namespace ombrel::sim
