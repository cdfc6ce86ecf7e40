#include "skin/BackgroundGradient.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
const QColor TopLeft(80, 0, 0);
const QColor TopRight(0, 80, 0);
const QColor BottomRight(0, 0, 80);
const QColor BottomLeft(40, 40, 0);

QColor average(QColor a, QColor b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// Within one step per channel: pixel centres lie half a pixel inside the corners.
::testing::AssertionResult near(QColor actual, QColor expected)
{
    if (std::abs(actual.red() - expected.red()) <= 1 && std::abs(actual.green() - expected.green()) <= 1 &&
        std::abs(actual.blue() - expected.blue()) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "RGB(" << actual.red() << "," << actual.green() << "," << actual.blue()
                                         << ") is not near RGB(" << expected.red() << "," << expected.green() << ","
                                         << expected.blue() << ")";
}
} // namespace

TEST(BackgroundGradient, cornersAndEdgeMiddles_blendTheirCorners)
{
    const QImage image = PaintBackgroundGradient(QSize(1281, 801), TopLeft, TopRight, BottomRight, BottomLeft);
    ASSERT_EQ(image.size(), QSize(1281, 801));
    const struct
    {
        QPoint at;
        QColor expected;
    } probes[] = {
        {{0, 0}, TopLeft},
        {{1280, 0}, TopRight},
        {{1280, 800}, BottomRight},
        {{0, 800}, BottomLeft},
        {{640, 0}, average(TopLeft, TopRight)},
        {{1280, 400}, average(TopRight, BottomRight)},
        {{640, 800}, average(BottomLeft, BottomRight)},
        {{0, 400}, average(TopLeft, BottomLeft)},
        {{640, 400}, average(TopLeft, BottomRight)},
    };
    for (const auto& probe : probes)
        EXPECT_TRUE(near(image.pixelColor(probe.at), probe.expected)) << probe.at.x() << "," << probe.at.y();
}

TEST(BackgroundGradient, diagonal_takesOnlyTopLeftAndBottomRight)
{
    // Top right and bottom left carry all the green; the diagonal between the triangles has none.
    const QImage image = PaintBackgroundGradient(QSize(300, 300), TopLeft, TopRight, BottomRight, BottomLeft);
    for (int i = 0; i < 300; ++i) {
        const QColor c = image.pixelColor(i, i);
        EXPECT_EQ(c.green(), 0) << i;
        EXPECT_NEAR(c.red() + c.blue(), 80, 1) << i;
    }
    // Off the diagonal each half takes in its own corner.
    EXPECT_GT(image.pixelColor(250, 50).green(), 40);
    const QColor upper = image.pixelColor(250, 50);
    EXPECT_NEAR(upper.red() + upper.green() + upper.blue(), 80, 1) << "only the upper triangle's corners";
    EXPECT_GT(image.pixelColor(50, 250).green(), 20);
    EXPECT_GT(image.pixelColor(50, 250).red(), image.pixelColor(50, 250).blue());
}

TEST(BackgroundGradient, emptySize_givesAnEmptyPicture)
{
    EXPECT_TRUE(PaintBackgroundGradient(QSize(0, 0), TopLeft, TopRight, BottomRight, BottomLeft).isNull());
}
