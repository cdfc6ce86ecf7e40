#include "skin/BackgroundGradient.h"

#include <algorithm>
#include <cmath>

namespace {
struct Vertex
{
    double x;
    double y;
    double channel[3]; // 16-bit channel values: the 8-bit value times 256
};

Vertex vertex(double x, double y, QColor colour)
{
    return {x, y, {colour.red() * 256.0, colour.green() * 256.0, colour.blue() * 256.0}};
}

// Twice the signed area of (a, b, p); its sign tells on which side of a-b the point p lies.
double edge(const Vertex& a, const Vertex& b, double px, double py)
{
    return (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
}

// Gouraud shading: every pixel whose centre lies in the triangle gets the barycentric mix of the corner
// colours. Pixels on a shared edge are painted by both triangles with the same colour.
void fillTriangle(QImage& image, const Vertex& a, const Vertex& b, const Vertex& c)
{
    const double area = edge(a, b, c.x, c.y);
    if (area == 0)
        return;
    const int left = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
    const int right = std::min(image.width() - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
    const int top = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
    const int bottom = std::min(image.height() - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
    constexpr double Tolerance = -1e-9;
    for (int y = top; y <= bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = left; x <= right; ++x) {
            const double wa = edge(b, c, x + 0.5, y + 0.5) / area;
            const double wb = edge(c, a, x + 0.5, y + 0.5) / area;
            const double wc = 1.0 - wa - wb;
            if (wa < Tolerance || wb < Tolerance || wc < Tolerance)
                continue;
            int rgb[3];
            for (int k = 0; k < 3; ++k) {
                const double value = wa * a.channel[k] + wb * b.channel[k] + wc * c.channel[k];
                rgb[k] = std::clamp(int(std::lround(value / 256.0)), 0, 255);
            }
            line[x] = qRgb(rgb[0], rgb[1], rgb[2]);
        }
    }
}
} // namespace

QImage PaintBackgroundGradient(QSize size, QColor topLeft, QColor topRight, QColor bottomRight, QColor bottomLeft)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(topLeft);
    const double w = size.width(), h = size.height();
    const Vertex corners[4] = {vertex(0, 0, topLeft), vertex(w, 0, topRight), vertex(w, h, bottomRight),
                               vertex(0, h, bottomLeft)};
    fillTriangle(image, corners[0], corners[1], corners[2]);
    fillTriangle(image, corners[0], corners[2], corners[3]);
    return image;
}
