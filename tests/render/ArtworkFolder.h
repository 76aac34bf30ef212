#pragma once
// A temporary artwork folder of small SVGs, each one solid colour, removed with the object.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace rendertest {

// Opaque colours as the renderer's pixels hold them (0xAARRGGBB).
inline constexpr std::uint32_t kBlack = 0xff000000, kRed = 0xffff0000, kGreen = 0xff00ff00, kBlue = 0xff0000ff,
                               kWhite = 0xffffffff;

class ArtworkFolder {
public:
    ArtworkFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ombrel-artwork.XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~ArtworkFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    ArtworkFolder(const ArtworkFolder&) = delete;
    ArtworkFolder& operator=(const ArtworkFolder&) = delete;

    // NAME.svg, `width` x `height` points of one colour (0xRRGGBB) at an opacity.
    void add(const std::string& name, std::uint32_t rgb, double width = 10, double height = 10, double opacity = 1)
    {
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%06x", rgb & 0xffffff);
        std::ofstream(m_path + "/" + name + ".svg") << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width
                                                     << "\" height=\"" << height << "\"><rect width=\"" << width
                                                     << "\" height=\"" << height << "\" fill=\"" << colour << "\" fill-opacity=\"" << opacity
                                                     << "\"/></svg>\n";
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace rendertest
