#include "sim/render/Renderer.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace ombrel::sim {

namespace {

constexpr int kGap = 16;
constexpr int kCaptionHeight = 28;
constexpr double kCaptionSize = 15;

// A picture's pixels as a cairo surface that borrows them (read only here).
cairo_surface_t* borrow(const Picture& picture)
{
    return cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(picture.pixels.data())), CAIRO_FORMAT_ARGB32,
        picture.width, picture.height, picture.width * 4);
}

} // namespace

Picture contactSheet(const std::vector<std::pair<const Picture*, std::string>>& frames, int columns, int cellWidth)
{
    if (frames.empty() || columns < 1 || cellWidth < 1)
        return {};
    // Every cell is as tall as the tallest picture scaled to the cell's width.
    int cellHeight = 1;
    for (const auto& [picture, caption] : frames)
        if (picture && picture->width > 0)
            cellHeight = std::max(cellHeight, int(std::lround(double(picture->height) * cellWidth / picture->width)));
    const int used = std::min<int>(columns, int(frames.size()));
    const int rows = (int(frames.size()) + columns - 1) / columns;
    Picture sheet;
    sheet.width = kGap + used * (cellWidth + kGap);
    sheet.height = kGap + rows * (cellHeight + kCaptionHeight + kGap);
    sheet.pixels.assign(std::size_t(sheet.width) * std::size_t(sheet.height), 0xff1c1c1eu);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(sheet.pixels.data()),
        CAIRO_FORMAT_ARGB32, sheet.width, sheet.height, sheet.width * 4);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kCaptionSize);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const auto& [picture, caption] = frames[i];
        const double x = kGap + double(i % std::size_t(columns)) * (cellWidth + kGap);
        const double y = kGap + double(i / std::size_t(columns)) * (cellHeight + kCaptionHeight + kGap);
        if (picture && picture->width > 0 && picture->height > 0
            && picture->pixels.size() == std::size_t(picture->width) * std::size_t(picture->height)) {
            cairo_surface_t* source = borrow(*picture);
            double factor = double(cellWidth) / picture->width;
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, factor, factor);
            cairo_set_source_surface(cr, source, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
            cairo_rectangle(cr, 0, 0, picture->width, picture->height);
            cairo_fill(cr);
            cairo_restore(cr);
            cairo_surface_destroy(source);
        }
        cairo_text_extents_t extents;
        cairo_text_extents(cr, caption.c_str(), &extents);
        cairo_set_source_rgb(cr, 0.92, 0.92, 0.92);
        cairo_save(cr);
        cairo_rectangle(cr, x, y + cellHeight, cellWidth, kCaptionHeight);
        cairo_clip(cr);
        cairo_move_to(cr, x + std::max(0.0, (cellWidth - extents.x_advance) / 2), y + cellHeight + kCaptionHeight - 8);
        cairo_show_text(cr, caption.c_str());
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return sheet;
}

} // namespace ombrel::sim
