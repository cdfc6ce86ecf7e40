#include "pdf/PageFlow.h"

#include <QFontMetricsF>
#include <QPicture>

#include <algorithm>

namespace {
constexpr double RowPaddingMm = 0.8;
constexpr double FooterMm = 8.0;
const QColor RuleColour(160, 160, 160);
const QColor HeaderBackground(230, 236, 245);
const QColor FooterColour(70, 70, 70);
} // namespace

PageFlow::PageFlow(QPdfWriter& writer, QPainter& painter, Pass pass, const QString& footer, int pageTotal)
    : m_writer(writer), m_painter(painter), m_pass(pass), m_footer(footer), m_pageTotal(pageTotal),
      m_page(QPointF(0, 0), QSizeF(painter.viewport().size())), m_pixelsPerMm(double(writer.resolution()) / 25.4)
{
    m_page.setHeight(m_page.height() - pixels(FooterMm));
}

QFont PageFlow::bodyFont(double points)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

QFont PageFlow::monoFont(double points)
{
    QFont font(QStringLiteral("Liberation Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(points);
    return font;
}

double PageFlow::lineHeight(const QFont& font) const
{
    return QFontMetricsF(font, &m_writer).height();
}

void PageFlow::drawFooter()
{
    if (!drawing())
        return;
    const QRectF footer(0.0, m_page.bottom() + pixels(FooterMm / 2), width(), pixels(FooterMm / 2));
    m_painter.setPen(QPen(RuleColour, 0));
    m_painter.drawLine(footer.topLeft(), footer.topRight());
    m_painter.setFont(bodyFont(8));
    m_painter.setPen(FooterColour);
    m_painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, m_footer);
    m_painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                       QStringLiteral("page %1 of %2").arg(m_pages).arg(std::max(m_pageTotal, m_pages)));
}

void PageFlow::newPage()
{
    drawFooter();
    if (drawing())
        m_writer.newPage();
    ++m_pages;
    m_y = 0.0;
}

void PageFlow::finish()
{
    drawFooter();
}

void PageFlow::keepTogether(double mm)
{
    if (m_y > 0.0 && m_y + pixels(mm) > m_page.height())
        newPage();
}

void PageFlow::space(double mm)
{
    m_y += pixels(mm);
}

QRectF PageFlow::band(double heightMm)
{
    keepTogether(heightMm);
    const QRectF rect(0.0, m_y, width(), pixels(heightMm));
    m_y += rect.height();
    return rect;
}

void PageFlow::title(const QString& text)
{
    QFont font = bodyFont(18);
    font.setBold(true);
    paragraph(text, font);
    space(2);
}

void PageFlow::heading(const QString& text)
{
    QFont font = bodyFont(12);
    font.setBold(true);
    keepTogether(25); // a heading never ends a page alone
    space(3);
    paragraph(text, font);
    space(1);
}

void PageFlow::paragraph(const QString& text, const QFont& font, const QColor& colour)
{
    m_painter.setFont(font);
    const QRectF bounds =
        m_painter.boundingRect(QRectF(0, 0, width(), m_page.height()), Qt::TextWordWrap | Qt::AlignLeft, text);
    keepTogether(bounds.height() / m_pixelsPerMm);
    if (drawing()) {
        m_painter.setPen(colour);
        m_painter.drawText(QRectF(0, m_y, width(), bounds.height()), Qt::TextWordWrap | Qt::AlignLeft, text);
    }
    m_y += bounds.height();
}

void PageFlow::fields(const QList<QPair<QString, QString>>& rows)
{
    const QFont font = bodyFont();
    QFont bold = font;
    bold.setBold(true);
    const double height = lineHeight(font) + pixels(RowPaddingMm);
    const double labelWidth = width() * 0.3;
    for (const auto& [label, value] : rows) {
        keepTogether(height / m_pixelsPerMm);
        if (!drawing()) {
            m_y += height;
            continue;
        }
        m_painter.setPen(Qt::black);
        m_painter.setFont(bold);
        m_painter.drawText(QRectF(0, m_y, labelWidth, height), Qt::AlignLeft | Qt::AlignVCenter, label);
        m_painter.setFont(font);
        m_painter.drawText(QRectF(labelWidth, m_y, width() - labelWidth, height), Qt::AlignLeft | Qt::AlignVCenter,
                           value);
        m_y += height;
    }
}

void PageFlow::table(const QStringList& headers, const QList<QStringList>& rows, const QList<double>& shares)
{
    const QFont font = bodyFont(8.5);
    QFont bold = font;
    bold.setBold(true);
    const double height = lineHeight(font) + pixels(RowPaddingMm);
    const auto drawRow = [&](const QStringList& cells, const QFont& rowFont, bool header) {
        if (!drawing()) {
            m_y += height;
            return;
        }
        if (header)
            m_painter.fillRect(QRectF(0, m_y, width(), height), HeaderBackground);
        m_painter.setFont(rowFont);
        m_painter.setPen(Qt::black);
        double x = 0.0;
        for (qsizetype column = 0; column < cells.size() && column < shares.size(); ++column) {
            const double cellWidth = width() * shares[column];
            m_painter.drawText(QRectF(x + pixels(1), m_y, cellWidth - pixels(2), height),
                               Qt::AlignLeft | Qt::AlignVCenter, cells[column]);
            x += cellWidth;
        }
        m_painter.setPen(QPen(RuleColour, 0));
        m_painter.drawLine(QPointF(0, m_y + height), QPointF(width(), m_y + height));
        m_y += height;
    };
    keepTogether(2 * height / m_pixelsPerMm);
    drawRow(headers, bold, true);
    for (const QStringList& row : rows) {
        if (m_y + height > m_page.height()) {
            newPage();
            drawRow(headers, bold, true); // the header again on every page
        }
        drawRow(row, font, false);
    }
}

void PageFlow::picture(const QPicture& picture, double heightMm)
{
    const QRectF target = band(heightMm);
    const QRect source = picture.boundingRect();
    if (source.isEmpty() || !drawing())
        return;
    // A picture replays at its own size on paper (it scales itself by the page's resolution over its own),
    // so only what is left over to fill the band is scaled here.
    const double resolutionX = double(m_painter.device()->logicalDpiX()) / double(picture.logicalDpiX());
    const double resolutionY = double(m_painter.device()->logicalDpiY()) / double(picture.logicalDpiY());
    m_painter.save();
    m_painter.translate(target.topLeft());
    m_painter.scale(target.width() / (source.width() * resolutionX), target.height() / (source.height() * resolutionY));
    m_painter.translate(-source.topLeft());
    m_painter.drawPicture(0, 0, picture);
    m_painter.restore();
}
