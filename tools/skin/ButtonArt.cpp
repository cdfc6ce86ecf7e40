#include "ButtonArt.h"

#include "BandPainter.h"
#include "SkinColours.h"
#include "SkinPixels.h"

#include <QImage>
#include <QPainterPath>

using namespace SkinArt;
using namespace SkinPieces;

namespace {
struct ButtonLook
{
    QRgb top;       // body colour on row 2
    QRgb bottom;    // body colour on row 43
    QRgb gloss;     // where the glossy upper half ends (row 23)
    QRgb lowerHalf; // where the lower half starts (row 24)
    QRgb rim;       // rows 44 to 47
};

// Body colour of a whole pixel row, so that every column of the middle tile is identical.
QRgb buttonBody(const ButtonLook& look, int row)
{
    if (row >= 44)
        return look.rim;
    if (row < 24)
        return mix(look.top, look.gloss, (row - 2) / 21.0);
    return mix(look.lowerHalf, look.bottom, (row - 24) / 19.0);
}

void paintButton(QImage& skin, const QRect& picture, const ButtonLook& look)
{
    QPainterPath region;
    region.addRoundedRect(QRectF(picture), 12, 12);
    const auto profile = [&](int band, double, double y) -> QRgb {
        if (band < 0)
            return InnerColour;
        const QRgb body = buttonBody(look, int(y) - picture.top());
        if (band == 0)
            return qRgb(126, 136, 148);
        if (band == 1)
            return mix(body, qRgb(255, 255, 255), 0.6);
        return body;
    };
    paintBands(skin, picture, region, profile);
}

void fillPiece(QImage& skin, const QRect& piece, QRgb colour)
{
    for (int y = piece.top(); y <= piece.bottom(); ++y)
        for (int x = piece.left(); x <= piece.right(); ++x)
            setSkinPixel(skin, x, y, colour);
}

// Glyphs of the strip: set pixels relative to the sprite's top-left corner.
void backgroundToggleGlyph(QImage& skin, QPoint at, QRgb colour)
{
    for (int k = 0; k < 4; ++k) {
        for (int x = 8 - k; x <= 8 + k; ++x) {
            setSkinPixel(skin, at + QPoint(x, 2 + k), colour);
            setSkinPixel(skin, at + QPoint(x, 12 - k), colour);
        }
    }
}

void minimiseGlyph(QImage& skin, QPoint at, QRgb colour)
{
    for (int x = 5; x <= 11; ++x) {
        setSkinPixel(skin, at + QPoint(x, 10), colour);
        setSkinPixel(skin, at + QPoint(x, 11), colour);
    }
}

void closeGlyph(QImage& skin, QPoint at, QRgb colour)
{
    for (int d = 0; d <= 6; ++d) {
        const int y = 4 + d;
        for (int x : {5 + d, std::min(6 + d, 11), 11 - d, std::max(10 - d, 5)})
            setSkinPixel(skin, at + QPoint(x, y), colour);
    }
}

void maximiseOutline(QImage& skin, QPoint at, QRgb colour)
{
    for (int x = 4; x <= 12; ++x) {
        for (int y : {3, 4, 11})
            setSkinPixel(skin, at + QPoint(x, y), colour);
    }
    for (int y = 5; y <= 10; ++y) {
        setSkinPixel(skin, at + QPoint(4, y), colour);
        setSkinPixel(skin, at + QPoint(12, y), colour);
    }
}

// A small glossy key behind the glyph; `reversed` puts the cyan at the top for the pressed look.
void paintKey(QImage& skin, const QRect& sprite, bool reversed)
{
    const QRgb light = qRgb(246, 252, 255);
    const QRgb cyan = qRgb(23, 177, 227);
    const QRect key = sprite.adjusted(1, 0, -1, 0);
    QPainterPath region;
    region.addRoundedRect(QRectF(key), 3, 3);
    const auto profile = [&](int band, double, double y) -> QRgb {
        if (band < 0)
            return OuterColour;
        if (band == 0)
            return qRgb(128, 138, 150);
        const double t = std::clamp((int(y) - key.top() - 1) / double(key.height() - 3), 0.0, 1.0);
        return reversed ? mix(cyan, light, t) : mix(light, cyan, t);
    };
    paintBands(skin, sprite, region, profile);
}
} // namespace

void paintButtons(QImage& skin)
{
    paintButton(skin, ButtonNormal.picture,
                {qRgb(246, 250, 253), qRgb(39, 135, 193), qRgb(196, 224, 242), qRgb(128, 190, 228), qRgb(20, 70, 128)});
    paintButton(
        skin, ButtonHover.picture,
        {qRgb(252, 252, 244), qRgb(193, 194, 111), qRgb(238, 238, 204), qRgb(222, 222, 164), qRgb(120, 121, 48)});
    paintButton(
        skin, ButtonPressed.picture,
        {qRgb(86, 149, 94), qRgb(242, 248, 242), qRgb(150, 196, 156), qRgb(172, 210, 176), qRgb(128, 176, 134)});
}

void paintStripSprites(QImage& skin)
{
    using Glyph = void (*)(QImage&, QPoint, QRgb);
    struct Sprite
    {
        int x;
        Glyph glyph;
    };
    const Sprite sprites[] = {
        {SpriteBackgroundToggleX, backgroundToggleGlyph}, {SpriteMinimiseX, minimiseGlyph}, {SpriteCloseX, closeGlyph}};
    for (const Sprite& sprite : sprites) {
        const QRect normal = stripSprite(sprite.x, SpriteRowNormal);
        fillPiece(skin, normal, OuterColour);
        sprite.glyph(skin, normal.topLeft(), GlyphBlue);
        for (const int row : {SpriteRowHover, SpriteRowPressed}) {
            const QRect key = stripSprite(sprite.x, row);
            paintKey(skin, key, row == SpriteRowPressed);
            sprite.glyph(skin, key.topLeft(), GlyphBlue);
        }
    }
    const QRect inert = stripSprite(SpriteInertMaximiseX, SpriteRowNormal);
    fillPiece(skin, inert, OuterColour);
    maximiseOutline(skin, inert.topLeft(), qRgb(219, 219, 219));
}
