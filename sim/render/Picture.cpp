#include "sim/render/Picture.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <png.h>

namespace ombrel::sim {

std::uint32_t Picture::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
}

namespace {

bool opaque(const Picture& picture)
{
    return std::all_of(picture.pixels.begin(), picture.pixels.end(), [](std::uint32_t p) { return (p >> 24) == 0xff; });
}

// One row of premultiplied native words as PNG bytes: RGB for an opaque picture, else straight
// (not premultiplied) RGBA.
void convertRow(const std::uint32_t* in, int width, bool rgb, png_byte* out)
{
    for (int x = 0; x < width; ++x) {
        std::uint32_t p = in[x];
        unsigned a = p >> 24, r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
        if (rgb) {
            *out++ = png_byte(r);
            *out++ = png_byte(g);
            *out++ = png_byte(b);
            continue;
        }
        if (a != 0 && a != 0xff) {
            r = (r * 255 + a / 2) / a;
            g = (g * 255 + a / 2) / a;
            b = (b * 255 + a / 2) / a;
        }
        *out++ = png_byte(r);
        *out++ = png_byte(g);
        *out++ = png_byte(b);
        *out++ = png_byte(a);
    }
}

// libpng reports errors by longjmp; everything that needs freeing lives outside this frame.
bool encode(const Picture& picture, std::FILE* file, int level, std::vector<png_byte>& row)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    const bool rgb = opaque(picture);
    png_init_io(png, file);
    png_set_compression_level(png, std::clamp(level, 0, 9));
    // One cheap filter: adaptive filtering costs more than it saves on rendered frames.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8,
        rgb ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
        PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    row.resize(std::size_t(picture.width) * (rgb ? 3 : 4));
    for (int y = 0; y < picture.height; ++y) {
        convertRow(&picture.pixels[std::size_t(y) * std::size_t(picture.width)], picture.width, rgb, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool writePng(const Picture& picture, const std::string& path, int level)
{
    if (picture.width <= 0 || picture.height <= 0
        || picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::vector<png_byte> row;
    bool written = encode(picture, file, level, row);
    written = std::fclose(file) == 0 && written;
    if (!written)
        std::remove(path.c_str());
    return written;
}

} // namespace ombrel::sim
