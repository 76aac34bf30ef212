// The layer transform's algebra in the phone's row-vector convention, and the frame it implies.
#include "platform/quartz/Transform3D.h"
#include <gtest/gtest.h>

using namespace quartz;

namespace {

struct PointCase {
    const char* name;
    Transform3D transform;
    Point in;
    Point expected;
};

class TransformPoints : public ::testing::TestWithParam<PointCase> { };

TEST_P(TransformPoints, MapsThePoint)
{
    const PointCase& c = GetParam();
    Point out = applyToPoint(c.transform, c.in);
    EXPECT_FLOAT_EQ(out.x, c.expected.x) << c.name;
    EXPECT_FLOAT_EQ(out.y, c.expected.y) << c.name;
}

const Transform3D moveRight10 = Transform3DMakeTranslation(10, 0, 0);
const Transform3D double2 = Transform3DMakeScale(2, 2, 1);

INSTANTIATE_TEST_SUITE_P(Algebra, TransformPoints,
    ::testing::Values(
        PointCase { "identity", Transform3DIdentity, { 3, 4 }, { 3, 4 } },
        PointCase { "make scale", Transform3DMakeScale(2, 3, 1), { 3, 4 }, { 6, 12 } },
        PointCase { "make translation", Transform3DMakeTranslation(5, -2, 0), { 3, 4 }, { 8, 2 } },
        // Scale(t, ...) scales first, then applies t: the translation is not scaled.
        PointCase { "scale then translation", Transform3DScale(moveRight10, 2, 2, 1), { 3, 4 }, { 16, 8 } },
        // Translate(t, ...) translates first, then applies t: the translation is scaled.
        PointCase { "translate then scale", Transform3DTranslate(double2, 10, 0, 0), { 3, 4 }, { 26, 8 } },
        PointCase { "concat a then b", Transform3DConcat(double2, moveRight10), { 3, 4 }, { 16, 8 } },
        PointCase { "concat b then a", Transform3DConcat(moveRight10, double2), { 3, 4 }, { 26, 8 } },
        PointCase { "rain value: drop then shrink", Transform3DScale(Transform3DMakeTranslation(0, 100, 0), 0.5f, 0.5f, 1), { 10, 10 }, { 5, 105 } }),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(Transform3D, ScaleEqualsConcatOfMakeScale)
{
    Transform3D t = Transform3DTranslate(Transform3DMakeScale(1.5f, 0.5f, 1), 7, -3, 0);
    EXPECT_EQ(Transform3DScale(t, 1.1f, 1.1f, 1), Transform3DConcat(Transform3DMakeScale(1.1f, 1.1f, 1), t));
    EXPECT_EQ(Transform3DTranslate(t, 4, 5, 6), Transform3DConcat(Transform3DMakeTranslation(4, 5, 6), t));
    EXPECT_TRUE(Transform3DIsIdentity(Transform3DScale(Transform3DIdentity, 1, 1, 1)));
    EXPECT_FALSE(Transform3DEqualToTransform(t, Transform3DIdentity));
}

TEST(Transform3D, InverseUndoesThePlanePartAndRefusesAZeroScale)
{
    Transform3D t = Transform3DScale(Transform3DMakeTranslation(10, 20, 0), 2, 4, 1);
    std::optional<Point> back = applyInverseToPoint(t, applyToPoint(t, { 3, -5 }));
    ASSERT_TRUE(back);
    EXPECT_FLOAT_EQ(back->x, 3);
    EXPECT_FLOAT_EQ(back->y, -5);
    EXPECT_FALSE(applyInverseToPoint(Transform3DMakeScale(0, 0, 0), { 1, 1 }));
}

struct FrameCase {
    const char* name;
    Transform3D transform;
    Rect expected;
};

TEST(Transform3D, FrameIsTheBoundingBoxAboutTheCentre)
{
    // A 100 x 50 layer centred at (160, 240).
    const FrameCase cases[] = {
        { "identity", Transform3DIdentity, makeRect(110, 215, 100, 50) },
        { "scale 2", Transform3DMakeScale(2, 2, 1), makeRect(60, 190, 200, 100) },
        { "scale 0", Transform3DMakeScale(0, 0, 0), makeRect(160, 240, 0, 0) },
        { "mirrored", Transform3DMakeScale(-1, 1, 1), makeRect(110, 215, 100, 50) },
        { "moved", Transform3DMakeTranslation(5, 10, 0), makeRect(115, 225, 100, 50) },
    };
    for (const FrameCase& c : cases)
        EXPECT_EQ(frameOf({ 160, 240 }, makeRect(0, 0, 100, 50), c.transform), c.expected) << c.name;
}

} // namespace
