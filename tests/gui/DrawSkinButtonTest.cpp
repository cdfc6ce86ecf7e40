#include "buttons/DrawSkinButton.h"
#include "ChromeTestSupport.h"

#include <QFontMetricsF>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {
const QColor Background(255, 0, 255);

class DrawSkinButtonTest : public ::testing::Test
{
protected:
    QImage paint(QSizeF size, const QString& state, const QString& caption)
    {
        QImage image(static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())),
                     QImage::Format_RGB32);
        image.fill(Background);
        QPainter painter(&image);
        DrawSkinButton(painter, m_skin, size, state, caption, m_font);
        return image;
    }

    QImage m_skin = SyntheticSkin::make();
    QFont m_font = initialSkinButtonFont();
};

struct LayoutCase
{
    double width;
    int rightCapStart;
};

std::ostream& operator<<(std::ostream& out, const LayoutCase& row)
{
    return out << "width " << row.width;
}

class DrawSkinButtonLayout : public DrawSkinButtonTest, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(DrawSkinButtonLayout, capsAtTheEnds_tilesEveryTenColumnsBetween)
{
    const LayoutCase row = GetParam();
    const QImage image = paint(QSizeF(row.width, 50), QStringLiteral("N"), QString());
    for (int y : {0, 2, 25, 49}) {
        for (int x = 0; x < image.width(); ++x) {
            QColor expected = SyntheticSkin::middleTile(0);
            if (x < 20)
                expected = SyntheticSkin::leftCap(0);
            else if (x >= row.rightCapStart && x < row.rightCapStart + 20)
                expected = SyntheticSkin::rightCap(0);
            else if (x % 10 == 0)
                expected = SyntheticSkin::middleTileMarker(0);
            ASSERT_EQ(image.pixelColor(x, y), expected) << "x " << x << " y " << y;
        }
    }
}

// Fractional widths show the right cap's position rounding halves to even.
INSTANTIATE_TEST_SUITE_P(Widths, DrawSkinButtonLayout,
                         ::testing::Values(LayoutCase{140, 120}, LayoutCase{150, 130}, LayoutCase{145, 125},
                                           LayoutCase{142.5, 122}, LayoutCase{143.5, 124}));

struct StateCase
{
    const char* state;
    int row;
    QColor captionColour;
};

std::ostream& operator<<(std::ostream& out, const StateCase& row)
{
    return out << "state " << row.state;
}

class DrawSkinButtonStates : public DrawSkinButtonTest, public ::testing::WithParamInterface<StateCase>
{
};

TEST_P(DrawSkinButtonStates, piecesAndCaptionColourFollowTheState)
{
    const StateCase row = GetParam();
    const QImage image = paint(QSizeF(140, 50), QString::fromLatin1(row.state), QStringLiteral("FINISH"));
    EXPECT_EQ(image.pixelColor(5, 2), SyntheticSkin::leftCap(row.row));
    EXPECT_EQ(image.pixelColor(25, 2), SyntheticSkin::middleTile(row.row));
    EXPECT_EQ(image.pixelColor(135, 2), SyntheticSkin::rightCap(row.row));

    const QColor otherCaption = row.row == 0 ? QColor(64, 64, 0) : QColor(0, 0, 0);
    bool captionSeen = false;
    bool otherSeen = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            captionSeen = captionSeen || image.pixelColor(x, y) == row.captionColour;
            otherSeen = otherSeen || image.pixelColor(x, y) == otherCaption;
        }
    }
    EXPECT_TRUE(captionSeen);
    EXPECT_FALSE(otherSeen);
}

INSTANTIATE_TEST_SUITE_P(States, DrawSkinButtonStates,
                         ::testing::Values(StateCase{"N", 0, QColor(0, 0, 0)}, StateCase{"H", 1, QColor(64, 64, 0)},
                                           StateCase{"P", 2, QColor(64, 64, 0)}));

TEST_F(DrawSkinButtonTest, unknownState_paintsNothing)
{
    for (const char* state : {"", "n", "X", "NH"}) {
        const QImage image = paint(QSizeF(140, 50), QString::fromLatin1(state), QStringLiteral("BACK"));
        QImage untouched(image.size(), QImage::Format_RGB32);
        untouched.fill(Background);
        EXPECT_EQ(image, untouched) << state;
    }
}

TEST_F(DrawSkinButtonTest, caption_isCentredInTheButton)
{
    const QImage image = paint(QSizeF(140, 50), QStringLiteral("N"), QStringLiteral("HH"));
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 20; x < 120; ++x) {
            if (image.pixelColor(x, y).green() < 110) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    ASSERT_GE(right, left);
    EXPECT_NEAR((left + right) / 2.0, 69.5, 2.0);
    EXPECT_NEAR((top + bottom) / 2.0, 24.5, 4.0);
}

TEST_F(DrawSkinButtonTest, fittingCaptions_keepTheInitialSize)
{
    paint(QSizeF(140, 50), QStringLiteral("N"), QStringLiteral("FINISH"));
    paint(QSizeF(150, 50), QStringLiteral("H"), QStringLiteral("CANCEL"));
    EXPECT_DOUBLE_EQ(m_font.pointSizeF(), 12.75);
    EXPECT_TRUE(m_font.bold());
}

TEST_F(DrawSkinButtonTest, tooWideCaption_shrinksByWholePointsUntilItFits_andNeverGrowsBack)
{
    const QString caption = QStringLiteral("WWWWWWWWWW");
    const QImage image = paint(QSizeF(140, 50), QStringLiteral("N"), caption);
    const double shrunk = m_font.pointSizeF();
    EXPECT_LT(shrunk, 12.75);
    EXPECT_DOUBLE_EQ(std::fmod(12.75 - shrunk, 1.0), 0.0);
    EXPECT_LE(QFontMetricsF(m_font, &image).horizontalAdvance(caption), 120.0);
    QFont oneLarger = m_font;
    oneLarger.setPointSizeF(shrunk + 1.0);
    EXPECT_GT(QFontMetricsF(oneLarger, &image).horizontalAdvance(caption), 120.0);

    paint(QSizeF(140, 50), QStringLiteral("N"), QStringLiteral("OK"));
    EXPECT_DOUBLE_EQ(m_font.pointSizeF(), shrunk);
}

TEST_F(DrawSkinButtonTest, captionThatFitsAtNoSize_stopsShrinkingAboveZero)
{
    paint(QSizeF(20, 50), QStringLiteral("N"), QStringLiteral("WWW"));
    EXPECT_GE(m_font.pointSizeF(), 1.0);
    EXPECT_LT(m_font.pointSizeF(), 2.0);
}
} // namespace
