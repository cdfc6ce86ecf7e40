#include "PixelProbe.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace SkinPieces;
using PixelProbe::firstDifference;
using PixelProbe::firstMismatch;

namespace {
constexpr QRgb FrameDark = qRgb(150, 154, 146);
constexpr QRgb FrameBlue = qRgb(160, 174, 192);
constexpr QRgb FrameLight = qRgb(219, 229, 242);
constexpr QRgb StripDark = qRgb(136, 147, 163);
constexpr QRgb StripLight = qRgb(176, 192, 212);

enum class Run
{
    Rows,
    Columns
};

// A run of whole rows (or whole columns) of a piece that has one colour.
struct Stripe
{
    const char* piece;
    QRect rect;
    Run run;
    int first;
    int last;
    QRgb colour;
};

QRect stripeArea(const Stripe& s)
{
    if (s.run == Run::Rows)
        return QRect(s.rect.left(), s.rect.top() + s.first, s.rect.width(), s.last - s.first + 1);
    return QRect(s.rect.left() + s.first, s.rect.top(), s.last - s.first + 1, s.rect.height());
}

const Stripe Stripes[] = {
    {"bottom slice", BottomSlice, Run::Rows, 0, 3, InnerColour},
    {"bottom slice", BottomSlice, Run::Rows, 4, 4, FrameLight},
    {"bottom slice", BottomSlice, Run::Rows, 5, 19, OuterColour},
    {"left slice", LeftSlice, Run::Columns, 0, 14, OuterColour},
    {"left slice", LeftSlice, Run::Columns, 15, 15, FrameDark},
    {"left slice", LeftSlice, Run::Columns, 16, 16, FrameBlue},
    {"left slice", LeftSlice, Run::Columns, 17, 19, InnerColour},
    {"right slice", RightSlice, Run::Columns, 0, 3, InnerColour},
    {"right slice", RightSlice, Run::Columns, 4, 4, FrameLight},
    {"right slice", RightSlice, Run::Columns, 5, 19, OuterColour},
    {"settings top slice", SettingsTopSlice, Run::Rows, 0, 22, OuterColour},
    {"settings top slice", SettingsTopSlice, Run::Rows, 23, 23, FrameDark},
    {"settings top slice", SettingsTopSlice, Run::Rows, 24, 24, FrameBlue},
    {"settings top slice", SettingsTopSlice, Run::Rows, 25, 96, InnerColour},
    {"competition top slice", CompetitionTopSlice, Run::Rows, 0, 22, OuterColour},
    {"competition top slice", CompetitionTopSlice, Run::Rows, 23, 23, qRgb(154, 158, 150)},
    {"competition top slice", CompetitionTopSlice, Run::Rows, 24, 24, qRgb(175, 186, 201)},
    {"competition top slice", CompetitionTopSlice, Run::Rows, 25, 50, TitleStripColour},
    {"competition top slice", CompetitionTopSlice, Run::Rows, 51, 51, StripDark},
    {"competition top slice", CompetitionTopSlice, Run::Rows, 52, 52, StripLight},
    {"competition top slice", CompetitionTopSlice, Run::Rows, 53, 96, InnerColour},
    {"stage top slice", StageTopSlice, Run::Rows, 0, 25, TitleStripColour},
    {"stage top slice", StageTopSlice, Run::Rows, 26, 26, StripDark},
    {"stage top slice", StageTopSlice, Run::Rows, 27, 27, StripLight},
    {"stage top slice", StageTopSlice, Run::Rows, 28, 34, InnerColour},
    {"time panel middle", TimePanelMiddle, Run::Rows, 0, 54, TitleStripColour},
    {"time panel middle", TimePanelMiddle, Run::Rows, 55, 55, StripDark},
    {"time panel middle", TimePanelMiddle, Run::Rows, 56, 56, StripLight},
    {"control top tile", ControlTopTile, Run::Rows, 0, 0, qRgb(120, 121, 122)},
    {"control top tile", ControlTopTile, Run::Rows, 1, 1, qRgb(194, 195, 197)},
    {"control top tile", ControlTopTile, Run::Rows, 2, 2, qRgb(245, 246, 248)},
    {"control top tile", ControlTopTile, Run::Rows, 3, 3, qRgb(248, 249, 251)},
    {"control bottom tile", ControlBottomTile, Run::Rows, 0, 0, qRgb(120, 121, 122)},
    {"control bottom tile", ControlBottomTile, Run::Rows, 1, 1, qRgb(194, 195, 197)},
    {"control bottom tile", ControlBottomTile, Run::Rows, 2, 2, qRgb(245, 246, 248)},
    {"control bottom tile", ControlBottomTile, Run::Rows, 3, 3, qRgb(248, 249, 251)},
    {"control left tile", ControlLeftTile, Run::Columns, 0, 0, qRgb(155, 155, 157)},
    {"control left tile", ControlLeftTile, Run::Columns, 1, 1, qRgb(212, 214, 216)},
    {"control left tile", ControlLeftTile, Run::Columns, 2, 2, qRgb(243, 245, 247)},
    {"control left tile", ControlLeftTile, Run::Columns, 3, 3, qRgb(244, 246, 248)},
    {"control right tile", ControlRightTile, Run::Columns, 0, 0, qRgb(155, 155, 157)},
    {"control right tile", ControlRightTile, Run::Columns, 1, 1, qRgb(212, 214, 216)},
    {"control right tile", ControlRightTile, Run::Columns, 2, 2, qRgb(243, 245, 247)},
    {"control right tile", ControlRightTile, Run::Columns, 3, 3, qRgb(244, 246, 248)},
};

// Two strips of pixels that must be identical where pieces butt against each other.
struct Seam
{
    const char* where;
    QRect strip;     // in the skin
    QPoint otherTop; // top-left of the strip it must equal, in the skin
};

QPoint at(const QRect& piece, int column, int row)
{
    return piece.topLeft() + QPoint(column, row);
}

QRect column(const QRect& piece, int c, int firstRow, int lastRow)
{
    return QRect(at(piece, c, firstRow), QSize(1, lastRow - firstRow + 1));
}

QRect row(const QRect& piece, int r, int firstColumn, int lastColumn)
{
    return QRect(at(piece, firstColumn, r), QSize(lastColumn - firstColumn + 1, 1));
}

const Seam Seams[] = {
    {"settings top-left corner / top slice", column(SettingsTopLeftCorner, 49, 0, 49), at(SettingsTopSlice, 0, 0)},
    {"settings top-left corner / left slice", row(SettingsTopLeftCorner, 49, 0, 19), at(LeftSlice, 0, 0)},
    {"settings top-right corner / top slice", column(SettingsTopRightCorner, 0, 0, 59), at(SettingsTopSlice, 9, 0)},
    {"settings top-right corner / right slice", row(SettingsTopRightCorner, 59, 10, 29), at(RightSlice, 0, 0)},
    {"bottom-left corner / left slice", row(BottomLeftCorner, 0, 0, 19), at(LeftSlice, 0, 9)},
    {"bottom-left corner / bottom slice", column(BottomLeftCorner, 39, 20, 39), at(BottomSlice, 0, 0)},
    {"bottom-right corner / right slice", row(BottomRightCorner, 0, 20, 39), at(RightSlice, 0, 9)},
    {"bottom-right corner / bottom slice", column(BottomRightCorner, 0, 20, 39), at(BottomSlice, 9, 0)},
    {"competition header left / top slice", column(CompetitionHeaderLeft, 194, 0, 96), at(CompetitionTopSlice, 0, 0)},
    {"competition header left / left slice", row(CompetitionHeaderLeft, 96, 0, 19), at(LeftSlice, 0, 0)},
    {"competition header right / top slice", column(CompetitionHeaderRight, 0, 0, 96), at(CompetitionTopSlice, 9, 0)},
    {"competition header right / right slice", row(CompetitionHeaderRight, 96, 10, 29), at(RightSlice, 0, 0)},
    {"stage header left, wider part / stage top slice", column(StageHeaderLeft, 199, 0, 34), at(StageTopSlice, 0, 0)},
    {"stage header left / left slice", row(StageHeaderLeft, 71, 0, 19), at(LeftSlice, 0, 0)},
    {"stage header right / stage top slice", column(StageHeaderRight, 0, 0, 34), at(StageTopSlice, 9, 0)},
    {"stage header right / right slice", row(StageHeaderRight, 45, 10, 29), at(RightSlice, 0, 0)},
    {"time panel left end / stage strip line", column(TimePanelLeft, 0, 0, 8), at(StageTopSlice, 0, 26)},
    {"time panel right end / stage strip line", column(TimePanelRight, 68, 0, 8), at(StageTopSlice, 0, 26)},
    {"time panel left end / middle tile", column(TimePanelLeft, 68, 0, 56), at(TimePanelMiddle, 0, 0)},
    {"time panel right end / middle tile", column(TimePanelRight, 0, 0, 56), at(TimePanelMiddle, 1, 0)},
    {"control top-left corner / top tile", QRect(at(ControlTopLeftCorner, 4, 0), QSize(4, 4)),
     ControlTopTile.topLeft()},
    {"control top-left corner / left tile", QRect(at(ControlTopLeftCorner, 0, 4), QSize(4, 4)),
     ControlLeftTile.topLeft()},
    {"control top-right corner / top tile", QRect(at(ControlTopRightCorner, 0, 0), QSize(4, 4)),
     ControlTopTile.topLeft()},
    {"control top-right corner / right tile", QRect(at(ControlTopRightCorner, 6, 4), QSize(4, 4)),
     ControlRightTile.topLeft()},
    {"control bottom-left corner / left tile", QRect(at(ControlBottomLeftCorner, 0, 0), QSize(4, 4)),
     ControlLeftTile.topLeft()},
    {"control bottom-left corner / bottom tile", QRect(at(ControlBottomLeftCorner, 4, 6), QSize(4, 4)),
     ControlBottomTile.topLeft()},
    {"control bottom-right corner / right tile", QRect(at(ControlBottomRightCorner, 6, 0), QSize(4, 4)),
     ControlRightTile.topLeft()},
    {"control bottom-right corner / bottom tile", QRect(at(ControlBottomRightCorner, 0, 6), QSize(4, 4)),
     ControlBottomTile.topLeft()},
};

int brightness(QRgb colour)
{
    return qRed(colour) + qGreen(colour) + qBlue(colour);
}

bool rowContains(const QImage& image, const QRect& piece, int r, QRgb colour)
{
    for (int c = 0; c < piece.width(); ++c)
        if ((image.pixel(at(piece, c, r)) & 0xFFFFFF) == (colour & 0xFFFFFF))
            return true;
    return false;
}

bool pieceContains(const QImage& image, const QRect& piece, QRgb colour)
{
    for (int r = 0; r < piece.height(); ++r)
        if (rowContains(image, piece, r, colour))
            return true;
    return false;
}
} // namespace

TEST(SkinImage, builtInPicture_is1280x800With24BitsAndNoAlpha)
{
    const QImage& skin = skinImage();
    ASSERT_EQ(skin.size(), QSize(1280, 800));
    EXPECT_FALSE(skin.hasAlphaChannel());
    QFile file(QStringLiteral(":/skin.png"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(26);
    ASSERT_EQ(header.size(), 26);
    EXPECT_EQ(header[24], 8) << "bits per channel";
    EXPECT_EQ(header[25], 2) << "PNG colour type 2: RGB without alpha";
}

TEST(SkinImage, framePieces_haveTheirColourProfiles)
{
    const QImage& skin = skinImage();
    for (const Stripe& stripe : Stripes) {
        const QString mismatch = firstMismatch(skin, stripeArea(stripe), stripe.colour);
        EXPECT_TRUE(mismatch.isEmpty()) << stripe.piece << " " << (stripe.run == Run::Rows ? "rows " : "columns ")
                                        << stripe.first << "-" << stripe.last << ": " << qPrintable(mismatch);
    }
}

TEST(SkinImage, piecesThatButt_matchAlongTheirSeams)
{
    const QImage& skin = skinImage();
    for (const Seam& seam : Seams) {
        const QString difference = firstDifference(skin, seam.strip, skin, seam.otherTop);
        EXPECT_TRUE(difference.isEmpty()) << seam.where << ": " << qPrintable(difference);
    }
}

TEST(SkinImage, stageHeaderLeft_extraColumnsContinueTheTitleStrip)
{
    const QImage& skin = skinImage();
    for (int c = 195; c < 200; ++c) {
        const QString difference =
            firstDifference(skin, column(StageHeaderLeft, c, 0, 34), skin, at(StageTopSlice, 0, 0));
        EXPECT_TRUE(difference.isEmpty()) << "column " << c << ": " << qPrintable(difference);
        EXPECT_TRUE(firstMismatch(skin, column(StageHeaderLeft, c, 35, 71), InnerColour).isEmpty()) << c;
    }
}

TEST(SkinImage, buttonPictures_tileAndHaveTheirShading)
{
    const QImage& skin = skinImage();
    struct Look
    {
        const char* state;
        ButtonPieces pieces;
        QRgb shade;
        bool reversed;
    };
    const Look looks[] = {{"N", ButtonNormal, qRgb(39, 135, 193), false},
                          {"H", ButtonHover, qRgb(193, 194, 111), false},
                          {"P", ButtonPressed, qRgb(86, 149, 94), true}};
    for (const Look& look : looks) {
        const ButtonPieces& p = look.pieces;
        EXPECT_EQ(p.picture.size(), QSize(180, 50));
        for (int c = 1; c < 10; ++c)
            EXPECT_TRUE(firstDifference(skin, column(p.middleTile, c, 0, 49), skin, p.middleTile.topLeft()).isEmpty())
                << look.state << " middle tile column " << c << " differs from column 0";
        EXPECT_TRUE(firstDifference(skin, column(p.leftCap, 19, 0, 49), skin, p.middleTile.topLeft()).isEmpty())
            << look.state << " left cap does not meet the middle tile";
        EXPECT_TRUE(firstDifference(skin, column(p.rightCap, 0, 0, 49), skin, p.middleTile.topLeft()).isEmpty())
            << look.state << " right cap does not meet the middle tile";

        const QRgb top = skin.pixel(at(p.middleTile, 0, 3));
        const QRgb bottom = skin.pixel(at(p.middleTile, 0, 43));
        const int shadeRow = look.reversed ? 2 : 43;
        EXPECT_EQ(skin.pixel(at(p.middleTile, 0, shadeRow)) & 0xFFFFFF, look.shade & 0xFFFFFF) << look.state;
        const QRgb light = look.reversed ? bottom : top;
        EXPECT_GE(std::min({qRed(light), qGreen(light), qBlue(light)}), 230) << look.state << " is not near white";
        // The caps are rounded: their outermost corner pixels show the window colour behind the button.
        EXPECT_EQ(skin.pixel(p.leftCap.topLeft()) & 0xFFFFFF, InnerColour & 0xFFFFFF) << look.state;
        EXPECT_EQ(skin.pixel(p.rightCap.bottomRight()) & 0xFFFFFF, InnerColour & 0xFFFFFF) << look.state;
    }
    // The normal and hover looks have a darker lower rim under the shading.
    EXPECT_LT(brightness(skin.pixel(at(ButtonNormal.middleTile, 0, 45))),
              brightness(skin.pixel(at(ButtonNormal.middleTile, 0, 43))));
    EXPECT_LT(brightness(skin.pixel(at(ButtonHover.middleTile, 0, 45))),
              brightness(skin.pixel(at(ButtonHover.middleTile, 0, 43))));
}

TEST(SkinImage, stripSprites_showTheGlyphOnEachLook)
{
    const QImage& skin = skinImage();
    const QRgb glyph = qRgb(64, 109, 169);
    const QRgb cyan = qRgb(23, 177, 227);
    for (const int x : {SpriteBackgroundToggleX, SpriteMinimiseX, SpriteCloseX}) {
        const QRect normal = stripSprite(x, SpriteRowNormal);
        const QRect hover = stripSprite(x, SpriteRowHover);
        const QRect pressed = stripSprite(x, SpriteRowPressed);
        EXPECT_EQ(skin.pixel(normal.topLeft()) & 0xFFFFFF, OuterColour & 0xFFFFFF) << x;
        EXPECT_EQ(skin.pixel(normal.bottomRight()) & 0xFFFFFF, OuterColour & 0xFFFFFF) << x;
        EXPECT_TRUE(pieceContains(skin, normal, glyph)) << x;
        EXPECT_TRUE(pieceContains(skin, hover, glyph)) << x;
        EXPECT_TRUE(pieceContains(skin, pressed, glyph)) << x;
        // Hover shades down to cyan, pressed starts from it.
        EXPECT_TRUE(rowContains(skin, hover, 13, cyan)) << x;
        EXPECT_TRUE(rowContains(skin, pressed, 1, cyan)) << x;
        EXPECT_GT(brightness(skin.pixel(at(hover, 3, 1))), brightness(skin.pixel(at(hover, 3, 13)))) << x;
        EXPECT_LT(brightness(skin.pixel(at(pressed, 3, 1))), brightness(skin.pixel(at(pressed, 3, 13)))) << x;
    }
    const QRect inert = stripSprite(SpriteInertMaximiseX, SpriteRowNormal);
    EXPECT_TRUE(pieceContains(skin, inert, qRgb(219, 219, 219)));
    EXPECT_FALSE(pieceContains(skin, inert, glyph));
    EXPECT_EQ(skin.pixel(inert.topLeft()) & 0xFFFFFF, OuterColour & 0xFFFFFF);
}

TEST(SkinImage, emblemAndBanner_fadeIntoTheWindowColourAtTheirEdges)
{
    const QImage& skin = skinImage();
    for (const QRect& piece : {EmblemPicture, BannerStrip}) {
        const QRect edgesOf[4] = {
            row(piece, 0, 0, piece.width() - 1), row(piece, piece.height() - 1, 0, piece.width() - 1),
            column(piece, 0, 0, piece.height() - 1), column(piece, piece.width() - 1, 0, piece.height() - 1)};
        for (const QRect& edge : edgesOf)
            for (int y = edge.top(); y <= edge.bottom(); ++y)
                for (int x = edge.left(); x <= edge.right(); ++x) {
                    const QRgb p = skin.pixel(x, y);
                    ASSERT_LE(std::abs(qRed(p) - qRed(InnerColour)) + std::abs(qGreen(p) - qGreen(InnerColour)) +
                                  std::abs(qBlue(p) - qBlue(InnerColour)),
                              3)
                        << "(" << x << "," << y << ")";
                }
    }
}
