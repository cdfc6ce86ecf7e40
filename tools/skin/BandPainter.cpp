#include "BandPainter.h"

#include "SkinPixels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {
constexpr int Scale = 8;
// Margin round the area, in pixels, so that edges just outside it still count for the distance.
constexpr int Margin = 6;
constexpr double Far = 1e12;

// Sub-samples whose centre lies inside `region` (odd-even rule), row by row.
std::vector<bool> rasterise(const QPainterPath& region, QPointF origin, int columns, int rows)
{
    std::vector<bool> inside(static_cast<size_t>(columns) * rows, false);
    const QList<QPolygonF> polygons = region.toFillPolygons();
    std::vector<double> crossings;
    for (int j = 0; j < rows; ++j) {
        const double y = origin.y() + (j + 0.5) / Scale;
        crossings.clear();
        for (const QPolygonF& polygon : polygons) {
            for (qsizetype k = 0; k < polygon.size(); ++k) {
                const QPointF a = polygon[k];
                const QPointF b = polygon[(k + 1) % polygon.size()];
                if ((a.y() <= y) != (b.y() <= y))
                    crossings.push_back(a.x() + (y - a.y()) / (b.y() - a.y()) * (b.x() - a.x()));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            for (int i = 0; i < columns; ++i) {
                const double x = origin.x() + (i + 0.5) / Scale;
                if (x >= crossings[k] && x < crossings[k + 1])
                    inside[static_cast<size_t>(j) * columns + i] = true;
            }
        }
    }
    return inside;
}

// One-dimensional squared distance transform (Felzenszwalb and Huttenlocher) of n values at stride.
void distanceTransform1D(std::vector<double>& values, size_t start, size_t stride, int n)
{
    std::vector<double> f(n), z(n + 1);
    std::vector<int> v(n);
    for (int q = 0; q < n; ++q)
        f[q] = values[start + q * stride];
    const auto meet = [&](int q, int p) {
        return ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * q - 2.0 * p);
    };
    int k = 0;
    v[0] = 0;
    z[0] = -std::numeric_limits<double>::infinity();
    z[1] = std::numeric_limits<double>::infinity();
    for (int q = 1; q < n; ++q) {
        double s = meet(q, v[k]);
        while (s <= z[k]) {
            --k;
            s = meet(q, v[k]);
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = std::numeric_limits<double>::infinity();
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q)
            ++k;
        values[start + q * stride] = std::min(double(q - v[k]) * (q - v[k]) + f[v[k]], Far);
    }
}
} // namespace

void paintBands(QImage& skin, const QRect& area, const QPainterPath& region, const BandProfile& profile)
{
    const int columns = (area.width() + 2 * Margin) * Scale;
    const int rows = (area.height() + 2 * Margin) * Scale;
    const QPointF origin(area.left() - Margin, area.top() - Margin);
    const std::vector<bool> inside = rasterise(region, origin, columns, rows);

    std::vector<double> squared(inside.size());
    for (size_t k = 0; k < inside.size(); ++k)
        squared[k] = inside[k] ? Far : 0.0;
    for (int i = 0; i < columns; ++i)
        distanceTransform1D(squared, i, columns, rows);
    for (int j = 0; j < rows; ++j)
        distanceTransform1D(squared, static_cast<size_t>(j) * columns, 1, columns);

    // Sub-samples stay 1/Scale of a skin pixel; a device pixel of a larger skin averages fewer of them.
    const int scale = skinScale(skin);
    const int perDevicePixel = Scale / scale;
    const int count = perDevicePixel * perDevicePixel;
    for (int py = 0; py < area.height() * scale; ++py) {
        for (int px = 0; px < area.width() * scale; ++px) {
            int red = 0, green = 0, blue = 0;
            for (int sj = 0; sj < perDevicePixel; ++sj) {
                for (int si = 0; si < perDevicePixel; ++si) {
                    const int i = Margin * Scale + px * perDevicePixel + si;
                    const int j = Margin * Scale + py * perDevicePixel + sj;
                    const size_t k = static_cast<size_t>(j) * columns + i;
                    int band = -1;
                    if (inside[k]) {
                        // The nearest outside sample centre lies half a sample beyond the edge.
                        const double depth = (std::sqrt(squared[k]) - 0.5) / Scale;
                        band = squared[k] >= Far ? 1000 : int(std::floor(depth));
                    }
                    const QRgb colour = profile(band, origin.x() + (i + 0.5) / Scale, origin.y() + (j + 0.5) / Scale);
                    red += qRed(colour);
                    green += qGreen(colour);
                    blue += qBlue(colour);
                }
            }
            skin.setPixel(area.left() * scale + px, area.top() * scale + py,
                          qRgb((red + count / 2) / count, (green + count / 2) / count, (blue + count / 2) / count));
        }
    }
}
