#include "tests/artwork/ExpectedArtwork.h"
#include "tests/artwork/RenderedSvg.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace ombrel::test {

// Test names and failures show the artwork's name rather than the bytes of the table row.
void PrintTo(const ExpectedArtwork& art, std::ostream* out) { *out << art.name; }

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

RenderedSvg mustRender(const ExpectedArtwork& art)
{
    std::optional<RenderedSvg> image = renderSvg(artworkPath(art.name), art.width, art.height);
    EXPECT_TRUE(image.has_value()) << art.name << " does not render";
    return image.value_or(RenderedSvg {});
}

const ExpectedArtwork& expected(const std::string& name)
{
    for (const ExpectedArtwork& art : expectedArtworks()) {
        if (art.name == name)
            return art;
    }
    std::abort(); // the table lists every name the tests ask for
}

// Every name the renderer will ask for: present, parsed, of its natural size, drawing something.
class EveryArtwork : public testing::TestWithParam<ExpectedArtwork> {};

TEST_P(EveryArtwork, ExistsParsesHasItsNaturalSizeAndDraws)
{
    const ExpectedArtwork& art = GetParam();
    const std::string path = artworkPath(art.name);
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
    std::optional<SvgSize> size = loadSvgSize(path);
    ASSERT_TRUE(size.has_value()) << path << " does not parse, or its width, height or viewBox is missing or not in points";
    EXPECT_EQ(size->width, art.width);
    EXPECT_EQ(size->height, art.height);
    EXPECT_EQ(size->viewBoxX, 0);
    EXPECT_EQ(size->viewBoxY, 0);
    EXPECT_EQ(size->viewBoxWidth, art.width);
    EXPECT_EQ(size->viewBoxHeight, art.height);
    RenderedSvg image = mustRender(art);
    EXPECT_GT(image.visiblePixels(), image.pixels.size() / 50) << art.name << " draws (almost) nothing";
}

// The renderer has neither network nor other files, nor fonts but DejaVu Sans: a file must carry
// everything it draws.
TEST_P(EveryArtwork, IsSelfContained)
{
    const std::string text = readFile(artworkPath(GetParam().name));
    EXPECT_EQ(text.find("<image"), std::string::npos);
    EXPECT_EQ(text.find("data:"), std::string::npos);
    EXPECT_EQ(text.find("@import"), std::string::npos);
    EXPECT_FALSE(std::regex_search(text, std::regex(R"(href\s*=\s*"[^#])"))) << "reference outside the file";
    EXPECT_FALSE(std::regex_search(text, std::regex(R"(url\((?!#))"))) << "reference outside the file";
    std::smatch font;
    std::string rest = text;
    while (std::regex_search(rest, font, std::regex(R"(font-family\s*[:=]\s*"?([^";]+))"))) {
        EXPECT_EQ(font[1].str().find("DejaVu Sans"), 0u) << font[1].str();
        rest = font.suffix();
    }
}

INSTANTIATE_TEST_SUITE_P(Artwork, EveryArtwork, testing::ValuesIn(expectedArtworks()),
    [](const testing::TestParamInfo<ExpectedArtwork>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

// Two files drawing the same picture mean an application or a theme shows another's artwork.
TEST(Artwork, NoTwoOfTheSameSizeRenderIdentically)
{
    std::map<std::pair<double, double>, std::vector<std::pair<std::string, RenderedSvg>>> bySize;
    for (const ExpectedArtwork& art : expectedArtworks())
        bySize[{ art.width, art.height }].emplace_back(art.name, mustRender(art));
    for (const auto& [size, images] : bySize) {
        for (std::size_t i = 0; i < images.size(); ++i) {
            for (std::size_t j = i + 1; j < images.size(); ++j)
                EXPECT_NE(images[i].second.pixels, images[j].second.pixels) << images[i].first << " and " << images[j].first;
        }
    }
}

// Application icons fill their square to the edges but for rounded corners, as the icon view's
// shadow and badge are laid out around a full square.
TEST(Artwork, ApplicationIconsAreFullBleedRoundedSquares)
{
    for (const ExpectedArtwork& art : expectedArtworks()) {
        if (art.kind != ArtworkKind::ApplicationIcon)
            continue;
        RenderedSvg image = mustRender(art);
        const int last = image.width - 1, middle = image.width / 2;
        for (auto [x, y] : { std::pair { 0, middle }, { last, middle }, { middle, 0 }, { middle, last }, { middle, middle } })
            EXPECT_EQ(image.alphaAt(x, y), 255) << art.name << " at " << x << "," << y;
        for (auto [x, y] : { std::pair { 0, 0 }, { last, 0 }, { 0, last }, { last, last } })
            EXPECT_EQ(image.alphaAt(x, y), 0) << art.name << " at " << x << "," << y;
    }
}

// The lock view swaps the resting thumb for the pressed one under the finger: the outline and
// shadow must stay where they are while the face lights up.
TEST(Artwork, PressedThumbKeepsTheRestingOutline)
{
    for (const std::string& suffix : trackThemeSuffixes()) {
        RenderedSvg rest = mustRender(expected("track" + suffix));
        RenderedSvg pressed = mustRender(expected("track_thumb" + suffix));
        ASSERT_EQ(rest.pixels.size(), pressed.pixels.size());
        std::size_t outlineMoved = 0, lit = 0;
        for (std::size_t i = 0; i < rest.pixels.size(); ++i) {
            int a = int(rest.pixels[i] >> 24), b = int(pressed.pixels[i] >> 24);
            outlineMoved += std::abs(a - b) > 16;
            lit += a == 255 && b == 255 && rest.pixels[i] != pressed.pixels[i];
        }
        EXPECT_LT(outlineMoved, rest.pixels.size() / 200) << suffix;
        EXPECT_GT(lit, rest.pixels.size() / 10) << suffix << ": the pressed thumb barely differs";
    }
}

// An application the device does not have draws nothing, rather than some stand-in icon.
TEST(Artwork, UnknownApplicationHasNoIcon)
{
    EXPECT_FALSE(std::filesystem::exists(artworkPath("AppIcon-com.example.not-installed")));
}

} // namespace
} // namespace ombrel::test
