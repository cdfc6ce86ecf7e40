#include "skin/ShadowedText.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr double ShadowOffset = 2.0;
// Qt draws glyphs this large as outlines and then skips the bold it synthesises for a face without a bold
// style of its own; the outline is thickened instead.
constexpr int OutlineGlyphPixels = 64;

bool needsThickenedOutline(const QFont& font)
{
    return font.bold() && QFontInfo(font).pixelSize() >= OutlineGlyphPixels &&
           !QFontDatabase::styles(QFontInfo(font).family()).contains(QStringLiteral("Bold"), Qt::CaseInsensitive);
}

void drawText(QPainter& painter, QPointF baseline, const QString& text, const QColor& colour)
{
    if (!needsThickenedOutline(painter.font())) {
        painter.setPen(colour);
        painter.drawText(baseline, text);
        return;
    }
    QPainterPath outline;
    outline.addText(baseline, painter.font(), text);
    const double thickness = QFontInfo(painter.font()).pixelSize() / 28.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline, colour);
    painter.strokePath(outline, QPen(colour, thickness, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.restore();
}
} // namespace

void drawShadowedText(QPainter& painter, QSize panel, const QColor& background, const QString& text)
{
    painter.fillRect(QRect(QPoint(0, 0), panel), background);
    const QFontMetricsF metrics(painter.font());
    // The corner is the top-left of the line box; drawText wants the baseline, one ascent lower.
    const QPointF corner((panel.width() - metrics.horizontalAdvance(text)) / 2.0,
                         (panel.height() - metrics.height()) / 2.0);
    const QPointF baseline(0.0, metrics.ascent());
    drawText(painter, corner + QPointF(ShadowOffset, ShadowOffset) + baseline, text, Qt::white);
    drawText(painter, corner + baseline, text, QColor(ShadowedTextColour));
}
