#include "skin/FramePainter.h"
#include "PixelProbe.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

using namespace SkinPieces;
using PixelProbe::boundingBox;
using PixelProbe::firstDifference;
using PixelProbe::firstMismatch;

namespace {
// A colour that appears nowhere in the skin, so untouched pixels are easy to tell.
constexpr QRgb Untouched = qRgb(255, 0, 255);

QImage blankSurface(QSize size, QRgb fill = Untouched)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QRgb rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y);
}

QRgb skinAt(const QRect& piece, int column, int row)
{
    return skinImage().pixel(piece.topLeft() + QPoint(column, row));
}

// Where a piece was copied to, compared pixel for pixel with the skin.
QString pieceDifference(const QImage& image, QPoint to, const QRect& piece, int columns = -1)
{
    const QSize size(columns < 0 ? piece.width() : columns, piece.height());
    return firstDifference(image, QRect(to, size), skinImage(), piece.topLeft());
}

QImage paintedSettingsWindow(QSize window, bool competitionMode)
{
    QImage image = blankSurface(window, InnerColour);
    QPainter painter(&image);
    paintSettingsLook(painter, window, competitionMode);
    return image;
}

QImage paintedStageWindow(QSize window, const QString& title, const QString& subtitle, int titleX)
{
    QImage image = blankSurface(window, InnerColour);
    QPainter painter(&image);
    PaintStageFrame(painter, window, title, subtitle, titleX);
    return image;
}

// Pixels that differ between two paintings of the same surface.
QRect changedBox(const QImage& a, const QImage& b, const QRect& area, const std::function<bool(QRgb)>& test)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && test(a.pixel(x, y)))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

bool isDark(QRgb p)
{
    return qRed(p) + qGreen(p) + qBlue(p) < 300;
}

bool isNearWhite(QRgb p)
{
    return qRed(p) > 235 && qGreen(p) > 235 && qBlue(p) > 235;
}

bool isRed(QRgb p)
{
    return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90;
}
} // namespace

TEST(EdgeBands, width1024_gets103TopAndBottomSlicesRunningPastTheEdge)
{
    // The surface is wider than the window so that slices running past its right edge can be seen.
    QImage image = blankSurface(QSize(1040, 790));
    {
        QPainter painter(&image);
        paintEdgeBands(painter, 1024, 768, SettingsTopSlice);
    }
    for (int x = 1024; x <= 1029; ++x) {
        EXPECT_EQ(rgb(image, x, 23), skinAt(SettingsTopSlice, x - 1020, 23)) << "top band at column " << x;
        EXPECT_EQ(rgb(image, x, 752), skinAt(BottomSlice, x - 1020, 4)) << "bottom band at column " << x;
    }
    EXPECT_EQ(rgb(image, 1030, 23), Untouched) << "a 104th top slice";
    EXPECT_EQ(rgb(image, 1030, 752), Untouched) << "a 104th bottom slice";
    // 77 left and right slices reach row 769.
    EXPECT_EQ(rgb(image, 15, 769), skinAt(LeftSlice, 15, 9));
    EXPECT_EQ(rgb(image, 1008, 769), skinAt(RightSlice, 4, 9));
    EXPECT_EQ(rgb(image, 15, 770), Untouched);
    EXPECT_EQ(rgb(image, 1008, 770), Untouched);
    // The right band starts 20 pixels in from the right edge and covers the top band's last columns.
    EXPECT_EQ(rgb(image, 1023, 23), skinAt(RightSlice, 19, 3));
    EXPECT_EQ(rgb(image, 1003, 400), Untouched);
    EXPECT_EQ(rgb(image, 1003, 23), skinAt(SettingsTopSlice, 3, 23));
}

TEST(DrawControlFrame, settingsPanel_paintsOnlyTheFourPixelBand)
{
    QImage image = blankSurface(QSize(1280, 800));
    const QRect panel(265, 495, 750, 265);
    {
        QPainter painter(&image);
        DrawControlFrame(painter, panel);
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(firstMismatch(image, QRect(271, 491 + k, 738, 1), skinAt(ControlTopTile, 0, k)).isEmpty()) << k;
        EXPECT_TRUE(firstMismatch(image, QRect(271, 760 + k, 738, 1), skinAt(ControlBottomTile, 0, k)).isEmpty()) << k;
        EXPECT_TRUE(firstMismatch(image, QRect(261 + k, 501, 1, 253), skinAt(ControlLeftTile, k, 0)).isEmpty()) << k;
        EXPECT_TRUE(firstMismatch(image, QRect(1015 + k, 501, 1, 253), skinAt(ControlRightTile, k, 0)).isEmpty()) << k;
    }
    EXPECT_TRUE(pieceDifference(image, QPoint(261, 491), ControlTopLeftCorner).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(1009, 491), ControlTopRightCorner).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(261, 754), ControlBottomLeftCorner).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(1009, 754), ControlBottomRightCorner).isEmpty());
    // Nothing beyond columns 261-1018 and rows 491-763, nothing inside the panel past the corners.
    EXPECT_TRUE(firstMismatch(image, QRect(260, 490, 1, 275), Untouched).isEmpty());
    EXPECT_TRUE(firstMismatch(image, QRect(1019, 490, 1, 275), Untouched).isEmpty());
    EXPECT_TRUE(firstMismatch(image, QRect(260, 490, 760, 1), Untouched).isEmpty());
    EXPECT_TRUE(firstMismatch(image, QRect(260, 764, 760, 1), Untouched).isEmpty());
    EXPECT_TRUE(firstMismatch(image, QRect(271, 501, 738, 253), Untouched).isEmpty());
}

TEST(DrawControlFrame, sizesNotMultipleOfFour_leaveNoGapAndNoOverrun)
{
    for (const QSize size : {QSize(9, 9), QSize(10, 13), QSize(11, 6), QSize(12, 12), QSize(6, 50)}) {
        QImage image = blankSurface(QSize(120, 120));
        const QRect control(QPoint(40, 40), size);
        {
            QPainter painter(&image);
            DrawControlFrame(painter, control);
        }
        const QRect band = control.adjusted(-4, -4, 4, 4);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool inBand =
                    band.contains(x, y) && !control.adjusted(6, 6, -6, -6).contains(x, y) && !control.contains(x, y);
                if (inBand) {
                    ASSERT_NE(rgb(image, x, y), Untouched)
                        << size.width() << "x" << size.height() << " gap at (" << x << "," << y << ")";
                } else if (!band.contains(x, y)) {
                    ASSERT_EQ(rgb(image, x, y), Untouched)
                        << size.width() << "x" << size.height() << " overrun at (" << x << "," << y << ")";
                }
            }
    }
}

TEST(DrawControlFrame, zeroSizeControl_stillGetsItsFourCorners)
{
    QImage image = blankSurface(QSize(200, 200));
    {
        QPainter painter(&image);
        DrawControlFrame(painter, QRect(100, 100, 0, 0));
    }
    // Painted in order top-left (96,96), top-right (94,96), bottom-left (96,94), bottom-right (94,94).
    EXPECT_EQ(rgb(image, 94, 94), skinAt(ControlBottomRightCorner, 0, 0));
    EXPECT_EQ(rgb(image, 105, 94), skinAt(ControlBottomLeftCorner, 9, 0));
    EXPECT_EQ(rgb(image, 94, 105), skinAt(ControlTopRightCorner, 0, 9));
    EXPECT_EQ(rgb(image, 105, 105), skinAt(ControlTopLeftCorner, 9, 9));
    // Where they overlap, the later corner wins.
    EXPECT_EQ(rgb(image, 100, 100), skinAt(ControlBottomRightCorner, 6, 6));
    EXPECT_EQ(rgb(image, 104, 100), skinAt(ControlBottomLeftCorner, 8, 6));
    EXPECT_EQ(rgb(image, 100, 104), skinAt(ControlTopRightCorner, 6, 8));
    EXPECT_EQ(boundingBox(image, image.rect(), [](QRgb p) { return p != Untouched; }), QRect(94, 94, 12, 12));
}

struct PlacementCase
{
    QSize window;
    int titleLineHeight;
    QPoint emblem;
    QPoint banner;
};

TEST(SettingsDecorationPlacement, followsTheFormulaWithHalvesToEven)
{
    const PlacementCase cases[] = {
        {{1280, 800}, 45, {422, 182}, {422, 122}}, // 422.5 -> 422 and 181.5 -> 182
        {{1282, 802}, 45, {424, 182}, {423, 122}}, // 423.5 -> 424 and 182.5 -> 182
        {{1280, 799}, 45, {422, 181}, {422, 121}},
        {{1024, 768}, 45, {294, 166}, {294, 106}}, // 294.5 -> 294 and 165.5 -> 166
        {{1280, 800}, 46, {422, 182}, {422, 122}}, // L = 412: y = 56 + 46 + 80
        {{1280, 800}, 44, {422, 181}, {422, 121}}, // L = 414: y = 57 + 44 + 80
    };
    for (const PlacementCase& c : cases) {
        const SettingsDecorationPlacement at = settingsDecorationPlacement(c.window, c.titleLineHeight);
        EXPECT_EQ(at.emblem, c.emblem) << c.window.width() << "x" << c.window.height() << " T=" << c.titleLineHeight;
        EXPECT_EQ(at.banner, c.banner) << c.window.width() << "x" << c.window.height() << " T=" << c.titleLineHeight;
    }
}

TEST(SettingsLook, emblemAndBanner_followTheMeasuredTitleHeight)
{
    const QSize window(1280, 800);
    const QImage image = paintedSettingsWindow(window, false);
    const int titleLineHeight = QFontMetrics(settingsTitleFont(), &image).height();
    const SettingsDecorationPlacement at = settingsDecorationPlacement(window, titleLineHeight);
    EXPECT_TRUE(pieceDifference(image, at.emblem, EmblemPicture).isEmpty())
        << qPrintable(pieceDifference(image, at.emblem, EmblemPicture));
    EXPECT_TRUE(pieceDifference(image, at.banner, BannerStrip).isEmpty())
        << qPrintable(pieceDifference(image, at.banner, BannerStrip));
}

TEST(SettingsLook, framePieces_areAtTheirPlaces)
{
    for (const QSize window : {QSize(1280, 800), QSize(1024, 768)}) {
        const QImage image = paintedSettingsWindow(window, false);
        const int w = window.width(), h = window.height();
        EXPECT_TRUE(pieceDifference(image, QPoint(0, 0), SettingsTopLeftCorner).isEmpty()) << w;
        EXPECT_TRUE(pieceDifference(image, QPoint(w - 30, 0), SettingsTopRightCorner).isEmpty()) << w;
        EXPECT_TRUE(pieceDifference(image, QPoint(0, h - 40), BottomLeftCorner).isEmpty()) << w;
        EXPECT_TRUE(pieceDifference(image, QPoint(w - 40, h - 40), BottomRightCorner).isEmpty()) << w;
        EXPECT_TRUE(pieceDifference(image, QPoint(50, 0), SettingsTopSlice).isEmpty()) << w;
        // Between the corners the top band repeats every 10 pixels down to the title (a synthesised bold
        // face may reach two rows above its line).
        const auto diff = firstDifference(image, QRect(50, 0, w - 90, 43), image, QPoint(60, 0));
        EXPECT_TRUE(diff.isEmpty()) << w << " " << diff.toStdString();
    }
}

TEST(SettingsLook, title_isDarkRedOverAWhiteShadowTwoPixelsRightAndDown)
{
    const QSize window(1280, 800);
    const QImage image = paintedSettingsWindow(window, false);
    const QRect header(0, 40, 1280, 80);
    const QRect red = boundingBox(image, header, [](QRgb p) { return p == qRgb(192, 0, 0); });
    const QRect white = boundingBox(image, header, [](QRgb p) { return p == qRgb(255, 255, 255); });
    ASSERT_FALSE(red.isNull());
    ASSERT_FALSE(white.isNull());
    EXPECT_NEAR(red.center().x(), 640, 2) << "the title is centred";
    EXPECT_GE(red.top(), 44);
    EXPECT_EQ(white.right(), red.right() + 2);
    EXPECT_EQ(white.bottom(), red.bottom() + 2);
}

TEST(CompetitionLook, header_isTheCompetitionArtworkWithoutText)
{
    const QSize window(1280, 800);
    const QImage image = paintedSettingsWindow(window, true);
    EXPECT_TRUE(pieceDifference(image, QPoint(0, 0), CompetitionHeaderLeft).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(1250, 0), CompetitionHeaderRight).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(0, 760), BottomLeftCorner).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(1240, 760), BottomRightCorner).isEmpty());
    for (int x = 200; x + 10 <= 1250; x += 10)
        ASSERT_TRUE(pieceDifference(image, QPoint(x, 0), CompetitionTopSlice).isEmpty()) << "top slice at " << x;
    // Below the header only the inner colour: no emblem, banner or title.
    EXPECT_TRUE(firstMismatch(image, QRect(40, 97, 1200, 650), InnerColour).isEmpty());
}

TEST(CompetitionLook, titleFontAfterwards_isStillTheSettingsTitleFont)
{
    // Painting the competition look must not change how the next settings look is measured.
    QImage image = blankSurface(QSize(1280, 800), InnerColour);
    QPainter painter(&image);
    paintSettingsLook(painter, image.size(), true);
    paintSettingsLook(painter, image.size(), false);
    painter.end();
    EXPECT_EQ(image, paintedSettingsWindow(QSize(1280, 800), false));
}

TEST(StageFrame, piecesAndTopBand_useTheStageArtwork)
{
    const QSize window(1280, 775);
    const QImage image = paintedStageWindow(window, QString(), QString(), 190);
    EXPECT_TRUE(pieceDifference(image, QPoint(0, 0), StageHeaderLeft).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(1250, 0), StageHeaderRight).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(0, 735), BottomLeftCorner).isEmpty());
    EXPECT_TRUE(pieceDifference(image, QPoint(1240, 735), BottomRightCorner).isEmpty());
    for (int x = 200; x + 10 <= 1250; x += 10)
        ASSERT_TRUE(pieceDifference(image, QPoint(x, 0), StageTopSlice).isEmpty()) << "top slice at " << x;
    EXPECT_TRUE(firstMismatch(image, QRect(40, 72, 1200, 650), InnerColour).isEmpty());
}

TEST(StageFrame, title_startsAtTitleXInNavyWithAWhiteShadow)
{
    const QSize window(1280, 775);
    const QString title = QStringLiteral("SPECIAL NUMBERS (PI)");
    const QImage frame = paintedStageWindow(window, QString(), QString(), 190);
    const QRect header(0, 0, 1280, 40);
    for (const int titleX : {190, 210}) {
        const QImage image = paintedStageWindow(window, title, QString(), titleX);
        const QRect navy = changedBox(image, frame, header, isDark);
        const QRect shadow = changedBox(image, frame, header, isNearWhite);
        ASSERT_FALSE(navy.isNull());
        ASSERT_FALSE(shadow.isNull());
        const QRect ink = QFontMetrics(stageTitleFont(), &image).tightBoundingRect(title);
        const int ascent = QFontMetrics(stageTitleFont(), &image).ascent();
        EXPECT_NEAR(navy.left(), titleX + ink.left(), 1) << titleX;
        EXPECT_NEAR(navy.top(), 2 + ascent + ink.top(), 1) << titleX;
        EXPECT_GT(shadow.right(), navy.right()) << "the shadow lies to the right";
        EXPECT_GT(shadow.bottom(), navy.bottom()) << "the shadow lies below";
        EXPECT_TRUE(boundingBox(image, header, [](QRgb p) { return p == qRgb(0, 0, 128); }).isValid());
    }
}

TEST(StageFrame, subtitle_endsSeventyPixelsFromTheRightEdgeInRed)
{
    const QSize window(1280, 775);
    const QImage frame = paintedStageWindow(window, QString(), QString(), 190);
    const QImage image = paintedStageWindow(window, QString(), QStringLiteral("RECALL STAGE"), 190);
    const QRect header(600, 0, 680, 40);
    const QRect red = changedBox(image, frame, header, isRed);
    const QRect shadow = changedBox(image, frame, header, isNearWhite);
    ASSERT_FALSE(red.isNull());
    EXPECT_LE(red.right(), 1280 - 71);
    EXPECT_GE(red.right(), 1280 - 74);
    const QFontMetrics metrics(stageSubtitleFont(), &image);
    EXPECT_NEAR(red.top(), 5 + metrics.ascent() + metrics.tightBoundingRect(QStringLiteral("RECALL STAGE")).top(), 1);
    EXPECT_GT(shadow.right(), red.right());
    EXPECT_GT(shadow.bottom(), red.bottom());
}
