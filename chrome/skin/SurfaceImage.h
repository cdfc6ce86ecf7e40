#pragma once

#include <QImage>
#include <QSizeF>

// An RGB32 picture of `size` logical pixels for a device with `ratio` device pixels to a logical pixel:
// what a persistent surface paints into, so that skin pieces and text stay sharp on a scaled screen.
inline QImage surfaceImage(QSize size, qreal ratio)
{
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}
