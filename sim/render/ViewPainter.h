#pragma once
// Paints view trees into a cairo context. Each view as its layer presents it now: the layer's
// position, bounds and the plane part of its transform (m11 m12 m21 m22 m41 m42) about the centre of
// its bounds, composed with its superview's; then its background colour, its image or its text, and
// its subviews back to front. Hidden views, views presented at opacity under 0.01 and views scaled
// to nothing are skipped with their subviews. A view with subviews and an opacity under 1 is drawn
// into a group (clipped to what its subtree covers) painted at that opacity; a leaf paints with its
// opacity directly.

#include <cairo.h>

namespace uikit {
class View;
class ImageView;
class Label;
}
namespace quartz {
struct Presentation;
struct Rect;
}

namespace ombrel::sim {

class Artwork;

class ViewPainter {
public:
    ViewPainter(cairo_t*, Artwork&);
    // `toDevice` maps the view's superview coordinates (for a window: the screen's points) to pixels.
    void paint(uikit::View&, const cairo_matrix_t& toDevice);

private:
    void content(uikit::View&, const quartz::Rect& bounds, const cairo_matrix_t&, double alpha);
    void image(const char* name, const quartz::Rect& into, const cairo_matrix_t&, double alpha);
    void imageView(uikit::ImageView&, const quartz::Rect& bounds, const cairo_matrix_t&, double alpha);
    void label(uikit::Label&, const quartz::Rect& bounds, double alpha);
    void clipToSubtree(uikit::View&, const cairo_matrix_t&);

    cairo_t* m_cr;
    Artwork& m_artwork;
};

} // namespace ombrel::sim
