#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

// Small helpers for tests that probe painted pixels.
namespace PixelProbe {

inline QString rgbText(QRgb colour)
{
    return QStringLiteral("RGB(%1,%2,%3)").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour));
}

// The first pixel of `area` whose colour is not `expected`, as text, or an empty string.
inline QString firstMismatch(const QImage& image, const QRect& area, QRgb expected)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF))
                return QStringLiteral("(%1,%2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(rgbText(image.pixel(x, y)), rgbText(expected));
    return {};
}

// The first pixel where `image` at `area` differs from `other` at `otherArea`'s top-left.
inline QString firstDifference(const QImage& image, const QRect& area, const QImage& other, QPoint otherTopLeft)
{
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) {
            const QRgb a = image.pixel(area.left() + x, area.top() + y) & 0xFFFFFF;
            const QRgb b = other.pixel(otherTopLeft.x() + x, otherTopLeft.y() + y) & 0xFFFFFF;
            if (a != b)
                return QStringLiteral("(%1,%2) is %3, expected %4 from (%5,%6)")
                    .arg(area.left() + x)
                    .arg(area.top() + y)
                    .arg(rgbText(a), rgbText(b))
                    .arg(otherTopLeft.x() + x)
                    .arg(otherTopLeft.y() + y);
        }
    return {};
}

// Bounding box of the pixels of `area` that satisfy `test`.
inline QRect boundingBox(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y)))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

} // namespace PixelProbe
