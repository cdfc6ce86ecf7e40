#pragma once

#include <QPointF>

class QImage;
class QPainter;

// The settings screen's decoration and the small mark in the competition header: a spiral of the digits
// of the three special numbers, one arm each.
void paintEmblem(QImage& skin);
void paintBanner(QImage& skin);
void paintHeaderBadge(QImage& skin);

// The small mark alone, 27 x `scale` in radius round `centre`, on any painter (the program's icons are
// drawn with it); no line is drawn thinner than `thinnestLine`, so that small icons keep their ring.
inline constexpr double EmblemBadgeRadius = 27.75; // with half the ring's line
void drawEmblemBadge(QPainter& painter, QPointF centre, double scale, double thinnestLine = 0.0);
