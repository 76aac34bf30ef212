// What a view draws inside its bounds: artwork stretched to them (from the cache once rendered),
// composite images as a grid of miniatures, label text, and artwork that is missing.
#include "platform/uikit/Color.h"
#include "platform/uikit/Font.h"
#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"
#include "platform/uikit/Window.h"
#include "sim/render/Renderer.h"
#include "tests/render/ArtworkFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace rendertest;
using ombrel::sim::Picture;
using ombrel::sim::Renderer;
using quartz::makeRect;
using runtime::Ref;

namespace {

struct Screen : ::testing::Test {
    ArtworkFolder artwork;
    Ref<uikit::Window> window = uikit::Window::make(makeRect(0, 0, 20, 20));
    void SetUp() override { window->makeKeyAndVisible(); }
    Picture render(Renderer& renderer) { return renderer.render({ window.get() }, { 20, 20 }); }
    Ref<uikit::ImageView> imageView(const std::string& name, quartz::Rect frame)
    {
        auto view = uikit::ImageView::make(frame);
        view->setImage(uikit::Image::named(name).get());
        window->addSubview(view.get());
        return view;
    }
};

// Pixels outside the rectangle (in points) that are not black, and inside that are not.
struct Ink {
    int inside = 0, outside = 0;
};
Ink ink(const Picture& p, quartz::Rect r)
{
    Ink out;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            bool in = quartz::rectContainsPoint(r, { (x + 0.5f) / 2, (y + 0.5f) / 2 });
            if (p.at(x, y) != kBlack)
                ++(in ? out.inside : out.outside);
        }
    return out;
}

TEST_F(Screen, ArtworkIsStretchedToTheBounds)
{
    artwork.add("Square", 0x00ff00, 10, 10);
    Renderer renderer(artwork.path());
    imageView("Square", makeRect(2, 2, 8, 4));
    Picture picture = render(renderer);
    EXPECT_EQ(picture.at(4, 4), kGreen);
    EXPECT_EQ(picture.at(19, 11), kGreen);
    EXPECT_EQ(picture.at(20, 11), kBlack);
    EXPECT_EQ(picture.at(19, 12), kBlack);
    EXPECT_EQ(ink(picture, makeRect(2, 2, 8, 4)).outside, 0);
}

TEST_F(Screen, TranslucentArtworkBlendsOverWhatIsBehind)
{
    artwork.add("Veil", 0x0000ff, 10, 10, 0.5);
    Renderer renderer(artwork.path());
    window->setBackgroundColor(uikit::Color::make(1, 0, 0, 1).get());
    imageView("Veil", makeRect(0, 0, 10, 10));
    Picture picture = render(renderer);
    std::uint32_t blended = picture.at(5, 5);
    EXPECT_NEAR(int((blended >> 16) & 0xff), 128, 1);
    EXPECT_NEAR(int(blended & 0xff), 128, 1);
    EXPECT_EQ(picture.at(25, 25), kRed);
}

TEST_F(Screen, RenderedArtworkIsDrawnFromTheCache)
{
    artwork.add("Square", 0x0000ff);
    Renderer renderer(artwork.path());
    imageView("Square", makeRect(0, 0, 10, 10));
    EXPECT_EQ(render(renderer).at(5, 5), kBlue);
    std::filesystem::remove(artwork.path() + "/Square.svg");
    EXPECT_EQ(render(renderer).at(5, 5), kBlue);
    EXPECT_TRUE(renderer.missingArtwork().empty());
}

TEST_F(Screen, MissingArtworkDrawsNothingAndIsReportedOnce)
{
    Renderer renderer(artwork.path());
    imageView("Nowhere", makeRect(0, 0, 10, 10));
    imageView("Nowhere", makeRect(10, 10, 5, 5));
    imageView("../Nowhere", makeRect(10, 0, 5, 5));
    ::testing::internal::CaptureStderr();
    Picture first = render(renderer);
    render(renderer);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "ombrel: no artwork for \"Nowhere\"\nombrel: no artwork for \"../Nowhere\"\n");
    EXPECT_EQ(renderer.missingArtwork(), (std::vector<std::string> { "Nowhere", "../Nowhere" }));
    EXPECT_EQ(ink(first, makeRect(0, 0, 0, 0)).outside, 0);
}

TEST_F(Screen, ImagesTakeTheArtworkSize)
{
    artwork.add("Wide", 0xff0000, 30, 12);
    Renderer renderer(artwork.path());
    auto wide = uikit::ImageView::make(uikit::Image::named("Wide").get());
    EXPECT_EQ(wide->frame(), makeRect(0, 0, 30, 12));
    EXPECT_EQ(uikit::Image::named("Absent")->size(), (quartz::Size {}));
}

TEST_F(Screen, CompositeImageDrawsItsPartsInAGridOfNine)
{
    for (auto [name, rgb] : { std::pair { "A", 0xff0000u }, { "B", 0x0000ffu }, { "C", 0x00ff00u } })
        artwork.add(name, rgb);
    artwork.add("Tenth", 0xffffff);
    Renderer renderer(artwork.path());
    auto view = uikit::ImageView::make(makeRect(1, 1, 18, 18));
    std::vector<std::string> parts { "A", "B", "A", "A", "A", "A", "A", "A", "C", "Tenth" };
    view->setImage(uikit::Image::composite("FolderMiniatures", parts).get());
    window->addSubview(view.get());
    Picture picture = render(renderer);
    // Row by row: the second part right of the first, the ninth at the bottom right; the tenth unseen.
    int blueX = -1, greenY = -1, redTop = picture.height, redLeft = picture.width, whites = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            std::uint32_t p = picture.at(x, y);
            if (p == kBlue && blueX < 0)
                blueX = x;
            if (p == kGreen)
                greenY = y;
            if (p == kRed)
                redTop = std::min(redTop, y), redLeft = std::min(redLeft, x);
            whites += p == kWhite;
        }
    EXPECT_GT(blueX, redLeft);
    EXPECT_GT(greenY, redTop);
    EXPECT_EQ(whites, 0);
    EXPECT_EQ(ink(picture, makeRect(1, 1, 18, 18)).outside, 0);
    EXPECT_TRUE(renderer.missingArtwork().empty()); // the composite's own name is no artwork
}

Ref<uikit::Label> label(uikit::View& parent, quartz::Rect frame, const std::string& text, std::int32_t alignment,
    const char* font = uikit::kSystemFontName)
{
    auto l = uikit::Label::make(frame);
    l->setText(text);
    l->setFont(uikit::Font::make(font, 6).get());
    l->setTextColor(uikit::Color::whiteColor());
    l->setTextAlignment(alignment);
    parent.addSubview(l.get());
    return l;
}

TEST_F(Screen, LabelTextStaysInItsRect)
{
    Renderer renderer(artwork.path());
    quartz::Rect frame = makeRect(2, 6, 16, 8);
    label(*window, frame, "WWWWWWWWWWWWWWWWWW", 0);
    Ink drawn = ink(render(renderer), frame);
    EXPECT_GT(drawn.inside, 20);
    EXPECT_EQ(drawn.outside, 0);
}

TEST_F(Screen, LabelAlignment)
{
    Renderer renderer(artwork.path());
    auto l = label(*window, makeRect(0, 0, 20, 10), "ab", 0);
    Picture left = render(renderer);
    l->setTextAlignment(2);
    Picture right = render(renderer);
    l->setTextAlignment(1);
    Picture centre = render(renderer);
    EXPECT_GT(ink(left, makeRect(0, 0, 8, 10)).inside, 0);
    EXPECT_EQ(ink(left, makeRect(12, 0, 8, 10)).inside, 0);
    EXPECT_EQ(ink(right, makeRect(0, 0, 8, 10)).inside, 0);
    EXPECT_GT(ink(right, makeRect(12, 0, 8, 10)).inside, 0);
    EXPECT_EQ(ink(centre, makeRect(0, 0, 5, 10)).inside, 0);
    EXPECT_EQ(ink(centre, makeRect(15, 0, 5, 10)).inside, 0);
    // Vertically centred: as much ink above the middle line as below, give or take the baseline.
    EXPECT_GT(ink(centre, makeRect(0, 0, 20, 5)).inside, 0);
    EXPECT_GT(ink(centre, makeRect(0, 5, 20, 5)).inside, 0);
}

TEST_F(Screen, BoldFontNamesDrawBold)
{
    Renderer renderer(artwork.path());
    auto l = label(*window, makeRect(0, 0, 20, 10), "Hello", 1, uikit::kSystemFontName);
    int regular = ink(render(renderer), makeRect(0, 0, 20, 20)).inside;
    l->setFont(uikit::Font::make(uikit::kBoldSystemFontName, 6).get());
    int bold = ink(render(renderer), makeRect(0, 0, 20, 20)).inside;
    EXPECT_GT(bold, regular);
}

} // namespace
