#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

class QImage;
class QPainter;

// The font every skinned button starts with: Tahoma bold 12.75 pt.
QFont initialSkinButtonFont();

/**
 * Paints a skinned button of the given size in state "N" (normal), "H" (hover) or "P" (pressed) with its
 * caption centred; any other state paints nothing. The pieces are copied unscaled from @p skin and cover
 * the whole button when its height is at most 50, so the surface is not cleared first. @p font is the
 * button's own caption font: it is shrunk point by point until the caption fits between the caps, and the
 * smaller size stays with the button for its next paint.
 */
void DrawSkinButton(QPainter& painter, const QImage& skin, const QSizeF& size, const QString& state,
                    const QString& caption, QFont& font);
