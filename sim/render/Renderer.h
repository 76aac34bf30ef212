#pragma once
// Draws what the simulated phone's screen shows: the uikit windows back to front, each view as its
// layer presents it at the run loop's current time, with cairo, `scale` pixels per point.
//
// A renderer also tells uikit the artwork's sizes (uikit::Image::setSizeProvider), so views made
// with "initWithImage:" take the size of their artwork as on the phone: make it before the device
// boots. The last renderer made answers; the sizes stay known after it is gone.

#include "platform/quartz/Geometry.h"
#include "sim/render/Picture.h"
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace uikit {
class Window;
}

namespace ombrel::sim {

class Artwork;

// The folder with the SVG artwork: the source tree's sim/artwork (compiled in), else
// <command folder>/../share/ombrel/artwork.
std::string defaultArtworkFolder();

class Renderer {
public:
    // Artwork is read from `artworkFolder` (NAME.svg for image name NAME), rendered with librsvg
    // at the pixel size it is drawn at and cached per (name, size).
    explicit Renderer(std::string artworkFolder, double scale = 2);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // What the screen shows at the run loop's current time: the windows back to front, each view
    // as presented (frame, transform about its centre, opacity, hidden, background colour, image,
    // label text), at `scale` pixels per point. `screen` is the screen size in points.
    Picture render(const std::vector<uikit::Window*>& windows, quartz::Size screen);
    // Image names asked for that have no artwork, in the order first seen (each is also reported
    // once on stderr: `ombrel: no artwork for "NAME"`).
    const std::vector<std::string>& missingArtwork() const;

private:
    std::shared_ptr<Artwork> m_artwork; // shared with the size provider
    double m_scale;
};

// A contact sheet: the pictures scaled down to `cellWidth` pixels wide in a grid of `columns`
// columns, each with its caption drawn beneath it (DejaVu Sans), on a dark background.
Picture contactSheet(const std::vector<std::pair<const Picture*, std::string>>& frames, int columns, int cellWidth);

} // namespace ombrel::sim
