#include "ShadowedText.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {
constexpr double ShadowOffset = 2.0;
}

void drawShadowedText(QPainter& painter, QSize panel, const QColor& background, const QString& text)
{
    painter.fillRect(QRect(QPoint(0, 0), panel), background);
    const QFontMetricsF metrics(painter.font());
    // The corner is the top-left of the line box; drawText wants the baseline, one ascent lower.
    const QPointF corner((panel.width() - metrics.horizontalAdvance(text)) / 2.0,
                         (panel.height() - metrics.height()) / 2.0);
    const QPointF baseline(0.0, metrics.ascent());
    painter.setPen(Qt::white);
    painter.drawText(corner + QPointF(ShadowOffset, ShadowOffset) + baseline, text);
    painter.setPen(QColor(ShadowedTextColour));
    painter.drawText(corner + baseline, text);
}
