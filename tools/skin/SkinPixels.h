#pragma once

#include <QImage>

// The skin is drawn once per scale: a picture whose device pixel ratio is 2 has four pixels under every
// skin pixel. QPainter follows that ratio by itself; pixel-by-pixel art goes through this.
inline int skinScale(const QImage& skin)
{
    return int(skin.devicePixelRatio());
}

// Sets the skin pixel at `at` (skin coordinates): every device pixel under it.
inline void setSkinPixel(QImage& skin, QPoint at, QRgb colour)
{
    const int scale = skinScale(skin);
    for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
            skin.setPixel(at.x() * scale + dx, at.y() * scale + dy, colour);
}

inline void setSkinPixel(QImage& skin, int x, int y, QRgb colour)
{
    setSkinPixel(skin, QPoint(x, y), colour);
}
