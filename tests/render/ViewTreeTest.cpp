// Small view trees of known colours drawn into exact pixels: the renderer places each view as its
// layer presents it (position, bounds, transform about the centre, composed down the tree), skips
// what the screen would not show, groups translucent subtrees and clips where asked.
#include "platform/quartz/Transform3D.h"
#include "platform/uikit/Color.h"
#include "platform/uikit/View.h"
#include "platform/uikit/Window.h"
#include "sim/render/Renderer.h"
#include "tests/render/ArtworkFolder.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

using namespace rendertest;
using quartz::makeRect;
using runtime::Ref;
using uikit::View;

namespace {

// Pixel coordinates at 2 pixels per point on a 20 x 20 point screen.
struct Probe {
    int x, y;
    std::uint32_t colour;
    int tolerance = 0; // per channel, for translucent paint
};

struct Case {
    const char* name;
    std::function<void(View& window)> build;
    std::vector<Probe> probes;
};

Ref<View> box(View& parent, float x, float y, float w, float h, float r, float g, float b)
{
    Ref<View> view = View::make(makeRect(x, y, w, h));
    view->setBackgroundColor(uikit::Color::make(r, g, b, 1).get());
    parent.addSubview(view.get());
    return view;
}
Ref<View> red(View& parent, float x, float y, float w, float h) { return box(parent, x, y, w, h, 1, 0, 0); }

bool near(std::uint32_t a, std::uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)) > tolerance)
            return false;
    return true;
}

const Case kCases[] = {
    { "BackgroundFillsTheFrame", [](View& w) { red(w, 2, 2, 6, 6); },
        { { 4, 4, kRed }, { 15, 15, kRed }, { 3, 4, kBlack }, { 16, 15, kBlack }, { 15, 16, kBlack } } },
    { "HiddenViewAndItsSubviewsAreSkipped",
        [](View& w) {
            auto v = red(w, 0, 0, 10, 10);
            box(*v, 0, 0, 5, 5, 0, 1, 0);
            v->setHidden(true);
        },
        { { 2, 2, kBlack }, { 12, 12, kBlack } } },
    { "OpacityZeroIsSkipped",
        [](View& w) {
            red(w, 0, 0, 10, 10)->setAlpha(0);
            red(w, 10, 10, 10, 10)->setAlpha(0.005f);
        },
        { { 2, 2, kBlack }, { 30, 30, kBlack } } },
    { "TranslucentLeafBlends", [](View& w) { red(w, 0, 0, 10, 10)->setAlpha(0.5f); }, { { 5, 5, 0xff800000, 1 } } },
    { "TranslucentParentIsOneGroup",
        [](View& w) {
            auto parent = View::make(makeRect(0, 0, 20, 20));
            w.addSubview(parent.get());
            red(*parent, 0, 0, 10, 10);
            box(*parent, 5, 5, 10, 10, 0, 0, 1);
            parent->setAlpha(0.5f);
        },
        // The overlap shows the front child at half strength, not the two blended.
        { { 5, 5, 0xff800000, 1 }, { 15, 15, 0xff000080, 1 }, { 25, 25, 0xff000080, 1 }, { 35, 35, kBlack } } },
    { "ScaleIsAboutTheCentre",
        [](View& w) { red(w, 4, 4, 8, 8)->setTransform(quartz::Transform3DMakeScale(0.5f, 0.5f, 1)); },
        { { 12, 12, kRed }, { 19, 19, kRed }, { 11, 11, kBlack }, { 20, 20, kBlack }, { 9, 9, kBlack } } },
    { "TranslationMovesTheView",
        [](View& w) { red(w, 0, 0, 4, 4)->setTransform(quartz::Transform3DMakeTranslation(4, 2, 0)); },
        { { 8, 4, kRed }, { 15, 11, kRed }, { 7, 4, kBlack }, { 8, 3, kBlack }, { 16, 11, kBlack } } },
    { "ZeroScaleDrawsNothingAndTheNextViewStillDraws",
        [](View& w) {
            auto v = red(w, 0, 0, 20, 20);
            box(*v, 0, 0, 20, 20, 0, 0, 1);
            v->setTransform(quartz::Transform3DMakeScale(0, 1, 1));
            box(w, 10, 10, 4, 4, 0, 1, 0);
        },
        { { 5, 5, kBlack }, { 20, 5, kBlack }, { 21, 21, kGreen } } },
    { "SubviewIsPlacedInItsParent",
        [](View& w) {
            auto parent = red(w, 5, 5, 10, 10);
            box(*parent, 1, 1, 2, 2, 0, 1, 0);
        },
        { { 12, 12, kGreen }, { 15, 15, kGreen }, { 11, 12, kRed }, { 16, 16, kRed } } },
    { "BoundsOriginShiftsTheSubviews",
        [](View& w) {
            auto parent = red(w, 5, 5, 10, 10);
            parent->setBounds(makeRect(2, 0, 10, 10));
            box(*parent, 2, 1, 2, 2, 0, 1, 0); // at the parent's top left corner, one point down
        },
        { { 10, 12, kGreen }, { 13, 15, kGreen }, { 14, 12, kRed }, { 10, 11, kRed }, { 9, 12, kBlack } } },
    { "TransformsCompose",
        [](View& w) {
            // A 4-point parent doubled about its centre (10, 10): its corner child lands at 6..10.
            auto parent = View::make(makeRect(8, 8, 4, 4));
            w.addSubview(parent.get());
            parent->setTransform(quartz::Transform3DMakeScale(2, 2, 1));
            box(*parent, 0, 0, 2, 2, 0, 0, 1);
        },
        { { 12, 12, kBlue }, { 19, 19, kBlue }, { 11, 11, kBlack }, { 20, 20, kBlack } } },
    { "ClipsToBoundsKeepsSubviewsInside",
        [](View& w) {
            auto parent = View::make(makeRect(4, 4, 4, 4));
            w.addSubview(parent.get());
            parent->setClipsToBounds(true);
            red(*parent, -4, -4, 12, 12);
        },
        { { 8, 8, kRed }, { 15, 15, kRed }, { 7, 8, kBlack }, { 16, 16, kBlack }, { 0, 0, kBlack } } },
    { "WithoutClippingSubviewsSpillOut",
        [](View& w) {
            auto parent = View::make(makeRect(4, 4, 4, 4));
            w.addSubview(parent.get());
            red(*parent, -4, -4, 12, 12);
        },
        { { 0, 0, kRed }, { 23, 23, kRed }, { 24, 24, kBlack } } },
    { "LaterSiblingsAreInFront",
        [](View& w) {
            red(w, 0, 0, 10, 10);
            box(w, 5, 5, 10, 10, 0, 1, 0);
        },
        { { 5, 5, kRed }, { 12, 12, kGreen } } },
};

class ViewTree : public ::testing::TestWithParam<Case> { };

TEST_P(ViewTree, Pixels)
{
    ArtworkFolder artwork;
    ombrel::sim::Renderer renderer(artwork.path());
    auto window = uikit::Window::make(makeRect(0, 0, 20, 20));
    window->makeKeyAndVisible();
    GetParam().build(*window);
    ombrel::sim::Picture picture = renderer.render({ window.get() }, { 20, 20 });
    ASSERT_EQ(picture.width, 40);
    ASSERT_EQ(picture.height, 40);
    for (const Probe& p : GetParam().probes) {
        char text[64];
        std::snprintf(text, sizeof text, "at (%d, %d): %08x, expected %08x", p.x, p.y, picture.at(p.x, p.y), p.colour);
        EXPECT_TRUE(near(picture.at(p.x, p.y), p.colour, p.tolerance)) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Renderer, ViewTree, ::testing::ValuesIn(kCases),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(Renderer, WindowsAreDrawnBackToFront)
{
    ArtworkFolder artwork;
    ombrel::sim::Renderer renderer(artwork.path());
    auto back = uikit::Window::make(makeRect(0, 0, 20, 20));
    auto front = uikit::Window::make(makeRect(0, 0, 20, 20));
    red(*back, 0, 0, 20, 20);
    box(*front, 10, 0, 10, 20, 0, 0, 1);
    back->makeKeyAndVisible();
    front->makeKeyAndVisible();
    ombrel::sim::Picture picture = renderer.render({ back.get(), front.get() }, { 20, 20 });
    EXPECT_EQ(picture.at(5, 5), kRed);
    EXPECT_EQ(picture.at(25, 5), kBlue);
    EXPECT_EQ(picture.at(40, 5), 0u); // outside the picture
}

TEST(Renderer, PictureSizeFollowsScreenAndScale)
{
    ArtworkFolder artwork;
    ombrel::sim::Renderer renderer(artwork.path(), 3);
    ombrel::sim::Picture picture = renderer.render({}, { 320, 568 });
    EXPECT_EQ(picture.width, 960);
    EXPECT_EQ(picture.height, 1704);
    EXPECT_EQ(picture.pixels.size(), std::size_t(960 * 1704));
    EXPECT_EQ(picture.at(0, 0), kBlack);
}

} // namespace
