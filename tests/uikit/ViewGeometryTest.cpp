// View geometry: frame, bounds and centre derived as on the phone, and points converted through
// nested, moved and scaled views.
#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"
#include "platform/uikit/View.h"
#include "platform/uikit/Window.h"
#include <gtest/gtest.h>

using namespace uikit;
using runtime::Ref;
using quartz::makeRect;

namespace {

TEST(ViewGeometry, FrameSetsCentreAndBoundsSize)
{
    auto v = View::make(makeRect(122.5f, 365, 75, 75));
    EXPECT_EQ(v->center(), (Point { 160, 402.5f }));
    EXPECT_EQ(v->bounds(), makeRect(0, 0, 75, 75));
    EXPECT_EQ(v->frame(), makeRect(122.5f, 365, 75, 75));

    v->setCenter({ 100, 100 });
    EXPECT_EQ(v->frame(), makeRect(62.5f, 62.5f, 75, 75));
    v->setBounds(makeRect(10, 10, 20, 40));
    EXPECT_EQ(v->frame(), makeRect(90, 80, 20, 40)) << "the bounds origin does not move the frame";
}

TEST(ViewGeometry, FrameWithAScaleTransformIsTheBoundingBox)
{
    auto v = View::make(makeRect(100, 100, 60, 40));
    v->setTransform(quartz::Transform3DMakeScale(1.5f, 0.5f, 1));
    EXPECT_EQ(v->frame(), makeRect(85, 110, 90, 20));
    EXPECT_EQ(v->bounds(), makeRect(0, 0, 60, 40)) << "bounds are untransformed";
    EXPECT_EQ(v->center(), (Point { 130, 120 }));

    v->setFrame(makeRect(0, 0, 10, 10));
    EXPECT_EQ(v->center(), (Point { 5, 5 }));
    EXPECT_EQ(v->bounds().size, (Size { 10, 10 }));
    EXPECT_EQ(v->frame(), makeRect(-2.5f, 2.5f, 15, 5)) << "the transform stays and applies to the new bounds";
}

TEST(ViewGeometry, ConvertsPointsThroughNestedScaledViews)
{
    auto window = Window::make(makeRect(0, 0, 320, 480));
    auto outer = View::make(makeRect(100, 100, 100, 100));
    auto inner = View::make(makeRect(10, 20, 40, 40));
    window->addSubview(outer);
    outer->addSubview(inner);
    EXPECT_EQ(inner->convertPointTo({ 5, 5 }, nullptr), (Point { 115, 125 }));
    EXPECT_EQ(inner->convertPointFrom({ 115, 125 }, window), (Point { 5, 5 }));
    EXPECT_EQ(outer->convertPointTo({ 0, 0 }, inner), (Point { -10, -20 }));

    outer->setTransform(quartz::Transform3DMakeScale(2, 2, 1)); // about the centre (150, 150)
    EXPECT_EQ(inner->convertPointTo({ 0, 0 }, nullptr), (Point { 70, 90 }));
    EXPECT_EQ(inner->convertPointFrom({ 70, 90 }, nullptr), (Point { 0, 0 }));
}

TEST(ViewGeometry, SubviewOrderInsertAndRemove)
{
    auto parent = View::make(makeRect(0, 0, 100, 100));
    auto a = View::make(makeRect(0, 0, 1, 1)), b = View::make(makeRect(0, 0, 1, 1)), c = View::make(makeRect(0, 0, 1, 1));
    a->setTag(1);
    b->setTag(2);
    c->setTag(3);
    auto tags = [&] {
        std::vector<int> t;
        for (const auto& v : parent->subviews())
            t.push_back(v->tag());
        return t;
    };
    parent->addSubview(a);
    parent->addSubview(b);
    parent->insertSubviewBelow(c, a);
    EXPECT_EQ(tags(), (std::vector<int> { 3, 1, 2 }));
    parent->insertSubviewAbove(c, a);
    EXPECT_EQ(tags(), (std::vector<int> { 1, 3, 2 }));
    parent->addSubview(a);
    EXPECT_EQ(tags(), (std::vector<int> { 3, 2, 1 })) << "adding again moves to the front";
    EXPECT_EQ(parent->viewWithTag(2), b.get());
    b->removeFromSuperview();
    EXPECT_EQ(b->superview(), nullptr);
    EXPECT_EQ(tags(), (std::vector<int> { 3, 1 }));
    a->addSubview(parent); // a cycle is refused
    EXPECT_EQ(parent->superview(), nullptr);
}

TEST(ViewGeometry, ParentGoingAwayClearsTheChildsBackPointer)
{
    Ref<View> child = View::make(makeRect(0, 0, 1, 1));
    {
        auto parent = View::make(makeRect(0, 0, 10, 10));
        parent->addSubview(child);
        EXPECT_EQ(child->superview(), parent.get());
    }
    EXPECT_EQ(child->superview(), nullptr);
}

TEST(ViewGeometry, ImageViewsAndLabels)
{
    Image::setSizeProvider([](const std::string& name) -> std::optional<Size> {
        if (name == "track_default")
            return Size { 75, 75 };
        return std::nullopt;
    });
    auto iv = ImageView::make(Image::named("track_default"));
    EXPECT_EQ(iv->frame(), makeRect(0, 0, 75, 75));
    EXPECT_EQ(iv->image()->name(), "track_default");
    EXPECT_EQ(Image::named("missing")->size(), (Size {}));
    EXPECT_FALSE(Image::named(""));

    auto label = Label::make(makeRect(0, 0, 100, 20));
    EXPECT_EQ(label->font()->pointSize, 17);
    label->setText("12:34");
    label->setFont(Font::make("Helvetica-Light", 60));
    EXPECT_EQ(label->text(), "12:34");
    EXPECT_EQ(label->font()->name, "Helvetica-Light");
    EXPECT_EQ(label->className(), "UILabel");
}

} // namespace
