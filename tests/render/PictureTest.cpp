// PNG files of pictures: read back with libpng they hold the same pixels, opaque or translucent;
// a file that cannot be written is a failure, one at a time or through the queue.
#include "sim/render/Picture.h"
#include "tests/render/ArtworkFolder.h"
#include "tests/render/PngFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

using ombrel::sim::Picture;
using ombrel::sim::PngQueue;
using ombrel::sim::writePng;
using rendertest::readPng;

namespace {

Picture randomPicture(int width, int height, bool opaque, unsigned seed)
{
    std::mt19937 random(seed);
    Picture p { width, height, {} };
    for (int i = 0; i < width * height; ++i) {
        unsigned a = opaque ? 255 : random() % 256;
        auto channel = [&] { return a == 0 ? 0u : unsigned(random() % (a + 1)); }; // premultiplied: never above alpha
        unsigned r = channel(), g = channel(), b = channel();
        p.pixels.push_back(a << 24 | r << 16 | g << 8 | b);
    }
    return p;
}

struct Png : ::testing::Test {
    rendertest::ArtworkFolder folder; // any empty temporary folder
    std::string path(const std::string& name) const { return folder.path() + "/" + name; }
};

TEST_F(Png, OpaquePictureRoundTrips)
{
    Picture picture = randomPicture(37, 23, true, 1);
    ASSERT_TRUE(writePng(picture, path("a.png")));
    auto back = readPng(path("a.png"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 37);
    EXPECT_EQ(back->height, 23);
    EXPECT_EQ(back->pixels, picture.pixels);
}

TEST_F(Png, TranslucentPictureRoundTrips)
{
    Picture picture = randomPicture(31, 17, false, 2);
    picture.pixels[0] = 0; // fully transparent
    ASSERT_TRUE(writePng(picture, path("t.png"), 9));
    auto back = readPng(path("t.png"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, picture.pixels);
}

TEST_F(Png, HigherLevelsMakeSmallerFiles)
{
    Picture picture { 200, 200, std::vector<std::uint32_t>(40000, 0xff336699) };
    for (int i = 0; i < 40000; i += 7)
        picture.pixels[std::size_t(i)] = 0xff000000u | unsigned(i);
    ASSERT_TRUE(writePng(picture, path("0.png"), 0));
    ASSERT_TRUE(writePng(picture, path("9.png"), 9));
    EXPECT_GT(std::filesystem::file_size(path("0.png")), 2 * std::filesystem::file_size(path("9.png")));
    EXPECT_EQ(readPng(path("0.png"))->pixels, readPng(path("9.png"))->pixels);
}

TEST_F(Png, UnwritableOrEmptyIsAFailure)
{
    EXPECT_FALSE(writePng(randomPicture(4, 4, true, 3), path("no/such/folder.png")));
    EXPECT_FALSE(writePng(Picture {}, path("empty.png")));
    EXPECT_FALSE(writePng(Picture { 4, 4, std::vector<std::uint32_t>(3) }, path("short.png")));
    EXPECT_FALSE(std::filesystem::exists(path("empty.png")));
    EXPECT_FALSE(std::filesystem::exists(path("short.png")));
}

TEST_F(Png, QueueWritesEveryPictureAndCountsFailures)
{
    std::vector<Picture> pictures;
    PngQueue queue(1, 2);
    for (unsigned i = 0; i < 9; ++i) {
        pictures.push_back(randomPicture(16, 8, true, 10 + i));
        queue.write(pictures.back(), path("frame" + std::to_string(i) + ".png"));
    }
    queue.write(pictures[0], path("missing/frame.png"));
    EXPECT_EQ(queue.wait(), 1u);
    for (unsigned i = 0; i < 9; ++i) {
        auto back = readPng(path("frame" + std::to_string(i) + ".png"));
        ASSERT_TRUE(back) << i;
        EXPECT_EQ(back->pixels, pictures[i].pixels) << i;
    }
    queue.write(pictures[1], path("again.png"));
    EXPECT_EQ(queue.wait(), 0u); // failures are counted since the previous wait
    EXPECT_TRUE(readPng(path("again.png")));
}

TEST(PictureAt, OutsideIsZero)
{
    Picture p { 2, 2, { 1, 2, 3, 4 } };
    EXPECT_EQ(p.at(1, 1), 4u);
    EXPECT_EQ(p.at(-1, 0), 0u);
    EXPECT_EQ(p.at(2, 0), 0u);
    EXPECT_EQ(p.at(0, 2), 0u);
}

} // namespace
