#include "FrameArt.h"

#include "BandPainter.h"
#include "SkinColours.h"
#include "SkinPixels.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

using namespace SkinArt;

namespace {
// Control points of a quarter circle drawn as one cubic curve.
constexpr double Kappa = 0.5523;

// Profile of a frame line that is dark-then-blue along the top and left edges and a single light line
// along the bottom and right edges; t = 0 gives the first look, t = 1 the second.
QRgb frameLine(int band, double t, QRgb dark, QRgb blue, QRgb body)
{
    const QRgb first[3] = {dark, blue, body};
    const QRgb second[3] = {FrameLight, body, body};
    const int b = std::min(band, 2);
    return mix(first[b], second[b], t);
}

QRgb titleStripBody(double v)
{
    if (v < 51)
        return TitleStripColour;
    if (v < 52)
        return StripLineDark;
    if (v < 53)
        return StripLineLight;
    return InnerColour;
}

// A clock on the tab's left end and an hourglass on its right end, beside the time display.
void paintTimePanelIcons(QImage& skin, QPointF clock, QPointF hourglass)
{
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(GlyphBlue), 2));
    painter.setBrush(QColor(246, 250, 253));
    painter.drawEllipse(clock, 12, 12);
    painter.setPen(QPen(QColor(Navy), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(clock, clock + QPointF(0, -8));
    painter.drawLine(clock, clock + QPointF(-5, -3));
    painter.setPen(QPen(QColor(GlyphBlue), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (const QPointF tick : {QPointF(0, -1), QPointF(1, 0), QPointF(0, 1), QPointF(-1, 0)})
        painter.drawLine(clock + tick * 10, clock + tick * 8);

    const QPointF glass[6] = {hourglass + QPointF(-8, -12), hourglass + QPointF(8, -12), hourglass + QPointF(1.5, 0),
                              hourglass + QPointF(8, 12),   hourglass + QPointF(-8, 12), hourglass + QPointF(-1.5, 0)};
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(246, 250, 253));
    painter.drawPolygon(glass, 6);
    const QPointF sand[3] = {hourglass + QPointF(0, 4), hourglass + QPointF(6, 11), hourglass + QPointF(-6, 11)};
    painter.setBrush(QColor(193, 194, 111));
    painter.drawPolygon(sand, 3);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(GlyphBlue), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolygon(glass, 6);
    painter.setPen(QPen(QColor(Navy), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(hourglass + QPointF(-10, -13), hourglass + QPointF(10, -13));
    painter.drawLine(hourglass + QPointF(-10, 13), hourglass + QPointF(10, 13));
}
} // namespace

void paintWindowFrame(QImage& skin)
{
    // The whole image carries a settings-look frame; its slices and corners are cut from it.
    QPainterPath region;
    region.addRoundedRect(QRectF(15, 23, 1250, 762), 10, 10);
    const auto profile = [](int band, double x, double y) -> QRgb {
        if (band < 0)
            return OuterColour;
        double t = 0;
        if (x > 1255 && y < 33)
            t = quarterTurn(33 - y, x - 1255);
        else if (x < 25 && y > 775)
            t = quarterTurn(25 - x, y - 775);
        else
            t = std::min(x - 15, y - 23) < std::min(1265 - x, 785 - y) ? 0 : 1;
        return frameLine(band, t, FrameDark, FrameBlue, InnerColour);
    };
    paintBands(skin, QRect(0, 0, 1280, 97), region, profile);
    paintBands(skin, QRect(0, 97, 50, 663), region, profile);
    paintBands(skin, QRect(1230, 97, 50, 663), region, profile);
    paintBands(skin, QRect(0, 760, 1280, 40), region, profile);
}

void paintCompetitionHeader(QImage& skin)
{
    // One piece of artwork from the header's left end (five columns wider for the stage) to its right end.
    constexpr double ox = 195, oy = 97, right = 437;
    QPainterPath region;
    region.moveTo(ox + 15, oy + 120);
    region.lineTo(ox + 15, oy + 91);
    region.cubicTo(ox + 15, oy + 91 - 10 * Kappa, ox + 25 - 10 * Kappa, oy + 81, ox + 25, oy + 81);
    region.lineTo(ox + 125, oy + 81);
    // Rises steeply first, so that the strip's lower line meets the curve at column 149.
    region.cubicTo(ox + 135, oy + 81, ox + 155, oy + 23, ox + 190, oy + 23);
    region.lineTo(right - 10, oy + 23);
    region.cubicTo(right - 10 + 10 * Kappa, oy + 23, right, oy + 33 - 10 * Kappa, right, oy + 33);
    region.lineTo(right, oy + 120);
    region.closeSubpath();

    const auto profile = [](int band, double x, double y) -> QRgb {
        if (band < 0)
            return OuterColour;
        double t = 0;
        if (x > right - 10 && y < oy + 33)
            t = quarterTurn(oy + 33 - y, x - (right - 10));
        else if (x > right - 10)
            t = right - x < y - (oy + 23) ? 1 : 0;
        const double along = std::clamp((x - ox - 125) / 65, 0.0, 1.0);
        return frameLine(band, t, mix(FrameDark, HeaderDark, along), mix(FrameBlue, HeaderBlue, along),
                         titleStripBody(y - oy));
    };
    paintBands(skin, QRect(195, 97, 257, 97), region, profile);
}

void paintTimePanel(QImage& skin)
{
    // A tab hanging from the title strip's lower line: the strip and the tab are one region whose edge
    // is the light line, with the dark line just inside it.
    constexpr double ox = 474, oy = 97, width = 205, side = 14, fillet = 8, corner = 14;
    QPainterPath region;
    region.moveTo(ox - 10, oy - 10);
    region.lineTo(ox - 10, oy + 2);
    region.lineTo(ox + side - fillet, oy + 2);
    region.cubicTo(ox + side - fillet + fillet * Kappa, oy + 2, ox + side, oy + 2 + fillet - fillet * Kappa, ox + side,
                   oy + 2 + fillet);
    region.lineTo(ox + side, oy + 57 - corner);
    region.cubicTo(ox + side, oy + 57 - corner + corner * Kappa, ox + side + corner - corner * Kappa, oy + 57,
                   ox + side + corner, oy + 57);
    const double rightSide = ox + width - side;
    region.lineTo(rightSide - corner, oy + 57);
    region.cubicTo(rightSide - corner + corner * Kappa, oy + 57, rightSide, oy + 57 - corner + corner * Kappa,
                   rightSide, oy + 57 - corner);
    region.lineTo(rightSide, oy + 2 + fillet);
    region.cubicTo(rightSide, oy + 2 + fillet - fillet * Kappa, rightSide + fillet - fillet * Kappa, oy + 2,
                   rightSide + fillet, oy + 2);
    region.lineTo(ox + width + 10, oy + 2);
    region.lineTo(ox + width + 10, oy - 10);
    region.closeSubpath();

    const auto profile = [](int band, double, double) -> QRgb {
        const QRgb bands[3] = {StripLineLight, StripLineDark, TitleStripColour};
        return band < 0 ? InnerColour : bands[std::min(band, 2)];
    };
    paintBands(skin, QRect(474, 97, 205, 57), region, profile);
    paintTimePanelIcons(skin, QPointF(ox + 42.5, oy + 27.5), QPointF(ox + width - 42.5, oy + 27.5));
}

void paintControlFrame(QImage& skin)
{
    // A framed control at (548, 286), 108 x 79: the tiles and corners are cut from its border.
    const QRect control(548, 286, 108, 79);
    const QRgb horizontal[4] = {qRgb(120, 121, 122), qRgb(194, 195, 197), qRgb(245, 246, 248), qRgb(248, 249, 251)};
    const QRgb vertical[4] = {qRgb(155, 155, 157), qRgb(212, 214, 216), qRgb(243, 245, 247), qRgb(244, 246, 248)};
    const QRect outer = control.adjusted(-4, -4, 4, 4);
    for (int y = outer.top(); y <= outer.bottom(); ++y) {
        for (int x = outer.left(); x <= outer.right(); ++x) {
            if (control.contains(x, y)) {
                setSkinPixel(skin, x, y, InnerColour); // under the control, never seen
                continue;
            }
            // Each band is indexed by its depth from the outer edge; the dark line is outermost on the top
            // and left edges and innermost on the bottom and right edges.
            int rowDepth = 4, columnDepth = 4;
            QRgb rowColour = 0, columnColour = 0;
            if (y < control.top()) {
                rowDepth = y - outer.top();
                rowColour = horizontal[rowDepth];
            } else if (y > control.bottom()) {
                rowDepth = outer.bottom() - y;
                rowColour = horizontal[3 - rowDepth];
            }
            if (x < control.left()) {
                columnDepth = x - outer.left();
                columnColour = vertical[columnDepth];
            } else if (x > control.right()) {
                columnDepth = outer.right() - x;
                columnColour = vertical[3 - columnDepth];
            }
            QRgb colour = rowDepth < columnDepth ? rowColour : columnColour;
            if (rowDepth == columnDepth)
                colour = mix(rowColour, columnColour, 0.5);
            if (rowDepth == 0 && columnDepth == 0) // the slightly rounded outer corner
                colour = mix(colour, InnerColour, 0.5);
            setSkinPixel(skin, x, y, colour);
        }
    }
}
