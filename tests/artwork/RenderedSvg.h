#pragma once
// One SVG file loaded with librsvg and rendered at 2 pixels per point, as the renderer draws it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ombrel::test {

struct SvgSize {
    double width = 0, height = 0; // user units: points
    double viewBoxX = 0, viewBoxY = 0, viewBoxWidth = 0, viewBoxHeight = 0;
};

struct RenderedSvg {
    int width = 0, height = 0;         // pixels
    std::vector<std::uint32_t> pixels; // premultiplied ARGB, row by row

    std::uint8_t alphaAt(int x, int y) const { return std::uint8_t(pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] >> 24); }
    std::size_t visiblePixels() const;
};

// The declared width, height and viewBox; nullopt when the file does not parse or the size is
// missing or not in plain user units.
std::optional<SvgSize> loadSvgSize(const std::string& path);

// The file rendered over a transparent canvas of 2 x its natural size; nullopt when it does not
// parse or render.
std::optional<RenderedSvg> renderSvg(const std::string& path, double width, double height);

} // namespace ombrel::test
