#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

// A picture of `size` blending the four corner colours: the two triangles (top left, top right, bottom
// right) and (top left, bottom right, bottom left) are each shaded linearly between their corners.
QImage PaintBackgroundGradient(QSize size, QColor topLeft, QColor topRight, QColor bottomRight, QColor bottomLeft);
