#include "buttons/DrawSkinButton.h"

#include "base/Rounding.h"
#include "skin/Fonts.h"
#include "skin/Skin.h"

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <optional>

namespace {
constexpr int LeftCapX = 68;
constexpr int MiddleTileX = 90;
constexpr int RightCapX = 228;
constexpr int CapWidth = 20;
constexpr int TileWidth = 10;
constexpr int PieceHeight = 50;
constexpr double SmallestPointSize = 1.0;

struct StateLook
{
    int row;
    QColor captionColour;
};

std::optional<StateLook> lookOf(const QString& state)
{
    if (state == u"N")
        return StateLook{593, QColor(0, 0, 0)};
    if (state == u"H")
        return StateLook{643, QColor(64, 64, 0)};
    if (state == u"P")
        return StateLook{693, QColor(64, 64, 0)};
    return std::nullopt;
}

double captionWidth(const QFont& font, const QString& caption, QPaintDevice* device)
{
    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    return metrics.horizontalAdvance(caption);
}

// Only ever shrinks. A caption that fits at no size would loop forever, so the font stops at 1 pt.
void fitCaption(QFont& font, const QString& caption, double room, QPaintDevice* device)
{
    while (room < captionWidth(font, caption, device) && font.pointSizeF() - 1.0 >= SmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 1.0);
}
} // namespace

QFont initialSkinButtonFont()
{
    QFont font(tahomaFamily());
    font.setPointSizeF(12.75);
    font.setBold(true);
    return font;
}

void DrawSkinButton(QPainter& painter, const QImage& skin, const QSizeF& size, const QString& state,
                    const QString& caption, QFont& font)
{
    const std::optional<StateLook> look = lookOf(state);
    if (!look)
        return;
    const double width = size.width();
    const double height = size.height();

    // A plain copy of the skin's pixels, as a blit would make them.
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Real division: a width of 145 gets 15 tiles, the last one cut off by the right cap.
    for (int i = 0; i < width / TileWidth; ++i)
        blitSkinPiece(painter, QPointF(TileWidth * i, 0), skin, QRectF(MiddleTileX, look->row, TileWidth, PieceHeight));
    blitSkinPiece(painter, QPointF(0, 0), skin, QRectF(LeftCapX, look->row, CapWidth, PieceHeight));
    blitSkinPiece(painter, QPointF(roundHalfEven(width - CapWidth), 0), skin,
                  QRectF(RightCapX, look->row, CapWidth, PieceHeight));
    painter.restore();

    fitCaption(font, caption, width - CapWidth, painter.device());
    painter.setFont(font);
    painter.setPen(look->captionColour);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(QRectF(0, 0, roundHalfEven(width), roundHalfEven(height)), Qt::AlignCenter | Qt::TextSingleLine,
                     caption);
}
