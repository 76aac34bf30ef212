#include "sim/render/ViewPainter.h"

#include "platform/uikit/Color.h"
#include "platform/uikit/Font.h"
#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"
#include "platform/uikit/View.h"
#include "sim/render/Artwork.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace ombrel::sim {

namespace {

// The largest artwork surface made for one view, in pixels a side.
constexpr int kLargestSide = 4096;

// superview coordinates <- view coordinates: take the point relative to the centre of the bounds,
// apply the transform's plane part (row vectors: x' = x m11 + y m21 + m41), then move the centre
// to the layer's position.
bool place(const quartz::Presentation& p, const cairo_matrix_t& parent, cairo_matrix_t& out)
{
    const quartz::Transform3D& t = p.transform;
    cairo_matrix_t local;
    cairo_matrix_init_translate(&local, -(p.bounds.origin.x + p.bounds.size.width * 0.5),
        -(p.bounds.origin.y + p.bounds.size.height * 0.5));
    cairo_matrix_t transform;
    cairo_matrix_init(&transform, t.m11, t.m12, t.m21, t.m22, t.m41 + p.position.x, t.m42 + p.position.y);
    cairo_matrix_multiply(&local, &local, &transform);
    cairo_matrix_multiply(&out, &local, &parent);
    double determinant = out.xx * out.yy - out.xy * out.yx;
    return std::isfinite(determinant) && std::abs(determinant) > 1e-9;
}

bool drawn(uikit::View& view, quartz::Presentation& p)
{
    if (view.isHidden())
        return false;
    p = view.presentation();
    return p.opacity >= 0.01f;
}

void setColor(cairo_t* cr, const uikit::Color& c, double alpha)
{
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha * alpha);
}

cairo_font_face_t* face(bool bold)
{
    // Made once; they live as long as the process, as cairo's own font caches do.
    static cairo_font_face_t* regular = cairo_toy_font_face_create("DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    static cairo_font_face_t* heavy = cairo_toy_font_face_create("DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    return bold ? heavy : regular;
}

bool boldName(const std::string& name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower.find("bold") != std::string::npos;
}

struct Box {
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
    void add(const cairo_matrix_t& m, const quartz::Rect& r)
    {
        for (double x : { double(r.origin.x), double(r.origin.x) + r.size.width })
            for (double y : { double(r.origin.y), double(r.origin.y) + r.size.height }) {
                double dx = x, dy = y;
                cairo_matrix_transform_point(&m, &dx, &dy);
                x0 = std::min(x0, dx), y0 = std::min(y0, dy), x1 = std::max(x1, dx), y1 = std::max(y1, dy);
            }
    }
};

void cover(uikit::View& view, const quartz::Presentation& p, const cairo_matrix_t& m, Box& box)
{
    box.add(m, p.bounds);
    for (const auto& sub : view.subviews()) {
        quartz::Presentation sp;
        cairo_matrix_t sm;
        if (drawn(*sub, sp) && place(sp, m, sm))
            cover(*sub, sp, sm, box);
    }
}

} // namespace

ViewPainter::ViewPainter(cairo_t* cr, Artwork& artwork)
    : m_cr(cr)
    , m_artwork(artwork)
{
}

void ViewPainter::paint(uikit::View& view, const cairo_matrix_t& toDevice)
{
    quartz::Presentation p;
    cairo_matrix_t m;
    if (!drawn(view, p) || !place(p, toDevice, m))
        return;
    const bool children = !view.subviews().empty();
    const bool clip = children && view.clipsToBounds();
    const bool group = children && p.opacity < 1;
    if (clip || group)
        cairo_save(m_cr);
    cairo_set_matrix(m_cr, &m);
    if (clip) {
        cairo_rectangle(m_cr, p.bounds.origin.x, p.bounds.origin.y, p.bounds.size.width, p.bounds.size.height);
        cairo_clip(m_cr);
    }
    if (group) {
        clipToSubtree(view, m);
        cairo_push_group(m_cr);
    }
    content(view, p.bounds, m, group ? 1.0 : p.opacity);
    for (std::size_t i = 0; i < view.subviews().size(); ++i)
        paint(*view.subviews()[i], m);
    if (group) {
        cairo_set_matrix(m_cr, &m); // the group is painted as it was pushed
        cairo_pop_group_to_source(m_cr);
        cairo_paint_with_alpha(m_cr, p.opacity);
    }
    if (clip || group)
        cairo_restore(m_cr);
}

// A group is as large as the clip: keep it to the pixels the subtree can touch.
void ViewPainter::clipToSubtree(uikit::View& view, const cairo_matrix_t& m)
{
    Box box;
    cover(view, view.presentation(), m, box);
    cairo_identity_matrix(m_cr);
    cairo_rectangle(m_cr, std::floor(box.x0), std::floor(box.y0), std::ceil(box.x1) - std::floor(box.x0),
        std::ceil(box.y1) - std::floor(box.y0));
    cairo_clip(m_cr);
    cairo_set_matrix(m_cr, &m);
}

void ViewPainter::content(uikit::View& view, const quartz::Rect& bounds, const cairo_matrix_t& m, double alpha)
{
    if (uikit::Color* background = view.backgroundColor(); background && background->alpha > 0) {
        setColor(m_cr, *background, alpha);
        cairo_rectangle(m_cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
        cairo_fill(m_cr);
    }
    if (auto* iv = dynamic_cast<uikit::ImageView*>(&view))
        imageView(*iv, bounds, m, alpha);
    else if (auto* text = dynamic_cast<uikit::Label*>(&view))
        label(*text, bounds, alpha);
}

void ViewPainter::imageView(uikit::ImageView& view, const quartz::Rect& bounds, const cairo_matrix_t& m, double alpha)
{
    uikit::Image* picture = view.image();
    if (!picture)
        return;
    if (picture->parts().empty()) {
        if (!picture->name().empty())
            image(picture->name().c_str(), bounds, m, alpha);
        return;
    }
    // Miniatures three by three, row by row, inside a margin, each a little apart from the next.
    const float margin = bounds.size.width * 0.12f, cellW = (bounds.size.width - 2 * margin) / 3;
    const float marginY = bounds.size.height * 0.12f, cellH = (bounds.size.height - 2 * marginY) / 3;
    const auto& parts = picture->parts();
    for (std::size_t i = 0; i < std::min<std::size_t>(parts.size(), 9); ++i) {
        quartz::Rect cell = quartz::makeRect(bounds.origin.x + margin + cellW * float(i % 3) + cellW * 0.08f,
            bounds.origin.y + marginY + cellH * float(i / 3) + cellH * 0.08f, cellW * 0.84f, cellH * 0.84f);
        image(parts[i].c_str(), cell, m, alpha);
    }
}

void ViewPainter::image(const char* name, const quartz::Rect& into, const cairo_matrix_t& m, double alpha)
{
    // The artwork is rendered at the size it covers on screen, so it is copied, not resampled.
    // Placed without rotation or mirroring, it is also snapped to whole pixels: pixman then copies
    // it straight, where a fractional offset or scale would filter every pixel.
    const bool upright = m.xy == 0 && m.yx == 0 && m.xx > 0 && m.yy > 0;
    double x0 = 0, y0 = 0, width = 0, height = 0;
    if (upright) {
        x0 = std::round(m.xx * into.origin.x + m.x0), y0 = std::round(m.yy * into.origin.y + m.y0);
        width = std::round(m.xx * (into.origin.x + into.size.width) + m.x0) - x0;
        height = std::round(m.yy * (into.origin.y + into.size.height) + m.y0) - y0;
    } else {
        width = into.size.width * std::hypot(m.xx, m.yx), height = into.size.height * std::hypot(m.xy, m.yy);
    }
    int pw = int(std::lround(std::min<double>(width, kLargestSide))), ph = int(std::lround(std::min<double>(height, kLargestSide)));
    if (pw < 1 || ph < 1)
        return;
    cairo_surface_t* surface = m_artwork.surface(name, pw, ph);
    if (!surface)
        return;
    if (upright) {
        cairo_identity_matrix(m_cr);
        cairo_translate(m_cr, x0, y0);
    } else {
        cairo_translate(m_cr, into.origin.x, into.origin.y);
        cairo_scale(m_cr, into.size.width / pw, into.size.height / ph);
    }
    cairo_set_source_surface(m_cr, surface, 0, 0);
    cairo_rectangle(m_cr, 0, 0, pw, ph);
    if (alpha >= 1) {
        cairo_fill(m_cr);
    } else {
        cairo_save(m_cr);
        cairo_clip(m_cr);
        cairo_paint_with_alpha(m_cr, alpha);
        cairo_restore(m_cr);
    }
    cairo_set_matrix(m_cr, &m);
}

void ViewPainter::label(uikit::Label& view, const quartz::Rect& bounds, double alpha)
{
    std::string text = view.text();
    if (text.empty())
        return;
    uikit::Font* font = view.font();
    uikit::Color* colour = view.textColor();
    cairo_set_font_face(m_cr, face(font && boldName(font->name)));
    cairo_set_font_size(m_cr, font && font->pointSize > 0 ? font->pointSize : 17);
    cairo_text_extents_t extents;
    cairo_text_extents(m_cr, text.c_str(), &extents);
    cairo_font_extents_t line;
    cairo_font_extents(m_cr, &line);
    double x = bounds.origin.x;
    switch (view.textAlignment()) {
    case 1: x += (bounds.size.width - extents.x_advance) / 2; break;
    case 2: x += bounds.size.width - extents.x_advance; break;
    default: break;
    }
    double baseline = bounds.origin.y + (bounds.size.height - (line.ascent + line.descent)) / 2 + line.ascent;
    // Text never spills out of its label.
    cairo_save(m_cr);
    cairo_rectangle(m_cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
    cairo_clip(m_cr);
    if (colour)
        setColor(m_cr, *colour, alpha);
    else
        cairo_set_source_rgba(m_cr, 0, 0, 0, alpha);
    cairo_move_to(m_cr, x, baseline);
    cairo_show_text(m_cr, text.c_str());
    cairo_restore(m_cr);
}

} // namespace ombrel::sim
