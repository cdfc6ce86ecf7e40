#include "EmblemArt.h"

#include "SkinColours.h"
#include "skin/Fonts.h"

#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

using namespace SkinArt;
using namespace SkinPieces;

namespace {
struct Arm
{
    QString symbol;
    QString digits; // the decimals, first digit after the point first
    QRgb colour;
};

const Arm Arms[3] = {
    {QStringLiteral("\u221A2"), QStringLiteral("41421356237309504880168872420969807856967187537694807317667973799"),
     Navy},
    {QStringLiteral("\u03C0"), QStringLiteral("14159265358979323846264338327950288419716939937510582097494459230"),
     TitleRed},
    {QStringLiteral("e"), QStringLiteral("71828182845904523536028747135266249775724709369995957496696762772"),
     GlyphBlue},
};

// The arms are Archimedean spirals r = r0 + pitch * theta, 120 degrees apart.
struct Spiral
{
    QPointF centre;
    double r0;
    double rMax;
    double pitch;
};

QPointF pointOn(const Spiral& spiral, double startAngle, double theta)
{
    const double r = spiral.r0 + spiral.pitch * theta;
    const double a = startAngle + theta;
    return spiral.centre + QPointF(r * std::cos(a), r * std::sin(a));
}

// Walks one arm outwards; `place` gets the point, the growth 0..1 and the tangent angle in degrees.
template <typename Place> void walkArm(const Spiral& spiral, double startAngle, double step0, double step1, Place place)
{
    double theta = 0;
    for (int index = 0;; ++index) {
        const double r = spiral.r0 + spiral.pitch * theta;
        if (r > spiral.rMax)
            break;
        const double growth = (r - spiral.r0) / (spiral.rMax - spiral.r0);
        const double tangent = (startAngle + theta) * 180 / M_PI + 90;
        place(index, pointOn(spiral, startAngle, theta), growth, tangent);
        theta += (step0 + (step1 - step0) * growth) / r;
    }
}

void softGlow(QPainter& painter, QPointF centre, double radius, QRgb colour)
{
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, QColor(colour));
    QColor edge(colour);
    edge.setAlpha(0);
    glow.setColorAt(1, edge);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}
} // namespace

void paintEmblem(QImage& skin)
{
    const QRect area = EmblemPicture;
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(area);
    painter.fillRect(area, QColor(InnerColour));
    const QPointF centre(area.left() + area.width() / 2.0, area.top() + area.height() / 2.0);
    softGlow(painter, centre, 150, qRgb(232, 240, 251));

    painter.setBrush(Qt::NoBrush);
    for (double r : {46.0, 94.0, 142.0}) {
        painter.setPen(QPen(QColor(170, 190, 218), 1));
        painter.drawEllipse(centre, r, r);
    }

    const Spiral spiral{centre, 40, 128, 15.5};
    QFont digitFont(tahomaFamily());
    digitFont.setBold(true);
    for (int k = 0; k < 3; ++k) {
        const Arm& arm = Arms[k];
        const double start = -M_PI / 2 + k * 2 * M_PI / 3;
        walkArm(spiral, start, 9, 15, [&](int index, QPointF at, double growth, double tangent) {
            if (index >= arm.digits.size())
                return;
            digitFont.setPixelSize(int(std::lround(8 + 9 * growth)));
            painter.setFont(digitFont);
            QColor ink(arm.colour);
            ink.setAlphaF(0.45 + 0.55 * growth);
            painter.save();
            painter.translate(at);
            painter.rotate(tangent);
            const QRectF cell(-10, -10, 20, 20);
            painter.setPen(QColor(255, 255, 255, ink.alpha()));
            painter.drawText(cell.translated(1, 1), Qt::AlignCenter, arm.digits.mid(index, 1));
            painter.setPen(ink);
            painter.drawText(cell, Qt::AlignCenter, arm.digits.mid(index, 1));
            painter.restore();
        });
    }

    // The hub: the three symbols round a small ring, each at the root of its arm.
    painter.setPen(QPen(QColor(GlyphBlue), 2));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(centre, 10, 10);
    QFont symbolFont(tahomaFamily());
    symbolFont.setBold(true);
    symbolFont.setPixelSize(17);
    painter.setFont(symbolFont);
    for (int k = 0; k < 3; ++k) {
        const double a = -M_PI / 2 + k * 2 * M_PI / 3 - 0.9;
        const QPointF at = centre + QPointF(26 * std::cos(a), 26 * std::sin(a));
        const QRectF cell(at.x() - 16, at.y() - 12, 32, 24);
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(cell.translated(1, 1), Qt::AlignCenter, Arms[k].symbol);
        painter.setPen(QColor(Arms[k].colour));
        painter.drawText(cell, Qt::AlignCenter, Arms[k].symbol);
    }
}

void paintBanner(QImage& skin)
{
    const QRect area = BannerStrip;
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area);
    painter.fillRect(area, QColor(InnerColour));

    QFont font(tahomaFamily());
    font.setBold(true);
    font.setPixelSize(22);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 9);
    painter.setFont(font);
    const QString word = QStringLiteral("KORVALIN");
    const QRectF textBox(area);
    const double textWidth = painter.fontMetrics().horizontalAdvance(word) - 9;
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(textBox.translated(5.5, 1), Qt::AlignCenter, word); // spacing trails the last letter
    painter.setPen(QColor(Navy));
    painter.drawText(textBox.translated(4.5, 0), Qt::AlignCenter, word);

    // Rules that fade out towards the ends, each with a small diamond near the word.
    const double middle = area.top() + area.height() / 2.0;
    const double gap = textWidth / 2 + 18;
    for (int side : {-1, 1}) {
        const double inner = area.left() + area.width() / 2.0 + side * gap;
        const double outer = side < 0 ? area.left() + 4 : area.right() - 4;
        QLinearGradient fade(inner, 0, outer, 0);
        fade.setColorAt(0, QColor(GlyphBlue));
        fade.setColorAt(1, QColor(qRed(GlyphBlue), qGreen(GlyphBlue), qBlue(GlyphBlue), 0));
        painter.setPen(QPen(QBrush(fade), 1));
        painter.drawLine(QPointF(inner + side * 8, middle - 2.5), QPointF(outer, middle - 2.5));
        painter.drawLine(QPointF(inner + side * 8, middle + 2.5), QPointF(outer, middle + 2.5));
        const QPointF diamond(inner, middle);
        const QPointF points[4] = {diamond + QPointF(0, -5), diamond + QPointF(5, 0), diamond + QPointF(0, 5),
                                   diamond + QPointF(-5, 0)};
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(TitleRed));
        painter.drawPolygon(points, 4);
    }
}

void drawEmblemBadge(QPainter& painter, QPointF centre, double scale, double thinnestLine)
{
    const auto line = [&](double width) { return std::max(width * scale, thinnestLine); };
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(GlyphBlue), line(1.5)));
    painter.setBrush(QColor(TitleStripColour));
    painter.drawEllipse(centre, 27 * scale, 27 * scale);
    painter.setPen(Qt::NoPen);
    const Spiral spiral{centre, 7 * scale, 21.5 * scale, 3.1 * scale};
    for (int k = 0; k < 3; ++k) {
        const double start = -M_PI / 2 + k * 2 * M_PI / 3;
        painter.setBrush(QColor(Arms[k].colour));
        walkArm(spiral, start, 3.2 * scale, 4.6 * scale, [&](int, QPointF at, double growth, double) {
            const double r = (0.7 + 1.3 * growth) * scale;
            painter.drawEllipse(at, r, r);
        });
    }
    painter.setBrush(QColor(255, 255, 255));
    painter.setPen(QPen(QColor(GlyphBlue), line(1.2)));
    painter.drawEllipse(centre, 3.5 * scale, 3.5 * scale);
}

void paintHeaderBadge(QImage& skin)
{
    // The same mark, small, on the outer colour left of the competition header's title strip.
    QPainter painter(&skin);
    drawEmblemBadge(painter, QPointF(CompetitionHeaderLeft.left() + 66, CompetitionHeaderLeft.top() + 43), 1.0);
}
