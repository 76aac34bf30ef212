// A contact sheet: the pictures scaled to the cell width in a grid, a caption under each.
#include "sim/render/Renderer.h"
#include "tests/render/ArtworkFolder.h"

#include <gtest/gtest.h>

using ombrel::sim::Picture;

namespace {

TEST(ContactSheet, PicturesInAGridWithCaptions)
{
    Picture red { 40, 60, std::vector<std::uint32_t>(2400, rendertest::kRed) };
    Picture blue { 40, 60, std::vector<std::uint32_t>(2400, rendertest::kBlue) };
    Picture sheet = ombrel::sim::contactSheet({ { &red, "first" }, { &blue, "second" }, { &red, "third" } }, 2, 20);
    // Two columns, two rows; each cell 20 x 30 pixels.
    ASSERT_GT(sheet.width, 40);
    ASSERT_GT(sheet.height, 60);
    std::uint32_t background = sheet.at(0, 0);
    EXPECT_NE(background, rendertest::kRed);
    // Find each picture's cell by its colour: the first row red then blue, the second row red.
    int firstRed = -1, firstBlue = -1, lastRedY = -1, redPixels = 0;
    for (int y = 0; y < sheet.height; ++y)
        for (int x = 0; x < sheet.width; ++x) {
            std::uint32_t p = sheet.at(x, y);
            if (p == rendertest::kRed) {
                ++redPixels;
                lastRedY = y;
                if (firstRed < 0)
                    firstRed = x;
            }
            if (p == rendertest::kBlue && firstBlue < 0)
                firstBlue = x;
        }
    EXPECT_EQ(redPixels, 2 * 20 * 30);
    EXPECT_GT(firstBlue, firstRed + 20);
    EXPECT_GT(lastRedY, 60);
    // Captions lie under the first column's cells: something other than background or picture.
    int captionInk = 0;
    for (int y = 0; y < sheet.height; ++y)
        for (int x = firstRed; x < firstRed + 20; ++x) {
            std::uint32_t p = sheet.at(x, y);
            captionInk += p != background && p != rendertest::kRed;
        }
    EXPECT_GT(captionInk, 10);
}

TEST(ContactSheet, NothingToShowIsAnEmptyPicture)
{
    EXPECT_EQ(ombrel::sim::contactSheet({}, 3, 100).width, 0);
    Picture one { 4, 4, std::vector<std::uint32_t>(16, rendertest::kRed) };
    EXPECT_EQ(ombrel::sim::contactSheet({ { &one, "x" } }, 0, 100).width, 0);
}

} // namespace
