#pragma once
// Reading a PNG file back with libpng, as premultiplied native words like the renderer's pixels.

#include "sim/render/Picture.h"

#include <optional>
#include <png.h>
#include <string>

namespace rendertest {

inline std::optional<ombrel::sim::Picture> readPng(const std::string& path)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return std::nullopt;
    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr))
        return std::nullopt;
    ombrel::sim::Picture out;
    out.width = int(image.width);
    out.height = int(image.height);
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        unsigned r = bytes[i], g = bytes[i + 1], b = bytes[i + 2], a = bytes[i + 3];
        auto pre = [a](unsigned c) { return (c * a + 127) / 255; };
        out.pixels.push_back(a << 24 | pre(r) << 16 | pre(g) << 8 | pre(b));
    }
    return out;
}

} // namespace rendertest
