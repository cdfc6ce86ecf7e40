#pragma once

#include <QColor>
#include <QSize>
#include <QString>

class QPainter;

// Digit colour of the stage's time display and concentration countdown.
inline constexpr QRgb ShadowedTextColour = qRgb(11, 3, 103);

/// Clears a panel of @p panel size to @p background and draws @p text centred in the painter's current
/// font: a white copy 2 pixels right and down, then the dark blue text over it.
void drawShadowedText(QPainter& painter, QSize panel, const QColor& background, const QString& text);
