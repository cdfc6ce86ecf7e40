#include "skin/FramePainter.h"

#include "base/Rounding.h"
#include "skin/Fonts.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QPainter>

using namespace SkinPieces;

namespace {
const QString SettingsTitle = QStringLiteral("MEMORIZATION of SPECIAL NUMBERS");

void blit(QPainter& painter, int x, int y, const QRect& piece)
{
    blitSkinPiece(painter, QPointF(x, y), skinImage(), piece);
}

QFont boldFont(const QString& family, double points)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

void paintBottomCorners(QPainter& painter, int width, int height)
{
    blit(painter, 0, height - 40, BottomLeftCorner);
    blit(painter, width - 40, height - 40, BottomRightCorner);
}

// One line of text in `colour`, transparent background, at the given alignment inside `box`.
void drawLine(QPainter& painter, const QRect& box, Qt::Alignment alignment, QColor colour, const QString& text)
{
    painter.setPen(colour);
    painter.drawText(box, int(alignment | Qt::TextSingleLine), text);
}

// A rectangle given by its left, top, right and bottom edges, as the text routines take them.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}
} // namespace

QFont settingsTitleFont()
{
    return boldFont(tahomaFamily(), 28);
}

QFont stageTitleFont()
{
    return boldFont(arialFamily(), 15);
}

QFont stageSubtitleFont()
{
    return boldFont(arialFamily(), 12);
}

SettingsDecorationPlacement settingsDecorationPlacement(QSize window, int titleLineHeight)
{
    const double width = window.width(), height = window.height(), t = titleLineHeight;
    const double l = roundHalfEven(height - 305 - 37 - t);
    const int y = int(roundHalfEven((l - 300) / 2 + t + 80));
    return {QPoint(int(roundHalfEven((width - 435) / 2)), y), QPoint(int(roundHalfEven((width - 436) / 2)), y - 60)};
}

void paintEdgeBands(QPainter& painter, int width, int height, const QRect& topSlice)
{
    // Real division: a width that is not a multiple of 10 gets one more slice, running past the edge.
    for (int i = 0; i < width / 10.0; ++i) {
        blit(painter, 10 * i, 0, topSlice);
        blit(painter, 10 * i, height - 20, BottomSlice);
    }
    for (int j = 0; j < height / 10.0; ++j) {
        blit(painter, 0, 10 * j, LeftSlice);
        blit(painter, width - 20, 10 * j, RightSlice);
    }
}

void paintSettingsLook(QPainter& painter, QSize window, bool competitionMode)
{
    const int w = window.width(), h = window.height();
    if (competitionMode) {
        paintEdgeBands(painter, w, h, CompetitionTopSlice);
        blit(painter, 0, 0, CompetitionHeaderLeft);
        blit(painter, w - 30, 0, CompetitionHeaderRight);
        paintBottomCorners(painter, w, h);
        return;
    }
    paintEdgeBands(painter, w, h, SettingsTopSlice);
    blit(painter, 0, 0, SettingsTopLeftCorner);
    blit(painter, w - 30, 0, SettingsTopRightCorner);
    paintBottomCorners(painter, w, h);

    painter.setFont(settingsTitleFont());
    const Qt::Alignment centredTop = Qt::AlignHCenter | Qt::AlignTop;
    drawLine(painter, edges(4, 47, w, h), centredTop, QColor(255, 255, 255), SettingsTitle);
    drawLine(painter, edges(0, 45, w, h), centredTop, QColor(192, 0, 0), SettingsTitle);

    const SettingsDecorationPlacement at = settingsDecorationPlacement(window, painter.fontMetrics().height());
    blit(painter, at.emblem.x(), at.emblem.y(), EmblemPicture);
    blit(painter, at.banner.x(), at.banner.y(), BannerStrip);
}

void PaintStageFrame(QPainter& painter, QSize window, const QString& title, const QString& subtitle, int titleX)
{
    const int w = window.width(), h = window.height();
    paintEdgeBands(painter, w, h, StageTopSlice);
    blit(painter, 0, 0, StageHeaderLeft);
    blit(painter, w - 30, 0, StageHeaderRight);
    paintBottomCorners(painter, w, h);

    const Qt::Alignment leftTop = Qt::AlignLeft | Qt::AlignTop;
    painter.setFont(stageTitleFont());
    drawLine(painter, edges(titleX + 1, 3, w, h), leftTop, QColor(255, 255, 255), title);
    drawLine(painter, edges(titleX, 2, w, h), leftTop, QColor(0, 0, 128), title);

    const Qt::Alignment rightTop = Qt::AlignRight | Qt::AlignTop;
    painter.setFont(stageSubtitleFont());
    drawLine(painter, edges(0, 6, w - 69, h), rightTop, QColor(255, 255, 255), subtitle);
    drawLine(painter, edges(0, 5, w - 70, h), rightTop, QColor(255, 0, 0), subtitle);
}

void DrawControlFrame(QPainter& painter, const QRect& control)
{
    const int x = control.x(), y = control.y(), cw = control.width(), ch = control.height();
    for (int i = 0; i < cw / 4.0; ++i) {
        blit(painter, x - 4 + 4 * i, y - 4, ControlTopTile);
        blit(painter, x - 4 + 4 * i, y + ch, ControlBottomTile);
    }
    for (int j = 0; j < ch / 4.0; ++j) {
        blit(painter, x - 4, y - 4 + 4 * j, ControlLeftTile);
        blit(painter, x + cw, y - 4 + 4 * j, ControlRightTile);
    }
    // Corners last: they cover the ends of edges whose length is not a multiple of 4.
    blit(painter, x - 4, y - 4, ControlTopLeftCorner);
    blit(painter, x + cw - 6, y - 4, ControlTopRightCorner);
    blit(painter, x - 4, y + ch - 6, ControlBottomLeftCorner);
    blit(painter, x + cw - 6, y + ch - 6, ControlBottomRightCorner);
}
