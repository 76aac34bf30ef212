#pragma once
// The SVG artwork of image names: NAME.svg in one folder, read once with librsvg, rendered at the
// pixel sizes it is drawn at and kept per (name, width, height), so an unchanged screen draws from
// the cache. A name without a file is remembered as missing and reported once on stderr.

#include "platform/quartz/Geometry.h"
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;
typedef struct _RsvgHandle RsvgHandle;

namespace ombrel::sim {

class Artwork {
public:
    explicit Artwork(std::string folder);
    ~Artwork();
    Artwork(const Artwork&) = delete;
    Artwork& operator=(const Artwork&) = delete;

    // The artwork's own size in points (its width and height); nothing without artwork. Asking
    // reports nothing: sizes are asked for names that may never be drawn.
    std::optional<quartz::Size> size(const std::string& name);

    // The artwork rendered into a surface of exactly that many pixels (owned by the cache, valid
    // until the next endFrame); nothing without artwork, reported the first time.
    cairo_surface_t* surface(const std::string& name, int width, int height);

    // Drops the surfaces the frame just drawn did not use, once the cache holds more than it may.
    void endFrame();

    const std::vector<std::string>& missing() const { return m_missing; }
    std::size_t cachedBytes() const { return m_bytes; }

private:
    struct Source {
        RsvgHandle* handle = nullptr; // nothing: no readable file
        quartz::Size size;
    };
    struct Rendered {
        cairo_surface_t* surface = nullptr;
        std::uint64_t lastFrame = 0;
    };
    const Source& source(const std::string& name);
    void drop(std::map<std::tuple<std::string, int, int>, Rendered>::iterator);

    std::string m_folder;
    std::unordered_map<std::string, Source> m_sources;
    std::map<std::tuple<std::string, int, int>, Rendered> m_rendered;
    std::vector<std::string> m_missing;
    std::uint64_t m_frame = 1;
    std::size_t m_bytes = 0;
};

} // namespace ombrel::sim
